#include <windows.h>

#include <cstring>

#include "app/settings.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (FetchBaseDir() != 0)
        return 0;

    memset(MutexName, 0, sizeof MutexName);
    ReplaceChar(BaseDir, '\\', '@', MutexName, sizeof MutexName);
    InstanceMutex = CreateMutexA(NULL, TRUE, MutexName);
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ReleaseMutex(InstanceMutex);
        CloseHandle(InstanceMutex);
        return 0;
    }

    if (BindUser32() != 0)
        return 0;
    LoadSettings();

    if (RegisterMainClass(instance) == 0 || CreateMainWindow(instance, showCommand) == 0) {
        ReleaseMutex(InstanceMutex);
        CloseHandle(InstanceMutex);
        FreeLibrary(User32Module);
        return 0;
    }

    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }

    ReleaseMutex(InstanceMutex);
    CloseHandle(InstanceMutex);
    // Released here rather than by the exit routine: that routine also runs
    // at a log-off that may be cancelled, after which the window lives on
    // and may still set its transparency through the bound pointer.
    FreeLibrary(User32Module);
    return static_cast<int>(message.wParam);
}
