// The program's own texts are code page 932 bytes. They are shown through
// the wide-character calls, converted explicitly from code page 932, so that
// they read right whatever the system's ANSI code page is.
#ifndef SKERROW_BASE_WIDE_H
#define SKERROW_BASE_WIDE_H

#include <windows.h>

const UINT PROGRAM_CODE_PAGE = 932;

// Converts the first length bytes of text (-1: up to and with its
// terminating zero) into out (size characters), always terminated there;
// returns out.
wchar_t* WideFrom932(const char* text, int length, wchar_t* out, int size);

// A zero-terminated text of the program, converted for one call.
struct Wide932 {
    wchar_t text[1024];
    explicit Wide932(const char* cp932) { WideFrom932(cp932, -1, text, 1024); }
};

#endif
