// Keys, the wheel, typed line numbers and dropped files.
#ifndef SKERROW_WINDOW_INPUT_H
#define SKERROW_WINDOW_INPUT_H

#include <windows.h>
#include <shellapi.h>

void HandleKey(HWND window, WPARAM wParam);
// The pause after the last digit is over: shows the typed line.
void JumpToTypedLine(HWND window);
void StepByWheel(HWND window, int delta);
void OpenDroppedFile(HWND window, HDROP drop);

#endif
