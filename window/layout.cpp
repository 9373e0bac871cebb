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

// What the last layout was made of: while all of it stays, so do its rows.
struct LaidOut {
    char text[DISP_TEXT_SIZE];
    bool unicode;
    LOGFONTW font;  // the one selected when the line was measured
    UINT dpi;
    int tabs;
    RECT client;
};

struct LayoutState {
    HFONT font;  // the display font, at the window's DPI
    // Shown.text in UTF-16, the byte of Shown.text each unit comes from, and
    // what the last layout found in it.
    wchar_t wide[DISP_TEXT_SIZE];
    size_t wideLength;
    uint32_t byteOf[DISP_TEXT_SIZE];
    int advance[DISP_TEXT_SIZE];
    unsigned char softBreak[DISP_TEXT_SIZE];
    uint32_t rowStarts[DISP_TEXT_SIZE + 1], rowEnds[DISP_TEXT_SIZE + 1];
    uint32_t rows, perPiece;
    int rowHeight;
    LaidOut last;
    // Room for a layout's work: what is being measured, the widths and
    // where each drawn unit comes from, where rows may break, and the
    // widths in units.
    LaidOut now;
    wchar_t drawn[DISP_TEXT_SIZE];
    int extent[DISP_TEXT_SIZE];
    size_t from[DISP_TEXT_SIZE];
    SCRIPT_LOGATTR attributes[DISP_TEXT_SIZE];
    uint16_t units[DISP_TEXT_SIZE];
};
LayoutState State;

bool SameAsLast(const LaidOut& now)
{
    const LaidOut& last = State.last;
    return now.unicode == last.unicode && now.dpi == last.dpi && now.tabs == last.tabs &&
           EqualRect(&now.client, &last.client) && memcmp(&now.font, &last.font, sizeof now.font) == 0 &&
           strcmp(now.text, last.text) == 0;
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
    State.wideLength = 0;
    for (size_t b = 0; b < bytes && State.wideLength < DISP_TEXT_SIZE;) {
        const size_t length =
            CharacterBytes(reinterpret_cast<const unsigned char*>(Shown.text + b), bytes - b, Shown.unicode);
        const int n = MultiByteToWideChar(DispCodePage(), 0, Shown.text + b, static_cast<int>(length),
                                          State.wide + State.wideLength,
                                          static_cast<int>(DISP_TEXT_SIZE - State.wideLength));
        for (int k = 0; k < n; ++k)
            State.byteOf[State.wideLength++] = static_cast<uint32_t>(b);
        b += length;
    }
}

// The first unit at or after byte `offset` of Shown.text after its number,
// and the byte after the number where a unit begins.
uint32_t UnitsAt(uint32_t offset)
{
    const uint64_t byte = uint64_t{Shown.prefix} + offset;
    const uint32_t* byteOf = State.byteOf;
    return static_cast<uint32_t>(std::lower_bound(byteOf, byteOf + State.wideLength, byte) - byteOf);
}

uint32_t BytesAt(uint32_t unit)
{
    return State.byteOf[unit] > Shown.prefix ? static_cast<uint32_t>(State.byteOf[unit] - Shown.prefix) : 0;
}

// The width of each unit as drawn: an '&' that marks the next character is
// not drawn, "&&" draws one, and line breaks and tabs are the layout's.
void MeasureUnits(HDC dc)
{
    wchar_t* drawn = State.drawn;
    int* extent = State.extent;
    size_t* from = State.from;
    int n = 0;
    for (size_t i = 0; i < State.wideLength; ++i) {
        State.advance[i] = 0;
        if (State.wide[i] == L'\r' || State.wide[i] == L'\n' || State.wide[i] == L'\t')
            continue;
        if (State.wide[i] == L'&' && i + 1 < State.wideLength) {
            if (State.wide[i + 1] != L'&')
                continue;
            State.advance[++i] = 0;
        }
        drawn[n] = State.wide[i];
        from[n++] = i;
    }
    SIZE size;
    if (n == 0 || !GetTextExtentExPointW(dc, drawn, n, INT_MAX, NULL, extent, &size))
        return;
    for (int k = 0; k < n; ++k)
        State.advance[from[k]] = extent[k] - (k > 0 ? extent[k - 1] : 0);
}

