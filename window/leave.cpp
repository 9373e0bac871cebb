#include "window/leave.h"

LeaveAction WatchPointer(LeaveWatch* watch, bool visible, bool over, bool busy, uint32_t now, uint32_t wait)
{
    if (!visible) {
        if (watch->state != HIDDEN_BY_LEAVE) {
            watch->state = POINTER_UNMET;
            return LEAVE_NOTHING;
        }
        if (!over)
            return LEAVE_NOTHING;
        watch->state = POINTER_OVER;
        return LEAVE_SHOW;
    }
    if (over) {
        watch->state = POINTER_OVER;
        return LEAVE_NOTHING;
    }
    if (watch->state == POINTER_UNMET || watch->state == HIDDEN_BY_LEAVE) {
        watch->state = POINTER_UNMET;
        return LEAVE_NOTHING;
    }
    if (busy) {
        watch->state = POINTER_OVER;
        return LEAVE_NOTHING;
    }
    if (watch->state != POINTER_AWAY) {
        watch->state = POINTER_AWAY;
        watch->awaySince = now;
    }
    if (now - watch->awaySince < wait)
        return LEAVE_NOTHING;
    watch->state = HIDDEN_BY_LEAVE;
    return LEAVE_HIDE;
}
