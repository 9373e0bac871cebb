// What the window shows, drawn into any device context laid out as its
// client area: the background, the line (a piece of a tall one with its
// mark, or the progress of long work), how far the text has been read, and
// the grip.
#ifndef SKERROW_WINDOW_PICTURE_H
#define SKERROW_WINDOW_PICTURE_H

#include <windows.h>

// The colours the picture is drawn in: on screen the settings' colours and
// a black grip; white on black, the coverage of everything that is ink.
struct Ink {
    COLORREF back, text, grip;
};

// The settings' colours and a black grip.
Ink ScreenInk();

void DrawPicture(HWND window, HDC dc, const Ink& ink);

#endif
