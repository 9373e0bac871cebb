#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/base/settings.h"
#include "app/base/wide.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "res/resource.h"

namespace {

const size_t INFO_SIZE = 1024;

INT_PTR OnInitDialog(HWND dialog)
{
    // The path is at most 259 bytes, so the text always fits. The line count
    // is unsigned: a text of more than 2^31 lines still shows its count.
    char text[INFO_SIZE];
    memset(text, 0, sizeof text);
    snprintf(text, sizeof text, "ﾌｧｲﾙ名：\r\n%s\r\n\r\n全行数：%u行\r\n現在行：%d行",
             AppSettings.BackFile, Doc.LineCnt, AppSettings.BackNo);
    wchar_t wide[INFO_SIZE];
    SetDlgItemTextW(dialog, IDC_INFOTEXT, WideFrom932(text, -1, wide, INFO_SIZE));
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
