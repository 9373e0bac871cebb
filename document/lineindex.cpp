#include "document/lineindex.h"

#include <cstdlib>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

namespace {

// Makes room for more entries: a new block, cut short where the scan's
// limit ends the index. False when there is no room to be had.
bool GrowIndex(LineScan* scan)
{
    LineIndex* index = scan->index;
    uint32_t filled = index->blockCount * LINE_BLOCK_ENTRIES;
    if (scan->limit != 0 && filled >= scan->limit)
        return false;
    if (index->blockCount == index->blockCapacity) {
        uint32_t capacity = index->blockCapacity ? index->blockCapacity * 2 : 64;
        void* grown = realloc(index->blocks, capacity * sizeof *index->blocks);
        if (grown == NULL)
            return false;
        index->blocks = static_cast<uint32_t**>(grown);
        index->blockCapacity = capacity;
    }
    uint32_t* block = static_cast<uint32_t*>(malloc(LINE_BLOCK_ENTRIES * sizeof(uint32_t)));
    if (block == NULL)
        return false;
    index->blocks[index->blockCount++] = block;
    uint32_t room = LINE_BLOCK_ENTRIES;
    if (scan->limit != 0 && scan->limit - filled < room)
        room = scan->limit - filled;
    scan->next = block;
    scan->end = block + room;
    return true;
}

// Sets the index's count from the entries filled so far.
void CountEntries(LineScan* scan)
{
    LineIndex* index = scan->index;
    if (index->blockCount > 0)
        index->count = (index->blockCount - 1) * LINE_BLOCK_ENTRIES +
                       static_cast<uint32_t>(scan->next - index->blocks[index->blockCount - 1]);
}

// The scan's running values, held in locals while a chunk is scanned.
struct Cursor {
    uint32_t* next;
    uint32_t* end;
    uint32_t start;  // where the pending line begins
};

// The rare cases of a line feed: a line that may be blank, a full block.
__attribute__((noinline)) bool TakeSlow(LineScan* scan, Cursor* c, const char* bytes, const char* lf, uint32_t at)
{
    uint32_t len = at - c->start + 1;
    if (len <= 2 && scan->blankSkip == 1) {
        char first = len == 1 ? '\n' : (lf > bytes ? lf[-1] : static_cast<char>(scan->lastByte));
        if (len == 1 || first == '\r') {
            c->start = at + 1;
            return true;
        }
    }
    if (c->next == c->end) {
        scan->next = c->next;
        if (!GrowIndex(scan))
            return false;
        c->next = scan->next;
        c->end = scan->end;
    }
    *c->next++ = c->start;
    c->start = at + 1;
    return true;
}

inline bool Take(LineScan* scan, Cursor* c, const char* bytes, const char* lf, uint32_t base)
{
    uint32_t at = base + static_cast<uint32_t>(lf - bytes);
    if (at - c->start < 2 || c->next == c->end)
        return TakeSlow(scan, c, bytes, lf, at);
    *c->next++ = c->start;
    c->start = at + 1;
    return true;
}

#if defined(__i386__) || defined(__x86_64__)
// Short lines make a call per line costly: with SSE2 (every x86 processor
// of this century, checked at run time) 64 bytes are compared at a time,
// a stretch without a line feed costs a single test, and the line feeds
// are taken from a bit mask.
__attribute__((target("sse2"))) bool ScanWide(LineScan* scan, Cursor* c, const char* bytes, size_t n)
{
    const uint32_t base = static_cast<uint32_t>(scan->pos);
    const __m128i feed = _mm_set1_epi8('\n');
    const char* p = bytes;
    const char* wideEnd = bytes + (n & ~static_cast<size_t>(63));
    for (; p < wideEnd; p += 64) {
        const __m128i* q = reinterpret_cast<const __m128i*>(p);
        __m128i e0 = _mm_cmpeq_epi8(_mm_loadu_si128(q), feed);
        __m128i e1 = _mm_cmpeq_epi8(_mm_loadu_si128(q + 1), feed);
        __m128i e2 = _mm_cmpeq_epi8(_mm_loadu_si128(q + 2), feed);
        __m128i e3 = _mm_cmpeq_epi8(_mm_loadu_si128(q + 3), feed);
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(e0, e1), _mm_or_si128(e2, e3))) == 0)
            continue;
        uint64_t mask = static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(e0))) |
                        static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(e1))) << 16 |
                        static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(e2))) << 32 |
                        static_cast<uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(e3))) << 48;
        // Most blocks need no care: no blank lines to drop and room for
        // every line feed they can hold.
        if (scan->blankSkip != 1 && c->end - c->next >= 64) {
            const uint32_t at = base + static_cast<uint32_t>(p - bytes);
            do {
                *c->next++ = c->start;
                c->start = at + static_cast<uint32_t>(__builtin_ctzll(mask)) + 1;
                mask &= mask - 1;
            } while (mask != 0);
            continue;
        }
        while (mask != 0) {
            if (!Take(scan, c, bytes, p + __builtin_ctzll(mask), base))
                return false;
            mask &= mask - 1;
        }
    }
    for (; p < bytes + n; ++p)
        if (*p == '\n' && !Take(scan, c, bytes, p, base))
            return false;
    return true;
}

