// Keys, the wheel, typed line numbers and dropped files.
#ifndef SKERROW_WINDOW_INPUT_H
#define SKERROW_WINDOW_INPUT_H

#include <windows.h>
#include <shellapi.h>

#include "window/numkey.h"

// The digits typed so far, until a short pause ends the entry.
extern char NumKeyBuf[NUMKEY_MAX_DIGITS + 1];
extern int NumKeyCnt;

void HandleKey(HWND window, WPARAM wParam);
// The pause after the last digit is over: shows the typed line.
void JumpToTypedLine(HWND window);
void StepByWheel(HWND window, int delta);
void OpenDroppedFile(HWND window, HDROP drop);

#endif
