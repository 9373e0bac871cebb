// Keeps the window where its user can reach it: at start, after a display
// change and after a change of the work area. A window of which no piece
// of GRAB_WIDTH × GRAB_HEIGHT lies in any monitor's work area is moved
// wholly inside the nearest one; one partly on screen stays where it is.
#ifndef SKERROW_WINDOW_PLACEMENT_H
#define SKERROW_WINDOW_PLACEMENT_H

#include <windows.h>

void KeepOnScreen(HWND window);

// The DPI to make the window at, whose size is kept at 96 DPI: that of the
// monitor it will stand on once made at that DPI (see CreationDpi).
int DpiToCreateAt(int x, int y, int width96, int height96);

#endif
