#include "window/mainwnd.h"

#include <windowsx.h>

#include <cstring>

#include "base/settings.h"
#include "base/user32.h"
#include "document/document.h"
#include "document/session.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/commands.h"
#include "window/grip.h"
#include "window/input.h"
#include "window/longwork.h"
#include "window/paint.h"
#include "window/place.h"
#include "window/placement.h"
#include "window/pointer.h"
#include "window/tray.h"
#include "window/view.h"

HWND MainWnd;
HINSTANCE AppInstance;

namespace {

void RestoreEnded(HWND window, int)
{
    const WorkResult& ended = LastWork();
    if (ended.failure != NULL && !ended.cancelled)
        StoreThenAsk(NULL, ended.failure, MB_ICONERROR);
    else if (ended.restored)
        ShowPlace(window, Doc.Place);
}

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create)
{
    MainWnd = window;
    AppInstance = create->hInstance;
    // Made at the window's DPI before a restore lays its line out.
    ReplaceDisplayFont(&AppSettings.Font);
    InitDocumentState();
    AutoFlg = 0;
    DragAcceptFiles(window, TRUE);
    RegisterHotKeys(window);
    AddTrayIcon(window);
    WatchPointerAsSet(window);
    // The last text is offered again; its work starts here, in the
    // window's creation, so that a small text is shown as the window
    // first is.
    if (StartRestore())
        RunLongWork(window, "読み込み中", RestoreEnded, 0);
    return 0;
}

LRESULT OnDestroy()
{
    RemoveTrayIcon();
    PostQuitMessage(0);
    return 0;
}

// WM_DPICHANGED (Windows 8.1), not in the headers of the API level built for.
const UINT WM_DPICHANGED_MESSAGE = 0x02E0;

// Moved to a monitor of another scale: the size the system suggests, and
// the font made again for the new DPI.
LRESULT OnDpiChanged(HWND window, WPARAM dpi, const RECT* suggested)
{
    NoteDpiChange(LOWORD(dpi));
    SetWindowPos(window, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    ReplaceDisplayFont(&AppSettings.Font);
    InvalidateRect(window, NULL, TRUE);
    return 0;
}

LRESULT OnSize(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    CaptureGeometry(window, &r);
    return 0;
}

// Windows is ending the session: save and release without asking.
LRESULT OnQueryEndSession(HWND window)
{
    SaveAndRelease(WorkUnderWay() != NO_WORK);
    PauseFeed(window);
    return TRUE;
}

LRESULT OnEndSession(HWND window, BOOL ending)
{
    // Called off during an open, the resume waits for the open's end.
    if (!ending)
        ResumeReleasedText(window);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id)
{
    if (id == TIMER_AUTOFEED && WorkUnderWay() == NO_WORK)
        StepThrough(window, true);
    else if (id == TIMER_LONGWORK)
        RunLongWorkSlice(window);
    else if (id == TIMER_POINTER)
        LookAtPointer(window);
    else if (id == TIMER_SAVEPLACE)
        StorePlaceNow(window);
    else if (id == TIMER_NUMKEY)
        JumpToTypedLine(window);
    return 0;
}

void RaiseWindow(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

// The reading keys come while another program has the keyboard, and leave
// it there: they act as Down, Up and F5 do (nothing while long work runs),
// save that a hidden window is only shown, and not made active, for the
// user to see where the text stands before it moves.
void ReadFromAfar(HWND window, WPARAM id)
{
    if (!IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNOACTIVATE);
    else if (WorkUnderWay() != NO_WORK)
        return;
    else if (id == HOTKEY_FEED)
        RunCommand(window, IDM_AUTOFEED);
    else
        StepThrough(window, id == HOTKEY_NEXT);
}

LRESULT OnHotKey(HWND window, WPARAM id)
{
    switch (id) {
    case HOTKEY_SHOW: RaiseWindow(window); break;
    case HOTKEY_MENU: ShowTrayMenu(window); break;
    case HOTKEY_NEXT:
    case HOTKEY_PREV:
    case HOTKEY_FEED: ReadFromAfar(window, id); break;
    }
    return 0;
}

LRESULT OnTrayNotify(HWND window, WPARAM id, LPARAM event)
{
    if (id != TRAY_ICON_ID)
        return 0;
    if (event == WM_LBUTTONDOWN)
        RaiseWindow(window);
    else if (event == WM_RBUTTONDOWN)
        ShowTrayMenu(window);
    return 0;
}

}  // namespace

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Sent to every top-level window when the shell (re)starts: the icons it
    // showed are gone and each program must add its own again.
    static const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    if (message == taskbarCreated && message != 0) {
        AddTrayIcon(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE: return OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(window);
    case WM_PAINT: PaintWindow(window); return 0;
    case WM_WINDOWPOSCHANGED:
        // The system still makes WM_SIZE and WM_MOVE of it.
        KeepPictureCurrent(window, reinterpret_cast<const WINDOWPOS*>(lParam));
        FeedFollowsShowing(window, reinterpret_cast<const WINDOWPOS*>(lParam));
        break;
    case WM_CLOSE: CloseProgram(window); return 0;
    case WM_QUERYENDSESSION: return OnQueryEndSession(window);
    case WM_ENDSESSION: return OnEndSession(window, static_cast<BOOL>(wParam));
    case WM_NOTIFY: return 0;
    case WM_NCHITTEST: return HitTestDrag(window, wParam, lParam);
    case WM_NCRBUTTONDOWN: ShowContextMenu(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_KEYDOWN: HandleKey(window, wParam); return 0;
    case WM_COMMAND: RunCommand(window, LOWORD(wParam)); return 0;
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_NCMOUSEMOVE: PointerMoved(); break;
    case WM_MOUSEMOVE:
        PointerMoved();
        TrackGrip(window, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: TrackGrip(window, wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_CAPTURECHANGED: LoseGrip(); return 0;
    case WM_MOUSEWHEEL: StepByWheel(window, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_MOVING: CaptureGeometry(window, reinterpret_cast<RECT*>(lParam)); return 0;
    case WM_DPICHANGED_MESSAGE: return OnDpiChanged(window, wParam, reinterpret_cast<const RECT*>(lParam));
    case WM_DROPFILES: OpenDroppedFile(window, reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_HOTKEY: return OnHotKey(window, wParam);
    case WM_DISPLAYCHANGE: KeepOnScreen(window); return 0;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETWORKAREA)
            KeepOnScreen(window);
        return 0;
    case WM_TRAYNOTIFY: return OnTrayNotify(window, wParam, lParam);
    case WM_LONGWORK: RunLongWorkSlice(window); return 0;
    case WM_WAITINGCOMMAND: RunWaitingCommand(window); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
