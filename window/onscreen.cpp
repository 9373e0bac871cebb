#include "window/onscreen.h"

#include <climits>

#include "base/dpiscale.h"

namespace {

long long Overlap(long a0, long a1, long b0, long b1)
{
    long long from = a0 > b0 ? a0 : b0;
    long long to = a1 < b1 ? a1 : b1;
    return to > from ? to - from : 0;
}

// How far apart two ranges are; 0 when they touch or overlap.
long long Gap(long a0, long a1, long b0, long b1)
{
    if (a1 < b0)
        return static_cast<long long>(b0) - a1;
    if (b1 < a0)
        return static_cast<long long>(a0) - b1;
    return 0;
}

// A rectangle from a corner and a size as the settings file may hold them:
// a far side beyond what a coordinate holds stops there.
ScreenRect Sized(long left, long top, long long width, long long height)
{
    long long right = left + width, bottom = top + height;
    ScreenRect r = {left, top, static_cast<long>(right > INT_MAX ? INT_MAX : right < INT_MIN ? INT_MIN : right),
                    static_cast<long>(bottom > INT_MAX ? INT_MAX : bottom < INT_MIN ? INT_MIN : bottom)};
    return r;
}

}  // namespace

bool Reachable(const ScreenRect& window, const Monitor* monitors, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const ScreenRect& w = monitors[i].work;
        if (Overlap(window.left, window.right, w.left, w.right) >= GRAB_WIDTH &&
            Overlap(window.top, window.bottom, w.top, w.bottom) >= GRAB_HEIGHT)
            return true;
    }
    return false;
}

size_t NearestMonitor(const ScreenRect& window, const Monitor* monitors, size_t count)
{
    size_t best = 0;
    long long bestShared = -1, bestDistance = -1;
    for (size_t i = 0; i < count; ++i) {
        const ScreenRect& m = monitors[i].area;
        long long shared = Overlap(window.left, window.right, m.left, m.right) *
                           Overlap(window.top, window.bottom, m.top, m.bottom);
        long long dx = Gap(window.left, window.right, m.left, m.right);
        long long dy = Gap(window.top, window.bottom, m.top, m.bottom);
        long long distance = dx * dx + dy * dy;
        if (shared > bestShared || (shared == 0 && bestShared == 0 && distance < bestDistance)) {
            best = i;
            bestShared = shared;
            bestDistance = distance;
        }
    }
    return best;
}

ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& work)
{
    long width = window.right - window.left, height = window.bottom - window.top;
    long workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    width = width < workWidth ? width : workWidth;
    height = height < workHeight ? height : workHeight;
    ScreenRect r;
    r.left = window.left < work.left ? work.left : window.left > work.right - width ? work.right - width : window.left;
    r.top = window.top < work.top ? work.top : window.top > work.bottom - height ? work.bottom - height : window.top;
    r.right = r.left + width;
    r.bottom = r.top + height;
    return r;
}

int CreationDpi(long left, long top, int width96, int height96, const Monitor* monitors, size_t count)
{
    int best = 0;
    for (size_t i = 0; i < count; ++i) {
        const int dpi = monitors[i].dpi;
        ScreenRect scaled = Sized(left, top, ScaleLength(width96, dpi, BASE_DPI), ScaleLength(height96, dpi, BASE_DPI));
        if (dpi > best && monitors[NearestMonitor(scaled, monitors, count)].dpi == dpi)
            best = dpi;
    }
    return best != 0 ? best : monitors[NearestMonitor(Sized(left, top, width96, height96), monitors, count)].dpi;
}

ScreenRect GripConfinement(const ScreenRect& window, const ScreenRect& work, long grip)
{
    ScreenRect r;
    r.left = window.left + grip;
    r.top = window.top + grip;
    r.right = work.right > r.left ? work.right : r.left + 1;
    r.bottom = work.bottom > r.top ? work.bottom : r.top + 1;
    return r;
}
