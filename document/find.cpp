#include "document/find.h"

#include <cstring>

#include "datview/datrecord.h"
#include "document/document.h"
#include "document/indexfile.h"

namespace {

const DWORD CHUNK = 1 << 20;

// The bytes a search reads at once, and the posts it tries, in a piece.
const uint32_t POSTS_A_PIECE = 256;

enum ScanStep { SCAN_GOING, SCAN_FOUND, SCAN_NONE, SCAN_FAILED };

// What a search reads into: a piece of the copy, a line as shown and the
// post made of it. One search runs at a time.
struct Buffers {
    char piece[CHUNK];
    char line[LINE_MAX_BYTES + 2];
    char post[DAT_RECORD_SIZE];
};
Buffers Read;

// The line whose bytes hold offset ofs: the last one starting at or before it.
uint32_t LineOf(uint32_t ofs)
{
    uint32_t low = 0, high = Doc.LineCnt;
    while (high - low > 1) {
        uint32_t mid = low + (high - low) / 2;
        if (LineStart(Doc.Index, mid) <= ofs)
            low = mid;
        else
            high = mid;
    }
    return low;
}

// Where the bytes after line i begin: the next line, or the end of the copy.
uint32_t LineEnd(uint32_t i, uint32_t copyEnd)
{
    return i + 1 < Doc.LineCnt ? LineStart(Doc.Index, i + 1) : copyEnd;
}

// Whether line i, as the user reads it, holds the query.
bool Holds(FindPass* pass, uint32_t i)
{
    char* line = Read.line;
    const TextFinder& finder = pass->finder;
    bool read = false;
    size_t length = ReadShownLine(i, line, &read);
    pass->failed = pass->failed || !read;
    if (Doc.DatFlg != 1)
        return LineHolds(finder, line, length, &pass->at);
    char* post = Read.post;
    memcpy(post, line, length + 1);
    FormatDatRecord(line, i, Doc.Unicode, post, DAT_RECORD_SIZE);
    return LineHolds(finder, post, strlen(post), &pass->at);
}

// A piece of lines first..last of a plain text, going down from pos: the
// bytes are scanned for candidates, and only the lines that have one are
// read as shown.
ScanStep ScanDown(FindPass* pass)
{
    const TextFinder& f = pass->finder;
    const uint32_t end = LineEnd(pass->last, pass->copyEnd), pos = pass->pos;
    if (end - pos < f.length)
        return SCAN_NONE;
    const DWORD n = end - pos < CHUNK ? end - pos : CHUNK;
    if (ReadAt(Doc.WorkHandle, pos, Read.piece, n) != n) {
        pass->failed = true;
        return SCAN_FAILED;
    }
    uint32_t resume = pos + n - static_cast<uint32_t>(f.length - 1);  // the overlap is looked at again
    for (size_t at = 0; (at = FindCandidate(f, Read.piece, n, at)) < n;) {
        uint32_t i = LineOf(pos + static_cast<uint32_t>(at));
        if (Holds(pass, i)) {
            pass->found = i;
            return SCAN_FOUND;
        }
        if (pass->failed)
            return SCAN_FAILED;
        uint32_t next = LineEnd(i, pass->copyEnd);
        if (next >= pos + n) {
            resume = next;
            break;
        }
        at = next - pos;
    }
    if (pos + n >= end)
        return SCAN_NONE;
    pass->done += resume - pos;
    pass->pos = resume;
    return SCAN_GOING;
}

// The same going up, pos the end of the bytes still to read: each read from
// the end backwards, the last line in it that holds the query.
ScanStep ScanUp(FindPass* pass)
{
    const TextFinder& f = pass->finder;
    const uint32_t begin = LineStart(Doc.Index, pass->first), stop = pass->pos;
    if (stop - begin < f.length)
        return SCAN_NONE;
    uint32_t from = stop - begin > CHUNK ? stop - CHUNK : begin;
    const DWORD n = stop - from;
    if (ReadAt(Doc.WorkHandle, from, Read.piece, n) != n) {
        pass->failed = true;
        return SCAN_FAILED;
    }
    bool any = false;
    for (size_t at = 0; (at = FindCandidate(f, Read.piece, n, at)) < n;) {
        uint32_t i = LineOf(from + static_cast<uint32_t>(at));
        if (Holds(pass, i)) {
            pass->found = i;
            any = true;
        }
        if (pass->failed)
            return SCAN_FAILED;
        uint32_t next = LineEnd(i, pass->copyEnd);
        if (next >= from + n)
            break;
        at = next - from;
    }
    if (any)
        return SCAN_FOUND;
    if (from == begin)
        return SCAN_NONE;
    pass->done += stop - from - (f.length - 1);
    pass->pos = from + static_cast<uint32_t>(f.length - 1);
    return SCAN_GOING;
}

// A dat text, or one whose notation is read, is read line by line: each is
// made as it reads before it is looked at. pos counts the lines tried.
ScanStep ScanPosts(FindPass* pass)
{
    const uint32_t lines = pass->last - pass->first;
    for (uint32_t n = 0; n < POSTS_A_PIECE; ++n, ++pass->pos) {
        if (pass->pos > lines)
            return SCAN_NONE;
        uint32_t i = pass->down ? pass->first + pass->pos : pass->last - pass->pos;
        if (Holds(pass, i)) {
            pass->found = i;
            return SCAN_FOUND;
        }
        if (pass->failed)
            return SCAN_FAILED;
    }
    pass->done += POSTS_A_PIECE;
    return SCAN_GOING;
}

// Posts, and lines whose notation is read, are not their bytes: they are
// looked at one by one as they read.
bool LineByLine()
{
    return Doc.DatFlg == 1 || ShowsNotation();
}

// The round over lines first..last starts at its near end.
void BeginRound(FindPass* pass, int round, uint32_t first, uint32_t last)
{
    pass->round = round;
    pass->first = first;
    pass->last = last;
    pass->pos = LineByLine() ? 0 : pass->down ? LineStart(Doc.Index, first) : LineEnd(last, pass->copyEnd);
}

}  // namespace

