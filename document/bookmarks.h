// The open text's bookmarks (しおり) put in and taken out. Each change
// reaches the settings file at once, so that a kill loses none.
#ifndef SKERROW_DOCUMENT_BOOKMARKS_H
#define SKERROW_DOCUMENT_BOOKMARKS_H

#include <cstdint>

#include "base/bookmarks.h"

// M at the piece shown, bytes `from` up to before `to` of the line shown
// (ToggleMark at Doc.Place). MARKS_FULL, nothing changed, without a text.
MarkToggle ToggleBookmark(uint32_t from, uint32_t to);

// The bookmark at place taken out, if the open text has one there.
void RemoveBookmark(ReadingPlace place);

#endif
