#include "window/view.h"

#include <cstring>

#include "app/base/settings.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/feed.h"
#include "window/tray.h"

int AutoFlg;

void NavigateTo(HWND window, int code, uint32_t from)
{
    memset(DispText, 0, sizeof DispText);
    Doc.CurLine = ShowLine(code, from, DispText);
    // Each line shown gets the whole period before the feed moves on.
    if (HasText()) {
        PauseFeed(window);
        ResumeFeed(window);
    }
    InvalidateRect(window, NULL, TRUE);
}

void ShowNoText(HWND window)
{
    if (AutoFlg != 0) {
        CheckMenuItem(TrayMenu, IDM_AUTOFEED, MF_BYCOMMAND | MF_UNCHECKED);
        AutoFlg = 0;
        KillTimer(window, TIMER_AUTOFEED);
    }
    InvalidateRect(window, NULL, TRUE);
}

void PauseFeed(HWND window)
{
    if (AutoFlg != 0)
        KillTimer(window, TIMER_AUTOFEED);
}

void ResumeFeed(HWND window)
{
    if (AutoFlg != 0)
        SetTimer(window, TIMER_AUTOFEED, FeedIntervalMs(AppSettings.RunWait), NULL);
}

void ToggleAutoFeed(HWND window)
{
    if (Doc.LineCnt == 0)
        return;
    if (AutoFlg == 0) {
        CheckMenuItem(TrayMenu, IDM_AUTOFEED, MF_BYCOMMAND | MF_CHECKED);
        AutoFlg = 1;
        ResumeFeed(window);
    } else {
        CheckMenuItem(TrayMenu, IDM_AUTOFEED, MF_BYCOMMAND | MF_UNCHECKED);
        PauseFeed(window);
        AutoFlg = 0;
    }
}
