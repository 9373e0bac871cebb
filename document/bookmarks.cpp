#include "document/bookmarks.h"

#include "document/document.h"
#include "document/session.h"
#include "document/text.h"

MarkToggle ToggleBookmark(uint32_t from, uint32_t to)
{
    if (!HasText())
        return MARKS_FULL;
    const MarkToggle done = ToggleMark(&Text.Marks, Text.Place, from, to);
    if (done != MARKS_FULL)
        StorePlace();
    return done;
}

void RemoveBookmark(ReadingPlace place)
{
    const uint32_t k = MarkWithin(Text.Marks, place.line, place.offset, place.offset + 1);
    if (k >= Text.Marks.count || !HasText())
        return;
    RemoveMark(&Text.Marks, k);
    StorePlace();
}
