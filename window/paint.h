// The window's look: painting the line and the grip, the display font,
// transparency and the border.
#ifndef SKERROW_WINDOW_PAINT_H
#define SKERROW_WINDOW_PAINT_H

#include <windows.h>

void PaintWindow(HWND window);

// Makes the display font from font; the one it replaces is deleted.
void ReplaceDisplayFont(const LOGFONTW* font);

void ApplyTransparency(HWND window);
void ApplyBorder(HWND window);

#endif
