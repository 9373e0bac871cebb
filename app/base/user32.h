// Entry points of user32 bound at run time, so that the program still
// starts, with a clear message, on a system that lacks them.
#ifndef SKERROW_APP_BASE_USER32_H
#define SKERROW_APP_BASE_USER32_H

#include <windows.h>

typedef BOOL(WINAPI* SetLayeredAttributesFunction)(HWND, COLORREF, BYTE, DWORD);

extern SetLayeredAttributesFunction SetLayeredAttributes;

// Loads user32 and binds SetLayeredWindowAttributes; -1 after a message.
int BindUser32();

// Lets the library go, once, as the program ends.
void UnbindUser32();

#endif
