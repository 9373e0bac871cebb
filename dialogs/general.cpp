#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "dialogs/digits.h"
#include "dialogs/options.h"
#include "res/resource.h"

namespace {

void SetCheck(HWND page, int id, int value)
{
    SendDlgItemMessageA(page, id, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int GetCheck(HWND page, int id)
{
    return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

// The field takes as many digits as the setting's largest value has.
void SetNumberField(HWND page, int id, size_t field, int value)
{
    int least, most;
    SettingLimits(field, &least, &most);
    char text[16];
    snprintf(text, sizeof text, "%d", most);
    SendDlgItemMessageA(page, id, EM_LIMITTEXT, strlen(text), 0);
    snprintf(text, sizeof text, "%d", value);
    SetDlgItemTextA(page, id, text);
}

// The field's number, within the setting's limits; anything else (empty, 0,
// or pasted text that is not all digits, such as "-5") keeps the previous
// value, so that neither the feed interval nor the tab width can become 0
// or negative.
int ReadNumberField(HWND page, int id, size_t field, int previous)
{
    int least, most;
    SettingLimits(field, &least, &most);
    char text[256];
    memset(text, 0, sizeof text);
    GetDlgItemTextA(page, id, text, sizeof text);
    long long value = ReadDigits(text, most);
    return value >= least ? static_cast<int>(value) : previous;
}

// A number is edited only while it is used: the feed's seconds while it
// does not follow the line, its speed while it does, the pointer's wait
// while leaving hides the window.
void EnableNumbers(HWND page)
{
    const bool byLength = GetCheck(page, IDC_FEEDBYLENGTH) != 0;
    EnableWindow(GetDlgItem(page, IDC_RUNWAIT), !byLength);
    EnableWindow(GetDlgItem(page, IDC_FEEDSPEED), byLength);
    EnableWindow(GetDlgItem(page, IDC_LEAVEWAIT), GetCheck(page, IDC_LEAVEHIDE) != 0);
}

INT_PTR OnInitDialog(HWND page)
{
    // The first page to be shown: from here on the sheet has a window.
    Options.sheet = GetParent(page);
    const AppSettingsRecord& s = *Options.edited;
    SetCheck(page, IDC_FLAG, s.FLAG);
    SetCheck(page, IDC_BLANKSKIP, s.BlankSkip);
    SetCheck(page, IDC_LINEDISP, s.LineDisp);
    SetCheck(page, IDC_BACKFLG, s.BackFlg);
    SetCheck(page, IDC_ENDFLG, s.EndFlg);
    SetCheck(page, IDC_NOTATION, s.Notation);
    SetCheck(page, IDC_RUBYPAREN, s.RubyParen);
    SetNumberField(page, IDC_RUNWAIT, offsetof(AppSettingsRecord, RunWait), s.RunWait);
    SetNumberField(page, IDC_TABSCOL, offsetof(AppSettingsRecord, TabsCol), s.TabsCol);
    SetCheck(page, IDC_FEEDBYLENGTH, s.FeedByLength);
    SetNumberField(page, IDC_FEEDSPEED, offsetof(AppSettingsRecord, FeedSpeed), s.FeedSpeed);
    SetCheck(page, IDC_LEAVEHIDE, s.LeaveHide);
    SetNumberField(page, IDC_LEAVEWAIT, offsetof(AppSettingsRecord, LeaveWait), s.LeaveWait);
    EnableNumbers(page);
    return TRUE;
}

INT_PTR OnCommand(HWND page, WORD id, WORD code)
{
    if (code == BN_CLICKED && (id == IDC_FEEDBYLENGTH || id == IDC_LEAVEHIDE))
        EnableNumbers(page);
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    AppSettingsRecord& s = *Options.edited;
    s.FLAG = GetCheck(page, IDC_FLAG);
    s.BlankSkip = GetCheck(page, IDC_BLANKSKIP);
    s.LineDisp = GetCheck(page, IDC_LINEDISP);
    s.BackFlg = GetCheck(page, IDC_BACKFLG);
    s.EndFlg = GetCheck(page, IDC_ENDFLG);
    s.Notation = GetCheck(page, IDC_NOTATION);
    s.RubyParen = GetCheck(page, IDC_RUBYPAREN);
    s.RunWait = ReadNumberField(page, IDC_RUNWAIT, offsetof(AppSettingsRecord, RunWait), s.RunWait);
    s.TabsCol = ReadNumberField(page, IDC_TABSCOL, offsetof(AppSettingsRecord, TabsCol), s.TabsCol);
    s.FeedByLength = GetCheck(page, IDC_FEEDBYLENGTH);
    s.FeedSpeed = ReadNumberField(page, IDC_FEEDSPEED, offsetof(AppSettingsRecord, FeedSpeed), s.FeedSpeed);
    s.LeaveHide = GetCheck(page, IDC_LEAVEHIDE);
    s.LeaveWait = ReadNumberField(page, IDC_LEAVEWAIT, offsetof(AppSettingsRecord, LeaveWait), s.LeaveWait);
    Options.outcome |= GENERAL_PAGE;
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam), HIWORD(wParam));
    case WM_NOTIFY:
        if (IsApply(lParam))
            return OnApply(page);
        return FALSE;
    }
    return FALSE;
}
