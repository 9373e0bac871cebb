#include "window/longwork.h"

#include <cstdio>
#include <cstring>

#include "window/placement.h"

namespace {

// Progress is shown only for work that lasts, and the window's messages are
// looked at often enough to feel at once.
const DWORD SHOW_AFTER_MS = 250;
const DWORD PUMP_EVERY_MS = 30;
// A repaint costs about as much as a line step: the figure moves on a few
// times a second, which reads as smooth and costs little.
const DWORD REPAINT_EVERY_MS = 150;

struct LongWork {
    HWND window;
    const char* label;
    bool running, stepped, cancelled, shown;
    unsigned percent;
    DWORD started, pumped, painted;
    char text[64];
};

LongWork Work;

void Pump()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        // The end of the program waits until the work is over.
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            Work.cancelled = true;
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool Step(unsigned percent)
{
    DWORD now = GetTickCount();
    // The clock starts with the work itself, not with a question before it.
    if (!Work.stepped) {
        Work.stepped = true;
        Work.started = Work.pumped = now;
    }
    if (now - Work.pumped < PUMP_EVERY_MS)
        return !Work.cancelled;
    Work.pumped = now;
    if (now - Work.started >= SHOW_AFTER_MS &&
        (!Work.shown || (percent != Work.percent && now - Work.painted >= REPAINT_EVERY_MS))) {
        Work.shown = true;
        Work.painted = now;
        Work.percent = percent;
        snprintf(Work.text, sizeof Work.text, "%s %u%%", Work.label, percent);
        // A restore runs before the window was first shown, and before it
        // was brought onto a screen.
        if (!IsWindowVisible(Work.window)) {
            KeepOnScreen(Work.window);
            ShowWindow(Work.window, SW_SHOW);
        }
        InvalidateRect(Work.window, NULL, TRUE);
    }
    Pump();
    return !Work.cancelled;
}

}  // namespace

void BeginLongWork(HWND window, const char* label, WorkProgress* progress)
{
    memset(&Work, 0, sizeof Work);
    Work.window = window;
    Work.label = label;
    Work.running = true;
    progress->step = Step;
    progress->cancelled = false;
}

void EndLongWork()
{
    if (Work.shown)
        InvalidateRect(Work.window, NULL, TRUE);
    Work.running = Work.shown = false;
}

bool LongWorkRunning()
{
    return Work.running;
}

void CancelLongWork()
{
    Work.cancelled = true;
}

const char* LongWorkText()
{
    return Work.shown ? Work.text : NULL;
}
