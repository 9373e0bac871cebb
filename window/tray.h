// The program's other doors: the notification-area icon, the global hot
// keys, the tray menu and the window's context menu.
#ifndef SKERROW_WINDOW_TRAY_H
#define SKERROW_WINDOW_TRAY_H

#include <windows.h>

void AddTrayIcon(HWND window);
void RemoveTrayIcon();
void RegisterHotKeys(HWND window);
// Takes every hot key away, as while the options sheet edits them.
void ReleaseHotKeys(HWND window);
// The menu of the resource id (IDR_TRAYMENU, IDR_POPUPMENU) as it is to
// show now: its items for a text grayed while none is open, the recent
// texts in their submenu. The caller destroys it.
HMENU MakeMenu(int id);
void ShowTrayMenu(HWND window);
void ShowContextMenu(HWND window, int x, int y);

#endif
