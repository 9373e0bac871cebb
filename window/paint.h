// The window's look and its handling by the mouse: painting, the drag
// handle, the sizing grip, transparency and the border.
#ifndef SKERROW_WINDOW_PAINT_H
#define SKERROW_WINDOW_PAINT_H

#include <windows.h>

// The grip: the 10 x 10 pixels in the bottom-right corner.
const int GRIP_SIZE = 10;

extern int SizeMode;  // 0 idle, 2 armed (capture taken), 1 sizing

void PaintWindow(HWND window);
LRESULT HitTestDrag(HWND window, WPARAM wParam, LPARAM lParam);
void TrackGrip(WPARAM keys, int x, int y);
void CaptureGeometry(const RECT* r);
void ApplyTransparency(HWND window);
void ApplyBorder(HWND window);

#endif
