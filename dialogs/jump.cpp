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
    JumpChoice chosen;
};

// The longest percentage, "100%".
const size_t PERCENT_CHARS = 4;

INT_PTR OnInitDialog(HWND dialog, LPARAM record)
{
    SetWindowLongPtrA(dialog, DWLP_USER, record);
    // No more digits than the line count has, but room for a percentage.
    char count[16];
    snprintf(count, sizeof count, "%u", reinterpret_cast<JumpRecord*>(record)->lineCount);
    SendDlgItemMessageA(dialog, IDC_LINENO, EM_LIMITTEXT, strlen(count) > PERCENT_CHARS ? strlen(count) : PERCENT_CHARS,
                        0);
    SetFocus(GetDlgItem(dialog, IDC_LINENO));
    return FALSE;
}

// The typed number is 1-based, and 0 also means the first line; a number
// followed by '%' is a share of the text. An empty field, or any other
// text, chooses nothing.
INT_PTR OnOk(HWND dialog)
{
    char text[64];
    memset(text, 0, sizeof text);
    GetDlgItemTextA(dialog, IDC_LINENO, text, sizeof text);
    const long long number = ReadDigits(text, UINT32_MAX), percent = ReadPercent(text);
    if (number < 0 && percent < 0) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
    }
    JumpRecord* record = reinterpret_cast<JumpRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    record->chosen.percent = percent >= 0;
    record->chosen.value = static_cast<uint32_t>(percent >= 0 ? percent : number == 0 ? 0 : number - 1);
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

bool AskJumpLine(HWND owner, HINSTANCE instance, uint32_t lineCount, JumpChoice* chosen)
{
    JumpRecord record = {lineCount, {false, 0}};
    INT_PTR answer = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_JUMP), owner, JumpDlgProc,
                                     reinterpret_cast<LPARAM>(&record));
    *chosen = record.chosen;
    return answer == IDOK;
}
