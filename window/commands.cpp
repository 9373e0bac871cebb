#include "window/commands.h"

#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/settings.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "document/session.h"
#include "document/work.h"
#include "res/resource.h"
#include "window/bookmarks.h"
#include "window/chapters.h"
#include "window/find.h"
#include "window/handles.h"
#include "window/longwork.h"
#include "window/place.h"
#include "window/pointer.h"
#include "window/paint.h"
#include "window/tray.h"
#include "window/view.h"

namespace {

void JumpCommand(HWND window)
{
    if (!TextSettled())
        return;
    JumpChoice chosen;
    // Compared with the line shown now, not when the dialog opened: the feed
    // goes on while it is open. The line already shown is not painted again;
    // the text may even have been closed from the tray menu meanwhile.
    if (!AskJumpLine(window, AppInstance, Doc.LineCnt, &chosen) || !TextSettled())
        return;
    const uint32_t target = chosen.percent ? LineAtPercent(chosen.value) : chosen.value;
    if (ChooseLine(NAV_CLAMP, target, Doc.LineCnt) != Doc.Place.line)
        NavigateTo(window, NAV_CLAMP, target);
}

void InfoCommand(HWND window)
{
    if (TextSettled())
        ShowFileInfo(window, AppInstance);
}

// A text from the recent list opens as a drop would; one that cannot be
// read any more leaves the list.
const int FROM_RECENT = 1;

void OpenEnded(HWND window, int from)
{
    // A copy: a box is up while the next work may start.
    const WorkResult ended = LastWork();
    // Told when nothing is in flux any more: meanwhile the user may close
    // the program or open another text.
    if (ended.failure != NULL)
        StoreThenAsk(NULL, ended.failure, MB_ICONERROR);
    switch (ended.open) {
    case OPEN_DONE: ShowPlace(window, Doc.Place); break;
    case OPEN_LOST: ShowNoText(window); break;
    // The old text stays: a log-off called off meanwhile takes it up now.
    case OPEN_REFUSED:
    case OPEN_UNREADABLE: ResumeReleasedText(window); break;
    }
    if (from == FROM_RECENT && ended.open == OPEN_UNREADABLE)
        ForgetRecentText(ended.path);
}

// Opens path as the new text, or with NULL asks for one with the open
// dialog; `from` says whether it came from the recent list.
void OpenFile(HWND window, const wchar_t* path, int from)
{
    // The text open until now keeps the place it was left at.
    StorePlaceNow(window);
    wchar_t chosen[PATH_SIZE];
    wmemset(chosen, L'\0', PATH_SIZE);
    if (path != NULL && wcslen(path) < PATH_SIZE)
        wcscpy(chosen, path);
    // A name that cannot be opened is refused at once; anything else waits
    // for the work under way.
    if (WorkUnderWay() != NO_WORK && (path == NULL || chosen[0] != L'\0')) {
        WaitForWork(IDM_OPEN, path);
        return;
    }
    if (path == NULL && AskForFile(window, chosen) == 0)
        return;
    if (chosen[0] == L'\0') {
        ShowMessage(window, "ﾌｧｲﾙ名指定がｴﾗｰです。", "Skerrow", MB_OK);
        return;
    }
    // Work begun while the open dialog was up refuses the open.
    if (StartOpen(chosen))
        RunLongWork(window, "読み込み中", OpenEnded, from);
}

void RecentCommand(HWND window, int k)
{
    if (k >= RECENT_COUNT || AppSettings.Recent[k].File[0] == L'\0')
        return;
    wchar_t path[PATH_SIZE];
    wcscpy(path, AppSettings.Recent[k].File);
    OpenFile(window, path, FROM_RECENT);
}

// The open text read again in the encoding chosen (a choice as
// base/textencoding.h has it), at the line shown; the choice stays with it.
void EncodingCommand(HWND window, int chosen)
{
    // The place is on disk already: RunCommand stored it.
    if (TextSettled() && WorkUnderWay() == NO_WORK && chosen != Doc.Chosen && StartOpen(Doc.Path, chosen))
        RunLongWork(window, "読み込み中", OpenEnded, 0);
}

void ClearCommand(HWND window)
{
    if (WorkUnderWay() != NO_WORK) {
        WaitForWork(IDM_CLEAR, NULL);
        return;
    }
    ClearText();
    ShowNoText(window);
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
        WatchPointerAsSet(window);
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
    case IDM_MARK: MarkCommand(window); break;
    case IDM_BOOKMARKS: BookmarksCommand(window); break;
    case IDM_RECENTCLEAR: ClearRecentTexts(); break;
    case IDM_AUTOFEED: ToggleAutoFeed(window); break;
    case IDM_FIND: FindCommand(window); break;
    case IDM_FINDNEXT:
    case IDM_FINDPREVIOUS: FindAgain(window, id == IDM_FINDPREVIOUS); break;
    default:
        if (id >= IDM_RECENT && id < IDM_RECENT + RECENT_COUNT)
            RecentCommand(window, id - IDM_RECENT);
        else if (id == IDM_ENCODINGTOLD)
            EncodingCommand(window, NONE_CHOSEN);
        else if (id >= IDM_ENCODING && id < IDM_ENCODING + TEXT_ENCODINGS)
            EncodingCommand(window, ChoiceOf(static_cast<TextEncoding>(id - IDM_ENCODING)));
        break;
    }
}

void OpenCommand(HWND window, const wchar_t* path)
{
    OpenFile(window, path, 0);
}

void CloseProgram(HWND window)
{
    // Not while long work is under way: the window must outlive it (an
    // open or restore may wait on its question). The work is stopped, so
    // that the program closes soon.
    if (WorkUnderWay() != NO_WORK) {
        CancelWork();
        WaitForWork(IDM_EXIT, NULL);
        return;
    }
    if (AppSettings.EndFlg != 0 && StoreThenAsk(window, "終了します。よろしいですか？", MB_OKCANCEL | MB_DEFBUTTON2) != IDOK)
        return;
    SaveAndRelease(false);
    PauseFeed(window);
    DestroyWindow(window);
}

void RunWaitingCommand(HWND window)
{
    int id;
    wchar_t path[PATH_SIZE];
    if (!TakeWaitingCommand(&id, path))
        return;
    if (id == IDM_OPEN && path[0] != L'\0')
        OpenCommand(window, path);
    else
        RunCommand(window, id);
}
