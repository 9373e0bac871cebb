#include <windows.h>

#include <cwchar>

#include "base/paths.h"
#include "base/settings.h"
#include "base/user32.h"
#include "app/startup.h"

namespace {

// The message loop, until the window has gone.
void RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, NULL, 0, 0)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// Starts the program when no other copy runs from the same folder.
void RunProgram(HINSTANCE instance, int showCommand)
{
    if (BindUser32() != 0)
        return;
    LoadSettings();
    if (RegisterMainClass(instance) != 0 && CreateMainWindow(instance, showCommand))
        RunMessageLoop();
    // Let go here rather than at the exit routine: that routine also runs at
    // a log-off that may be cancelled, after which the window lives on and
    // may still set its transparency through the bound pointer.
    UnbindUser32();
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (FetchBaseDir() != 0)
        return 0;

    // One copy per start folder: the mutex is named after the folder, with
    // '@' for each backslash (kernel object names take none).
    wchar_t mutexName[PATH_SIZE];
    wmemset(mutexName, L'\0', PATH_SIZE);
    ReplaceChar(BaseDir, L'\\', L'@', mutexName, PATH_SIZE);
    HANDLE mutex = CreateMutexW(NULL, TRUE, mutexName);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        RunProgram(instance, showCommand);
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}
