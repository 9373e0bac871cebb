// The options sheet and the small dialogs of the main window.
#ifndef SKERROW_DIALOGS_DIALOGS_H
#define SKERROW_DIALOGS_DIALOGS_H

#include <windows.h>

void ShowOptionsSheet(HWND window, HINSTANCE instance);
int JumpCommand(HWND window, HINSTANCE instance);
int FileInfoCommand(HWND window, HINSTANCE instance);
void ShowVersionDialog(HWND window, HINSTANCE instance);
int ShowHelp(HWND window);

#endif
