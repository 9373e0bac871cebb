// The line on display as the window lays it out now: its rows at the text
// rectangle's width, in the window's font with tabs of TabsCol, and the
// pieces it is read in when it has more rows than the window shows.
#ifndef SKERROW_WINDOW_LAYOUT_H
#define SKERROW_WINDOW_LAYOUT_H

#include <windows.h>

#include <cstdint>

struct LineLayout {
    RECT text;           // where the line is drawn
    int rowHeight;
    uint32_t rows;       // of the whole line
    uint32_t perPiece;   // rows a piece shows
    uint32_t pieces;
    uint32_t piece;      // the one holding the reading place
};

// The text rectangle of the window: the client area less a margin, and the
// grip's width at the right.
RECT TextRect(HWND window);

// Lays out Shown.text for the window, with the display font selected into dc
// (NULL: the window's own).
void LayOutShown(HWND window, HDC dc, LineLayout* layout);

// The font the line is laid out and drawn in; the window's look makes it
// (ReplaceDisplayFont).
HFONT DisplayFont();

// Takes font as the display font; the one it replaces is deleted.
void KeepDisplayFont(HFONT font);

// Where piece k of the line last laid out begins: bytes of Shown.text after
// its number, as the reading place counts them.
uint32_t PieceStart(uint32_t k);

// Draws the rows of the piece the layout holds, each where it stands when
// the line is scrolled up by the rows before it.
void DrawPiece(HDC dc, const LineLayout& layout, DRAWTEXTPARAMS* params);

#endif
