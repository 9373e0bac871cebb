#include "window/placement.h"

#include "base/user32.h"
#include "window/grip.h"
#include "window/onscreen.h"

namespace {

const size_t MONITORS_MAX = 16;

struct MonitorList {
    Monitor monitors[MONITORS_MAX];
    size_t count;
};

ScreenRect FromRect(const RECT& r)
{
    ScreenRect s = {r.left, r.top, r.right, r.bottom};
    return s;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MonitorList* list = reinterpret_cast<MonitorList*>(data);
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (list->count < MONITORS_MAX && GetMonitorInfoA(monitor, &info)) {
        list->monitors[list->count].area = FromRect(info.rcMonitor);
        list->monitors[list->count].work = FromRect(info.rcWork);
        list->monitors[list->count].dpi = static_cast<int>(DpiOfMonitor(monitor));
        ++list->count;
    }
    return TRUE;
}

bool ListMonitors(MonitorList* list)
{
    list->count = 0;
    return EnumDisplayMonitors(NULL, NULL, AddMonitor, reinterpret_cast<LPARAM>(list)) && list->count > 0;
}

}  // namespace

void KeepOnScreen(HWND window)
{
    MonitorList list;
    RECT r;
    if (!ListMonitors(&list) || !GetWindowRect(window, &r) || Reachable(FromRect(r), list.monitors, list.count))
        return;
    ScreenRect to = MoveInside(FromRect(r), list.monitors[NearestMonitor(FromRect(r), list.monitors, list.count)].work);
    SetWindowPos(window, NULL, to.left, to.top, to.right - to.left, to.bottom - to.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The new place is the one the exit writes.
    if (GetWindowRect(window, &r))
        CaptureGeometry(window, &r);
}

int DpiToCreateAt(int x, int y, int width96, int height96)
{
    MonitorList list;
    if (!ListMonitors(&list))
        return static_cast<int>(DpiOf(NULL));
    return CreationDpi(x, y, width96, height96, list.monitors, list.count);
}
