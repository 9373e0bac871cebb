#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "dialogs/dialogs.h"
#include "dialogs/digits.h"
#include "res/resource.h"

namespace {

struct JumpRecord {
    uint32_t lineCount;
    uint32_t target;
};

INT_PTR OnInitDialog(HWND dialog, LPARAM record)
{
    SetWindowLongPtrA(dialog, DWLP_USER, record);
    // No more digits than the line count has.
    char count[16];
    snprintf(count, sizeof count, "%u", reinterpret_cast<JumpRecord*>(record)->lineCount);
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
    JumpRecord* record = reinterpret_cast<JumpRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    record->target = number == 0 ? 0 : static_cast<uint32_t>(number - 1);
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

bool AskJumpLine(HWND owner, HINSTANCE instance, uint32_t lineCount, uint32_t* target)
{
    JumpRecord record = {lineCount, 0};
    INT_PTR chosen = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_JUMP), owner, JumpDlgProc,
                                     reinterpret_cast<LPARAM>(&record));
    *target = record.target;
    return chosen == IDOK;
}
