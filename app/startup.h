// Start-up of the program: the start folder, the main window class and the
// main window.
#ifndef SKERROW_APP_STARTUP_H
#define SKERROW_APP_STARTUP_H

#include <windows.h>

// Sets BaseDir from the current directory. Returns -1, after telling the
// user, when it cannot be fetched or is too deep for the program's files.
int FetchBaseDir();

ATOM RegisterMainClass(HINSTANCE instance);

// Creates the main window from the settings, with its border and
// transparency, and shows it. False when it could not be made.
bool CreateMainWindow(HINSTANCE instance, int showCommand);

#endif
