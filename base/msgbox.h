// Every message box of the program is shown through ShowMessage, so that
// the in-process tests can read each box's words and flags and answer it.
#ifndef SKERROW_BASE_MSGBOX_H
#define SKERROW_BASE_MSGBOX_H

#include <windows.h>

typedef int(WINAPI* MessageBoxFunction)(HWND owner, LPCSTR text, LPCSTR caption, UINT flags);

extern MessageBoxFunction ShowMessage;

#endif
