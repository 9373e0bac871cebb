// Hiding the window once the pointer has left it (LeaveHide), and showing
// it again, without the keyboard focus, when the pointer comes back over
// its place. A look at the pointer every tenth of a second while switched on.
#ifndef SKERROW_WINDOW_POINTER_H
#define SKERROW_WINDOW_POINTER_H

#include <windows.h>

// Starts or stops the looks as the settings say.
void WatchPointerAsSet(HWND window);

// The pointer moved over the shown window (WM_MOUSEMOVE, WM_NCMOUSEMOVE):
// from now on its leaving counts, even before the next look.
void PointerMoved();

// A look at the pointer (TIMER_POINTER).
void LookAtPointer(HWND window);

#endif
