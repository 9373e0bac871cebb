// The open text: its working copy, the line index and the line on display.
#ifndef SKERROW_DOCUMENT_DOCUMENT_H
#define SKERROW_DOCUMENT_DOCUMENT_H

#include <windows.h>

#include <cstdint>

struct TextDocument {
    HANDLE WorkHandle;  // the opened working copy; INVALID_HANDLE_VALUE when none
    uint32_t* LineOfs;  // byte offset of each displayable line
    uint32_t* LineLen;  // its length, line end included
    uint32_t LineCnt;   // 0: nothing is open
    uint32_t CurLine;   // zero-based index of the line shown
    int DatFlg;         // 1: lines are shown as bulletin-board posts
};

extern TextDocument Doc;

// What the window paints: at most 8,192 bytes and the terminating zero.
const size_t DISP_TEXT_SIZE = 8193;
extern char DispText[DISP_TEXT_SIZE];

// Navigation codes of ShowLine.
enum { NAV_PREV = 0, NAV_NEXT = 1, NAV_TOP = 2, NAV_END = 3, NAV_CLAMP = 4 };

// Closes the working copy and frees the index; resets nothing else.
void ReleaseText();

// Composes the line chosen by code from index into out and returns its index.
uint32_t ShowLine(HWND window, int code, uint32_t index, char* out);

// mode 1: open path; otherwise ask with the open dialog. 0 on success or cancel.
int OpenTextFile(HWND window, int mode, const char* path);
int RestoreLastText(HWND window);
int ClearText(HWND window);

#endif
