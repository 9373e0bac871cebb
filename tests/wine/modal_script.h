// Drives the modal windows that the code under test opens on this thread.
// Each step runs from a thread timer inside whatever modal loop is running,
// again on every tick until it returns true; then the next step runs. A step
// that is never done, or a modal loop that a step opened and nobody closes,
// fails the test and cancels the dialogs, so that a test never hangs.
#ifndef SKERROW_TESTS_WINE_MODAL_SCRIPT_H
#define SKERROW_TESTS_WINE_MODAL_SCRIPT_H

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class ModalScript {
public:
    typedef std::function<bool()> Step;
    explicit ModalScript(std::vector<Step> steps);
    ~ModalScript();
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool Done() const { return next_ == steps_.size() && !abandoned_; }
    // True once the first step has run: some modal loop was entered.
    bool Started() const { return ticks_ > 0; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunStep();
    void Abandon(const char* why);

    std::vector<Step> steps_;
    size_t next_ = 0;
    int tries_ = 0;
    int ticks_ = 0;
    int blockedTicks_ = 0;
    bool inStep_ = false;
    bool abandoned_ = false;
    UINT_PTR timer_;
};

// The enabled, visible dialog of this thread that has no enabled dialog
// above it: the one the user would be typing into. NULL when there is none.
HWND ActiveDialog();

// Types text into a control as key presses would (WM_CHAR), so the
// control's own filters apply.
void TypeInto(HWND control, const char* text);

// Pastes text over the whole content of an edit control, as Ctrl+V would.
void PasteInto(HWND edit, const char* text);

// Posts a key press to the focused window, through the dialog's own loop.
void PressKey(UINT vk);

// The text of a window, as bytes.
std::string TextOf(HWND window);

#endif
