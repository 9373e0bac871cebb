// Which line a navigation shows.
#ifndef SKERROW_DOCUMENT_NAVIGATE_H
#define SKERROW_DOCUMENT_NAVIGATE_H

#include <cstdint>

enum { NAV_PREV = 0, NAV_NEXT = 1, NAV_TOP = 2, NAV_END = 3, NAV_CLAMP = 4 };

// Where the reader is: the line shown, and within it the first character
// of the piece shown (a line taller than the window is read in pieces).
struct ReadingPlace {
    uint32_t line;    // zero-based
    uint32_t offset;  // bytes into the line as shown, after any number before it; 0: its start
};

inline bool SamePlace(const ReadingPlace& a, const ReadingPlace& b)
{
    return a.line == b.line && a.offset == b.offset;
}

// The zero-based line that code chooses from index in a text of count lines
// (count > 0); all comparisons unsigned, so an index that came from a
// negative number lies beyond the end. Unknown codes keep the index, but
// never one beyond the last line.
uint32_t ChooseLine(int code, uint32_t index, uint32_t count);

#endif
