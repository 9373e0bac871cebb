// Hiding the window once the pointer has left it, and showing it again
// when the pointer comes back over its place. Polled, since a hidden window
// hears nothing of the mouse. Portable: no Windows calls.
#ifndef SKERROW_WINDOW_LEAVE_H
#define SKERROW_WINDOW_LEAVE_H

#include <cstdint>

enum LeaveState {
    POINTER_UNMET,    // shown, the pointer not over it since it was shown
    POINTER_OVER,     // shown, the pointer over it
    POINTER_AWAY,     // shown, the pointer away since awaySince
    HIDDEN_BY_LEAVE,  // hidden because the pointer stayed away
};

struct LeaveWatch {
    LeaveState state;
    uint32_t awaySince;  // milliseconds, the clock of `now`
};

enum LeaveAction { LEAVE_NOTHING, LEAVE_HIDE, LEAVE_SHOW };

// What a look at the pointer asks for, at `now` (a clock that may wrap):
// visible, whether the window shows; over, whether the pointer is over its
// place; busy, whether one of the program's menus, dialogs or boxes is up
// or the window is being dragged or sized (it never hides then, and the
// wait starts again after). A window hidden or shown another way (Esc,
// the hot key) is left to that: only a window this hid shows again. A
// window is left by the pointer only once the pointer has been over it: a
// window shown at start or by the hot key while the pointer is elsewhere
// stays, so that it can be read with the global keys.
LeaveAction WatchPointer(LeaveWatch* watch, bool visible, bool over, bool busy, uint32_t now, uint32_t wait);

#endif
