// The line index of a text: where each displayable line starts and how long
// it is. Built in one pass over the bytes as they stream by, in fixed blocks
// of entries, so that a text of a gigabyte needs no buffer of its size and
// no contiguous stretch of a 32-bit address space for its index.
#ifndef SKERROW_DOCUMENT_LINEINDEX_H
#define SKERROW_DOCUMENT_LINEINDEX_H

#include <cstddef>
#include <cstdint>

struct LineEntry {
    uint32_t ofs;  // byte offset of the line in the text
    uint32_t len;  // its length, line end (LF or CR LF) included
};

const unsigned LINE_BLOCK_SHIFT = 16;
const uint32_t LINE_BLOCK_ENTRIES = 1u << LINE_BLOCK_SHIFT;

struct LineIndex {
    LineEntry** blocks;
    uint32_t blockCount;
    uint32_t blockCapacity;
    uint32_t count;  // lines kept
};

inline const LineEntry& LineAt(const LineIndex& index, uint32_t i)
{
    return index.blocks[i >> LINE_BLOCK_SHIFT][i & (LINE_BLOCK_ENTRIES - 1)];
}

// Frees the blocks and empties the index.
void FreeLineIndex(LineIndex* index);

// The scan of one text. Lines end at and include a line feed; a lone CR ends
// nothing. With blankSkip exactly 1, a line that is exactly LF or CR LF gets
// no entry; the bytes after the last line feed form a last line and are
// never taken as blank.
struct LineScan {
    LineIndex* index;
    int blankSkip;
    uint64_t pos;      // bytes seen so far
    uint64_t start;    // where the pending line begins
    uint8_t lastByte;  // the byte before pos, for a CR LF split across chunks
    bool failed;       // an entry could not be stored: memory ran out
};

void BeginLineScan(LineScan* scan, LineIndex* index, int blankSkip);
// Feeds the next bytes of the text. Returns false once memory has run out.
bool ScanLines(LineScan* scan, const char* bytes, size_t n);
// Adds the last line, if bytes follow the last line feed. False when memory ran out.
bool EndLineScan(LineScan* scan);

// Entries that the index may hold at most, for tests that need memory to
// run out; 0 means no limit but the memory itself.
extern uint32_t LineIndexLimit;

// Separators "<>" in a zero-terminated line, each search resuming two bytes
// after the previous match.
int CountDatSeparators(const char* line);

#endif
