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

// Composes the line chosen by code from `from`, at its first piece; false
// while an open or a restore has the text in flux, and between a log-off's
// question and its cancellation (the copy closed while the text still
// counts its lines): the line on display and its number stay as they are.
bool ComposeLine(int code, uint32_t from)
{
    if (Doc.LineCnt != 0 && !TextSettled())
        return false;
    GoToLine(code, from);
    return true;
}

// How long the feed stays on the piece shown: as long as its characters
// take to read, or RunWait.
unsigned FeedPeriod(HWND window)
{
    if (AppSettings.FeedByLength != 1)
        return FeedIntervalMs(AppSettings.RunWait);
    LineLayout layout;
    LayOutShown(window, NULL, &layout);
    const uint32_t end = layout.piece + 1 < layout.pieces ? PieceStart(layout.piece + 1) : UINT32_MAX;
    return FeedLengthMs(CharactersShown(Shown.text, Shown.prefix, PieceStart(layout.piece), end, Shown.unicode),
                        AppSettings.FeedSpeed);
}

}  // namespace

void NavigateTo(HWND window, int code, uint32_t from)
{
    if (ComposeLine(code, from))
        PlaceShown(window);
}

// The piece is found before the place is shown: the feed's period is the
// piece's own.
void ShowPlace(HWND window, ReadingPlace place)
{
    const bool composed = ComposeLine(NAV_CLAMP, place.line);
    if (Doc.Place.line == place.line)
        MoveWithinLine(place.offset);
    if (composed)
        PlaceShown(window);
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
    if (!ComposeLine(forward ? NAV_NEXT : NAV_PREV, was.line))
        return;
    if (Doc.Place.line == was.line) {
        // At the end (or the start) nothing moves.
        MoveWithinLine(was.offset);
    } else if (!forward) {
        LayOutShown(window, NULL, &layout);
        MoveWithinLine(PieceStart(layout.pieces - 1));
    }
    PlaceShown(window);
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
    if (AutoFlg != 0 && !OptionsSheetOpen() && IsWindowVisible(window))
        SetTimer(window, TIMER_AUTOFEED, FeedPeriod(window), NULL);
}

void FeedFollowsShowing(HWND window, const WINDOWPOS* change)
{
    if (change->flags & SWP_HIDEWINDOW)
        PauseFeed(window);
    // Long work that shows the window for its progress starts the feed
    // itself once it is over.
    else if ((change->flags & SWP_SHOWWINDOW) && WorkUnderWay() == NO_WORK)
        ResumeFeed(window);
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
