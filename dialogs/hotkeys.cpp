#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "base/hotkeyname.h"
#include "base/msgbox.h"
#include "dialogs/options.h"
#include "res/resource.h"

namespace {

// Modifier flags in a hot-key control's 16-bit value: HOTKEYF_SHIFT,
// HOTKEYF_CONTROL and HOTKEYF_ALT in its high byte. HOTKEYF_EXT (0x800) is
// never set here and is dropped when read.
const WORD VALUE_SHIFT = 0x100;
const WORD VALUE_CONTROL = 0x200;
const WORD VALUE_ALT = 0x400;

// Shows a hot key in its control.
void ShowHotKey(HWND page, int controlId, int key, int alt, int ctl, int sft)
{
    if (key == 0)
        return;
    WORD value = static_cast<WORD>(key | (alt != 0 ? VALUE_ALT : 0) | (ctl != 0 ? VALUE_CONTROL : 0) |
                                   (sft != 0 ? VALUE_SHIFT : 0));
    SendDlgItemMessageA(page, controlId, HKM_SETHOTKEY, value, 0);
}

// The four fields of one hot key from its control. Modifiers without a key
// are no hot key at all: all four stay 0, as for a cleared control, rather
// than leaving stray modifier flags in the file.
void ReadHotKey(HWND page, int controlId, int* key, int* alt, int* ctl, int* sft)
{
    WORD value = LOWORD(SendDlgItemMessageA(page, controlId, HKM_GETHOTKEY, 0, 0));
    *key = *alt = *ctl = *sft = 0;
    if (LOBYTE(value) == 0)
        return;
    *alt = (value & VALUE_ALT) != 0 ? 1 : 0;
    *ctl = (value & VALUE_CONTROL) != 0 ? 1 : 0;
    *sft = (value & VALUE_SHIFT) != 0 ? 1 : 0;
    *key = LOBYTE(value);
}

INT_PTR OnInitDialog(HWND page)
{
    const AppSettingsRecord& s = *Options.edited;
    Options.host->releaseHotKeys();
    Options.outcome |= OPTIONS_HOTKEYS_RELEASED;
    ShowHotKey(page, IDC_ONHOTKEY, s.ONHOTKEY, s.ONHOTALT, s.ONHOTCTL, s.ONHOTSFT);
    ShowHotKey(page, IDC_MENUHOTKEY, s.MENUHOTKEY, s.MENUHOTALT, s.MENUHOTCTL, s.MENUHOTSFT);
    return TRUE;
}

// Whether a combination can be had: while this page is up the program holds
// neither of its own hot keys, so only another program can hold it.
bool Free(int key, int alt, int ctl, int sft)
{
    if (key == 0)
        return true;
    if (!RegisterHotKey(NULL, HOTKEY_PROBE, HotKeyModifiers(alt, ctl, sft), static_cast<UINT>(key)))
        return false;
    UnregisterHotKey(NULL, HOTKEY_PROBE);
    return true;
}

const char TAKEN[] = "ﾎｯﾄｷｰ %s は他のﾌﾟﾛｸﾞﾗﾑが使用中です。\r\n別の組み合わせを選んでください。";
const char TWICE[] = "ﾎｯﾄｷｰ %s は一覧表示ｷｰと同じです。\r\n別の組み合わせを選んでください。";

// Says why the combination in a control cannot be had (reason: TAKEN or
// TWICE) and keeps the sheet open on this page, its control focused, for
// the user to choose another.
INT_PTR Refuse(HWND page, const char* reason, int controlId, const int* hotKey)
{
    char name[64], text[256];
    DescribeHotKey(hotKey[0], hotKey[1], hotKey[2], hotKey[3], name, sizeof name);
    snprintf(text, sizeof text, reason, name);
    ShowMessage(page, text, "Skerrow", MB_ICONWARNING);
    SetFocus(GetDlgItem(page, controlId));
    // The pages before this one took the OK already; none of it counts now.
    Options.outcome &= OPTIONS_HOTKEYS_RELEASED;
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID);
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    int show[4], menu[4];  // key, Alt, Ctrl, Shift
    ReadHotKey(page, IDC_ONHOTKEY, &show[0], &show[1], &show[2], &show[3]);
    ReadHotKey(page, IDC_MENUHOTKEY, &menu[0], &menu[1], &menu[2], &menu[3]);
    if (!Free(show[0], show[1], show[2], show[3]))
        return Refuse(page, TAKEN, IDC_ONHOTKEY, show);
    if (menu[0] != 0 && memcmp(menu, show, sizeof menu) == 0)
        return Refuse(page, TWICE, IDC_MENUHOTKEY, menu);
    if (!Free(menu[0], menu[1], menu[2], menu[3]))
        return Refuse(page, TAKEN, IDC_MENUHOTKEY, menu);

    AppSettingsRecord& s = *Options.edited;
    s.ONHOTKEY = show[0];
    s.ONHOTALT = show[1];
    s.ONHOTCTL = show[2];
    s.ONHOTSFT = show[3];
    s.MENUHOTKEY = menu[0];
    s.MENUHOTALT = menu[1];
    s.MENUHOTCTL = menu[2];
    s.MENUHOTSFT = menu[3];
    Options.outcome |= HOTKEY_PAGE;
    return FALSE;
}

}  // namespace

// Cancel reaches only the page that is showing, so a Hot-key page shown
// earlier cannot give the hot keys back itself: the sheet's answer says
// they were taken, whatever closed it.
INT_PTR CALLBACK HotKeyPageProc(HWND page, UINT message, WPARAM, LPARAM lParam)
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
