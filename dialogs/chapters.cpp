#include <windows.h>

#include "dialogs/dialogs.h"
#include "res/resource.h"

namespace {

// A list of lines to go to (目次, しおり): its controls, rows, the row
// selected at first and the one chosen; removed, where rows can be taken
// out with Delete.
struct ListRecord {
    int list, none;
    const wchar_t* const* items;
    int count, current, chosen;
    void (*removed)(int row);
};

ListRecord* RecordOf(HWND dialog)
{
    return reinterpret_cast<ListRecord*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

// An empty list says so in its place, and only closes.
void ShowNone(HWND dialog, const ListRecord& record)
{
    ShowWindow(GetDlgItem(dialog, record.list), SW_HIDE);
    ShowWindow(GetDlgItem(dialog, record.none), SW_SHOW);
    EnableWindow(GetDlgItem(dialog, IDOK), FALSE);
    SetFocus(GetDlgItem(dialog, IDCANCEL));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam)
{
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    const ListRecord* record = reinterpret_cast<const ListRecord*>(lParam);
    HWND list = GetDlgItem(dialog, record->list);
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
    // A row wider than the list scrolls sideways.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, widest + 8, 0);
    if (record->count == 0) {
        ShowNone(dialog, *record);
        return FALSE;
    }
    SendMessageW(list, LB_SETCURSEL, record->current, 0);
    SetFocus(list);
    return FALSE;
}

INT_PTR OnChosen(HWND dialog)
{
    ListRecord* record = RecordOf(dialog);
    LRESULT selected = SendDlgItemMessageW(dialog, record->list, LB_GETCURSEL, 0, 0);
    if (record->count == 0 || selected == LB_ERR)
        return TRUE;
    record->chosen = static_cast<int>(selected);
    EndDialog(dialog, IDOK);
    return TRUE;
}

// A key in a list that asks for them (LBS_WANTKEYBOARDINPUT): Delete takes
// the selected row out; every other key does what it does in any list,
// which the list is told by -1 (0 would move it to the first row).
INT_PTR OnListKey(HWND dialog, WPARAM wParam)
{
    ListRecord* record = RecordOf(dialog);
    HWND list = GetDlgItem(dialog, record->list);
    const LRESULT row = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (LOWORD(wParam) != VK_DELETE || record->removed == NULL)
        return -1;
    if (row == LB_ERR)
        return -2;
    record->removed(static_cast<int>(row));
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    if (--record->count == 0)
        ShowNone(dialog, *record);
    else
        SendMessageW(list, LB_SETCURSEL, row < record->count ? row : record->count - 1, 0);
    return -2;
}

INT_PTR CALLBACK LinesDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog, lParam);
    case WM_VKEYTOITEM: return OnListKey(dialog, wParam);
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK ||
            (LOWORD(wParam) == RecordOf(dialog)->list && HIWORD(wParam) == LBN_DBLCLK))
            return OnChosen(dialog);
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

bool AskLine(HWND owner, HINSTANCE instance, int templateId, ListRecord* record, int* chosen)
{
    INT_PTR answer = DialogBoxParamW(instance, MAKEINTRESOURCEW(templateId), owner, LinesDlgProc,
                                     reinterpret_cast<LPARAM>(record));
    *chosen = record->chosen;
    return answer == IDOK && record->chosen >= 0;
}

}  // namespace

bool AskChapter(HWND owner, HINSTANCE instance, const wchar_t* const* items, int count, int current, int* chosen)
{
    ListRecord record = {IDC_CHAPTERLIST, IDC_NOCHAPTERS, items, count, current, -1, NULL};
    return AskLine(owner, instance, IDD_CHAPTERS, &record, chosen);
}

bool AskBookmark(HWND owner, HINSTANCE instance, const wchar_t* const* items, int count, int current, int* chosen,
                 void (*removed)(int row))
{
    ListRecord record = {IDC_MARKLIST, IDC_NOMARKS, items, count, current, -1, removed};
    return AskLine(owner, instance, IDD_BOOKMARKS, &record, chosen);
}
