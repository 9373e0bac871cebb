// The commands of the menus, and of the keys that stand for them.
#ifndef SKERROW_WINDOW_COMMANDS_H
#define SKERROW_WINDOW_COMMANDS_H

#include <windows.h>

// Carries out one IDM_ command.
void RunCommand(HWND window, int id);

// Opens path as the new text (a dropped file; an empty path is one that did
// not fit), or with NULL asks for one with the open dialog. The open runs
// as long work; while other work is under way it waits for it.
void OpenCommand(HWND window, const wchar_t* path);

// Closes the program after the exit routine, unless the user declines;
// while long work is under way, it is stopped and the close follows it.
void CloseProgram(HWND window);

// Runs what was asked for while long work was under way (WM_WAITINGCOMMAND).
void RunWaitingCommand(HWND window);

#endif
