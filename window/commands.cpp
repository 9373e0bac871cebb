#include "window/commands.h"

#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/settings.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/chapters.h"
#include "window/find.h"
#include "window/handles.h"
#include "window/longwork.h"
#include "window/place.h"
#include "window/paint.h"
#include "window/tray.h"
#include "window/view.h"

namespace {

// A command that came while an open or a restore waited on its question:
// the text was in flux, so it runs once the question is answered. Closing
// the program outranks the others; of those, the last one counts.
int WaitingCommand;           // IDM_EXIT, IDM_CLEAR or IDM_OPEN; 0 when none
wchar_t WaitingPath[PATH_SIZE];  // the file dropped meanwhile, for IDM_OPEN

void Wait(int id, const wchar_t* path)
{
    if (WaitingCommand == IDM_EXIT)
        return;
    WaitingCommand = id;
    wmemset(WaitingPath, L'\0', PATH_SIZE);
    if (path != NULL && wcslen(path) < PATH_SIZE)
        wcscpy(WaitingPath, path);
}

void JumpCommand(HWND window)
{
    if (Doc.LineCnt == 0)
        return;
    uint32_t target = 0;
    // Compared with the line shown now, not when the dialog opened: the feed
    // goes on while it is open. The line already shown is not painted again;
    // the text may even have been closed from the tray menu meanwhile.
    if (AskJumpLine(window, AppInstance, Doc.LineCnt, &target) && Doc.LineCnt > 0 &&
        ChooseLine(NAV_CLAMP, target, Doc.LineCnt) != Doc.Place.line)
        NavigateTo(window, NAV_CLAMP, target);
}

void InfoCommand(HWND window)
{
    if (Doc.LineCnt > 0)
        ShowFileInfo(window, AppInstance);
}

// Opens recent text k as a drop would; one that cannot be read any more
// leaves the list.
void RecentCommand(HWND window, int k)
{
    if (k >= RECENT_COUNT || AppSettings.Recent[k].File[0] == L'\0')
        return;
    wchar_t path[PATH_SIZE];
    wcscpy(path, AppSettings.Recent[k].File);
    if (OpenCommand(window, path))
        ForgetRecentText(path);
}

void ClearCommand(HWND window)
{
    if (ClearText())
        ShowNoText(window);
    else
        Wait(IDM_CLEAR, NULL);
}

// The Display page's colours, and its font with the default look, in
// force at once.
void ShowLook(const AppSettingsRecord& look, bool withFont)
{
    AppSettings.BackColor = look.BackColor;
    AppSettings.FontColor = look.FontColor;
    if (withFont)
        ReplaceDisplayFont(&look.Font);
    InvalidateRect(MainWnd, NULL, TRUE);
}

void ReleaseMainHotKeys()
{
    ReleaseHotKeys(MainWnd);
}

// Takes what the confirmed pages of the options sheet changed into force
// and into the settings file, page by page in the sheet's order.
void ApplyOptions(HWND window, unsigned outcome, const AppSettingsRecord& edited)
{
    if (outcome & GENERAL_PAGE) {
        CopySettings(GENERAL_PAGE, edited, &AppSettings);
        SaveSettings(GENERAL_PAGE);
        // The line again, with or without its number, at the same place.
        // BlankSkip waits for the next text opened; the tab width for the
        // repaint below.
        ShowPlace(window, Doc.Place);
    }
    if (outcome & DISPLAY_PAGE) {
        const bool wasPerPixel = DrawnPerPixel();
        CopySettings(DISPLAY_PAGE, edited, &AppSettings);
        ApplyFontAndTransparency(window, wasPerPixel);
        SaveSettings(DISPLAY_PAGE);
        ApplyBorder(window);
    }
    if (outcome & HOTKEY_PAGE) {
        CopySettings(HOTKEY_PAGE, edited, &AppSettings);
        SaveSettings(HOTKEY_PAGE);
    }
    if (outcome & (HOTKEY_PAGE | OPTIONS_HOTKEYS_RELEASED))
        RegisterHotKeys(window);
}

void OptionsCommand(HWND window)
{
    if (BringOptionsSheetForward())
        return;
    PauseFeed(window);
    static const OptionsHost host = {ShowLook, ReleaseMainHotKeys};
    AppSettingsRecord edited = AppSettings;
    unsigned outcome = ShowOptionsSheet(AppInstance, host, &edited);
    ApplyOptions(window, outcome, edited);
    ResumeFeed(window);
    // A new font, colour or line number shows at once.
    InvalidateRect(window, NULL, TRUE);
}

}  // namespace

