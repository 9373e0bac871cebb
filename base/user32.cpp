#include "base/user32.h"

#include "base/msgbox.h"

SetLayeredAttributesFunction SetLayeredAttributes;
UpdateLayeredFunction UpdateLayered;

namespace {
HMODULE User32Module;
typedef UINT(WINAPI* DpiForWindowFunction)(HWND);
DpiForWindowFunction DpiForWindow;
UINT ChangedDpi;
HMODULE ShcoreModule;
typedef HRESULT(WINAPI* DpiForMonitorFunction)(HMONITOR, int, UINT*, UINT*);
DpiForMonitorFunction DpiForMonitor;
const int MDT_EFFECTIVE_DPI = 0;
}

int BindUser32()
{
    User32Module = LoadLibraryA("user32.dll");
    if (User32Module == NULL) {
        ShowMessage(NULL, "USER32.DLLが読み込めませんでした。", "Error", MB_ICONERROR);
        return -1;
    }
    SetLayeredAttributes = reinterpret_cast<SetLayeredAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32Module, "SetLayeredWindowAttributes")));
    if (SetLayeredAttributes == NULL) {
        ShowMessage(NULL,
                    "SetLayeredWindowAttributes()関数のポインタが取得できませんでした。"
                    "Windows2000以降ではない可能性があります。",
                    "Error", MB_ICONERROR);
        UnbindUser32();
        return -1;
    }
    UpdateLayered = reinterpret_cast<UpdateLayeredFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32Module, "UpdateLayeredWindow")));
    // Optional: before Windows 10 the system's DPI serves.
    DpiForWindow = reinterpret_cast<DpiForWindowFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32Module, "GetDpiForWindow")));
    ShcoreModule = LoadLibraryA("shcore.dll");
    if (ShcoreModule != NULL)
        DpiForMonitor = reinterpret_cast<DpiForMonitorFunction>(
            reinterpret_cast<void*>(GetProcAddress(ShcoreModule, "GetDpiForMonitor")));
    return 0;
}

UINT DpiOf(HWND window)
{
    UINT dpi = DpiForWindow != NULL && window != NULL ? DpiForWindow(window) : 0;
    if (dpi == 0 && window != NULL)
        dpi = ChangedDpi;
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
    if (DpiForMonitor != NULL && DpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &x, &y) == S_OK && y != 0)
        return y;
    return DpiOf(NULL);
}

void NoteDpiChange(UINT dpi)
{
    ChangedDpi = dpi;
}

void UnbindUser32()
{
    if (User32Module != NULL)
        FreeLibrary(User32Module);
    User32Module = NULL;
    if (ShcoreModule != NULL)
        FreeLibrary(ShcoreModule);
    ShcoreModule = NULL;
    SetLayeredAttributes = NULL;
    UpdateLayered = NULL;
    DpiForWindow = NULL;
    DpiForMonitor = NULL;
}
