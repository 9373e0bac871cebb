// Work that may take long (an open, a restore, a find) runs on the window's
// own thread. Between its steps the window's messages are dispatched, so it
// stays responsive; Esc cancels it; and from a quarter of a second on the
// window shows how far it got in the line's place ("検索中 37%").
#ifndef SKERROW_WINDOW_LONGWORK_H
#define SKERROW_WINDOW_LONGWORK_H

#include <windows.h>

#include "document/document.h"

// Starts a piece of long work named label (code page 932) in window;
// *progress is then what the document is given.
void BeginLongWork(HWND window, const char* label, WorkProgress* progress);
void EndLongWork();

// Whether long work is under way, and Esc's way to stop it.
bool LongWorkRunning();
void CancelLongWork();

// What the window shows instead of its line, or NULL.
const char* LongWorkText();

#endif
