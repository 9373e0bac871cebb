// The commands of the menus, and of the keys that stand for them.
#ifndef SKERROW_WINDOW_COMMANDS_H
#define SKERROW_WINDOW_COMMANDS_H

#include <windows.h>

// Carries out one IDM_ command.
void RunCommand(HWND window, int id);

// Opens path as the new text (a dropped file; an empty path is one that did
// not fit), or with NULL asks for one with the open dialog.
void OpenCommand(HWND window, const char* path);

// Closes the program after the exit routine, unless the user declines or
// an open or restore still waits on its question.
void CloseProgram(HWND window);

#endif
