#include "window/place.h"

#include "base/msgbox.h"
#include "document/session.h"
#include "res/resource.h"
#include "window/handles.h"

namespace {

bool TimerRunning;

}  // namespace

void PlaceMoved(HWND window)
{
    if (!TimerRunning && PlaceUnstored()) {
        TimerRunning = SetTimer(window, TIMER_SAVEPLACE, PLACE_DELAY_MS, NULL) != 0;
        // Without a timer the place goes to disk at each step.
        if (!TimerRunning)
            StorePlace();
    }
}

void StorePlaceNow(HWND window)
{
    if (TimerRunning)
        KillTimer(window, TIMER_SAVEPLACE);
    TimerRunning = false;
    if (PlaceUnstored())
        StorePlace();
}

int StoreThenAsk(HWND owner, const char* text, UINT flags)
{
    StorePlaceNow(MainWnd);
    return ShowMessage(owner, text, "Skerrow", flags);
}
