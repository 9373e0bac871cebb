// The window's look: painting the line and the grip, the display font,
// transparency and the border.
#ifndef SKERROW_WINDOW_PAINT_H
#define SKERROW_WINDOW_PAINT_H

#include <windows.h>

void PaintWindow(HWND window);

// A window drawn per pixel shows the picture last handed to the system
// until it is handed another; shown again or sized, it is asked for one.
void KeepPictureCurrent(HWND window, const WINDOWPOS* change);

// Whether the settings have the window drawn per pixel, its ink opaque
// (UpdateLayeredWindow), rather than faded whole (SetLayeredWindowAttributes).
bool DrawnPerPixel();

// Makes the display font (DisplayFont, layout.h) from font: from the
// settings' font as the window is created, and again when that font, the
// DPI or the way the window is drawn changes; the default look's is shown
// before OK. The one it replaces is deleted.
void ReplaceDisplayFont(const LOGFONTW* font);

// The window's layered style put on afresh, and the transparency step and
// whether the ink stays opaque into force: for a new window, and for one
// that changes between faded whole and drawn per pixel, which it does not
// take until its style has been taken off and put back.
void ApplyTransparency(HWND window);

// The Display page's font and transparency, just taken into AppSettings,
// into force: the font made once, the style put on afresh only when the
// way the window is drawn changes (wasPerPixel: how it was drawn before).
void ApplyFontAndTransparency(HWND window, bool wasPerPixel);

void ApplyBorder(HWND window);

#endif
