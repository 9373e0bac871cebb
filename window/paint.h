// The window's look: painting the line and the grip, the display font,
// transparency and the border.
#ifndef SKERROW_WINDOW_PAINT_H
#define SKERROW_WINDOW_PAINT_H

#include <windows.h>

void PaintWindow(HWND window);

// A window drawn per pixel shows the picture last handed to the system
// until it is handed another; shown again or sized, it is asked for one.
void KeepPictureCurrent(HWND window, const WINDOWPOS* change);

// Makes the display font from font; the one it replaces is deleted.
void ReplaceDisplayFont(const LOGFONTW* font);

// The transparency step and whether the ink stays opaque, into force.
void ApplyTransparency(HWND window);
void ApplyBorder(HWND window);

#endif
