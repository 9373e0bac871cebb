// Finding a line by its text: the find dialog (F), and F3 / Shift+F3 to
// find the last text again in the same or the other direction.
#ifndef SKERROW_WINDOW_FIND_H
#define SKERROW_WINDOW_FIND_H

#include <windows.h>

void FindCommand(HWND window);
void FindAgain(HWND window, bool reverse);

#endif
