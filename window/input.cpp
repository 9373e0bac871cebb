#include "window/input.h"

#include <cstring>
#include <cwchar>

#include "base/paths.h"
#include "base/settings.h"
#include "document/document.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/chapters.h"
#include "window/commands.h"
#include "window/numkey.h"
#include "window/place.h"
#include "window/view.h"

namespace {

// The digits typed so far, until a short pause ends the entry.
struct TypedNumber {
    char digits[NUMKEY_MAX_DIGITS + 1];
    int count;
};
TypedNumber Typed;

const UINT NUMKEY_PAUSE_MS = 600;

void AddDigit(HWND window, unsigned keyCode)
{
    // A full entry drops the digit and keeps the running pause as it is.
    if (Typed.count >= NUMKEY_MAX_DIGITS)
        return;
    if (Typed.count > 0)
        KillTimer(window, TIMER_NUMKEY);
    NumKeyAdd(Typed.digits, &Typed.count, keyCode);
    SetTimer(window, TIMER_NUMKEY, NUMKEY_PAUSE_MS, NULL);
}

void ToggleLineDisp(HWND window)
{
    AppSettings.LineDisp = AppSettings.LineDisp == 0 ? 1 : 0;
    SaveSettings(LINE_NUMBER_KEY);
    ShowPlace(window, Doc.Place);
}

}  // namespace

void HandleKey(HWND window, WPARAM wParam)
{
    unsigned key = LOWORD(wParam);
    // While long work runs, Esc stops it and other keys wait for nothing.
    if (WorkUnderWay() != NO_WORK) {
        if (key == VK_ESCAPE)
            CancelWork();
        return;
    }
    if ((key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)) {
        AddDigit(window, key);
        return;
    }
    switch (key) {
    case VK_ESCAPE: HideView(window); break;
    case VK_PRIOR:
    case VK_UP: StepThrough(window, false); break;
    case VK_NEXT:
    case VK_DOWN: StepThrough(window, true); break;
    case VK_HOME: NavigateTo(window, NAV_TOP, Doc.Place.line); break;
    case VK_RIGHT: StepChapter(window, true); break;
    case VK_LEFT: StepChapter(window, false); break;
    case 'T': RunCommand(window, IDM_CHAPTERS); break;
    case 'M': RunCommand(window, IDM_MARK); break;
    case 'B': RunCommand(window, IDM_BOOKMARKS); break;
    case VK_END: NavigateTo(window, NAV_END, Doc.Place.line); break;
    case 'J':
    case VK_F4: RunCommand(window, IDM_JUMP); break;
    case 'O':
    case VK_F1: RunCommand(window, IDM_OPEN); break;
    case 'P':
    case VK_F8: RunCommand(window, IDM_INFO); break;
    case VK_F5: RunCommand(window, IDM_AUTOFEED); break;
    case VK_F9: ToggleLineDisp(window); break;
    case VK_F12: RunCommand(window, IDM_OPTION); break;
    case 'F': RunCommand(window, IDM_FIND); break;
    case VK_F3: RunCommand(window, GetKeyState(VK_SHIFT) < 0 ? IDM_FINDPREVIOUS : IDM_FINDNEXT); break;
    }
}

void JumpToTypedLine(HWND window)
{
    KillTimer(window, TIMER_NUMKEY);
    int n = NumKeyTake(Typed.digits, &Typed.count);
    if (n == 0)
        return;
    NavigateTo(window, NAV_CLAMP, static_cast<uint32_t>(n) - 1);
}

void StepByWheel(HWND window, int delta)
{
    if (WorkUnderWay() != NO_WORK)
        return;
    StepThrough(window, delta < 0);
}

void OpenDroppedFile(HWND window, HDROP drop)
{
    if (DragQueryFileW(drop, 0xFFFFFFFF, NULL, 0) > 0) {
        wchar_t path[PATH_SIZE];
        wmemset(path, L'\0', PATH_SIZE);
        // A path that does not fit is passed on empty, to be refused as a
        // bad name, rather than cut off into the name of another file.
        if (DragQueryFileW(drop, 0, NULL, 0) < PATH_SIZE)
            DragQueryFileW(drop, 0, path, PATH_SIZE);
        OpenCommand(window, path);
    }
    DragFinish(drop);
    SetForegroundWindow(window);
}
