// The window's handling by the mouse: dragged by its body, sized from the
// grip in its bottom-right corner.
#ifndef SKERROW_WINDOW_GRIP_H
#define SKERROW_WINDOW_GRIP_H

#include <windows.h>

// The grip: the 10 x 10 pixels in the bottom-right corner at 96 DPI,
// scaled with the window's DPI.
const int GRIP_SIZE = 10;
int GripSize(HWND window);

enum GripState {
    GRIP_IDLE = 0,
    GRIP_SIZING = 1,  // the button is down: moves size the window
    GRIP_ARMED = 2,   // the pointer rests on the grip, the capture taken
};

// Where the grip stands now.
GripState GripMode();

LRESULT HitTestDrag(HWND window, WPARAM wParam, LPARAM lParam);
void TrackGrip(HWND window, WPARAM keys, int x, int y);

// The capture has gone to another window (a dialog, a menu, a box opened
// while the grip was armed): the grip lets go and frees the cursor.
void LoseGrip();

// Keeps the window's place and size for the exit routine: the place in
// screen pixels, the size at 96 DPI; the size only once SizeSettled.
void CaptureGeometry(HWND window, const RECT* r);

// Off while the window is made and given its size: a size the program is
// still setting is not the user's.
void SettleSize(bool settled);

#endif
