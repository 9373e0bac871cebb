#include "document/lineindex.h"

#include <cstdlib>
#include <cstring>

uint32_t LineIndexLimit = 0;

namespace {

bool AddLine(LineScan* scan, uint64_t ofs, uint64_t len)
{
    LineIndex* index = scan->index;
    if (LineIndexLimit != 0 && index->count >= LineIndexLimit)
        return false;
    uint32_t slot = index->count & (LINE_BLOCK_ENTRIES - 1);
    if (slot == 0) {
        if (index->blockCount == index->blockCapacity) {
            uint32_t capacity = index->blockCapacity ? index->blockCapacity * 2 : 64;
            void* grown = realloc(index->blocks, capacity * sizeof *index->blocks);
            if (grown == NULL)
                return false;
            index->blocks = static_cast<LineEntry**>(grown);
            index->blockCapacity = capacity;
        }
        LineEntry* block = static_cast<LineEntry*>(malloc(LINE_BLOCK_ENTRIES * sizeof(LineEntry)));
        if (block == NULL)
            return false;
        index->blocks[index->blockCount++] = block;
    }
    LineEntry& e = index->blocks[index->blockCount - 1][slot];
    e.ofs = static_cast<uint32_t>(ofs);
    e.len = static_cast<uint32_t>(len);
    ++index->count;
    return true;
}

}  // namespace

void FreeLineIndex(LineIndex* index)
{
    for (uint32_t i = 0; i < index->blockCount; ++i)
        free(index->blocks[i]);
    free(index->blocks);
    memset(index, 0, sizeof *index);
}

void BeginLineScan(LineScan* scan, LineIndex* index, int blankSkip)
{
    memset(scan, 0, sizeof *scan);
    scan->index = index;
    scan->blankSkip = blankSkip;
}

bool ScanLines(LineScan* scan, const char* bytes, size_t n)
{
    if (scan->failed)
        return false;
    const char* p = bytes;
    const char* end = bytes + n;
    while (p < end) {
        const char* lf = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
        if (lf == NULL)
            break;
        uint64_t at = scan->pos + static_cast<uint64_t>(lf - bytes);
        uint64_t len = at - scan->start + 1;
        bool blank = false;
        if (scan->blankSkip == 1 && len <= 2) {
            char first = len == 1 ? '\n' : (lf > bytes ? lf[-1] : static_cast<char>(scan->lastByte));
            blank = len == 1 || first == '\r';
        }
        if (!blank && !AddLine(scan, scan->start, len)) {
            scan->failed = true;
            return false;
        }
        scan->start = at + 1;
        p = lf + 1;
    }
    if (n > 0)
        scan->lastByte = static_cast<uint8_t>(bytes[n - 1]);
    scan->pos += n;
    return true;
}

bool EndLineScan(LineScan* scan)
{
    if (scan->failed)
        return false;
    if (scan->start < scan->pos && !AddLine(scan, scan->start, scan->pos - scan->start)) {
        scan->failed = true;
        return false;
    }
    return true;
}

int CountDatSeparators(const char* line)
{
    int count = 0;
    for (const char* p = strstr(line, "<>"); p != NULL; p = strstr(p + 2, "<>"))
        ++count;
    return count;
}
