#include "window/pointer.h"

#include "base/settings.h"
#include "res/resource.h"
#include "window/leave.h"
#include "window/view.h"

namespace {

// Often enough for the window to be back within 300 ms of the pointer.
const UINT LOOK_EVERY_MS = 100;

LeaveWatch Watch;

struct ShownSearch {
    HWND window;
    bool found;
};

BOOL CALLBACK FindOtherShown(HWND other, LPARAM search)
{
    ShownSearch* s = reinterpret_cast<ShownSearch*>(search);
    s->found = other != s->window && IsWindowVisible(other);
    return !s->found;
}

// A menu, dialog or box of the program is up (each a window of this thread
// that shows), or the window is being dragged or sized (the mouse is
// captured).
bool Busy(HWND window)
{
    if (GetCapture() != NULL)
        return true;
    ShownSearch search = {window, false};
    EnumThreadWindows(GetCurrentThreadId(), FindOtherShown, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void WatchPointerAsSet(HWND window)
{
    Watch.state = POINTER_UNMET;
    if (AppSettings.LeaveHide == 1)
        SetTimer(window, TIMER_POINTER, LOOK_EVERY_MS, NULL);
    else
        KillTimer(window, TIMER_POINTER);
}

void PointerMoved()
{
    Watch.state = POINTER_OVER;
}

void LookAtPointer(HWND window)
{
    POINT pointer;
    RECT place;
    if (!GetCursorPos(&pointer) || !GetWindowRect(window, &place))
        return;
    switch (WatchPointer(&Watch, IsWindowVisible(window) != 0, PtInRect(&place, pointer) != 0, Busy(window),
                         GetTickCount(), static_cast<uint32_t>(AppSettings.LeaveWait))) {
    case LEAVE_HIDE: HideView(window); break;
    // The application in use keeps the keyboard.
    case LEAVE_SHOW: ShowWindow(window, SW_SHOWNOACTIVATE); break;
    case LEAVE_NOTHING: break;
    }
}
