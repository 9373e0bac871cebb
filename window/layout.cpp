#include "window/layout.h"

#include <usp10.h>

#include <climits>
#include <cstring>

#include "app/base/dpiscale.h"
#include "app/base/settings.h"
#include "app/base/user32.h"
#include "app/base/wide.h"
#include "document/document.h"
#include "window/grip.h"
#include "window/wrap.h"

namespace {

// DispText in UTF-16, and what the last layout found in it.
wchar_t Wide[DISP_TEXT_SIZE];
size_t WideLength;
int Advance[DISP_TEXT_SIZE];
unsigned char SoftBreak[DISP_TEXT_SIZE];
uint32_t RowStarts[DISP_TEXT_SIZE + 1], RowEnds[DISP_TEXT_SIZE + 1];
uint32_t Rows, PerPiece;
int RowHeight;

// What the last layout was made of: while all of it stays, so do its rows.
struct LaidOut {
    char text[DISP_TEXT_SIZE];
    bool unicode;
    LOGFONTW font;
    UINT dpi;
    int tabs;
    RECT client;
};
LaidOut Last;

bool SameAsLast(const LaidOut& now)
{
    return now.unicode == Last.unicode && now.dpi == Last.dpi && now.tabs == Last.tabs &&
           EqualRect(&now.client, &Last.client) && memcmp(&now.font, &Last.font, sizeof now.font) == 0 &&
           strcmp(now.text, Last.text) == 0;
}

// The code page DispText is in.
UINT DispCodePage()
{
    return Doc.Unicode ? CP_UTF8 : PROGRAM_CODE_PAGE;
}

// UTF-16 units of DispText before byte `offset` after its number, and back.
uint32_t UnitsAt(uint32_t offset)
{
    size_t bytes = strlen(DispText + DispPrefix);
    if (offset > bytes)
        offset = static_cast<uint32_t>(bytes);
    return static_cast<uint32_t>(DispPrefix) +
           static_cast<uint32_t>(MultiByteToWideChar(DispCodePage(), 0, DispText + DispPrefix, static_cast<int>(offset),
                                                     NULL, 0));
}

uint32_t BytesAt(uint32_t units)
{
    if (units <= DispPrefix)
        return 0;
    return static_cast<uint32_t>(WideCharToMultiByte(DispCodePage(), 0, Wide + DispPrefix,
                                                     static_cast<int>(units - DispPrefix), NULL, 0, NULL, NULL));
}

// The width of each unit as drawn: an '&' that marks the next character is
// not drawn, "&&" draws one, and line breaks and tabs are the layout's.
void MeasureUnits(HDC dc)
{
    static wchar_t drawn[DISP_TEXT_SIZE];
    static int extent[DISP_TEXT_SIZE];
    static size_t from[DISP_TEXT_SIZE];
    int n = 0;
    for (size_t i = 0; i < WideLength; ++i) {
        Advance[i] = 0;
        if (Wide[i] == L'\r' || Wide[i] == L'\n' || Wide[i] == L'\t')
            continue;
        if (Wide[i] == L'&' && i + 1 < WideLength) {
            if (Wide[i + 1] != L'&')
                continue;
            Advance[++i] = 0;
        }
        drawn[n] = Wide[i];
        from[n++] = i;
    }
    SIZE size;
    if (n == 0 || !GetTextExtentExPointW(dc, drawn, n, INT_MAX, NULL, extent, &size))
        return;
    for (int k = 0; k < n; ++k)
        Advance[from[k]] = extent[k] - (k > 0 ? extent[k - 1] : 0);
}

// Where a row may begin, as the system's word breaking tells.
void FindBreaks()
{
    static SCRIPT_LOGATTR attributes[DISP_TEXT_SIZE];
    SCRIPT_ANALYSIS analysis;
    memset(&analysis, 0, sizeof analysis);
    memset(SoftBreak, 0, WideLength);
    if (WideLength == 0 || ScriptBreak(Wide, static_cast<int>(WideLength), &analysis, attributes) != S_OK)
        return;
    for (size_t i = 0; i < WideLength; ++i)
        SoftBreak[i] = attributes[i].fSoftBreak;
}

// Lays the line out anew: its units measured in dc, its rows found.
void LayOut(HDC dc, int width)
{
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    RowHeight = metrics.tmHeight;
    int n = MultiByteToWideChar(DispCodePage(), 0, DispText, -1, Wide, DISP_TEXT_SIZE);
    WideLength = n > 0 ? static_cast<size_t>(n - 1) : 0;
    MeasureUnits(dc);
    FindBreaks();
    static uint16_t units[DISP_TEXT_SIZE];
    for (size_t i = 0; i < WideLength; ++i)
        units[i] = static_cast<uint16_t>(Wide[i]);
    const WrapText in = {units, WideLength, Advance, SoftBreak, width,
                         TabWidth(metrics.tmAveCharWidth, AppSettings.TabsCol)};
    Rows = WrapRows(in, RowStarts, RowEnds);
}

}  // namespace

RECT TextRect(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    const int margin = ScaleLength(1, static_cast<int>(DpiOf(window)), BASE_DPI);
    RECT text = {client.left + margin, client.top + margin, client.right - GripSize(window), client.bottom + margin};
    return text;
}

void LayOutShown(HWND window, HDC given, LineLayout* layout)
{
    static LaidOut now;
    GetClientRect(window, &now.client);
    memcpy(now.text, DispText, sizeof now.text);
    now.unicode = Doc.Unicode;
    now.font = AppSettings.Font;
    now.dpi = DpiOf(window);
    now.tabs = AppSettings.TabsCol;
    layout->text = TextRect(window);
    // A step within the line lays it out again as it was: the rows stay.
    if (!SameAsLast(now)) {
        HDC dc = given != NULL ? given : GetDC(window);
        HGDIOBJ font = given != NULL ? NULL : SelectObject(dc, AppSettings.DisplayFont);
        LayOut(dc, static_cast<int>(layout->text.right - layout->text.left));
        Last = now;
        if (given == NULL) {
            SelectObject(dc, font);
            ReleaseDC(window, dc);
        }
    }
    layout->rowHeight = RowHeight;
    PerPiece = RowsPerPiece(layout->text.top, now.client.bottom, RowHeight);
    layout->rows = Rows;
    layout->perPiece = PerPiece;
    layout->pieces = PieceCount(Rows, PerPiece);
    layout->piece = Rows == 0 ? 0 : PieceOf(RowStarts, Rows, PerPiece, UnitsAt(Doc.Place.offset));
}

uint32_t PieceStart(uint32_t k)
{
    uint32_t row = k * PerPiece;
    return row < Rows && k > 0 ? BytesAt(RowStarts[row]) : 0;
}

void DrawPiece(HDC dc, const LineLayout& layout, DRAWTEXTPARAMS* params)
{
    const uint32_t first = layout.piece * layout.perPiece;
    for (uint32_t r = first; r < Rows && r < first + layout.perPiece; ++r) {
        RECT row = layout.text;
        row.top += static_cast<LONG>(r - first) * layout.rowHeight;
        row.bottom = row.top + layout.rowHeight;
        DrawTextExW(dc, Wide + RowStarts[r], static_cast<int>(RowEnds[r] - RowStarts[r]), &row,
                    DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP, params);
    }
}
