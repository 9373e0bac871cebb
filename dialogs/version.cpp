#include <windows.h>

#include "dialogs/dialogs.h"
#include "res/resource.h"

namespace {

// A name reserved never to belong to anyone, until the program has a site.
const char SITE_ADDRESS[] = "https://skerrow.invalid/";

INT_PTR CALLBACK VersionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(dialog, IDC_VERSION, "Ver1.00");
        SetDlgItemTextA(dialog, IDC_SITE, SITE_ADDRESS);
        // The address focused, to be selected and copied.
        SetFocus(GetDlgItem(dialog, IDC_SITE));
        return FALSE;
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

void ShowVersionDialog(HWND owner, HINSTANCE instance)
{
    DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_VERSION), owner, VersionDlgProc, 0);
}
