#include <windows.h>

#include "dialogs/dialogs.h"
#include "res/resource.h"

namespace {

struct ChapterRecord {
    const wchar_t* const* items;
    int count, current, chosen;
};

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam)
{
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    const ChapterRecord* record = reinterpret_cast<const ChapterRecord*>(lParam);
    HWND list = GetDlgItem(dialog, IDC_CHAPTERLIST);
    int widest = 0;
    HDC dc = GetDC(list);
    HGDIOBJ font = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    for (int i = 0; i < record->count; ++i) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(record->items[i]));
        SIZE size;
        if (GetTextExtentPoint32W(dc, record->items[i], lstrlenW(record->items[i]), &size) && size.cx > widest)
            widest = size.cx;
    }
    SelectObject(dc, font);
    ReleaseDC(list, dc);
    // A heading wider than the list scrolls sideways.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, widest + 8, 0);
    if (record->count == 0) {
        ShowWindow(list, SW_HIDE);
        ShowWindow(GetDlgItem(dialog, IDC_NOCHAPTERS), SW_SHOW);
        EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE;
    }
    SendMessageW(list, LB_SETCURSEL, record->current, 0);
    SetFocus(list);
    return FALSE;
}

INT_PTR OnChosen(HWND dialog)
{
    ChapterRecord* record = reinterpret_cast<ChapterRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
    LRESULT selected = SendDlgItemMessageW(dialog, IDC_CHAPTERLIST, LB_GETCURSEL, 0, 0);
    if (record->count == 0 || selected == LB_ERR)
        return TRUE;
    record->chosen = static_cast<int>(selected);
    EndDialog(dialog, IDOK);
    return TRUE;
}

INT_PTR CALLBACK ChaptersDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || (LOWORD(wParam) == IDC_CHAPTERLIST && HIWORD(wParam) == LBN_DBLCLK))
            return OnChosen(dialog);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace

bool AskChapter(HWND owner, HINSTANCE instance, const wchar_t* const* items, int count, int current, int* chosen)
{
    ChapterRecord record = {items, count, current, -1};
    INT_PTR answer = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_CHAPTERS), owner, ChaptersDlgProc,
                                     reinterpret_cast<LPARAM>(&record));
    *chosen = record.chosen;
    return answer == IDOK && record.chosen >= 0;
}
