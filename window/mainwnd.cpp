#include "window/mainwnd.h"

#include <windowsx.h>

#include <cstring>

#include "app/settings.h"
#include "app/startup.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/paint.h"
#include "window/tray.h"

HWND MainWnd;
HINSTANCE AppInstance;

namespace {

// Sent to every top-level window when the shell (re)starts: the icons it
// showed are gone and each program must add its own again.
UINT TaskbarCreated;

LRESULT OnCreate(HWND window, const CREATESTRUCTA* create)
{
    InitDocumentState(window);
    MainWnd = window;
    AppInstance = create->hInstance;
    DragAcceptFiles(window, TRUE);
    RegisterHotKeys(window);
    AddTrayIcon(window);
    TaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    TrayMenu = LoadMenuA(AppInstance, MAKEINTRESOURCEA(IDR_TRAYMENU));
    RestoreLastText(window);
    return 0;
}

LRESULT OnDestroy()
{
    RemoveTrayIcon();
    DestroyMenu(TrayMenu);
    TrayMenu = NULL;
    PostQuitMessage(0);
    return 0;
}

LRESULT OnSize(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    CaptureGeometry(&r);
    return 0;
}

LRESULT OnClose(HWND window)
{
    // Not while an open or restore waits on its question: the window must
    // outlive it (a restore even runs inside the window's creation).
    if (DocBusy)
        return 0;
    if (SaveAndRelease(window, AppSettings.EndFlg) == 0)
        DestroyWindow(window);
    return 0;
}

LRESULT OnTimer(HWND window, WPARAM id)
{
    if (id == TIMER_AUTOFEED)
        NavigateTo(window, NAV_NEXT, Doc.CurLine);
    else if (id == TIMER_NUMKEY)
        JumpToTypedLine(window);
    return 0;
}

LRESULT OnHotKey(HWND window, WPARAM id)
{
    if (id == HOTKEY_SHOW)
        RaiseWindow(window);
    else if (id == HOTKEY_MENU)
        ShowTrayMenu(window);
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
    if (message == TaskbarCreated && message != 0) {
        AddTrayIcon(window);
        return 0;
    }
    switch (message) {
    case WM_CREATE: return OnCreate(window, reinterpret_cast<CREATESTRUCTA*>(lParam));
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: return OnSize(window);
    case WM_PAINT: PaintWindow(MainWnd); return 0;
    case WM_CLOSE: return OnClose(window);
    case WM_QUERYENDSESSION: SaveAndRelease(window, 0); return TRUE;
    case WM_ENDSESSION:
        if (!wParam)
            ResumeAfterCancelledEnd(window);
        return 0;
    case WM_NOTIFY: return 0;
    case WM_NCHITTEST: return HitTestDrag(window, wParam, lParam);
    case WM_NCRBUTTONDOWN: ShowContextMenu(window, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_KEYDOWN: return HandleKey(window, wParam);
    case WM_COMMAND: return ExecuteCommand(window, wParam);
    case WM_TIMER: return OnTimer(window, wParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP: TrackGrip(wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)); return 0;
    case WM_MOUSEWHEEL: StepByWheel(window, GET_WHEEL_DELTA_WPARAM(wParam)); return 0;
    case WM_MOVING: CaptureGeometry(reinterpret_cast<RECT*>(lParam)); return 0;
    case WM_DROPFILES: return OpenDroppedFile(window, reinterpret_cast<HDROP>(wParam));
    case WM_HOTKEY: return OnHotKey(window, wParam);
    case WM_TRAYNOTIFY: return OnTrayNotify(window, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void NavigateTo(HWND window, int code, uint32_t from)
{
    memset(DispText, 0, sizeof DispText);
    Doc.CurLine = ShowLine(window, code, from, DispText);
    InvalidateRect(window, NULL, TRUE);
}

int ExecuteCommand(HWND window, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
    case IDM_EXIT: OnClose(window); break;
    case IDM_OPEN: OpenTextFile(window, 0, NULL); break;
    case IDM_VERSION: ShowVersionDialog(window, AppInstance); break;
    case IDM_HELP: ShowHelp(window); break;
    case IDM_OPTION: ShowOptionsSheet(window, AppInstance); break;
    case IDM_JUMP: JumpCommand(window, AppInstance); break;
    case IDM_CLEAR: ClearText(window); break;
    case IDM_INFO: FileInfoCommand(window, AppInstance); break;
    case IDM_AUTOFEED: ToggleAutoFeed(window); break;
    }
    return 0;
}

void RaiseWindow(HWND window)
{
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}
