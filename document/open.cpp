#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/settings.h"
#include "document/document.h"

namespace {

const char OPEN_ERROR[] = "指定ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ";

// Copies the source to the new working copy and indexes it on the way, in
// one read of the source. Returns false, leaving no new copy behind, when
// the source cannot be read, is 4 GiB or more, the copy cannot be written,
// or memory for the index runs out; *unreadable says whether it was the
// source that could not be read.
bool CopyAndIndex(const wchar_t* source, const wchar_t* copy, int blankSkip, LineIndex* index,
                  CopyForm* form, WorkProgress* progress, bool* unreadable)
{
    HANDLE in = CreateFileW(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    ULONGLONG size = 0;
    *unreadable = in == INVALID_HANDLE_VALUE || !SizeFits(in, &size) || !DetectSourceForm(in, size, form);
    if (*unreadable) {
        if (in != INVALID_HANDLE_VALUE)
            CloseHandle(in);
        return false;
    }
    HANDLE out = CreateFileW(copy, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (out == INVALID_HANDLE_VALUE) {
        CloseHandle(in);
        return false;
    }
    bool ok = StreamLineIndex(in, size, out, *form, blankSkip, index, progress);
    CloseHandle(in);
    ok = CloseHandle(out) && ok;
    if (!ok) {
        FreeLineIndex(index);
        DeleteFileW(copy);
    }
    return ok;
}

// Where the reader left a text of the recent list, as a line of its new
// index (counted under rule): the line it was counted under another rule
// found again; the last line when the text is now shorter. The first line
// of a text not in the list.
ReadingPlace PlaceLeftIn(const wchar_t* path, ULONGLONG size, const CopyForm& form, int rule, const LineIndex& index)
{
    const int k = FindRecent(AppSettings.Recent, path);
    if (k < 0)
        return ReadingPlace{0, 0};
    const RecentText& left = AppSettings.Recent[k];
    ReadingPlace place = left.Place;
    if (left.Rule != rule && !SameLineUnder(Doc.WorkHandle, size, form, left.Rule, index, &place.line, NULL))
        return ReadingPlace{0, 0};
    return place.line < index.count ? place : ReadingPlace{index.count - 1, 0};
}

// Everything after the choice of a path. The previous text stays open and
// untouched until the new copy and its index are complete. A failure
// leaves in *failure the message that tells the user.
OpenOutcome OpenChosen(const wchar_t* path, WorkProgress* progress, const char** failure)
{
    wchar_t copy[PATH_SIZE];
    wmemset(copy, L'\0', PATH_SIZE);
    wcscpy(copy, WorkFile);
    wmemcpy(copy + wcslen(copy) - 3, L"new", 3);  // Skerrow.new beside Skerrow.tmp

    // The settings the index is built by: the options sheet may change them
    // while the work shows its progress.
    const int blankSkip = AppSettings.BlankSkip, notationView = AppSettings.Notation;
    LineIndex index = {};
    CopyForm form;
    bool unreadable = false;
    if (!CopyAndIndex(path, copy, blankSkip, &index, &form, progress, &unreadable)) {
        if (progress == NULL || !progress->cancelled)
            *failure = OPEN_ERROR;
        return unreadable ? OPEN_UNREADABLE : OPEN_REFUSED;
    }

    // Lines of nothing but annotations are left out once the copy can be
    // read: the old text is gone by then, so nothing stops that pass.
    const int rule = LineRuleFor(blankSkip, notationView, form.notation);
    ULONGLONG size = 0;
    // The copy is read in its own form from here on: UTF-8 behind its mark.
    CopyForm copyForm = form;
    ReleaseText();
    Doc.LineCnt = 0;
    if (!MoveFileExW(copy, WorkFile, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(copy);
        *failure = OPEN_ERROR;
    } else if ((Doc.WorkHandle = CreateFileW(WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                             NULL)) == INVALID_HANDLE_VALUE) {
        *failure = OPEN_ERROR;
    } else if (!SizeFits(Doc.WorkHandle, &size) || !WorkingCopyForm(Doc.WorkHandle, size, &copyForm) ||
               (rule == SKIP_NOTE_LINES && !DropNoteLines(Doc.WorkHandle, size, copyForm, &index, NULL))) {
        CloseHandle(Doc.WorkHandle);
        Doc.WorkHandle = INVALID_HANDLE_VALUE;
        *failure = OPEN_ERROR;
    } else if (index.count == 0) {
        CloseHandle(Doc.WorkHandle);
        Doc.WorkHandle = INVALID_HANDLE_VALUE;
        *failure = NO_LINES;
    }
    if (*failure != NULL) {
        FreeLineIndex(&index);
        ResetDocument();
        // The old copy is gone or replaced: the file names no text either.
        StorePlace();
        return OPEN_LOST;
    }

    // From the swap on, the working copy holds the new text: the settings
    // file names it at once, at its first line, so that neither a log-off
    // during the question below nor a crash finds a name and a copy that
    // disagree.
    wcscpy(AppSettings.BackFile, path);
    Doc.Place = PlaceLeftIn(path, size, copyForm, rule, index);
    AppSettings.BackSkip = rule;
    NotePlace();
    StorePlace();
    // While the question is up, LineCnt stays 0: whatever navigates then
    // finds no text, and DocBusy keeps the text from being released.
    // The line on display meanwhile is still the old text's, painted in its
    // encoding until the new text's first line replaces it.
    Doc.Index = index;
    Doc.DatFlg = AskDatForm(Doc.WorkHandle, Doc.Index);
    Doc.Unicode = copyForm.encoding != TEXT_CP932;
    Doc.Notation = form.notation;
    Doc.LineCnt = Doc.Index.count;
    return OPEN_DONE;
}

}  // namespace

OpenOutcome OpenTextFile(const wchar_t* path, WorkProgress* progress)
{
    if (DocBusy)
        return OPEN_REFUSED;
    DocBusy = 1;
    SetCursor(LoadCursorA(NULL, IDC_WAIT));
    const char* failure = NULL;
    OpenOutcome outcome = OpenChosen(path, progress, &failure);
    DocBusy = 0;
    SetCursor(LoadCursorA(NULL, IDC_ARROW));
    // Told when nothing is in flux any more: meanwhile the user may close
    // the program or open another text.
    if (failure != NULL)
        ShowMessage(NULL, failure, "Skerrow", MB_ICONERROR);
    return outcome;
}
