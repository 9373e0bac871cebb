#include "window/place.h"

#include "base/msgbox.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/handles.h"

namespace {

bool TimerRunning;
MessageBoxFunction NextBox;

int WINAPI StoreThenAsk(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
{
    if (MainWnd != NULL)
        StorePlaceNow(MainWnd);
    return NextBox(owner, text, caption, flags);
}

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

void StorePlaceBeforeBoxes()
{
    if (ShowMessage != StoreThenAsk) {
        NextBox = ShowMessage;
        ShowMessage = StoreThenAsk;
    }
}
