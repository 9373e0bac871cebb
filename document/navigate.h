// Which line a navigation shows.
#ifndef SKERROW_DOCUMENT_NAVIGATE_H
#define SKERROW_DOCUMENT_NAVIGATE_H

#include <cstdint>

#include "base/readingplace.h"

enum { NAV_PREV = 0, NAV_NEXT = 1, NAV_TOP = 2, NAV_END = 3, NAV_CLAMP = 4 };

// The zero-based line that code chooses from index in a text of count lines
// (count > 0); all comparisons unsigned, so an index that came from a
// negative number lies beyond the end. Unknown codes keep the index, but
// never one beyond the last line.
uint32_t ChooseLine(int code, uint32_t index, uint32_t count);

#endif
