// Every message box of the program is shown through ShowMessage: its
// texts, code page 932 bytes, shown through the wide call whatever the
// system's code page.
#ifndef SKERROW_BASE_MSGBOX_H
#define SKERROW_BASE_MSGBOX_H

#include <windows.h>

int ShowMessage(HWND owner, const char* text, const char* caption, UINT flags);

#endif
