// Long work (an open, a restore, a find, the look for headings and their
// list) runs in slices on the window's own message loop: each slice does
// pieces of it for a few hundredths of a second, then posts the next, so
// the window's messages are handled in between. Esc stops it; from a
// quarter of a second on the window shows how far it got in the line's
// place ("検索中 37%"); what the work needs asked, the window asks.
#ifndef SKERROW_WINDOW_LONGWORK_H
#define SKERROW_WINDOW_LONGWORK_H

#include <windows.h>

// Runs the work just started in the document (StartOpen, StartFind...),
// named label (code page 932) in its progress; ended(window, arg) follows
// once it is over, with LastWork() telling how.
void RunLongWork(HWND window, const char* label, void (*ended)(HWND window, int arg), int arg);

// The next slice: what WM_LONGWORK and TIMER_LONGWORK run.
void RunLongWorkSlice(HWND window);

// What the window shows instead of its line, or NULL.
const char* LongWorkText();

// A command that comes while work is under way (IDM_EXIT, IDM_CLEAR or
// IDM_OPEN with the file dropped meanwhile, or NULL) runs once the work is
// over: WM_WAITINGCOMMAND is posted then. Closing the program outranks the
// others; of those, the last one counts.
void WaitForWork(int id, const wchar_t* path);
// The command that waited, taken: false when none; path gets PATH_SIZE
// characters.
bool TakeWaitingCommand(int* id, wchar_t* path);

#endif
