// Where the reader is in a text: one record for the line shown, the place
// the settings file keeps and each recent text's place.
#ifndef SKERROW_BASE_READINGPLACE_H
#define SKERROW_BASE_READINGPLACE_H

#include <cstdint>

// The line shown, and within it the first character of the piece shown (a
// line taller than the window is read in pieces).
struct ReadingPlace {
    uint32_t line;    // zero-based
    uint32_t offset;  // bytes into the line as shown, after any number before it; 0: its start
};

inline bool SamePlace(const ReadingPlace& a, const ReadingPlace& b)
{
    return a.line == b.line && a.offset == b.offset;
}

#endif
