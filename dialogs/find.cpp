#include <windows.h>

#include <cwchar>

#include "dialogs/dialogs.h"
#include "res/resource.h"

namespace {

struct FindRecord {
    const wchar_t (*history)[FIND_TEXT_SIZE];
    wchar_t* query;
    int* down;
    int* matchCase;
};

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam)
{
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    const FindRecord& record = *reinterpret_cast<FindRecord*>(lParam);
    HWND box = GetDlgItem(dialog, IDC_FINDTEXT);
    for (int i = 0; i < FIND_HISTORY_COUNT && record.history[i][0] != L'\0'; ++i)
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record.history[i]));
    SendMessageW(box, CB_LIMITTEXT, FIND_TEXT_SIZE - 1, 0);
    SetWindowTextW(box, record.history[0]);
    // The last text chosen whole, so that typing replaces it.
    SendMessageW(box, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    CheckRadioButton(dialog, IDC_FINDUP, IDC_FINDDOWN, *record.down ? IDC_FINDDOWN : IDC_FINDUP);
    CheckDlgButton(dialog, IDC_MATCHCASE, *record.matchCase ? BST_CHECKED : BST_UNCHECKED);
    SetFocus(box);
    return FALSE;
}

// An empty text finds nothing: the dialog stays.
INT_PTR OnOk(HWND dialog)
{
    const FindRecord& record = *reinterpret_cast<FindRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    wmemset(record.query, L'\0', FIND_TEXT_SIZE);
    GetDlgItemTextW(dialog, IDC_FINDTEXT, record.query, FIND_TEXT_SIZE);
    if (record.query[0] == L'\0')
        return TRUE;
    *record.down = IsDlgButtonChecked(dialog, IDC_FINDDOWN) == BST_CHECKED ? 1 : 0;
    *record.matchCase = IsDlgButtonChecked(dialog, IDC_MATCHCASE) == BST_CHECKED ? 1 : 0;
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR CALLBACK FindDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
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

bool AskFindText(HWND owner, HINSTANCE instance, const wchar_t (*history)[FIND_TEXT_SIZE], wchar_t* query,
                 int* down, int* matchCase)
{
    FindRecord record = {history, query, down, matchCase};
    return DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_FIND), owner, FindDlgProc,
                           reinterpret_cast<LPARAM>(&record)) == IDOK;
}
