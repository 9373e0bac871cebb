#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "app/settings.h"
#include "dialogs/digits.h"
#include "dialogs/options.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/mainwnd.h"

namespace {

const int RUNWAIT_MOST = 999;  // seconds, three digits
const int TABSCOL_MOST = 9;    // cells, one digit

void SetCheck(HWND page, int id, int value)
{
    SendDlgItemMessageA(page, id, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

int GetCheck(HWND page, int id)
{
    return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SetNumberField(HWND page, int id, int digits, int value)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    SendDlgItemMessageA(page, id, EM_LIMITTEXT, digits, 0);
    SetDlgItemTextA(page, id, text);
}

// The field's number, 1 to `most`; anything else (empty, 0, or pasted text
// that is not all digits, such as "-5") keeps the previous value, so that
// neither the feed interval nor the tab width can become 0 or negative.
int ReadNumberField(HWND page, int id, int previous, int most)
{
    char text[256];
    memset(text, 0, sizeof text);
    GetDlgItemTextA(page, id, text, sizeof text);
    long long value = ReadDigits(text, most);
    return value >= 1 ? static_cast<int>(value) : previous;
}

INT_PTR OnInitDialog(HWND page)
{
    // The first page to be shown: from here on the sheet has a window.
    OptionsSheet = GetParent(page);
    const AppSettingsRecord& s = AppSettings;
    SetCheck(page, IDC_FLAG, s.FLAG);
    SetCheck(page, IDC_BLANKSKIP, s.BlankSkip);
    SetCheck(page, IDC_LINEDISP, s.LineDisp);
    SetCheck(page, IDC_BACKFLG, s.BackFlg);
    SetCheck(page, IDC_ENDFLG, s.EndFlg);
    SetNumberField(page, IDC_RUNWAIT, 3, s.RunWait);
    SetNumberField(page, IDC_TABSCOL, 1, s.TabsCol);
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    AppSettingsRecord& s = AppSettings;
    s.FLAG = GetCheck(page, IDC_FLAG);
    s.BlankSkip = GetCheck(page, IDC_BLANKSKIP);
    s.LineDisp = GetCheck(page, IDC_LINEDISP);
    s.BackFlg = GetCheck(page, IDC_BACKFLG);
    s.EndFlg = GetCheck(page, IDC_ENDFLG);
    s.RunWait = ReadNumberField(page, IDC_RUNWAIT, s.RunWait, RUNWAIT_MOST);
    s.TabsCol = ReadNumberField(page, IDC_TABSCOL, s.TabsCol, TABSCOL_MOST);

    WriteIntKey("WINDOW", "FLAG", s.FLAG);
    WriteIntKey("OPTION", "BlankSkip", s.BlankSkip);
    WriteIntKey("OPTION", "LineDisp", s.LineDisp);
    WriteIntKey("BACKUP", "BackFlg", s.BackFlg);
    WriteIntKey("OPTION", "EndFlg", s.EndFlg);
    WriteIntKey("OPTION", "RunWait", s.RunWait);
    WriteIntKey("OPTION", "TabsCol", s.TabsCol);

    // The line again, with or without its number. BlankSkip waits for the
    // next text opened; the tab width for the repaint the sheet ends with.
    NavigateTo(MainWnd, NAV_CLAMP, Doc.CurLine);
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