bool BeginFind(FindPass* pass, const TextFinder& finder, bool down, uint32_t from)
{
    LARGE_INTEGER size;
    if (!HasText() || from >= Doc.LineCnt || !GetFileSizeEx(Doc.WorkHandle, &size))
        return false;
    memset(pass, 0, sizeof *pass);
    pass->finder = finder;
    pass->down = down;
    pass->from = from;
    pass->copyEnd = static_cast<uint32_t>(size.QuadPart);
    pass->total = LineByLine() ? Doc.LineCnt : pass->copyEnd - LineStart(Doc.Index, 0);
    pass->total = pass->total > 0 ? pass->total : 1;
    // First the lines after (before) `from`, then round from the start
    // (end) up to `from` itself.
    const uint32_t lastLine = Doc.LineCnt - 1;
    if (down ? from < lastLine : from > 0)
        BeginRound(pass, 0, down ? from + 1 : 0, down ? lastLine : from - 1);
    else
        BeginRound(pass, 1, down ? 0 : from, down ? from : lastLine);
    return true;
}

FindOutcome FindPiece(FindPass* pass)
{
    const ScanStep step = LineByLine() ? ScanPosts(pass) : pass->down ? ScanDown(pass) : ScanUp(pass);
    switch (step) {
    case SCAN_GOING: return FIND_GOING;
    case SCAN_FOUND: return pass->round == 0 ? FIND_FOUND : FIND_WRAPPED;
    case SCAN_FAILED: return FIND_FAILED;
    case SCAN_NONE: break;
    }
    if (pass->round == 1)
        return FIND_NONE;
    const uint32_t lastLine = Doc.LineCnt - 1;
    BeginRound(pass, 1, pass->down ? 0 : pass->from, pass->down ? pass->from : lastLine);
    return FIND_GOING;
}

unsigned FindPercent(const FindPass& pass)
{
    // Going round reads the line it started from twice.
    return pass.done >= pass.total ? 100 : static_cast<unsigned>(pass.done * 100 / pass.total);
}
