// The text across runs: taken up again at start, forgotten on request,
// saved and released at exit, and taken up again after a log-off that did
// not happen.
#include <cstring>

#include "base/msgbox.h"
#include "base/settings.h"
#include "document/document.h"

namespace {

const char CANNOT_REOPEN[] = "前回参照ﾃｷｽﾄが開けません。";

// The place the settings file names, as last written by this run; no
// line's before.
ReadingPlace StoredPlace = {0xFFFFFFFFu, 0};

// The rule a stored BackSkip names; anything else keeps blank lines.
int StoredRule(int backSkip)
{
    return backSkip == SKIP_BLANK_LINES || backSkip == SKIP_NOTE_LINES ? backSkip : KEEP_BLANK_LINES;
}

// Opens the kept working copy and indexes it: under the rule the place
// counts by (keepRule), else under the rule of the settings now, *line
// (counted under the place's rule) then becoming the same line under it.
// Returns NULL, or the message that says why it could not be taken up
// again.
const char* ReopenWorkingCopy(bool keepRule, uint32_t* line, WorkProgress* progress)
{
    HANDLE h = CreateFileW(WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return CANNOT_REOPEN;
    ULONGLONG size = 0;
    CopyForm form;
    if (!SizeFits(h, &size) || !WorkingCopyForm(h, size, &form)) {
        CloseHandle(h);
        return CANNOT_REOPEN;
    }
    const int placeRule = StoredRule(AppSettings.BackSkip);
    const int rule = keepRule ? placeRule : LineRuleFor(AppSettings.BlankSkip, AppSettings.Notation, form.notation);
    LineIndex index = {};
    if (!IndexUnderRule(h, size, form, rule, &index, progress) ||
        (rule != placeRule && !SameLineUnder(h, size, form, placeRule, index, line, progress))) {
        FreeLineIndex(&index);
        CloseHandle(h);
        return CANNOT_REOPEN;
    }
    if (index.count == 0) {
        FreeLineIndex(&index);
        CloseHandle(h);
        return NO_LINES;
    }
    Doc.WorkHandle = h;
    Doc.Index = index;
    AppSettings.BackSkip = rule;
    Doc.Unicode = form.encoding != TEXT_CP932;
    Doc.Notation = form.notation;
    return NULL;
}

// Reopens the working copy at the last line; NULL, or why it could not.
const char* Restore(WorkProgress* progress)
{
    SetCursor(LoadCursorA(NULL, IDC_WAIT));
    // Counted unsigned: a stored 0 or negative line lies beyond the end.
    uint32_t line = static_cast<uint32_t>(AppSettings.BackNo) - 1u;
    const char* failure = ReopenWorkingCopy(false, &line, progress);
    if (failure == NULL) {
        Doc.DatFlg = AskDatForm(Doc.WorkHandle, Doc.Index);
        Doc.LineCnt = Doc.Index.count;
        // The place within the line, unless the line lies beyond the end.
        const bool within = line < Doc.LineCnt && AppSettings.BackPos > 0;
        Doc.Place = ReadingPlace{line, within ? static_cast<uint32_t>(AppSettings.BackPos) : 0};
    }
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
    return failure;
}

}  // namespace

bool RestoreLastText(WorkProgress* progress)
{
    if (AppSettings.BackFlg == 1 && AppSettings.BackNo != 0) {
        DocBusy = 1;
        bool accepted = ShowMessage(NULL, "前回終了直前の状態を復元しますか？", "Skerrow", MB_OKCANCEL) == IDOK;
        const char* failure = accepted ? Restore(progress) : NULL;
        DocBusy = 0;
        if (failure != NULL && progress != NULL && progress->cancelled)
            return false;
        if (failure != NULL)
            ShowMessage(NULL, failure, "Skerrow", MB_ICONERROR);
        if (accepted)
            return failure == NULL;
    }
    // A text the file still names is forgotten there at once, as its copy is.
    bool named = AppSettings.BackNo != 0 || AppSettings.BackFile[0] != L'\0';
    DeleteFileW(WorkFile);
    ResetDocument();
    if (named)
        StorePlace();
    return false;
}

bool ClearText()
{
    if (DocBusy)
        return false;
    ResetDocument();
    ReleaseText();
    DeleteFileW(WorkFile);
    StorePlace();
    return true;
}

void NotePlace()
{
    AppSettings.BackNo = static_cast<int>(Doc.Place.line + 1);
    AppSettings.BackPos = static_cast<int>(Doc.Place.offset);
    RememberText(AppSettings.Recent, AppSettings.BackFile, Doc.Place, AppSettings.BackSkip);
}

void StorePlace()
{
    if (Doc.LineCnt != 0)
        NotePlace();
    SaveSettings(SAVED_AT_EXIT);
    StoredPlace = Doc.Place;
}

void ClearRecentTexts()
{
    RecentText* list = AppSettings.Recent;
    const int open = Doc.LineCnt != 0 ? FindRecent(list, AppSettings.BackFile) : -1;
    for (int k = RECENT_COUNT - 1; k >= 0; --k)
        if (k != open)
            ForgetRecent(list, k);
    StorePlace();
}

void ForgetRecentText(const wchar_t* path)
{
    ForgetRecent(AppSettings.Recent, FindRecent(AppSettings.Recent, path));
    StorePlace();
}

bool PlaceUnstored()
{
    return HasText() && !SamePlace(Doc.Place, StoredPlace);
}

int SaveAndRelease(HWND owner, int ask)
{
    if (ask != 0 &&
        ShowMessage(owner, "終了します。よろしいですか？", "Skerrow", MB_OKCANCEL | MB_DEFBUTTON2) != IDOK)
        return -1;
    StorePlace();
    // An open or restore waiting on its question still needs its text; it
    // is released when the program closes after it.
    if (!DocBusy)
        ReleaseText();
    return 0;
}

ResumeOutcome ResumeAfterCancelledEnd()
{
    if (Doc.WorkHandle != INVALID_HANDLE_VALUE || Doc.LineCnt == 0 || DocBusy)
        return RESUME_NOTHING;
    // Taken up silently, as it was: the same lines (whatever BlankSkip says
    // by now) and the same dat view.
    uint32_t line = Doc.Place.line;
    if (ReopenWorkingCopy(true, &line, NULL) != NULL) {
        ResetDocument();
        return RESUME_LOST;
    }
    Doc.LineCnt = Doc.Index.count;
    return RESUME_DONE;
}
