#include <windows.h>
#include <shellapi.h>

#include <cstring>

#include "app/paths.h"
#include "app/settings.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/feed.h"
#include "window/mainwnd.h"
#include "window/tray.h"

char NumKeyBuf[NUMKEY_MAX_DIGITS + 1];
int NumKeyCnt;
int AutoFlg;

namespace {

const UINT NUMKEY_PAUSE_MS = 600;

void AddDigit(HWND window, unsigned keyCode)
{
    // A full entry drops the digit and keeps the running pause as it is.
    if (NumKeyCnt >= NUMKEY_MAX_DIGITS)
        return;
    if (NumKeyCnt > 0)
        KillTimer(window, TIMER_NUMKEY);
    NumKeyAdd(NumKeyBuf, &NumKeyCnt, keyCode);
    SetTimer(window, TIMER_NUMKEY, NUMKEY_PAUSE_MS, NULL);
}

void ToggleLineDisp(HWND window)
{
    AppSettings.LineDisp = AppSettings.LineDisp == 0 ? 1 : 0;
    WriteIntKey("OPTION", "LineDisp", AppSettings.LineDisp);
    NavigateTo(window, NAV_CLAMP, Doc.CurLine);
}

}  // namespace

int HandleKey(HWND window, WPARAM wParam)
{
    unsigned key = LOWORD(wParam);
    if ((key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)) {
        AddDigit(window, key);
        return 0;
    }
    switch (key) {
    case VK_ESCAPE: ShowWindow(window, SW_HIDE); break;
    case VK_PRIOR:
    case VK_UP: NavigateTo(window, NAV_PREV, Doc.CurLine); break;
    case VK_NEXT:
    case VK_DOWN: NavigateTo(window, NAV_NEXT, Doc.CurLine); break;
    case VK_HOME: NavigateTo(window, NAV_TOP, Doc.CurLine); break;
    case VK_END: NavigateTo(window, NAV_END, Doc.CurLine); break;
    case 'J':
    case VK_F4: JumpCommand(window, AppInstance); break;
    case 'O':
    case VK_F1: OpenTextFile(window, 0, NULL); break;
    case 'P':
    case VK_F8: FileInfoCommand(window, AppInstance); break;
    case VK_F5: ToggleAutoFeed(window); break;
    case VK_F9: ToggleLineDisp(window); break;
    case VK_F12: ShowOptionsSheet(window, AppInstance); break;
    }
    return 0;
}

void JumpToTypedLine(HWND window)
{
    KillTimer(window, TIMER_NUMKEY);
    int n = NumKeyTake(NumKeyBuf, &NumKeyCnt);
    if (n == 0)
        return;
    NavigateTo(window, NAV_CLAMP, static_cast<uint32_t>(n) - 1);
}

void StepByWheel(HWND window, int delta)
{
    NavigateTo(window, delta < 0 ? NAV_NEXT : NAV_PREV, Doc.CurLine);
}

int OpenDroppedFile(HWND window, HDROP drop)
{
    if (DragQueryFileA(drop, 0xFFFFFFFF, NULL, 0) > 0) {
        char path[PATH_SIZE];
        memset(path, 0, sizeof path);
        // A path that does not fit is passed on empty, to be refused as a
        // bad name, rather than cut off into the name of another file.
        if (DragQueryFileA(drop, 0, NULL, 0) < sizeof path)
            DragQueryFileA(drop, 0, path, sizeof path);
        OpenTextFile(MainWnd, 1, path);
    }
    DragFinish(drop);
    SetForegroundWindow(window);
    return 0;
}

int ToggleAutoFeed(HWND window)
{
    if (Doc.LineCnt == 0)
        return 0;
    if (AutoFlg == 0) {
        CheckMenuItem(TrayMenu, IDM_AUTOFEED, MF_BYCOMMAND | MF_CHECKED);
        AutoFlg = 1;
        SetTimer(window, TIMER_AUTOFEED, FeedIntervalMs(AppSettings.RunWait), NULL);
    } else {
        CheckMenuItem(TrayMenu, IDM_AUTOFEED, MF_BYCOMMAND | MF_UNCHECKED);
        AutoFlg = 0;
        KillTimer(window, TIMER_AUTOFEED);
    }
    return 0;
}