bool HaveWide()
{
    static const bool have = __builtin_cpu_supports("sse2");
    return have;
}
#else
bool ScanWide(LineScan*, Cursor*, const char*, size_t)
{
    return false;
}

bool HaveWide()
{
    return false;
}
#endif

bool ScanNarrow(LineScan* scan, Cursor* c, const char* bytes, size_t n)
{
    const uint32_t base = static_cast<uint32_t>(scan->pos);
    const char* p = bytes;
    const char* end = bytes + n;
    while (p < end) {
        const char* lf = static_cast<const char*>(memchr(p, '\n', static_cast<size_t>(end - p)));
        if (lf == NULL)
            break;
        if (!Take(scan, c, bytes, lf, base))
            return false;
        p = lf + 1;
    }
    return true;
}

}  // namespace

size_t LineLength(const char* bytes, size_t n)
{
    const char* lf = static_cast<const char*>(memchr(bytes, '\n', n));
    return lf == NULL ? n : static_cast<size_t>(lf - bytes) + 1;
}

size_t SaidBytes(const char* bytes, size_t n)
{
    size_t length = LineLength(bytes, n);
    if (length > 0 && bytes[length - 1] == '\n')
        --length;
    if (length > 0 && bytes[length - 1] == '\r')
        --length;
    return length > LINE_MAX_BYTES ? LINE_MAX_BYTES : length;
}

uint64_t LineSaid(const char* bytes, size_t n)
{
    const size_t length = SaidBytes(bytes, n);
    uint64_t hash = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<uint8_t>(bytes[i])) * 0x100000001b3ull;
    // The empty line's hash keeps bits below the count: never 0.
    return uint64_t{length} << 48 | (hash & 0xFFFFFFFFFFFFull);
}

namespace {

uint32_t Distance(uint32_t a, uint32_t b)
{
    return a > b ? a - b : b - a;
}

}  // namespace

void BeginNearestSaid(NearestSaid* search, uint32_t wanted, uint64_t said)
{
    *search = NearestSaid{wanted, said, UINT32_MAX};
}

void NoteSaid(NearestSaid* search, uint32_t line, uint64_t said)
{
    if (said == search->said &&
        (search->found == UINT32_MAX || Distance(line, search->wanted) < Distance(search->found, search->wanted)))
        search->found = line;
}

bool NearestSettled(const NearestSaid& search, uint32_t next)
{
    return search.found != UINT32_MAX && next > search.wanted &&
           next - search.wanted >= Distance(search.found, search.wanted);
}

uint32_t FirstLineFrom(const LineIndex& index, uint32_t ofs)
{
    uint32_t low = 0, high = index.count;
    while (low < high) {
        uint32_t mid = low + (high - low) / 2;
        if (LineStart(index, mid) < ofs)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

uint32_t LineHolding(const LineIndex& index, uint32_t at)
{
    const uint32_t after = at == UINT32_MAX ? index.count : FirstLineFrom(index, at + 1);
    return after > 0 ? after - 1 : 0;
}

uint32_t PlaceByte(const LineIndex& index, uint32_t line, uint32_t offset, uint32_t end)
{
    const uint32_t start = LineStart(index, line);
    const uint32_t next = line + 1 < index.count ? LineStart(index, line + 1) : end;
    if (next <= start)
        return start;
    return offset < next - start ? start + offset : next - 1;
}

uint32_t ShareOf(uint32_t part, uint32_t whole, uint32_t scale)
{
    if (whole == 0)
        return 0;
    return static_cast<uint32_t>(static_cast<uint64_t>(part < whole ? part : whole) * scale / whole);
}

uint32_t SameLineIn(const LineIndex& from, const LineIndex& to, uint32_t line)
{
    return line < from.count ? FirstLineFrom(to, LineStart(from, line)) : to.count;
}

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
    Cursor c = {scan->next, scan->end, static_cast<uint32_t>(scan->start)};
    bool ok = HaveWide() ? ScanWide(scan, &c, bytes, n) : ScanNarrow(scan, &c, bytes, n);
    scan->next = c.next;
    scan->end = c.end;
    scan->start = c.start;
    CountEntries(scan);
    if (!ok) {
        scan->failed = true;
        return false;
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
    if (scan->start < scan->pos) {
        if (scan->next == scan->end && !GrowIndex(scan)) {
            scan->failed = true;
            return false;
        }
        *scan->next++ = static_cast<uint32_t>(scan->start);
    }
    CountEntries(scan);
    return true;
}

int CountDatSeparators(const char* line)
{
    int count = 0;
    for (const char* p = strstr(line, "<>"); p != NULL; p = strstr(p + 2, "<>"))
        ++count;
    return count;
}
