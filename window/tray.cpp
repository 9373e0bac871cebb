#include "window/tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/base/settings.h"
#include "document/document.h"
#include "res/resource.h"

HMENU TrayMenu;

namespace {

// Kept for the window's lifetime: the same record removes the icon.
// Its size is that of the record of the oldest shells that show the icon.
NOTIFYICONDATAA TrayIconData;

UINT HotKeyModifiers(int alt, int ctl, int sft)
{
    return (alt != 0 ? MOD_ALT : 0) | (ctl != 0 ? MOD_CONTROL : 0) | (sft != 0 ? MOD_SHIFT : 0);
}

UINT GrayedUnlessOpen()
{
    return MF_BYCOMMAND | (Doc.LineCnt > 0 ? MF_ENABLED : MF_GRAYED);
}

}  // namespace

void AddTrayIcon(HWND window)
{
    memset(&TrayIconData, 0, sizeof TrayIconData);
    TrayIconData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TRAY_ICON_ID;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYNOTIFY;
    TrayIconData.hIcon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_MAIN));
    strcpy(TrayIconData.szTip, "スケロウ");
    Shell_NotifyIconA(NIM_ADD, &TrayIconData);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconA(NIM_DELETE, &TrayIconData);
}

void RegisterHotKeys(HWND window)
{
    const AppSettingsRecord& s = AppSettings;
    if (s.ONHOTKEY != 0)
        RegisterHotKey(window, HOTKEY_SHOW, HotKeyModifiers(s.ONHOTALT, s.ONHOTCTL, s.ONHOTSFT), s.ONHOTKEY);
    if (s.MENUHOTKEY != 0)
        RegisterHotKey(window, HOTKEY_MENU, HotKeyModifiers(s.MENUHOTALT, s.MENUHOTCTL, s.MENUHOTSFT),
                       s.MENUHOTKEY);
}

void ReleaseHotKeys(HWND window)
{
    UnregisterHotKey(window, HOTKEY_SHOW);
    UnregisterHotKey(window, HOTKEY_MENU);
}

void ShowTrayMenu(HWND window)
{
    HMENU submenu = GetSubMenu(TrayMenu, 0);
    POINT cursor;
    GetCursorPos(&cursor);
    // The window must be in the foreground, or the menu stays open when the
    // user clicks elsewhere.
    SetForegroundWindow(window);
    EnableMenuItem(TrayMenu, IDM_AUTOFEED, GrayedUnlessOpen());
    TrackPopupMenu(submenu, TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, window, NULL);
}

void ShowContextMenu(HWND window, int x, int y)
{
    RECT w;
    GetWindowRect(window, &w);
    POINT p = {x - w.left, y - w.top};
    HMENU menu = LoadMenuA(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)),
                           MAKEINTRESOURCEA(IDR_POPUPMENU));
    HMENU submenu = GetSubMenu(menu, 0);
    EnableMenuItem(menu, IDM_JUMP, GrayedUnlessOpen());
    EnableMenuItem(menu, IDM_CLEAR, GrayedUnlessOpen());
    EnableMenuItem(menu, IDM_INFO, GrayedUnlessOpen());
    ClientToScreen(window, &p);
    TrackPopupMenu(submenu, 0, p.x, p.y, 0, window, NULL);
    DestroyMenu(menu);
}
