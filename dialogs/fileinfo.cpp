#include <windows.h>

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "base/settings.h"
#include "base/wide.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "res/resource.h"

namespace {

const size_t INFO_SIZE = 1024;

INT_PTR OnInitDialog(HWND dialog)
{
    // The path is at most 259 characters, so the text always fits. The line
    // count is unsigned: a text of more than 2^31 lines still shows its count.
    char counts[128];
    memset(counts, 0, sizeof counts);
    int n = snprintf(counts, sizeof counts, "\r\n\r\n全行数：%u行\r\n現在行：%u行", Doc.LineCnt, Doc.Place.line + 1);
    // Where the piece shown begins, as a share of the text rounded down.
    uint32_t before, size;
    if (PlaceShare(&before, &size))
        snprintf(counts + n, sizeof counts - n, "\r\n現在位置：%u%%", ShareOf(before, size, 100));
    wchar_t text[INFO_SIZE];
    WideFrom932("ﾌｧｲﾙ名：\r\n", -1, text, INFO_SIZE);
    wcscat(text, Doc.Path);
    wcscat(text, Wide932(counts).text);
    SetDlgItemTextW(dialog, IDC_INFOTEXT, text);
    SetFocus(GetDlgItem(dialog, IDC_INFOTEXT));
    return FALSE;
}

INT_PTR CALLBACK FileInfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, 1);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

void ShowFileInfo(HWND owner, HINSTANCE instance)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FILEINFO), owner, FileInfoDlgProc, 0);
}
