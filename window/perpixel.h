// The window drawn per pixel (UpdateLayeredWindow): the ink opaque, the
// rest at the transparency step's alpha.
#ifndef SKERROW_WINDOW_PERPIXEL_H
#define SKERROW_WINDOW_PERPIXEL_H

#include <windows.h>

// Hands the system the whole window's picture, the frame of a border
// included (the system draws none for such a window). Without the memory
// for it, the system keeps the last one.
void PaintPerPixel(HWND window, unsigned char alpha);

// Whether the window's size is no longer the one last drawn.
bool PerPixelSizeChanged(HWND window);

// Lets the bitmaps kept between paints go.
void ReleasePerPixel();

#endif
