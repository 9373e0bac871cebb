#include "base/user32.h"

#include "base/msgbox.h"

LateBound User32;

namespace {
const int MDT_EFFECTIVE_DPI = 0;
}

int BindUser32()
{
    User32.user32 = LoadLibraryA("user32.dll");
    if (User32.user32 == NULL) {
        ShowMessage(NULL, "USER32.DLLが読み込めませんでした。", "Error", MB_ICONERROR);
        return -1;
    }
    User32.SetLayeredAttributes = reinterpret_cast<SetLayeredAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32.user32, "SetLayeredWindowAttributes")));
    if (User32.SetLayeredAttributes == NULL) {
        ShowMessage(NULL,
                    "SetLayeredWindowAttributes()関数のポインタが取得できませんでした。"
                    "Windows2000以降ではない可能性があります。",
                    "Error", MB_ICONERROR);
        UnbindUser32();
        return -1;
    }
    User32.UpdateLayered = reinterpret_cast<UpdateLayeredFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32.user32, "UpdateLayeredWindow")));
    // Optional: before Windows 10 the system's DPI serves.
    User32.DpiForWindow = reinterpret_cast<DpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32.user32, "GetDpiForWindow")));
    User32.shcore = LoadLibraryA("shcore.dll");
    if (User32.shcore != NULL)
        User32.DpiForMonitor = reinterpret_cast<DpiForMonitorFunction>(
            reinterpret_cast<void*>(GetProcAddress(User32.shcore, "GetDpiForMonitor")));
    return 0;
}

UINT DpiOf(HWND window)
{
    UINT dpi = User32.DpiForWindow != NULL && window != NULL ? User32.DpiForWindow(window) : 0;
    if (dpi == 0 && window != NULL)
        dpi = User32.changedDpi;
    if (dpi == 0) {
        HDC screen = GetDC(NULL);
        dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
        ReleaseDC(NULL, screen);
    }
    return dpi != 0 ? dpi : 96;
}

UINT DpiOfMonitor(HMONITOR monitor)
{
    UINT x = 0, y = 0;
    if (User32.DpiForMonitor != NULL && User32.DpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y) == S_OK && y != 0)
        return y;
    return DpiOf(NULL);
}

void NoteDpiChange(UINT dpi)
{
    User32.changedDpi = dpi;
}

void UnbindUser32()
{
    if (User32.user32 != NULL)
        FreeLibrary(User32.user32);
    User32.user32 = NULL;
    if (User32.shcore != NULL)
        FreeLibrary(User32.shcore);
    User32.shcore = NULL;
    User32.SetLayeredAttributes = NULL;
    User32.UpdateLayered = NULL;
    User32.DpiForWindow = NULL;
    User32.DpiForMonitor = NULL;
}
