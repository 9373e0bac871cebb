#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "dialogs/dialogs.h"
#include "dialogs/digits.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/mainwnd.h"

namespace {

INT_PTR OnInitDialog(HWND dialog, LPARAM target)
{
    SetWindowLongPtrA(dialog, DWLP_USER, target);
    // No more digits than the line count has.
    char count[16];
    snprintf(count, sizeof count, "%u", Doc.LineCnt);
    SendDlgItemMessageA(dialog, IDC_LINENO, EM_LIMITTEXT, strlen(count), 0);
    SetFocus(GetDlgItem(dialog, IDC_LINENO));
    return FALSE;
}

// The typed number is 1-based, and 0 also means the first line. An empty
// field, or pasted text that is not all digits, chooses nothing.
INT_PTR OnOk(HWND dialog)
{
    char text[64];
    memset(text, 0, sizeof text);
    GetDlgItemTextA(dialog, IDC_LINENO, text, sizeof text);
    long long number = ReadDigits(text, UINT32_MAX);
    if (number < 0) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    uint32_t* target = reinterpret_cast<uint32_t*>(GetWindowLongPtrA(dialog, DWLP_USER));
    *target = number == 0 ? 0 : static_cast<uint32_t>(number - 1);
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR CALLBACK JumpDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            return OnOk(dialog);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

int JumpCommand(HWND window, HINSTANCE instance)
{
    if (Doc.LineCnt == 0)
        return 0;
    uint32_t target = 0;
    INT_PTR chosen = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_JUMP), window, JumpDlgProc,
                                     reinterpret_cast<LPARAM>(&target));
    // Compared with the line shown now, not when the dialog opened: the feed
    // goes on while it is open. The line already shown is not painted again;
    // the text may even have been closed from the tray menu meanwhile.
    if (chosen == IDOK && Doc.LineCnt > 0 && ChooseLine(NAV_CLAMP, target, Doc.LineCnt) != Doc.CurLine)
        NavigateTo(window, NAV_CLAMP, target);
    return 0;
}
