// The commands of the menus, and of the keys that stand for them.
#ifndef SKERROW_WINDOW_COMMANDS_H
#define SKERROW_WINDOW_COMMANDS_H

#include <windows.h>

// Carries out one IDM_ command.
void RunCommand(HWND window, int id);

// Opens path as the new text (a dropped file; an empty path is one that did
// not fit), or with NULL asks for one with the open dialog. True when the
// text could not be read (the user was told), not when it was cancelled.
bool OpenCommand(HWND window, const wchar_t* path);

// Closes the program after the exit routine, unless the user declines; while
// an open or restore waits on its question, once that is answered.
void CloseProgram(HWND window);

// Runs what was asked for while an open or restore waited on its question.
void RunWaitingCommand(HWND window);

#endif