// Where a row may begin, as the system's word breaking tells.
void FindBreaks()
{
    SCRIPT_LOGATTR* attributes = State.attributes;
    SCRIPT_ANALYSIS analysis;
    memset(&analysis, 0, sizeof analysis);
    memset(State.softBreak, 0, State.wideLength);
    if (State.wideLength == 0 ||
        ScriptBreak(State.wide, static_cast<int>(State.wideLength), &analysis, attributes) != S_OK)
        return;
    for (size_t i = 0; i < State.wideLength; ++i)
        State.softBreak[i] = attributes[i].fSoftBreak;
}

// Lays the line out anew: its units measured in dc, its rows found.
void LayOut(HDC dc, int width)
{
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    State.rowHeight = metrics.tmHeight;
    Widen();
    MeasureUnits(dc);
    FindBreaks();
    uint16_t* units = State.units;
    for (size_t i = 0; i < State.wideLength; ++i)
        units[i] = static_cast<uint16_t>(State.wide[i]);
    const WrapText in = {units, State.wideLength, State.advance, State.softBreak, width,
                         TabWidth(metrics.tmAveCharWidth, AppSettings.TabsCol)};
    State.rows = WrapRows(in, State.rowStarts, State.rowEnds);
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
    LaidOut& now = State.now;
    GetClientRect(window, &now.client);
    memcpy(now.text, Shown.text, sizeof now.text);
    now.unicode = Shown.unicode;
    now.dpi = DpiOf(window);
    now.tabs = AppSettings.TabsCol;
    layout->text = TextRect(window);
    HDC dc = given != NULL ? given : GetDC(window);
    HGDIOBJ font = given != NULL ? NULL : SelectObject(dc, State.font);
    // The font measured is the one drawn, which the settings do not always
    // name: the default look is drawn before the sheet's OK takes it.
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof now.font, &now.font);
    // A step within the line lays it out again as it was: the rows stay.
    if (!SameAsLast(now)) {
        LayOut(dc, static_cast<int>(layout->text.right - layout->text.left));
        State.last = now;
    }
    if (given == NULL) {
        SelectObject(dc, font);
        ReleaseDC(window, dc);
    }
    layout->rowHeight = State.rowHeight;
    State.perPiece = RowsPerPiece(layout->text.top, now.client.bottom, State.rowHeight);
    layout->rows = State.rows;
    layout->perPiece = State.perPiece;
    layout->pieces = PieceCount(State.rows, State.perPiece);
    layout->piece =
        State.rows == 0 ? 0 : PieceOf(State.rowStarts, State.rows, State.perPiece, UnitsAt(Doc.Place.offset));
}

HFONT DisplayFont()
{
    return State.font;
}

void KeepDisplayFont(HFONT font)
{
    HFONT old = State.font;
    State.font = font;
    if (old != NULL)
        DeleteObject(old);
}

uint32_t PieceStart(uint32_t k)
{
    uint32_t row = k * State.perPiece;
    return row < State.rows && k > 0 ? BytesAt(State.rowStarts[row]) : 0;
}

void DrawPiece(HDC dc, const LineLayout& layout, DRAWTEXTPARAMS* params)
{
    const uint32_t first = layout.piece * layout.perPiece;
    for (uint32_t r = first; r < State.rows && r < first + layout.perPiece; ++r) {
        RECT row = layout.text;
        row.top += static_cast<LONG>(r - first) * layout.rowHeight;
        row.bottom = row.top + layout.rowHeight;
        const uint32_t start = State.rowStarts[r];
        DrawTextExW(dc, State.wide + start, static_cast<int>(State.rowEnds[r] - start), &row,
                    DT_SINGLELINE | DT_EXPANDTABS | DT_TABSTOP, params);
    }
}
