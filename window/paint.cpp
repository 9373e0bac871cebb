#include "window/paint.h"

#include <windowsx.h>

#include "app/settings.h"
#include "app/startup.h"
#include "document/document.h"
#include "window/alpha.h"
#include "window/mainwnd.h"

int SizeMode;

namespace {

// Text drawing: word-wrapped, tabs expanded to TabsCol, top-left aligned.
const UINT TEXT_FORMAT = DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP;

// Three 45-degree strokes of 9, 5 and 2 pixels touching the last row and
// column; the fourth line lies wholly outside the client area.
void DrawGrip(HDC dc, const RECT& client)
{
    static const int steps[] = {10, 6, 3, 1};
    for (int d : steps) {
        MoveToEx(dc, client.right, client.bottom - d, NULL);
        LineTo(dc, client.right - d, client.bottom);
    }
}

bool InGrip(int x, int y, int right, int bottom)
{
    return right - GRIP_SIZE <= x && x <= right && bottom - GRIP_SIZE <= y && y < bottom;
}

}  // namespace

void PaintWindow(HWND window)
{
    HBRUSH brush = CreateSolidBrush(AppSettings.BackColor);
    RECT client;
    GetClientRect(window, &client);

    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    SetBkColor(dc, AppSettings.BackColor);
    FillRect(dc, &client, brush);
    SetTextColor(dc, AppSettings.FontColor);
    HGDIOBJ oldFont = SelectObject(dc, AppSettings.DisplayFont);

    RECT text = {client.left + 1, client.top + 1, client.right - GRIP_SIZE, client.bottom + 1};
    DRAWTEXTPARAMS params;
    params.cbSize = sizeof params;
    params.iTabLength = AppSettings.TabsCol;
    params.iLeftMargin = 0;
    params.iRightMargin = 0;
    params.uiLengthDrawn = 0;
    DrawTextExA(dc, DispText, -1, &text, TEXT_FORMAT, &params);

    HPEN pen = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    DrawGrip(dc, client);

    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    DeleteObject(pen);
    DeleteObject(brush);
    EndPaint(window, &ps);
}

LRESULT HitTestDrag(HWND window, WPARAM wParam, LPARAM lParam)
{
    LRESULT hit = DefWindowProcA(window, WM_NCHITTEST, wParam, lParam);
    if (hit != HTCLIENT)
        return hit;
    RECT w;
    GetWindowRect(MainWnd, &w);
    if (InGrip(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), w.right, w.bottom))
        return HTCLIENT;
    return HTCAPTION;
}

void TrackGrip(WPARAM keys, int x, int y)
{
    RECT work, window, client;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(MainWnd, &window);
    GetClientRect(MainWnd, &client);

    switch (SizeMode) {
    case 0:
        if (keys == 0 && InGrip(x, y, client.right, client.bottom)) {
            SetCapture(MainWnd);
            SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32642)));  // IDC_SIZENWSE
            SizeMode = 2;
        }
        break;
    case 2:
        if (keys & MK_LBUTTON) {
            RECT confine = {window.left + GRIP_SIZE, window.top + GRIP_SIZE, work.right, work.bottom};
            ClipCursor(&confine);
            SizeMode = 1;
        } else if (!InGrip(x, y, client.right, client.bottom)) {
            // Only leaving the grip disarms it: were every move to disarm,
            // each move over the grip would flip it, and a press would size
            // the window or do nothing by chance.
            ReleaseCapture();
            SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
            SizeMode = 0;
        }
        break;
    case 1:
        MoveWindow(MainWnd, window.left, window.top, x > GRIP_SIZE ? x : GRIP_SIZE,
                   y > GRIP_SIZE ? y : GRIP_SIZE, TRUE);
        if (!(keys & MK_LBUTTON)) {
            ReleaseCapture();
            ClipCursor(NULL);
            SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));
            SizeMode = 0;
        }
        break;
    }
}

void CaptureGeometry(const RECT* r)
{
    AppSettings.X = r->left;
    AppSettings.Y = r->top;
    AppSettings.WIDTH = r->right - r->left;
    AppSettings.HEIGHT = r->bottom - r->top;
}

void ApplyTransparency(HWND window)
{
    if (SetLayeredAttributes != NULL)
        SetLayeredAttributes(window, 0, AlphaFromLayNum(AppSettings.LayNum), LWA_ALPHA);
}

void ApplyBorder(HWND window)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (AppSettings.BorderFlg == 1)
        style |= WS_BORDER;
    else
        style &= ~WS_BORDER;
    SetWindowLongA(window, GWL_STYLE, style);
    SetWindowPos(window, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}
