#include "window/chapters.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/base/wide.h"
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

uint32_t HeadingLine(uint32_t k)
{
    uint32_t line = FirstLineFrom(Doc.Index, Doc.Chapters.at[k]);
    return line < Doc.LineCnt ? line : Doc.LineCnt - 1;
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

// The heading as the list shows it: its number and its line as read, on
// one row.
std::wstring HeadingItem(uint32_t k)
{
    static char line[LINE_MAX_BYTES + 2];
    const uint32_t i = HeadingLine(k);
    size_t length = ReadShownLine(i, line);
    while (length > 0 && (line[length - 1] == '\r' || line[length - 1] == '\n'))
        line[--length] = '\0';
    static wchar_t wide[LINE_MAX_BYTES + 2];
    int n = MultiByteToWideChar(Doc.Unicode ? CP_UTF8 : PROGRAM_CODE_PAGE, 0, line, -1, wide, LINE_MAX_BYTES + 2);
    wchar_t number[16];
    _snwprintf(number, 16, L"%u: ", i + 1);
    return std::wstring(number) + (n > 0 ? wide : L"");
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
            NavigateTo(window, NAV_CLAMP, HeadingLine(upTo));
        return;
    }
    if (upTo == 0)
        return;
    uint32_t k = upTo - 1;
    if (HeadingLine(k) == Doc.Place.line) {
        if (k == 0)
            return;
        --k;
    }
    NavigateTo(window, NAV_CLAMP, HeadingLine(k));
}

void ChaptersCommand(HWND window)
{
    if (!HasText() || (Doc.DatFlg != 1 && !LookForChapters(window)))
        return;
    const uint32_t count = HeadingCount();
    std::vector<std::wstring> items;
    for (uint32_t k = 0; k < count; ++k)
        items.push_back(HeadingItem(k));
    std::vector<const wchar_t*> texts;
    for (const std::wstring& item : items)
        texts.push_back(item.c_str());
    const uint32_t upTo = HeadingsUpTo(LineStart(Doc.Index, Doc.Place.line));
    int chosen = -1;
    // The text may have been closed from the tray menu while the list was up.
    if (AskChapter(window, AppInstance, texts.data(), static_cast<int>(count), upTo > 0 ? static_cast<int>(upTo - 1) : 0,
                   &chosen) &&
        HasText() && static_cast<uint32_t>(chosen) < HeadingCount())
        NavigateTo(window, NAV_CLAMP, HeadingLine(static_cast<uint32_t>(chosen)));
}
