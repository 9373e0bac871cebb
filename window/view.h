// What the window shows: the line on display and the automatic feed that
// moves it.
#ifndef SKERROW_WINDOW_VIEW_H
#define SKERROW_WINDOW_VIEW_H

#include <windows.h>

#include <cstdint>

extern int AutoFlg;  // the automatic feed is switched on
// Non-zero while the options sheet is open: no line shown then restarts the
// feed, so lines do not move while the settings that shape them change.
extern int FeedHeld;

// Shows the line chosen by code from `from`, starts the feed's period
// afresh and repaints.
void NavigateTo(HWND window, int code, uint32_t from);

// After the text has gone: the feed off and the window blank.
void ShowNoText(HWND window);

// Takes up again a text that a log-off, called off since, released: at its
// line, or blank when it cannot be. Nothing when no text waits for it.
void ResumeReleasedText(HWND window);

// The feed's timer stopped, or started with the current interval, when the
// feed is on (and not held); the switch itself stays as it is.
void PauseFeed(HWND window);
void ResumeFeed(HWND window);

// Switches the feed on or off; only while a text is open.
void ToggleAutoFeed(HWND window);

#endif
