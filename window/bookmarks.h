// Bookmarks (しおり) from the window: M puts one at the place shown or
// takes away those of the piece shown, B lists them, and the picture marks
// a piece that has one.
#ifndef SKERROW_WINDOW_BOOKMARKS_H
#define SKERROW_WINDOW_BOOKMARKS_H

#include <windows.h>

#include "window/layout.h"

// M and the context menu.
void MarkCommand(HWND window);

// B and the context menu: the list 「しおり」, the one chosen shown.
void BookmarksCommand(HWND window);

// Whether a bookmark lies within the piece of the line shown that layout
// holds.
bool PieceMarked(const LineLayout& layout);

#endif
