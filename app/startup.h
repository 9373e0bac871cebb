// Start-up and shutdown of the program: the start folder, the one-copy-
// per-folder guard, the main window class and window, and the exit routine.
#ifndef SKERROW_APP_STARTUP_H
#define SKERROW_APP_STARTUP_H

#include <windows.h>

#include "app/paths.h"

typedef BOOL(WINAPI* SetLayeredAttributesFunction)(HWND, COLORREF, BYTE, DWORD);

extern char MutexName[PATH_SIZE];
extern HANDLE InstanceMutex;
extern HMODULE User32Module;
// Bound at run time: the program still starts, with a clear message, on a
// system that has no layered windows.
extern SetLayeredAttributesFunction SetLayeredAttributes;
// BaseDir + "Skerrow.tmp", the working copy of the open text.
extern char WorkFile[PATH_SIZE];

// Sets BaseDir from the current directory. Returns -1, after telling the
// user, when it cannot be fetched or is too deep for the program's files.
int FetchBaseDir();

// Loads user32 and binds SetLayeredWindowAttributes; -1 after a message.
int BindUser32();

ATOM RegisterMainClass(HINSTANCE instance);
int CreateMainWindow(HINSTANCE instance, int showCommand);
int InitDocumentState(HWND window);

// The exit routine: asks when told to, writes the keys that outlive the run
// and releases the open text. 0 = the program may close, -1 = the user said no.
int SaveAndRelease(HWND window, int ask);

#endif
