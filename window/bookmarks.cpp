#include "window/bookmarks.h"

#include <cwchar>
#include <string>
#include <vector>

#include "base/recent.h"
#include "dialogs/dialogs.h"
#include "document/bookmarks.h"
#include "document/document.h"
#include "document/work.h"
#include "window/chapters.h"
#include "window/handles.h"
#include "window/place.h"
#include "window/view.h"

namespace {

// A list row shows this many characters of its line at most: enough to
// know it by.
const size_t LISTED_CHARACTERS = 60;

// The bytes of the line shown that the piece of layout shows: from its
// start up to before the next piece's.
void PieceBounds(const LineLayout& layout, uint32_t* from, uint32_t* to)
{
    *from = PieceStart(layout.piece);
    *to = layout.piece + 1 < layout.pieces ? PieceStart(layout.piece + 1) : UINT32_MAX;
}

// The bookmarks as the list stands, of the text it was made for: the text
// may be closed or another opened from the tray menu while the list is up.
struct ListedMarks {
    std::vector<ReadingPlace> at;
    wchar_t path[PATH_SIZE];
};
ListedMarks Listed;

bool SameTextListed()
{
    return TextSettled() && HasText() && SameFile(Doc.Path, Listed.path);
}

void MarkRemoved(int row)
{
    if (row < 0 || static_cast<size_t>(row) >= Listed.at.size())
        return;
    if (SameTextListed())
        RemoveBookmark(Listed.at[static_cast<size_t>(row)]);
    Listed.at.erase(Listed.at.begin() + row);
    InvalidateRect(MainWnd, NULL, TRUE);
}

bool MarksCanChange()
{
    return HasText() && TextSettled() && WorkUnderWay() == NO_WORK;
}

}  // namespace

bool PieceMarked(const LineLayout& layout)
{
    uint32_t from, to;
    PieceBounds(layout, &from, &to);
    return MarkWithin(Doc.Marks, Doc.Place.line, from, to) < Doc.Marks.count;
}

void MarkCommand(HWND window)
{
    if (!MarksCanChange())
        return;
    LineLayout layout;
    LayOutShown(window, NULL, &layout);
    uint32_t from, to;
    PieceBounds(layout, &from, &to);
    if (ToggleBookmark(from, to) == MARKS_FULL)
        StoreThenAsk(window, "しおりは100までです。", MB_ICONINFORMATION);
    InvalidateRect(window, NULL, TRUE);
}

void BookmarksCommand(HWND window)
{
    if (!MarksCanChange())
        return;
    Listed.at.assign(Doc.Marks.at, Doc.Marks.at + Doc.Marks.count);
    wcscpy(Listed.path, Doc.Path);
    std::vector<std::wstring> items;
    std::vector<const wchar_t*> texts;
    static char line[LINE_MAX_BYTES + 2];
    int current = 0;
    for (const ReadingPlace& mark : Listed.at) {
        ReadShownLine(mark.line, line);
        std::wstring item = ListedLine(mark.line, line);
        size_t cut = item.find(L": ") + 2 + LISTED_CHARACTERS;
        // Not between the halves of a character beyond the BMP.
        if (cut < item.size() && item[cut - 1] >= 0xD800 && item[cut - 1] < 0xDC00)
            --cut;
        items.push_back(item.substr(0, cut));
        if (mark.line < Doc.Place.line || (mark.line == Doc.Place.line && mark.offset <= Doc.Place.offset))
            current = static_cast<int>(items.size()) - 1;
    }
    for (const std::wstring& item : items)
        texts.push_back(item.c_str());
    int chosen = -1;
    if (AskBookmark(window, AppInstance, texts.data(), static_cast<int>(texts.size()), current, &chosen, MarkRemoved) &&
        SameTextListed() && static_cast<size_t>(chosen) < Listed.at.size())
        ShowPlace(window, Listed.at[static_cast<size_t>(chosen)]);
}
