#include "window/tray.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "base/hotkeyname.h"
#include "base/msgbox.h"
#include "base/settings.h"
#include "base/wide.h"
#include "document/document.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/handles.h"
#include "window/view.h"

namespace {

// Kept for the window's lifetime: the same record removes the icon.
// Its size is that of the record of the oldest shells that show the icon.
NOTIFYICONDATAW TrayIconData;

// Registers one hot key, if it has a key; when it cannot be had, adds a line
// that names it to taken (size bytes).
void TakeHotKey(HWND window, const GlobalHotKey& hotKey, char* taken, size_t size)
{
    const AppSettingsRecord& s = AppSettings;
    const int key = s.*hotKey.fields[0], alt = s.*hotKey.fields[1], ctl = s.*hotKey.fields[2],
              sft = s.*hotKey.fields[3];
    if (key == 0 || RegisterHotKey(window, hotKey.id, HotKeyModifiers(alt, ctl, sft), static_cast<UINT>(key)))
        return;
    char name[64];
    DescribeHotKey(key, alt, ctl, sft, name, sizeof name);
    size_t used = strlen(taken);
    snprintf(taken + used, size - used, "\r\n%s: %s", hotKey.label, name);
}

UINT GrayedUnlessOpen()
{
    // Not while the dat question of a text being opened is up.
    const bool inFlux = HasText() && !TextSettled();
    return MF_BYCOMMAND | (Doc.LineCnt > 0 && !inFlux ? MF_ENABLED : MF_GRAYED);
}

// The submenu of recent texts: the resource's 「(なし)」 alone while the
// list is empty, else one item per text, the open one checked, before
// the separator and 「履歴を消去」.
void FillRecentMenu(HMENU menu)
{
    HMENU recent = NULL;
    for (int i = 0; recent == NULL && i < GetMenuItemCount(menu); ++i)
        recent = GetSubMenu(menu, i);
    if (AppSettings.Recent[0].File[0] == L'\0') {
        while (GetMenuItemCount(recent) > 1)
            DeleteMenu(recent, 1, MF_BYPOSITION);
        return;
    }
    DeleteMenu(recent, IDM_RECENTNONE, MF_BYCOMMAND);
    for (int k = 0; k < RECENT_COUNT && AppSettings.Recent[k].File[0] != L'\0'; ++k) {
        wchar_t label[PATH_SIZE + 16];
        RecentLabel(AppSettings.Recent, k, label, sizeof label / sizeof *label);
        const bool open = Doc.LineCnt > 0 && SameFile(AppSettings.Recent[k].File, Doc.Path);
        InsertMenuW(recent, static_cast<UINT>(k), MF_BYPOSITION | MF_STRING | (open ? MF_CHECKED : 0),
                    IDM_RECENT + k, label);
    }
}

// The encodings: the one the open text is read in checked, and 自動判定
// too while nothing was chosen for it; the submenu grayed with no text.
void MarkEncodings(HMENU menu)
{
    HMENU items = GetSubMenu(menu, 0);
    for (int i = 0; i < GetMenuItemCount(items); ++i)
        if (GetSubMenu(items, i) != NULL && GetMenuState(GetSubMenu(items, i), IDM_ENCODINGTOLD, MF_BYCOMMAND) != ~0u)
            EnableMenuItem(items, static_cast<UINT>(i), MF_BYPOSITION | (GrayedUnlessOpen() & MF_GRAYED));
    CheckMenuItem(menu, IDM_ENCODINGTOLD, MF_BYCOMMAND | (Doc.Chosen == NONE_CHOSEN ? MF_CHECKED : 0));
    for (int e = 0; e < TEXT_ENCODINGS; ++e)
        CheckMenuItem(menu, IDM_ENCODING + e, MF_BYCOMMAND | (Doc.Encoding == e ? MF_CHECKED : 0));
}

}  // namespace

void AddTrayIcon(HWND window)
{
    memset(&TrayIconData, 0, sizeof TrayIconData);
    TrayIconData.cbSize = NOTIFYICONDATAW_V1_SIZE;
    TrayIconData.hWnd = window;
    TrayIconData.uID = TRAY_ICON_ID;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = WM_TRAYNOTIFY;
    TrayIconData.hIcon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_MAIN));
    WideFrom932("スケロウ", -1, TrayIconData.szTip, 64);
    Shell_NotifyIconW(NIM_ADD, &TrayIconData);
}

void RemoveTrayIcon()
{
    Shell_NotifyIconW(NIM_DELETE, &TrayIconData);
}

void RegisterHotKeys(HWND window)
{
    // The keys another program holds, as "label: Ctrl+Alt+Q" lines.
    char taken[512];
    memset(taken, 0, sizeof taken);
    for (const GlobalHotKey& hotKey : GLOBAL_HOT_KEYS)
        TakeHotKey(window, hotKey, taken, sizeof taken);
    if (taken[0] == '\0')
        return;
    // Said once, when the keys are taken up; the program goes on without them.
    char text[768];
    snprintf(text, sizeof text,
             "次のﾎｯﾄｷｰは他のﾌﾟﾛｸﾞﾗﾑが使用中のため使えません。\r\n"
             "ｵﾌﾟｼｮﾝ設定の[ﾎｯﾄｷｰ]で別の組み合わせを選んでください。\r\n%s",
             taken);
    ShowMessage(NULL, text, "Skerrow", MB_ICONWARNING);
}

void ReleaseHotKeys(HWND window)
{
    for (const GlobalHotKey& hotKey : GLOBAL_HOT_KEYS)
        UnregisterHotKey(window, hotKey.id);
}

HMENU MakeMenu(int id)
{
    // Loaded wide, the menu keeps the resource's texts whatever the code page.
    HMENU menu = LoadMenuW(AppInstance, MAKEINTRESOURCEW(id));
    for (UINT item : {IDM_AUTOFEED, IDM_JUMP, IDM_CHAPTERS, IDM_MARK, IDM_BOOKMARKS, IDM_CLEAR, IDM_INFO})
        EnableMenuItem(menu, item, GrayedUnlessOpen());
    CheckMenuItem(menu, IDM_AUTOFEED, MF_BYCOMMAND | (AutoFlg != 0 ? MF_CHECKED : MF_UNCHECKED));
    MarkEncodings(menu);
    FillRecentMenu(GetSubMenu(menu, 0));
    return menu;
}

void ShowTrayMenu(HWND window)
{
    HMENU menu = MakeMenu(IDR_TRAYMENU);
    POINT cursor;
    GetCursorPos(&cursor);
    // The window must be in the foreground, or the menu stays open when the
    // user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, window, NULL);
    DestroyMenu(menu);
}

void ShowContextMenu(HWND window, int x, int y)
{
    RECT w;
    GetWindowRect(window, &w);
    POINT p = {x - w.left, y - w.top};
    HMENU menu = MakeMenu(IDR_POPUPMENU);
    ClientToScreen(window, &p);
    TrackPopupMenu(GetSubMenu(menu, 0), 0, p.x, p.y, 0, window, NULL);
    DestroyMenu(menu);
}
