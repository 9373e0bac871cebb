#include "window/grip.h"

#include <windowsx.h>

#include "base/settings.h"
#include "base/user32.h"
#include "base/dpiscale.h"
#include "window/onscreen.h"

namespace {

// The grip's state, and whether sizes are the user's yet.
struct GripRecord {
    GripState mode;
    bool sizeSettled;
};
GripRecord Grip;

}  // namespace

namespace {

bool InGrip(int size, int x, int y, int right, int bottom)
{
    return right - size <= x && x <= right && bottom - size <= y && y < bottom;
}

// The work area of the monitor the window stands on, which need not be
// the primary one.
RECT WorkAreaOf(HWND window)
{
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    return info.rcWork;
}

void EndGrip()
{
    ReleaseCapture();
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
    Grip.mode = GRIP_IDLE;
}

}  // namespace

// The grip is part of the client area; everything else of the body is a
// caption, so that the system drags the window by it.
LRESULT HitTestDrag(HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT hit = DefWindowProcA(window, WM_NCHITTEST, wParam, lParam);
    if (hit != HTCLIENT)
        return hit;
    RECT w;
    GetWindowRect(window, &w);
    if (InGrip(GripSize(window), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), w.right, w.bottom))
        return HTCLIENT;
    return HTCAPTION;
}

void TrackGrip(HWND window, WPARAM keys, int x, int y)
{
    RECT place, client;
    GetWindowRect(window, &place);
    GetClientRect(window, &client);
    const int grip = GripSize(window);

    switch (Grip.mode) {
    case GRIP_IDLE:
        if (keys == 0 && InGrip(grip, x, y, client.right, client.bottom)) {
            SetCapture(window);
            SetCursor(LoadCursorA(NULL, IDC_SIZENWSE));
            Grip.mode = GRIP_ARMED;
        }
        break;
    case GRIP_ARMED:
        if (keys & MK_LBUTTON) {
            const RECT work = WorkAreaOf(window);
            const ScreenRect c = GripConfinement({place.left, place.top, place.right, place.bottom},
                                                 {work.left, work.top, work.right, work.bottom}, grip);
            const RECT confine = {c.left, c.top, c.right, c.bottom};
            ClipCursor(&confine);
            Grip.mode = GRIP_SIZING;
        } else if (!InGrip(grip, x, y, client.right, client.bottom)) {
            // Only leaving the grip disarms it: were every move to disarm,
            // each move over the grip would flip it, and a press would size
            // the window or do nothing by chance.
            EndGrip();
        }
        break;
    case GRIP_SIZING:
        MoveWindow(window, place.left, place.top, x > grip ? x : grip, y > grip ? y : grip, TRUE);
        if (!(keys & MK_LBUTTON)) {
            ClipCursor(NULL);
            EndGrip();
        }
        break;
    }
}

void LoseGrip()
{
    if (Grip.mode == GRIP_IDLE)
        return;
    ClipCursor(NULL);
    Grip.mode = GRIP_IDLE;
}

int GripSize(HWND window)
{
    return ScaleLength(GRIP_SIZE, static_cast<int>(DpiOf(window)), BASE_DPI);
}

void CaptureGeometry(HWND window, const RECT* r)
{
    const int dpi = static_cast<int>(DpiOf(window));
    AppSettings.X = r->left;
    AppSettings.Y = r->top;
    if (!Grip.sizeSettled)
        return;
    AppSettings.WIDTH = ScaleLength(r->right - r->left, BASE_DPI, dpi);
    AppSettings.HEIGHT = ScaleLength(r->bottom - r->top, BASE_DPI, dpi);
}

GripState GripMode()
{
    return Grip.mode;
}

void SettleSize(bool settled)
{
    Grip.sizeSettled = settled;
}
