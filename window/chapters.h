// Moving by the text's chapters: to the next or previous heading, or to
// one chosen from the list 「目次」. A bulletin-board text has none.
#ifndef SKERROW_WINDOW_CHAPTERS_H
#define SKERROW_WINDOW_CHAPTERS_H

#include <windows.h>

#include <cstdint>
#include <string>

// → shows the next heading's line; ← the heading at or before the line
// shown when that is not the line shown, else the one before it. With no
// heading that way, nothing moves.
void StepChapter(HWND window, bool forward);

// T and the context menu: the list of headings, and the one chosen shown.
void ChaptersCommand(HWND window);

// Line i as a list of lines shows it, on one row: its number from 1 and
// its text as read (line, zero-ended), converted from the text's encoding.
std::wstring ListedLine(uint32_t i, const char* line);

#endif
