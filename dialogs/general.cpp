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
    Options.outcome |= GENERAL_PAGE;
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_NOTIFY:
        if (IsApply(lParam))
            return OnApply(page);
        return FALSE;
    }
    return FALSE;
}
