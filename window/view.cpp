#include "window/view.h"

#include <cstring>

#include "base/settings.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "document/session.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/feed.h"
#include "window/layout.h"
#include "window/place.h"

int AutoFlg;

namespace {

// The place has moved: each place shown gets the whole period before the
// feed moves on, and the window shows it.
void PlaceShown(HWND window)
{
    if (HasText()) {
        PauseFeed(window);
        ResumeFeed(window);
        PlaceMoved(window);
    }
    InvalidateRect(window, NULL, TRUE);
}

}  // namespace

void NavigateTo(HWND window, int code, uint32_t from)
{
    // While an open or a restore has the text in flux, and between a
    // log-off's question and its cancellation (the copy closed while the
    // text still counts its lines), the line on display and its number stay
    // as they are.
    if (Doc.LineCnt != 0 && !TextSettled())
        return;
    GoToLine(code, from);
    PlaceShown(window);
}

void ShowPlace(HWND window, ReadingPlace place)
{
    NavigateTo(window, NAV_CLAMP, place.line);
    if (Doc.Place.line == place.line)
        MoveWithinLine(place.offset);
}

void StepThrough(HWND window, bool forward)
{
    if (!HasText()) {
        NavigateTo(window, forward ? NAV_NEXT : NAV_PREV, Doc.Place.line);
        return;
    }
    LineLayout layout;
    LayOutShown(window, NULL, &layout);
    if (forward ? layout.piece + 1 < layout.pieces : layout.piece > 0) {
        MoveWithinLine(PieceStart(forward ? layout.piece + 1 : layout.piece - 1));
        PlaceShown(window);
        return;
    }
    const ReadingPlace was = Doc.Place;
    NavigateTo(window, forward ? NAV_NEXT : NAV_PREV, was.line);
    if (Doc.Place.line == was.line) {
        // At the end (or the start) nothing moves.
        MoveWithinLine(was.offset);
    } else if (!forward) {
        LayOutShown(window, NULL, &layout);
        MoveWithinLine(PieceStart(layout.pieces - 1));
    }
}

void HideView(HWND window)
{
    StorePlaceNow(window);
    ShowWindow(window, SW_HIDE);
}

void ShowNoText(HWND window)
{
    if (AutoFlg != 0) {
        AutoFlg = 0;
        KillTimer(window, TIMER_AUTOFEED);
    }
    InvalidateRect(window, NULL, TRUE);
}

void ResumeReleasedText(HWND window)
{
    switch (ResumeAfterCancelledEnd()) {
    case RESUME_DONE: ShowPlace(window, Doc.Place); break;
    case RESUME_LOST: ShowNoText(window); break;
    case RESUME_NOTHING: break;
    }
}

void PauseFeed(HWND window)
{
    if (AutoFlg != 0)
        KillTimer(window, TIMER_AUTOFEED);
}

void ResumeFeed(HWND window)
{
    if (AutoFlg != 0 && !OptionsSheetOpen())
        SetTimer(window, TIMER_AUTOFEED, FeedIntervalMs(AppSettings.RunWait), NULL);
}

void ToggleAutoFeed(HWND window)
{
    if (Doc.LineCnt == 0 || (HasText() && !TextSettled()))
        return;
    if (AutoFlg == 0) {
        AutoFlg = 1;
        ResumeFeed(window);
    } else {
        PauseFeed(window);
        AutoFlg = 0;
    }
}
