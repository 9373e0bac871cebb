#include "tests/wine/modal_script.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ModalScript* Running;

// About three seconds of ticks: far more than any step needs under Wine.
const int MOST_TRIES = 300;
const UINT TICK_MS = 10;

BOOL CALLBACK CollectDialog(HWND window, LPARAM found)
{
    char name[16];
    GetClassNameA(window, name, sizeof name);
    if (strcmp(name, "#32770") == 0 && IsWindowVisible(window) && IsWindowEnabled(window))
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> ActiveDialogs()
{
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps))
{
    Running = this;
    timer_ = SetTimer(NULL, 0, TICK_MS, Tick);
}

ModalScript::~ModalScript()
{
    KillTimer(NULL, timer_);
    Running = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (Running != nullptr)
        Running->RunStep();
}

void ModalScript::RunStep()
{
    ++ticks_;
    if (abandoned_) {
        for (HWND d : ActiveDialogs())
            PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
        return;
    }
    if (inStep_) {
        // A step opened a modal loop of its own and waits inside it.
        if (++blockedTicks_ > MOST_TRIES)
            Abandon("a step opened a modal window that nothing closes");
        return;
    }
    if (next_ == steps_.size()) {
        // Still in a modal loop after the last step: it closed nothing.
        if (++tries_ > MOST_TRIES)
            Abandon("the window stayed open after the last step");
        return;
    }
    inStep_ = true;
    bool done = steps_[next_]();
    inStep_ = false;
    blockedTicks_ = 0;
    if (done) {
        ++next_;
        tries_ = 0;
    } else if (++tries_ > MOST_TRIES) {
        Abandon("a step was never done");
    }
}

void ModalScript::Abandon(const char* why)
{
    ADD_FAILURE() << why << " (step " << next_ << ")";
    abandoned_ = true;
}

HWND ActiveDialog()
{
    std::vector<HWND> found = ActiveDialogs();
    return found.size() == 1 ? found[0] : NULL;
}

void TypeInto(HWND control, const char* text)
{
    for (const char* p = text; *p != '\0'; ++p)
        SendMessageA(control, WM_CHAR, static_cast<BYTE>(*p), 0);
}

void PasteInto(HWND edit, const char* text)
{
    ASSERT_TRUE(OpenClipboard(edit));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, strlen(text) + 1);
    memcpy(GlobalLock(memory), text, strlen(text) + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, WM_PASTE, 0, 0);
}

void PressKey(UINT vk)
{
    PostMessageA(GetFocus(), WM_KEYDOWN, vk, 0);
    PostMessageA(GetFocus(), WM_KEYUP, vk, 0xC0000000);
}

std::string TextOf(HWND window)
{
    char text[1024];
    memset(text, 0, sizeof text);
    GetWindowTextA(window, text, sizeof text);
    return text;
}
