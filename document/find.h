// Finding the next line that holds a text, through the working copy in
// large reads, so that a gigabyte goes by about as fast as the disk allows.
// The search goes a piece at a time: a read of at most a MiB, or 256 lines
// of posts or of lines whose notation is read.
#ifndef SKERROW_DOCUMENT_FIND_H
#define SKERROW_DOCUMENT_FIND_H

#include <cstddef>
#include <cstdint>

#include "document/match.h"

enum FindOutcome {
    FIND_GOING,      // not over yet
    FIND_FOUND,      // in the direction, before the end or start
    FIND_WRAPPED,    // only after going round from the end or start
    FIND_NONE,       // in no line
    FIND_CANCELLED,  // the user stopped it
    FIND_FAILED,     // the working copy could not be read
};

// A search of the open text for the next line after (down) or before
// `from` that holds the query as the user reads it: the line's shown bytes,
// or in a dat text the post made of it. It goes round once, the line `from`
// tried last.
struct FindPass {
    TextFinder finder;
    bool down;
    uint32_t from;
    int round;              // 0: away from `from`; 1: round from the other end
    uint32_t first, last;   // the lines of this round
    uint32_t pos;           // the next byte (down) or the end of the bytes (up) to read; the next post
    uint32_t copyEnd;
    uint64_t done, total;   // how far, for the progress shown
    bool failed;            // a read of the copy failed
    size_t at;              // where the query starts in the line found, as shown
    uint32_t found;
};

// False, with nothing to look through, when no text is open or `from` is
// not one of its lines.
bool BeginFind(FindPass* pass, const TextFinder& finder, bool down, uint32_t from);
// Looks through the next piece: FIND_GOING, or how the search came out
// (*found the line, *at the byte where the query first stands in it as shown).
FindOutcome FindPiece(FindPass* pass);
unsigned FindPercent(const FindPass& pass);

#endif
