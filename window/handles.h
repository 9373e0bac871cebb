// The main window and the program's module, set as the window is created.
#ifndef SKERROW_WINDOW_HANDLES_H
#define SKERROW_WINDOW_HANDLES_H

#include <windows.h>

extern HWND MainWnd;
extern HINSTANCE AppInstance;

#endif
