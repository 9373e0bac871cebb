// What the window shows: the line on display and the automatic feed that
// moves it.
#ifndef SKERROW_WINDOW_VIEW_H
#define SKERROW_WINDOW_VIEW_H

#include <windows.h>

#include <cstdint>

#include "document/navigate.h"

extern int AutoFlg;  // the automatic feed is switched on

// Shows the line chosen by code from `from`, at its first piece, starts
// the feed's period afresh and repaints.
void NavigateTo(HWND window, int code, uint32_t from);

// Shows the place: its line composed again (a line beyond the text's end
// gives the last line, at its first piece), and the piece that holds its
// character.
void ShowPlace(HWND window, ReadingPlace place);

// One piece on (forward) or back: within the line while it has pieces
// there, else the next line's first piece or the previous line's last.
void StepThrough(HWND window, bool forward);

// Hides the window (Esc, the pointer gone): the place is stored first; the
// icon stays.
void HideView(HWND window);

// After the text has gone: the feed off and the window blank.
void ShowNoText(HWND window);

// Takes up again a text that a log-off, called off since, released: at its
// line, or blank when it cannot be. Nothing when no text waits for it.
void ResumeReleasedText(HWND window);

// The feed's timer stopped, or started with the whole period of the piece
// shown, when the feed is on (and the options sheet is not open, and the
// window shows); the switch itself stays as it is.
void PauseFeed(HWND window);
void ResumeFeed(HWND window);

// The feed waits while the window is hidden, unseen lines being lost
// lines; shown again, the piece it was on has its whole period.
void FeedFollowsShowing(HWND window, const WINDOWPOS* change);

// Switches the feed on or off; only while a text is open.
void ToggleAutoFeed(HWND window);

#endif
