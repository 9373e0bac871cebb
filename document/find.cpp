// Finding the next line that holds a text, through the working copy in
// large reads, so that a gigabyte goes by about as fast as the disk allows.
#include <cstring>

#include "datview/datrecord.h"
#include "document/document.h"

namespace {

const DWORD CHUNK = 1 << 20;

// How far the scan got, for the progress shown: bytes of a plain text,
// lines of a dat text, against the whole.
struct FindScan {
    const TextFinder* finder;
    WorkProgress* progress;
    uint64_t done, total;
    bool failed;  // a read of the copy failed
    size_t at;    // where the query starts in the line found, as shown
};

bool Step(FindScan* scan, uint64_t amount)
{
    scan->done += amount;
    // Going round reads the line it started from twice.
    unsigned percent = scan->done >= scan->total ? 100 : static_cast<unsigned>(scan->done * 100 / scan->total);
    if (scan->progress != NULL && !scan->progress->step(percent)) {
        scan->progress->cancelled = true;
        return false;
    }
    return true;
}

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
bool Holds(FindScan* scan, uint32_t i)
{
    static char line[LINE_MAX_BYTES + 2];
    const TextFinder& finder = *scan->finder;
    bool read = false;
    size_t length = ReadShownLine(i, line, &read);
    scan->failed = scan->failed || !read;
    if (Doc.DatFlg != 1)
        return LineHolds(finder, line, length, &scan->at);
    static char post[DAT_RECORD_SIZE];
    memcpy(post, line, length + 1);
    FormatDatRecord(line, i, Doc.Unicode, post, sizeof post);
    return LineHolds(finder, post, strlen(post), &scan->at);
}

// Lines first..last of a plain text, going down: the bytes are scanned for
// candidates, and only the lines that have one are read as shown.
bool ScanDown(FindScan* scan, uint32_t first, uint32_t last, uint32_t copyEnd, uint32_t* found)
{
    static char buffer[CHUNK];
    const TextFinder& f = *scan->finder;
    const uint32_t end = LineEnd(last, copyEnd);
    uint32_t pos = LineStart(Doc.Index, first);
    while (end - pos >= f.length) {
        const DWORD n = end - pos < CHUNK ? end - pos : CHUNK;
        if (ReadAt(Doc.WorkHandle, pos, buffer, n) != n) {
            scan->failed = true;
            return false;
        }
        uint32_t resume = pos + n - static_cast<uint32_t>(f.length - 1);  // the overlap is looked at again
        for (size_t at = 0; (at = FindCandidate(f, buffer, n, at)) < n;) {
            uint32_t i = LineOf(pos + static_cast<uint32_t>(at));
            if (Holds(scan, i)) {
                *found = i;
                return true;
            }
            if (scan->failed)
                return false;
            uint32_t next = LineEnd(i, copyEnd);
            if (next >= pos + n) {
                resume = next;
                break;
            }
            at = next - pos;
        }
        if (pos + n >= end || !Step(scan, resume - pos))
            return false;
        pos = resume;
    }
    return false;
}

// The same going up: each read from the end backwards, the last line in it
// that holds the query.
bool ScanUp(FindScan* scan, uint32_t first, uint32_t last, uint32_t copyEnd, uint32_t* found)
{
    static char buffer[CHUNK];
    const TextFinder& f = *scan->finder;
    const uint32_t begin = LineStart(Doc.Index, first);
    uint32_t stop = LineEnd(last, copyEnd);
    while (stop - begin >= f.length) {
        uint32_t from = stop - begin > CHUNK ? stop - CHUNK : begin;
        const DWORD n = stop - from;
        if (ReadAt(Doc.WorkHandle, from, buffer, n) != n) {
            scan->failed = true;
            return false;
        }
        bool any = false;
        for (size_t at = 0; (at = FindCandidate(f, buffer, n, at)) < n;) {
            uint32_t i = LineOf(from + static_cast<uint32_t>(at));
            if (Holds(scan, i)) {
                *found = i;
                any = true;
            }
            if (scan->failed)
                return false;
            uint32_t next = LineEnd(i, copyEnd);
            if (next >= from + n)
                break;
            at = next - from;
        }
        if (any)
            return true;
        if (from == begin || !Step(scan, stop - from - (f.length - 1)))
            return false;
        stop = from + static_cast<uint32_t>(f.length - 1);
    }
    return false;
}

// A dat text, or one whose notation is read, is read line by line: each is
// made as it reads before it is looked at.
bool ScanPosts(FindScan* scan, uint32_t first, uint32_t last, bool down, uint32_t* found)
{
    for (uint32_t k = 0; k <= last - first; ++k) {
        uint32_t i = down ? first + k : last - k;
        if (Holds(scan, i)) {
            *found = i;
            return true;
        }
        if (scan->failed || (k % 256 == 255 && !Step(scan, 256)))
            return false;
    }
    return false;
}

// Posts, and lines whose notation is read, are not their bytes: they are
// looked at one by one as they read.
bool LineByLine()
{
    return Doc.DatFlg == 1 || ShowsNotation();
}

bool Scan(FindScan* scan, uint32_t first, uint32_t last, bool down, uint32_t copyEnd, uint32_t* found)
{
    if (LineByLine())
        return ScanPosts(scan, first, last, down, found);
    return down ? ScanDown(scan, first, last, copyEnd, found) : ScanUp(scan, first, last, copyEnd, found);
}

}  // namespace

FindOutcome FindLine(const TextFinder& finder, bool down, uint32_t from, WorkProgress* progress, uint32_t* found,
                     uint32_t* at)
{
    LARGE_INTEGER size;
    if (DocBusy || !HasText() || from >= Doc.LineCnt || !GetFileSizeEx(Doc.WorkHandle, &size))
        return FIND_NONE;
    DocBusy = 1;
    const uint32_t copyEnd = static_cast<uint32_t>(size.QuadPart);
    FindScan scan = {&finder, progress, 0, 0, false, 0};
    const bool cancellable = progress != NULL;
    scan.total = LineByLine() ? Doc.LineCnt : copyEnd - LineStart(Doc.Index, 0);
    scan.total = scan.total > 0 ? scan.total : 1;
    const uint32_t lastLine = Doc.LineCnt - 1;
    FindOutcome outcome = FIND_NONE;
    // First the lines after (before) `from`, then round from the start
    // (end) up to `from` itself.
    if (down ? from < lastLine && Scan(&scan, from + 1, lastLine, true, copyEnd, found)
             : from > 0 && Scan(&scan, 0, from - 1, false, copyEnd, found))
        outcome = FIND_FOUND;
    else if (!(cancellable && progress->cancelled) && !scan.failed &&
             (down ? Scan(&scan, 0, from, true, copyEnd, found) : Scan(&scan, from, lastLine, false, copyEnd, found)))
        outcome = FIND_WRAPPED;
    else if (cancellable && progress->cancelled)
        outcome = FIND_CANCELLED;
    else if (scan.failed)
        outcome = FIND_FAILED;
    DocBusy = 0;
    *at = static_cast<uint32_t>(scan.at);
    return outcome;
}
