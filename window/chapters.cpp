#include "window/chapters.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/wide.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "document/work.h"
#include "window/handles.h"
#include "window/longwork.h"
#include "window/view.h"

namespace {

// The headings of the text shown: none for posts, none while they have
// not been looked for.
uint32_t HeadingCount()
{
    return TextSettled() && Doc.DatFlg != 1 ? Doc.Chapters.count : 0;
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

// The list as it is being made: the rows from heading first on, the one
// to select, and a row being made.
struct HeadingRows {
    std::vector<std::wstring> items;
    uint32_t first, current;
    wchar_t wide[LINE_MAX_BYTES + 2];
};
HeadingRows Rows;

void AddHeadingItem(const char* line, uint32_t i, void* items)
{
    static_cast<std::vector<std::wstring>*>(items)->push_back(ListedLine(i, line));
}

// What the chapter keys and the list asked for, once the headings are
// looked for the first time: a large text takes a pass over its copy.
enum { STEP_BACK, STEP_FORWARD, LIST };

void HeadingsFound(HWND window, int asked)
{
    if (!HasText() || !Doc.Chapters.found)
        return;
    if (asked == LIST)
        ChaptersCommand(window);
    else
        StepChapter(window, asked == STEP_FORWARD);
}

// Whether the headings have been looked for; if not, the look starts,
// `asked` to follow it.
bool HeadingsKnown(HWND window, int asked)
{
    if (Doc.Chapters.found)
        return true;
    if (StartHeadingSearch())
        RunLongWork(window, "目次作成中", HeadingsFound, asked);
    return false;
}

void HeadingsListed(HWND window, int)
{
    std::vector<std::wstring> items;
    items.swap(Rows.items);
    if (!LastWork().listed || !TextSettled())
        return;
    std::vector<const wchar_t*> texts;
    for (const std::wstring& item : items)
        texts.push_back(item.c_str());
    int chosen = -1;
    const uint32_t first = Rows.first;
    // The text may have been closed from the tray menu while the list was up.
    if (AskChapter(window, AppInstance, texts.data(), static_cast<int>(items.size()),
                   static_cast<int>(Rows.current - first), &chosen) &&
        TextSettled() && first + static_cast<uint32_t>(chosen) < HeadingCount())
        NavigateTo(window, NAV_CLAMP, ChapterLine(first + static_cast<uint32_t>(chosen)));
}

}  // namespace

std::wstring ListedLine(uint32_t i, const char* line)
{
    int length = static_cast<int>(strlen(line));
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n'))
        --length;
    wchar_t* wide = Rows.wide;
    int n = length > 0 ? MultiByteToWideChar(Doc.Unicode ? CP_UTF8 : PROGRAM_CODE_PAGE, 0, line, length, wide,
                                             LINE_MAX_BYTES + 2)
                       : 0;
    wchar_t number[16];
    _snwprintf(number, 16, L"%u: ", i + 1);
    return std::wstring(number) + std::wstring(wide, n > 0 ? n : 0);
}

void StepChapter(HWND window, bool forward)
{
    if (!TextSettled() || WorkUnderWay() != NO_WORK || Doc.DatFlg == 1 ||
        !HeadingsKnown(window, forward ? STEP_FORWARD : STEP_BACK))
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
    if (!TextSettled() || WorkUnderWay() != NO_WORK || (Doc.DatFlg != 1 && !HeadingsKnown(window, LIST)))
        return;
    const uint32_t count = HeadingCount();
    const uint32_t upTo = HeadingsUpTo(LineStart(Doc.Index, Doc.Place.line));
    const uint32_t current = upTo > 0 ? upTo - 1 : 0;
    const uint32_t listed = count < LISTED_MOST ? count : LISTED_MOST;
    Rows.first = std::min(current - std::min(current, listed / 2), count - listed);
    Rows.current = current;
    Rows.items.clear();
    if (StartHeadingList(Rows.first, listed, AddHeadingItem, &Rows.items))
        RunLongWork(window, "目次作成中", HeadingsListed, 0);
}
