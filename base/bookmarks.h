// The bookmarks (しおり) of a text: places under its line rule, each once,
// in the order of the text, and the rules of putting them in and taking
// them out, without Windows calls. The recent list keeps them (recent.h).
#ifndef SKERROW_BASE_BOOKMARKS_H
#define SKERROW_BASE_BOOKMARKS_H

#include <cstdint>

#include "base/readingplace.h"

// A text keeps at most this many: the list stays short enough to read, and
// the settings file's value of them (MarksN) stays within what its reader
// takes in one read.
const uint32_t BOOKMARK_MOST = 100;

struct Bookmarks {
    uint32_t count;
    ReadingPlace at[BOOKMARK_MOST];  // sorted by line, then offset
};

// The first bookmark of line from byte `from` up to before `to`, or
// marks.count when none lies there.
uint32_t MarkWithin(const Bookmarks& marks, uint32_t line, uint32_t from, uint32_t to);

// M at the piece shown, bytes `from` up to before `to` of place.line:
// the bookmarks there go; where there are none, one is put at place,
// unless there are BOOKMARK_MOST already.
enum MarkToggle { MARK_ADDED, MARKS_REMOVED, MARKS_FULL };
MarkToggle ToggleMark(Bookmarks* marks, ReadingPlace place, uint32_t from, uint32_t to);

// Takes bookmark k out, the later ones moving up.
void RemoveMark(Bookmarks* marks, uint32_t k);

// Puts bookmarks taken from elsewhere (read, or their lines found again
// under another rule) in order, each place once, leaving out those on
// lines at or past lineCount.
void TidyMarks(Bookmarks* marks, uint32_t lineCount);

#endif
