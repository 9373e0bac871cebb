#include "window/chapters.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/wide.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "window/handles.h"
#include "window/longwork.h"
#include "window/view.h"

namespace {

// The headings of the text shown: none for posts, none while they have
// not been looked for.
uint32_t HeadingCount()
{
    return HasText() && Doc.DatFlg != 1 ? Doc.Chapters.count : 0;
}

// Looks for the headings the first time they are asked for, as long work:
// a large text takes a pass over its copy. False when it was cancelled or
// the copy could not be read.
bool LookForChapters(HWND window)
{
    if (Doc.Chapters.found)
        return true;
    if (LongWorkRunning())
        return false;
    WorkProgress progress;
    PauseFeed(window);
    BeginLongWork(window, "目次作成中", &progress);
    FindChapters(&progress);
    EndLongWork();
    ResumeFeed(window);
    return HasText() && Doc.Chapters.found;
}

// How many headings start at or before byte ofs.
uint32_t HeadingsUpTo(uint32_t ofs)
{
    uint32_t low = 0, high = HeadingCount();
    while (low < high) {
        uint32_t mid = low + (high - low) / 2;
        if (Doc.Chapters.at[mid] <= ofs)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

// The list shows at most this many headings, those around the one at or
// before the line shown: each is a string read from the copy, and millions
// of them would freeze the window and run the process out of memory.
const uint32_t LISTED_MOST = 1000;

// A heading as the list shows it: its number and its line as read, on one
// row.
void AddHeadingItem(const char* line, uint32_t i, void* items)
{
    int length = static_cast<int>(strlen(line));
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n'))
        --length;
    static wchar_t wide[LINE_MAX_BYTES + 2];
    int n = length > 0 ? MultiByteToWideChar(Doc.Unicode ? CP_UTF8 : PROGRAM_CODE_PAGE, 0, line, length, wide,
                                             LINE_MAX_BYTES + 2)
                       : 0;
    wchar_t number[16];
    _snwprintf(number, 16, L"%u: ", i + 1);
    static_cast<std::vector<std::wstring>*>(items)->push_back(std::wstring(number) + std::wstring(wide, n > 0 ? n : 0));
}

// The list's rows from heading first on, as long work. False when it was
// cancelled or the text went meanwhile.
bool ListHeadings(HWND window, uint32_t first, uint32_t count, std::vector<std::wstring>* items)
{
    WorkProgress progress;
    PauseFeed(window);
    BeginLongWork(window, "目次作成中", &progress);
    const bool listed = VisitHeadingLines(first, count, &progress, AddHeadingItem, items);
    EndLongWork();
    ResumeFeed(window);
    return listed;
}

}  // namespace

void StepChapter(HWND window, bool forward)
{
    if (!HasText() || Doc.DatFlg == 1 || !LookForChapters(window))
        return;
    const uint32_t count = HeadingCount();
    if (count == 0)
        return;
    const uint32_t upTo = HeadingsUpTo(LineStart(Doc.Index, Doc.Place.line));
    if (forward) {
        if (upTo < count)
            NavigateTo(window, NAV_CLAMP, ChapterLine(upTo));
        return;
    }
    if (upTo == 0)
        return;
    uint32_t k = upTo - 1;
    if (ChapterLine(k) == Doc.Place.line) {
        if (k == 0)
            return;
        --k;
    }
    NavigateTo(window, NAV_CLAMP, ChapterLine(k));
}

void ChaptersCommand(HWND window)
{
    if (!HasText() || (Doc.DatFlg != 1 && !LookForChapters(window)))
        return;
    const uint32_t count = HeadingCount();
    const uint32_t upTo = HeadingsUpTo(LineStart(Doc.Index, Doc.Place.line));
    const uint32_t current = upTo > 0 ? upTo - 1 : 0;
    const uint32_t listed = count < LISTED_MOST ? count : LISTED_MOST;
    const uint32_t first = std::min(current - std::min(current, listed / 2), count - listed);
    std::vector<std::wstring> items;
    if (listed > 0 && !ListHeadings(window, first, listed, &items))
        return;
    std::vector<const wchar_t*> texts;
    for (const std::wstring& item : items)
        texts.push_back(item.c_str());
    int chosen = -1;
    // The text may have been closed from the tray menu while the list was up.
    if (AskChapter(window, AppInstance, texts.data(), static_cast<int>(listed), static_cast<int>(current - first),
                   &chosen) &&
        HasText() && first + static_cast<uint32_t>(chosen) < HeadingCount())
        NavigateTo(window, NAV_CLAMP, ChapterLine(first + static_cast<uint32_t>(chosen)));
}
