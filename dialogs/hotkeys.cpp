#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "base/hotkeyname.h"
#include "base/msgbox.h"
#include "base/settings.h"
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
    for (const GlobalHotKey& g : GLOBAL_HOT_KEYS)
        ShowHotKey(page, g.controlId, s.*g.fields[0], s.*g.fields[1], s.*g.fields[2], s.*g.fields[3]);
    return TRUE;
}

// Whether a combination can be had: while this page is up the program holds
// none of its own hot keys, so only another program can hold it.
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
// One combination does one thing: the second of two alike is refused.
const char TWICE[] = "ﾎｯﾄｷｰ %s は%sと同じです。\r\n別の組み合わせを選んでください。";

// Says why the combination in a control cannot be had (another program
// holds it, or it is already the key labelled twiceOf) and keeps the sheet
// open on this page, its control focused, for the user to choose another.
INT_PTR Refuse(HWND page, int controlId, const int* hotKey, const char* twiceOf)
{
    char name[64], text[256];
    DescribeHotKey(hotKey[0], hotKey[1], hotKey[2], hotKey[3], name, sizeof name);
    if (twiceOf == NULL)
        snprintf(text, sizeof text, TAKEN, name);
    else
        snprintf(text, sizeof text, TWICE, name, twiceOf);
    ShowMessage(page, text, "Skerrow", MB_ICONWARNING);
    SetFocus(GetDlgItem(page, controlId));
    // The pages before this one took the OK already; none of it counts now.
    Options.outcome &= OPTIONS_HOTKEYS_RELEASED;
    SetWindowLongPtrA(page, DWLP_MSGRESULT, PSNRET_INVALID);
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    int chosen[GLOBAL_HOT_KEY_COUNT][4];  // key, Alt, Ctrl, Shift
    for (int k = 0; k < GLOBAL_HOT_KEY_COUNT; ++k) {
        const GlobalHotKey& g = GLOBAL_HOT_KEYS[k];
        int* c = chosen[k];
        ReadHotKey(page, g.controlId, &c[0], &c[1], &c[2], &c[3]);
        for (int before = 0; before < k; ++before)
            if (c[0] != 0 && memcmp(c, chosen[before], sizeof chosen[k]) == 0)
                return Refuse(page, g.controlId, c, GLOBAL_HOT_KEYS[before].label);
        if (!Free(c[0], c[1], c[2], c[3]))
            return Refuse(page, g.controlId, c, NULL);
    }
    AppSettingsRecord& s = *Options.edited;
    for (int k = 0; k < GLOBAL_HOT_KEY_COUNT; ++k)
        for (int f = 0; f < 4; ++f)
            s.*GLOBAL_HOT_KEYS[k].fields[f] = chosen[k][f];
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
