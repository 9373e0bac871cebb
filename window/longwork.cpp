#include "window/longwork.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/paths.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/place.h"
#include "window/placement.h"
#include "window/view.h"

namespace {

// Progress is shown only for work that lasts, and each slice is short
// enough for the window's messages to feel handled at once.
const DWORD SHOW_AFTER_MS = 250;
const DWORD SLICE_MS = 30;
// A repaint costs about as much as a line step: the figure moves on a few
// times a second, which reads as smooth and costs little.
const DWORD REPAINT_EVERY_MS = 150;

struct LongWork {
    const char* label;
    void (*ended)(HWND window, int arg);
    int arg;
    bool shown;
    unsigned percent;
    DWORD started, painted;
    char text[64];
    int waiting;  // IDM_EXIT, IDM_CLEAR or IDM_OPEN; 0 when none
    wchar_t waitingPath[PATH_SIZE];
};
LongWork Work;

void ShowProgress(HWND window)
{
    const DWORD now = GetTickCount();
    const unsigned percent = WorkPercent();
    if (now - Work.started < SHOW_AFTER_MS ||
        (Work.shown && (percent == Work.percent || now - Work.painted < REPAINT_EVERY_MS)))
        return;
    Work.shown = true;
    Work.painted = now;
    Work.percent = percent;
    snprintf(Work.text, sizeof Work.text, "%s %u%%", Work.label, percent);
    // A restore may run before the window was first shown, and before it
    // was brought onto a screen.
    if (!IsWindowVisible(window)) {
        KeepOnScreen(window);
        ShowWindow(window, SW_SHOW);
    }
    InvalidateRect(window, NULL, TRUE);
    // Painted now: a paint waits behind the posted slices.
    UpdateWindow(window);
}

// The next slice is posted; but posted messages go before input, paints and
// timers, so while any of those wait the slice follows them on a timer.
void Continue(HWND window)
{
    if (HIWORD(GetQueueStatus(QS_INPUT | QS_PAINT | QS_TIMER)) != 0)
        SetTimer(window, TIMER_LONGWORK, USER_TIMER_MINIMUM, NULL);
    else
        PostMessageA(window, WM_LONGWORK, 0, 0);
}

void Finish(HWND window)
{
    if (Work.shown)
        InvalidateRect(window, NULL, TRUE);
    Work.shown = false;
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
    ResumeFeed(window);
    Work.ended(window, Work.arg);
    // The work that ended may have started more.
    if (Work.waiting != 0 && WorkUnderWay() == NO_WORK)
        PostMessageA(window, WM_WAITINGCOMMAND, 0, 0);
}

}  // namespace

void RunLongWork(HWND window, const char* label, void (*ended)(HWND window, int arg), int arg)
{
    Work.label = label;
    Work.ended = ended;
    Work.arg = arg;
    Work.shown = false;
    Work.started = GetTickCount();
    PauseFeed(window);
    SetCursor(LoadCursorA(NULL, IDC_WAIT));
    RunLongWorkSlice(window);
}

void RunLongWorkSlice(HWND window)
{
    KillTimer(window, TIMER_LONGWORK);
    if (WorkUnderWay() == NO_WORK)
        return;
    WorkStep step;
    for (;;) {
        const DWORD begun = GetTickCount();
        while ((step = WorkPiece()) == WORK_GOING && GetTickCount() - begun < SLICE_MS) {
        }
        if (step != WORK_ASKS)
            break;
        AnswerWork(StoreThenAsk(NULL, WorkQuestion(), MB_OKCANCEL) == IDOK);
        // The clock starts with the work itself, not with a question before it.
        Work.started = GetTickCount();
    }
    if (step == WORK_GOING) {
        ShowProgress(window);
        Continue(window);
        return;
    }
    Finish(window);
}

const char* LongWorkText()
{
    return Work.shown ? Work.text : NULL;
}

void WaitForWork(int id, const wchar_t* path)
{
    if (Work.waiting == IDM_EXIT)
        return;
    Work.waiting = id;
    wmemset(Work.waitingPath, L'\0', PATH_SIZE);
    if (path != NULL && wcslen(path) < PATH_SIZE)
        wcscpy(Work.waitingPath, path);
}

bool TakeWaitingCommand(int* id, wchar_t* path)
{
    *id = Work.waiting;
    Work.waiting = 0;
    wmemcpy(path, Work.waitingPath, PATH_SIZE);
    wmemset(Work.waitingPath, L'\0', PATH_SIZE);
    return *id != 0;
}
