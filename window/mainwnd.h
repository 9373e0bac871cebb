// The main window and its procedure: the one place where the program's
// events arrive and where their effects on the window happen.
#ifndef SKERROW_WINDOW_MAINWND_H
#define SKERROW_WINDOW_MAINWND_H

#include <windows.h>

#include "window/handles.h"

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#endif
