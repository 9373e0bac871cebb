// Where the window may stand: a place kept from another screen layout (a
// monitor unplugged since) must not leave the caption-less window where no
// one can reach it. Rectangles only, no Windows calls.
#ifndef SKERROW_WINDOW_ONSCREEN_H
#define SKERROW_WINDOW_ONSCREEN_H

#include <cstddef>

struct ScreenRect {
    long left, top, right, bottom;
};

struct Monitor {
    ScreenRect area;  // the whole monitor
    ScreenRect work;  // without the taskbar and the like
    int dpi;          // its scale, in dots per inch
};

// The smallest piece of the window the user can still take hold of.
const long GRAB_WIDTH = 32;
const long GRAB_HEIGHT = 8;

// Whether a piece of the window at least GRAB_WIDTH × GRAB_HEIGHT lies in
// the work area of one of the monitors.
bool Reachable(const ScreenRect& window, const Monitor* monitors, size_t count);

// The monitor nearest the window: the one it overlaps most, else the one
// at the least distance (count must be at least 1).
size_t NearestMonitor(const ScreenRect& window, const Monitor* monitors, size_t count);

// The window moved wholly inside work, its size kept where it fits and cut
// to the work area's where it does not.
ScreenRect MoveInside(const ScreenRect& window, const ScreenRect& work);

// The DPI at which to make a window whose size is kept at 96 DPI and whose
// top-left corner stays put: one at which the window, scaled to it, lies
// mostly on a monitor of that DPI. Where two such fit (a window on the edge
// between monitors of different scales), the larger, so that the window
// never comes back smaller than it was; where none does, that of the
// monitor nearest the unscaled window.
int CreationDpi(long left, long top, int width96, int height96, const Monitor* monitors, size_t count);

// Where the pointer may go while the grip sizes a window: from its
// top-left corner plus the grip to the far corner of the work area of the
// monitor it stands on, never an empty or inverted rectangle.
ScreenRect GripConfinement(const ScreenRect& window, const ScreenRect& work, long grip);

#endif
