// A line's rows as the window lays it out, and the pieces a line taller
// than the window is read in. Portable: the widths of the characters and
// where a row may begin come from the caller, which asks the system.
#ifndef SKERROW_WINDOW_WRAP_H
#define SKERROW_WINDOW_WRAP_H

#include <cstddef>
#include <cstdint>

// A line in UTF-16, as drawn with word breaks and expanded tabs.
struct WrapText {
    const uint16_t* text;
    size_t length;
    const int* advance;              // each unit's width; 0 for what is not drawn
    const unsigned char* softBreak;  // non-zero where a row may begin before the unit
    int width;                       // of a row
    int tabWidth;                    // tabs stop at its multiples
};

// The rows of the line: each begins at starts[i] and draws up to ends[i]
// (room for length + 1 rows). A row ends before a line break (CR, LF or a
// pair of them), or where the next unit would pass the width: at the last
// place a row may begin within the run since the last tab, one blank after
// it left out; with none, the word runs on to the next blank. A tab takes
// the row to the next tab stop. Whatever the width, a row moves on by one
// unit at least: a tab that neither fits nor has a stop to go to (no tab
// width) is a row of its own. Returns the number of rows; 0 for no text.
uint32_t WrapRows(const WrapText& in, uint32_t* starts, uint32_t* ends);

// The distance between tab stops `columns` characters of charWidth apart,
// at most INT_MAX (a stop past the row's width is as good as any other); 0,
// no stops, for no columns.
int TabWidth(int charWidth, int columns);

// The rows that fit wholly between the top of the text (textTop) and the
// bottom of the window (bottom), at least 1.
uint32_t RowsPerPiece(int textTop, int bottom, int rowHeight);

// The piece holding unit `at` of a line with rows starting at starts.
uint32_t PieceOf(const uint32_t* starts, uint32_t rows, uint32_t perPiece, uint32_t at);

// How many pieces a line of `rows` rows is read in, at least 1.
uint32_t PieceCount(uint32_t rows, uint32_t perPiece);

#endif