void RunCommand(HWND window, int id)
{
    // Every command that opens a dialog, and the exit, find the place on disk.
    StorePlaceNow(window);
    switch (id) {
    case IDM_EXIT: CloseProgram(window); break;
    case IDM_OPEN: OpenCommand(window, NULL); break;
    case IDM_VERSION: ShowVersionDialog(window, AppInstance); break;
    case IDM_HELP: ShowHelp(window); break;
    case IDM_OPTION: OptionsCommand(window); break;
    case IDM_JUMP: JumpCommand(window); break;
    case IDM_CLEAR: ClearCommand(window); break;
    case IDM_INFO: InfoCommand(window); break;
    case IDM_CHAPTERS: ChaptersCommand(window); break;
    case IDM_RECENTCLEAR: ClearRecentTexts(); break;
    case IDM_AUTOFEED: ToggleAutoFeed(window); break;
    case IDM_FIND:
        FindCommand(window);
        RunWaitingCommand(window);
        break;
    case IDM_FINDNEXT:
    case IDM_FINDPREVIOUS:
        FindAgain(window, id == IDM_FINDPREVIOUS);
        RunWaitingCommand(window);
        break;
    default:
        if (id >= IDM_RECENT && id < IDM_RECENT + RECENT_COUNT)
            RecentCommand(window, id - IDM_RECENT);
        break;
    }
}

bool OpenCommand(HWND window, const wchar_t* path)
{
    // The text open until now keeps the place it was left at.
    StorePlaceNow(window);
    wchar_t chosen[PATH_SIZE];
    wmemset(chosen, L'\0', PATH_SIZE);
    if (path != NULL && wcslen(path) < PATH_SIZE)
        wcscpy(chosen, path);
    // A name that cannot be opened is refused at once; anything else waits
    // for an open or restore under way.
    if (DocBusy && (path == NULL || chosen[0] != L'\0')) {
        Wait(IDM_OPEN, path);
        return false;
    }
    if (path == NULL && AskForFile(window, chosen) == 0)
        return false;
    if (chosen[0] == L'\0') {
        ShowMessage(window, "ﾌｧｲﾙ名指定がｴﾗｰです。", "Skerrow", MB_OK);
        return false;
    }
    WorkProgress progress;
    BeginLongWork(window, "読み込み中", &progress);
    OpenOutcome outcome = OpenTextFile(chosen, &progress);
    EndLongWork();
    switch (outcome) {
    case OPEN_DONE: ShowPlace(window, Doc.Place); break;
    case OPEN_LOST: ShowNoText(window); break;
    // The old text stays: a log-off called off meanwhile takes it up now.
    case OPEN_REFUSED:
    case OPEN_UNREADABLE: ResumeReleasedText(window); break;
    }
    RunWaitingCommand(window);
    return outcome == OPEN_UNREADABLE;
}

void CloseProgram(HWND window)
{
    // Not while an open or restore waits on its question: the window must
    // outlive it (a restore even runs inside the window's creation). Long
    // work is stopped, so that the program closes soon.
    if (DocBusy) {
        if (LongWorkRunning())
            CancelLongWork();
        Wait(IDM_EXIT, NULL);
        return;
    }
    if (SaveAndRelease(window, AppSettings.EndFlg) == 0) {
        PauseFeed(window);
        DestroyWindow(window);
    }
}

void RunWaitingCommand(HWND window)
{
    int id = WaitingCommand;
    WaitingCommand = 0;
    if (id == IDM_OPEN && WaitingPath[0] != L'\0') {
        wchar_t path[PATH_SIZE];
        wmemcpy(path, WaitingPath, PATH_SIZE);
        wmemset(WaitingPath, L'\0', PATH_SIZE);
        OpenCommand(window, path);
    } else if (id != 0) {
        // Posted: a restore waits inside the window's creation.
        PostMessageA(window, WM_COMMAND, id, 0);
    }
}
