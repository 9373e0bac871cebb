// The line shown reaches the settings file soon after it moves, so that a
// program ended any other way than by its exit (End task, a crash, a power
// cut) is offered its text at the right line next time. Steps are gathered:
// the file is written at most once every PLACE_DELAY_MS, with the latest
// line, and at once when the window hides or a box or dialog of the
// program opens.
#ifndef SKERROW_WINDOW_PLACE_H
#define SKERROW_WINDOW_PLACE_H

#include <windows.h>

const UINT PLACE_DELAY_MS = 2000;

// After a line was shown: the timer starts unless it runs already.
void PlaceMoved(HWND window);
// The timer is over, or the place must be on disk now.
void StorePlaceNow(HWND window);
// A box of the window, captioned "Skerrow": the place is stored first, as
// the box may stay up for long. Returns the box's answer.
int StoreThenAsk(HWND owner, const char* text, UINT flags);

#endif
