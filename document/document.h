// The open text: its working copy, the line index and the line on display.
#ifndef SKERROW_DOCUMENT_DOCUMENT_H
#define SKERROW_DOCUMENT_DOCUMENT_H

#include <windows.h>

#include <cstdint>

#include "document/lineindex.h"
#include "document/navigate.h"

struct TextDocument {
    HANDLE WorkHandle;  // the opened working copy; INVALID_HANDLE_VALUE when none
    LineIndex Index;    // where each displayable line lies in the copy
    uint32_t LineCnt;   // lines shown; 0 while nothing is open
    uint32_t CurLine;   // zero-based index of the line shown
    int DatFlg;         // 1: lines are shown as bulletin-board posts
};

extern TextDocument Doc;

// Non-zero while an open or a restore is under way, message boxes included.
// Commands that would release or replace the text wait until it is over.
extern int DocBusy;

// What the window paints: at most 8,192 bytes and the terminating zero.
const size_t DISP_TEXT_SIZE = 8193;
extern char DispText[DISP_TEXT_SIZE];

// Closes the working copy and frees the index; resets nothing else.
void ReleaseText();

// Composes the line chosen by code from index into out (DISP_TEXT_SIZE
// bytes) and returns its index; 0, touching nothing, when no text is open.
uint32_t ShowLine(HWND window, int code, uint32_t index, char* out);

// Reads the whole working copy through a fixed buffer into index.
// False, with index empty, when the copy cannot be read or memory runs out.
bool BuildLineIndex(HANDLE handle, LineIndex* index);

// Asks whether a text whose first line has the bulletin-board form is to be
// shown as posts; 1 if so.
int AskDatForm(HANDLE handle, const LineIndex& index);

// mode 1: open path; otherwise ask with the open dialog. 0 on success or cancel.
int OpenTextFile(HWND window, int mode, const char* path);
int RestoreLastText(HWND window);
int ClearText(HWND window);

// Back to the state with no text: blank window, no line, feed off. The
// caller has released the text.
void ResetDocument(HWND window);

// After a log-off that did not happen: the exit routine released the text,
// so take it up again from the working copy at the line shown.
void ResumeAfterCancelledEnd(HWND window);

#endif
