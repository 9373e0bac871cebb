#include "window/picture.h"

#include "base/dpiscale.h"
#include "base/settings.h"
#include "base/user32.h"
#include "base/wide.h"
#include "document/document.h"
#include "window/bookmarks.h"
#include "window/grip.h"
#include "window/layout.h"
#include "window/longwork.h"

namespace {

// Text drawing: word-wrapped, tabs expanded to TabsCol, top-left aligned.
const UINT TEXT_FORMAT = DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP;

// Three 45-degree strokes of 9, 5 and 2 pixels (at 96 DPI) touching the
// last row and column; the fourth line lies wholly outside the client area.
void DrawGrip(HDC dc, const RECT& client, int dpi)
{
    static const int steps[] = {10, 6, 3, 1};
    for (int step : steps) {
        int d = ScaleLength(step, dpi, BASE_DPI);
        MoveToEx(dc, client.right, client.bottom - d, NULL);
        LineTo(dc, client.right - d, client.bottom);
    }
}

void FillTriangle(HDC dc, const POINT (&corners)[3], COLORREF colour)
{
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Polygon(dc, corners, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

// A small triangle pointing down in the right margin, just above the grip.
void DrawMoreMark(HDC dc, const RECT& client, int dpi, COLORREF colour)
{
    const int half = ScaleLength(3, dpi, BASE_DPI), height = ScaleLength(3, dpi, BASE_DPI);
    const int x = client.right - ScaleLength(GRIP_SIZE, dpi, BASE_DPI) / 2 - 1;
    const int bottom = client.bottom - ScaleLength(GRIP_SIZE + 2, dpi, BASE_DPI);
    const POINT corners[3] = {{x - half, bottom - height}, {x + half, bottom - height}, {x, bottom}};
    FillTriangle(dc, corners, colour);
}

// How far into the text the piece shown begins, as a line along the client
// area's last rows, from the text's left edge, as long as that share of the
// text's width (which ends short of the grip). Drawn in the text's ink, so
// that a window drawn per pixel keeps it opaque.
void DrawProgressLine(HDC dc, const RECT& client, const RECT& text, int dpi, COLORREF colour)
{
    uint32_t before, size;
    if (text.right <= text.left || !PlaceShare(&before, &size))
        return;
    const int length = static_cast<int>(ShareOf(before, size, static_cast<uint32_t>(text.right - text.left)));
    const RECT line = {text.left, client.bottom - ScaleLength(1, dpi, BASE_DPI), text.left + length, client.bottom};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &line, brush);
    DeleteObject(brush);
}

// A corner folded down at the top left, as a page with a bookmark in it
// has, while the piece shown holds a bookmark: small enough to stay clear
// of the first character's ink, which fonts keep below their top row.
void DrawBookmarkMark(HDC dc, const RECT& client, int dpi, COLORREF colour)
{
    const int side = ScaleLength(4, dpi, BASE_DPI);
    const POINT corners[3] = {{client.left, client.top}, {client.left + side, client.top},
                              {client.left, client.top + side}};
    FillTriangle(dc, corners, colour);
}

}  // namespace

Ink ScreenInk()
{
    return {AppSettings.BackColor, AppSettings.FontColor, RGB(0, 0, 0)};
}

void DrawPicture(HWND window, HDC dc, const Ink& ink)
{
    HBRUSH brush = CreateSolidBrush(ink.back);
    RECT client;
    GetClientRect(window, &client);
    SetBkColor(dc, ink.back);
    FillRect(dc, &client, brush);
    SetTextColor(dc, ink.text);
    HGDIOBJ oldFont = SelectObject(dc, DisplayFont());

    const int dpi = static_cast<int>(DpiOf(window));
    RECT text = TextRect(window);
    DRAWTEXTPARAMS params;
    params.cbSize = sizeof params;
    params.iTabLength = AppSettings.TabsCol;
    params.iLeftMargin = 0;
    params.iRightMargin = 0;
    params.uiLengthDrawn = 0;
    LineLayout layout;
    layout.pieces = 1;
    if (LongWorkText() == NULL && Shown.text[0] != '\0')
        LayOutShown(window, dc, &layout);
    if (LongWorkText() != NULL) {
        // Long work under way: how far it got, in the line's place.
        DrawTextExW(dc, Wide932(LongWorkText()).text, -1, &text, TEXT_FORMAT, &params);
    } else if (layout.pieces > 1) {
        // Taller than the window: the piece holding the reading place, and
        // while more follows, the mark that says so.
        DrawPiece(dc, layout, &params);
        if (layout.piece + 1 < layout.pieces)
            DrawMoreMark(dc, client, dpi, ink.text);
    } else if (Shown.unicode) {
        // A Unicode text's line is UTF-8: drawn through the wide call, in
        // the same font, so characters beyond code page 932 show too.
        wchar_t wide[DISP_TEXT_SIZE];
        if (MultiByteToWideChar(CP_UTF8, 0, Shown.text, -1, wide, DISP_TEXT_SIZE) == 0)
            wide[0] = L'\0';
        DrawTextExW(dc, wide, -1, &text, TEXT_FORMAT, &params);
    } else {
        DrawTextExA(dc, Shown.text, -1, &text, TEXT_FORMAT, &params);
    }

    if (LongWorkText() == NULL && Shown.text[0] != '\0' && Doc.Marks.count > 0 && PieceMarked(layout))
        DrawBookmarkMark(dc, client, dpi, ink.text);
    if (AppSettings.ProgressLine == 1 && LongWorkText() == NULL)
        DrawProgressLine(dc, client, text, dpi, ink.text);

    HPEN pen = CreatePen(PS_SOLID, 1, ink.grip);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    DrawGrip(dc, client, dpi);

    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    DeleteObject(pen);
    DeleteObject(brush);
}
