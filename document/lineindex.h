// The line index of a text: where each displayable line starts. Built in
// one pass over the bytes as they stream by, into fixed blocks, so that a
// text of a gigabyte needs neither a buffer of its size nor a contiguous
// stretch of a 32-bit address space for its index.
//
// Only the starts are kept, 4 bytes a line: a line runs from its start to
// the first line feed after it (or to the end of the text), so its length
// is found again when the line is read.
#ifndef SKERROW_DOCUMENT_LINEINDEX_H
#define SKERROW_DOCUMENT_LINEINDEX_H

#include <cstddef>
#include <cstdint>

const unsigned LINE_BLOCK_SHIFT = 17;
const uint32_t LINE_BLOCK_ENTRIES = 1u << LINE_BLOCK_SHIFT;

struct LineIndex {
    uint32_t** blocks;
    uint32_t blockCount;
    uint32_t blockCapacity;
    uint32_t count;  // lines kept
};

// The most bytes of a line that are shown; a longer one is cut there.
const size_t LINE_MAX_BYTES = 4096;

// Byte offset of line i (below count) in the text.
inline uint32_t LineStart(const LineIndex& index, uint32_t i)
{
    return index.blocks[i >> LINE_BLOCK_SHIFT][i & (LINE_BLOCK_ENTRIES - 1)];
}

// The length of the line whose first n bytes are given: up to and
// including its line feed, or n when none is among them.
size_t LineLength(const char* bytes, size_t n);

// The first line starting at or after byte ofs; index.count when none.
uint32_t FirstLineFrom(const LineIndex& index, uint32_t ofs);

// The line holding byte `at`: the last one starting at or before it, and
// the first line for a byte before it (count > 0).
uint32_t LineHolding(const LineIndex& index, uint32_t at);

// Where the piece of line `line` beginning `offset` bytes into the line as
// shown lies in the text that ends at byte `end`: the line's start plus the
// offset, kept below the next line's start (or `end`). A post, and a line
// whose notation is read, show other bytes than the file holds, so a piece
// of them lands near its place in the line, never in another line.
uint32_t PlaceByte(const LineIndex& index, uint32_t line, uint32_t offset, uint32_t end);

// What a line says: of its first n bytes those up to its line end (LF or
// CR LF, left out), at most LINE_MAX_BYTES of them (SaidBytes), their count
// in the top 16 bits and a 48-bit FNV-1a hash of them below. A recent text
// keeps it to find its line again after the file has changed; a line of
// another length is told apart without being hashed. Never 0, which stands
// for "not known".
uint64_t LineSaid(const char* bytes, size_t n);
size_t SaidBytes(const char* bytes, size_t n);
inline size_t SaidByteCount(uint64_t said)
{
    return static_cast<size_t>(said >> 48);
}

// The search for the line nearest to `wanted` that says `said`, its lines
// noted in order. Of two as near, the earlier is taken.
struct NearestSaid {
    uint32_t wanted;
    uint64_t said;
    uint32_t found;  // the nearest so far; UINT32_MAX: none yet
};
void BeginNearestSaid(NearestSaid* search, uint32_t wanted, uint64_t said);
void NoteSaid(NearestSaid* search, uint32_t line, uint64_t said);
// Whether no line from `next` on can be nearer than the one found.
bool NearestSettled(const NearestSaid& search, uint32_t next);

// part × scale / whole rounded down, part taken at most as whole; 0 when
// whole is 0. How far into a text a byte lies as a percentage or in pixels,
// and the byte at a percentage.
uint32_t ShareOf(uint32_t part, uint32_t whole, uint32_t scale);

// The line of `to` that shows line `line` of `from`, two indexes of one
// text under different blank-line rules: the same line, or the first line
// after it where `to` leaves it out; to.count when none follows, and when
// line lies beyond from's end.
uint32_t SameLineIn(const LineIndex& from, const LineIndex& to, uint32_t line);

// Frees the blocks and empties the index.
void FreeLineIndex(LineIndex* index);

// The scan of one text, below 4 GiB. Lines end at and include a line feed;
// a lone CR ends nothing. With blankSkip exactly 1, a line that is exactly
// LF or CR LF gets no entry; the bytes after the last line feed form a last
// line and are never taken as blank.
struct LineScan {
    LineIndex* index;
    uint32_t* next;  // the free entries of the newest block
    uint32_t* end;
    int blankSkip;
    uint64_t pos;      // bytes seen so far
    uint64_t start;    // where the pending line begins
    uint8_t lastByte;  // the byte before pos, for a CR LF split across chunks
    bool failed;       // an entry could not be stored: memory ran out
    uint32_t limit;    // entries the index may hold at most; 0: as many as memory allows
};

void BeginLineScan(LineScan* scan, LineIndex* index, int blankSkip);
// Feeds the next bytes of the text. Returns false once memory has run out.
bool ScanLines(LineScan* scan, const char* bytes, size_t n);
// Adds the last line, if bytes follow the last line feed. False when memory ran out.
bool EndLineScan(LineScan* scan);

// Separators "<>" in a zero-terminated line, each search resuming two bytes
// after the previous match.
int CountDatSeparators(const char* line);

#endif
