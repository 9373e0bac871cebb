#include "window/find.h"

#include <cstdio>
#include <cwchar>

#include "base/settings.h"
#include "base/wide.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "document/work.h"
#include "window/handles.h"
#include "window/layout.h"
#include "window/longwork.h"
#include "window/place.h"
#include "window/view.h"

namespace {

const char WRAPPED_DOWN[] = "末尾まで検索したので、先頭から続けて検索しました。";
const char WRAPPED_UP[] = "先頭まで検索したので、末尾から続けて検索しました。";
const char READ_FAILED[] = "ﾃｷｽﾄが読み込めないため、検索できませんでした。";

// The query goes first in the history; a repeat of it further down goes.
void Remember(const wchar_t* query)
{
    wchar_t (*history)[FIND_TEXT_SIZE] = AppSettings.FindHistory;
    int last = FIND_HISTORY_COUNT - 1;
    for (int i = 0; i < FIND_HISTORY_COUNT; ++i)
        if (wcscmp(history[i], query) == 0)
            last = i;
    for (int i = last; i > 0; --i)
        wcscpy(history[i], history[i - 1]);
    wmemset(history[0], L'\0', FIND_TEXT_SIZE);
    wcscpy(history[0], query);
}

// The query in the bytes of the open text: UTF-8 in a Unicode text, else
// code page 932. False when code page 932 cannot spell it: no line of such
// a text can hold it then.
bool QueryBytes(const wchar_t* query, char* out, size_t* length)
{
    BOOL lost = FALSE;
    int n = Doc.Unicode ? WideCharToMultiByte(CP_UTF8, 0, query, -1, out, FIND_QUERY_MAX, NULL, NULL)
                        : WideCharToMultiByte(PROGRAM_CODE_PAGE, WC_NO_BEST_FIT_CHARS, query, -1, out,
                                              FIND_QUERY_MAX, NULL, &lost);
    *length = n > 0 ? static_cast<size_t>(n - 1) : 0;
    return n > 0 && !lost;
}

void TellNotFound(HWND window)
{
    const wchar_t* query = AppSettings.FindHistory[0];
    char named[2 * FIND_TEXT_SIZE];
    if (WideCharToMultiByte(PROGRAM_CODE_PAGE, 0, query, -1, named, sizeof named, NULL, NULL) == 0)
        named[0] = '\0';
    char text[2 * FIND_TEXT_SIZE + 64];
    snprintf(text, sizeof text, "「%s」は見つかりませんでした。", named);
    StoreThenAsk(window, text, MB_ICONINFORMATION);
}

// The line found, at the piece that holds where the query starts.
void ShowFound(HWND window, uint32_t line, uint32_t at)
{
    ShowPlace(window, ReadingPlace{line, at});
    LineLayout layout;
    LayOutShown(window, NULL, &layout);
    MoveWithinLine(PieceStart(layout.piece));
}

void FindEnded(HWND window, int down)
{
    const WorkResult ended = LastWork();
    switch (ended.find) {
    case FIND_FOUND: ShowFound(window, ended.found, ended.at); break;
    case FIND_WRAPPED:
        ShowFound(window, ended.found, ended.at);
        StoreThenAsk(window, down ? WRAPPED_DOWN : WRAPPED_UP, MB_ICONINFORMATION);
        break;
    case FIND_NONE: TellNotFound(window); break;
    case FIND_FAILED: StoreThenAsk(window, READ_FAILED, MB_ICONERROR); break;
    case FIND_CANCELLED:
    case FIND_GOING: break;
    }
}

void RunFind(HWND window, bool down)
{
    // Work begun while the find dialog was up goes first.
    if (WorkUnderWay() != NO_WORK)
        return;
    char bytes[FIND_QUERY_MAX];
    size_t length = 0;
    TextFinder finder;
    if (QueryBytes(AppSettings.FindHistory[0], bytes, &length) &&
        PrepareFinder(&finder, bytes, length, AppSettings.FindCase != 0, !Doc.Unicode) &&
        StartFind(finder, down, Doc.Place.line))
        RunLongWork(window, "検索中", FindEnded, down);
    else
        TellNotFound(window);
}

}  // namespace

void FindCommand(HWND window)
{
    if (!TextSettled() || WorkUnderWay() != NO_WORK)
        return;
    wchar_t query[FIND_TEXT_SIZE];
    int down = AppSettings.FindDown, matchCase = AppSettings.FindCase;
    // The text may have been closed from the tray menu while the dialog was up.
    if (!AskFindText(window, AppInstance, AppSettings.FindHistory, query, &down, &matchCase) || !TextSettled())
        return;
    Remember(query);
    AppSettings.FindDown = down;
    AppSettings.FindCase = matchCase;
    SaveSettings(FIND_KEYS);
    RunFind(window, down != 0);
}

void FindAgain(HWND window, bool reverse)
{
    if (!TextSettled() || WorkUnderWay() != NO_WORK)
        return;
    if (AppSettings.FindHistory[0][0] == L'\0')
        FindCommand(window);
    else
        RunFind(window, (AppSettings.FindDown != 0) != reverse);
}
