// The program's other doors: the notification-area icon, the two global
// hot keys, the tray menu and the window's context menu.
#ifndef SKERROW_WINDOW_TRAY_H
#define SKERROW_WINDOW_TRAY_H

#include <windows.h>

extern HMENU TrayMenu;

void AddTrayIcon(HWND window);
void RemoveTrayIcon();
void RegisterHotKeys(HWND window);
// Takes both hot keys away, as while the options sheet edits them.
void ReleaseHotKeys(HWND window);
void ShowTrayMenu(HWND window);
void ShowContextMenu(HWND window, int x, int y);

#endif
