#include <windows.h>
#include <commctrl.h>

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
    const AppSettingsRecord& s = AppSettings;
    Options.host->releaseHotKeys();
    Options.outcome |= OPTIONS_HOTKEYS_RELEASED;
    ShowHotKey(page, IDC_ONHOTKEY, s.ONHOTKEY, s.ONHOTALT, s.ONHOTCTL, s.ONHOTSFT);
    ShowHotKey(page, IDC_MENUHOTKEY, s.MENUHOTKEY, s.MENUHOTALT, s.MENUHOTCTL, s.MENUHOTSFT);
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    AppSettingsRecord& s = *Options.edited;
    ReadHotKey(page, IDC_ONHOTKEY, &s.ONHOTKEY, &s.ONHOTALT, &s.ONHOTCTL, &s.ONHOTSFT);
    ReadHotKey(page, IDC_MENUHOTKEY, &s.MENUHOTKEY, &s.MENUHOTALT, &s.MENUHOTCTL, &s.MENUHOTSFT);
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
