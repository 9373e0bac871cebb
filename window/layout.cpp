#include "window/layout.h"

#include <usp10.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "base/dpiscale.h"
#include "base/settings.h"
#include "base/user32.h"
#include "base/wide.h"
#include "document/document.h"
#include "document/encoding.h"
#include "window/grip.h"
#include "window/wrap.h"

namespace {

// Shown.text in UTF-16, the byte of Shown.text each unit comes from, and what
// the last layout found in it.
wchar_t Wide[DISP_TEXT_SIZE];
size_t WideLength;
uint32_t ByteOf[DISP_TEXT_SIZE];
int Advance[DISP_TEXT_SIZE];
unsigned char SoftBreak[DISP_TEXT_SIZE];
uint32_t RowStarts[DISP_TEXT_SIZE + 1], RowEnds[DISP_TEXT_SIZE + 1];
uint32_t Rows, PerPiece;
int RowHeight;

// What the last layout was made of: while all of it stays, so do its rows.
struct LaidOut {
    char text[DISP_TEXT_SIZE];
    bool unicode;
    LOGFONTW font;  // the one selected when the line was measured
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

// The code page Shown.text is in.
UINT DispCodePage()
{
    return Shown.unicode ? CP_UTF8 : PROGRAM_CODE_PAGE;
}

// Shown.text in UTF-16, a character at a time so that each unit knows its
// byte: the place counts the line's own bytes, and a byte that is not text,
// shown as U+FFFD, would count as three if the units were converted back.
void Widen()
{
    const size_t bytes = strlen(Shown.text);
    WideLength = 0;
    for (size_t b = 0; b < bytes && WideLength < DISP_TEXT_SIZE;) {
        const size_t length =
            CharacterBytes(reinterpret_cast<const unsigned char*>(Shown.text + b), bytes - b, Shown.unicode);
        const int n = MultiByteToWideChar(DispCodePage(), 0, Shown.text + b, static_cast<int>(length), Wide + WideLength,
                                          static_cast<int>(DISP_TEXT_SIZE - WideLength));
        for (int k = 0; k < n; ++k)
            ByteOf[WideLength++] = static_cast<uint32_t>(b);
        b += length;
    }
}

// The first unit at or after byte `offset` of Shown.text after its number,
// and the byte after the number where a unit begins.
uint32_t UnitsAt(uint32_t offset)
{
    const uint64_t byte = uint64_t{Shown.prefix} + offset;
    return static_cast<uint32_t>(std::lower_bound(ByteOf, ByteOf + WideLength, byte) - ByteOf);
}

uint32_t BytesAt(uint32_t unit)
{
    return ByteOf[unit] > Shown.prefix ? static_cast<uint32_t>(ByteOf[unit] - Shown.prefix) : 0;
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
    Widen();
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
    memcpy(now.text, Shown.text, sizeof now.text);
    now.unicode = Shown.unicode;
    now.dpi = DpiOf(window);
    now.tabs = AppSettings.TabsCol;
    layout->text = TextRect(window);
    HDC dc = given != NULL ? given : GetDC(window);
    HGDIOBJ font = given != NULL ? NULL : SelectObject(dc, AppSettings.DisplayFont);
    // The font measured is the one drawn, which the settings do not always
    // name: the default look is drawn before the sheet's OK takes it.
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof now.font, &now.font);
    // A step within the line lays it out again as it was: the rows stay.
    if (!SameAsLast(now)) {
        LayOut(dc, static_cast<int>(layout->text.right - layout->text.left));
        Last = now;
    }
    if (given == NULL) {
        SelectObject(dc, font);
        ReleaseDC(window, dc);
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
