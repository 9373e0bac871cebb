// Finding a line by its text: the find dialog (F), and F3 / Shift+F3 to
// find the last text again in the same or the other direction. What waited
// meanwhile (an open, a clear, the exit) is the caller's to run after.
#ifndef SKERROW_WINDOW_FIND_H
#define SKERROW_WINDOW_FIND_H

#include <windows.h>

void FindCommand(HWND window);
void FindAgain(HWND window, bool reverse);

#endif
