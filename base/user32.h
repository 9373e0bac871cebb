// Entry points of user32 bound at run time, so that the program still
// starts, with a clear message, on a system that lacks them.
#ifndef SKERROW_BASE_USER32_H
#define SKERROW_BASE_USER32_H

#include <windows.h>

typedef BOOL(WINAPI* SetLayeredAttributesFunction)(HWND, COLORREF, BYTE, DWORD);
typedef BOOL(WINAPI* UpdateLayeredFunction)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*,
                                            DWORD);

typedef UINT(WINAPI* DpiForWindowFunction)(HWND);
typedef HRESULT(WINAPI* DpiForMonitorFunction)(HMONITOR, int, UINT*, UINT*);

// The entry points bound, the libraries they come from, and the DPI the
// last WM_DPICHANGED gave.
struct LateBound {
    SetLayeredAttributesFunction SetLayeredAttributes;
    // UpdateLayeredWindow: optional; without it the whole window is faded.
    UpdateLayeredFunction UpdateLayered;
    DpiForWindowFunction DpiForWindow;    // optional (Windows 10)
    DpiForMonitorFunction DpiForMonitor;  // optional (shcore, Windows 8.1)
    HMODULE user32, shcore;
    UINT changedDpi;
};
extern LateBound User32;

// The DPI a window is drawn at: its monitor's on systems that tell it
// (GetDpiForWindow, Windows 10), else the one the last WM_DPICHANGED gave
// (Windows 8.1), else the system's.
UINT DpiOf(HWND window);
void NoteDpiChange(UINT dpi);

// The DPI of a monitor (GetDpiForMonitor of shcore, Windows 8.1), else the
// system's.
UINT DpiOfMonitor(HMONITOR monitor);

// Loads user32 and binds SetLayeredWindowAttributes, and the optional
// UpdateLayeredWindow and DPI calls; -1 after a message.
int BindUser32();

// Lets the library go, once, as the program ends.
void UnbindUser32();

#endif
