#include "base/bookmarks.h"

#include <algorithm>
#include <cstring>

namespace {

bool Before(const ReadingPlace& a, const ReadingPlace& b)
{
    return a.line < b.line || (a.line == b.line && a.offset < b.offset);
}

}  // namespace

uint32_t MarkWithin(const Bookmarks& marks, uint32_t line, uint32_t from, uint32_t to)
{
    const ReadingPlace* end = marks.at + marks.count;
    const ReadingPlace* first = std::lower_bound(marks.at, end, ReadingPlace{line, from}, Before);
    const bool within = first != end && first->line == line && first->offset < to;
    return within ? static_cast<uint32_t>(first - marks.at) : marks.count;
}

MarkToggle ToggleMark(Bookmarks* marks, ReadingPlace place, uint32_t from, uint32_t to)
{
    const uint32_t k = MarkWithin(*marks, place.line, from, to);
    if (k < marks->count) {
        uint32_t past = k;
        while (past < marks->count && marks->at[past].line == place.line && marks->at[past].offset < to)
            ++past;
        memmove(marks->at + k, marks->at + past, (marks->count - past) * sizeof *marks->at);
        marks->count -= past - k;
        return MARKS_REMOVED;
    }
    if (marks->count >= BOOKMARK_MOST)
        return MARKS_FULL;
    ReadingPlace* at = std::lower_bound(marks->at, marks->at + marks->count, place, Before);
    memmove(at + 1, at, (marks->at + marks->count - at) * sizeof *at);
    *at = place;
    ++marks->count;
    return MARK_ADDED;
}

void RemoveMark(Bookmarks* marks, uint32_t k)
{
    if (k >= marks->count)
        return;
    memmove(marks->at + k, marks->at + k + 1, (marks->count - k - 1) * sizeof *marks->at);
    --marks->count;
}

void TidyMarks(Bookmarks* marks, uint32_t lineCount)
{
    uint32_t n = std::min(marks->count, BOOKMARK_MOST);
    std::sort(marks->at, marks->at + n, Before);
    uint32_t kept = 0;
    for (uint32_t i = 0; i < n; ++i)
        if (marks->at[i].line < lineCount && (kept == 0 || !SamePlace(marks->at[kept - 1], marks->at[i])))
            marks->at[kept++] = marks->at[i];
    marks->count = kept;
}
