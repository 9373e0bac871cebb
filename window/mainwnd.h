// The main window's procedure and the input it turns into navigation.
#ifndef SKERROW_WINDOW_MAINWND_H
#define SKERROW_WINDOW_MAINWND_H

#include <windows.h>

#include <cstdint>

#include "window/numkey.h"

extern HWND MainWnd;
extern HINSTANCE AppInstance;
extern char NumKeyBuf[NUMKEY_MAX_DIGITS + 1];
extern int NumKeyCnt;
extern int AutoFlg;  // the automatic feed is switched on

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Clears DispText, shows the line chosen by code from `from` and repaints.
void NavigateTo(HWND window, int code, uint32_t from);
int ExecuteCommand(HWND window, WPARAM wParam);
void RaiseWindow(HWND window);

// Keyboard, wheel, typed numbers, dropped files and the feed switch.
int HandleKey(HWND window, WPARAM wParam);
void JumpToTypedLine(HWND window);
void StepByWheel(HWND window, int delta);
int OpenDroppedFile(HWND window, HDROP drop);
int ToggleAutoFeed(HWND window);

#endif
