#include "document/session.h"

#include <cstring>
#include <cwchar>

#include "base/settings.h"
#include "document/document.h"
#include "document/text.h"

namespace {

const char RESTORE_QUESTION[] = "前回終了直前の状態を復元しますか？";
const char CANNOT_REOPEN[] = "前回参照ﾃｷｽﾄが開けません。";

enum RestoreStage { RESTORE_ASKING, INDEXING, PLACING, DAT_ASKING, RESTORE_OVER };

void FreeRestore(RestoreJob* job)
{
    FreeLineIndex(&job->index);
    FreeLineIndex(&job->placeIndex);
    if (job->copy != INVALID_HANDLE_VALUE)
        CloseHandle(job->copy);
    job->copy = INVALID_HANDLE_VALUE;
}

WorkStep Fail(RestoreJob* job, const char* failure)
{
    FreeRestore(job);
    job->failure = failure;
    job->stage = RESTORE_OVER;
    return WORK_OVER;
}

// What a text taken up from its UTF-8 copy was read as, with no encoding
// chosen: what its source tells again (a source that tells nothing at its
// start, or is gone, was UTF-8 to have such a copy).
TextEncoding ToldEncoding(const wchar_t* path)
{
    HANDLE source = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ULONGLONG size = 0;
    CopyForm form = {};
    const bool told = source != INVALID_HANDLE_VALUE && SizeFits(source, &size) &&
                      DetectSourceForm(source, size, NONE_CHOSEN, &form) && !form.untold &&
                      form.encoding != TEXT_CP932;
    if (source != INVALID_HANDLE_VALUE)
        CloseHandle(source);
    return told ? form.encoding : TEXT_UTF8;
}

// What the recent list keeps for the text taken up: the encoding chosen
// for it, in which its copy was made, and its bookmarks while they count by
// the place's rule, their lines found in the new index as the place's is.
void TakeUpEntry(const RestoreJob& job)
{
    const int k = FindRecent(AppSettings.Recent, Text.Path);
    Text.Chosen = k >= 0 ? AppSettings.Recent[k].Chosen : NONE_CHOSEN;
    Text.Marks.count = 0;
    if (k < 0 || AppSettings.Recent[k].Rule != Text.Rule)
        return;
    Text.Marks = AppSettings.Recent[k].Marks;
    if (job.rule != Text.Rule)
        for (uint32_t i = 0; i < Text.Marks.count; ++i)
            Text.Marks.at[i].line = SameLineIn(job.placeIndex, job.index, Text.Marks.at[i].line);
    TidyMarks(&Text.Marks, job.index.count);
}

// The indexed copy becomes the open text, at the place stored (its offset
// only while the line lies within the text), with what its entry keeps.
WorkStep TakeUp(RestoreJob* job)
{
    if (job->index.count == 0)
        return Fail(job, NO_LINES);
    TakeUpEntry(*job);
    FreeLineIndex(&job->placeIndex);
    Text.WorkHandle = job->copy;
    job->copy = INVALID_HANDLE_VALUE;
    Text.Index = job->index;
    job->index = LineIndex{};
    Text.LineCnt = Text.Index.count;
    Text.Rule = job->rule;
    Text.DatFlg = 0;
    Text.Unicode = job->form.encoding != TEXT_CP932;
    Text.Encoding = Text.Chosen != NONE_CHOSEN ? ChosenEncoding(Text.Chosen)
                    : Text.Unicode             ? ToldEncoding(Text.Path)
                                               : TEXT_CP932;
    Text.Notation = job->form.notation;
    const bool within = job->line < Text.LineCnt && Text.Place.offset > 0;
    Text.Place = ReadingPlace{job->line, within ? Text.Place.offset : 0};
    job->restored = true;
    if (LooksLikeDat(Text.WorkHandle, Text.Index)) {
        job->stage = DAT_ASKING;
        job->question = DAT_QUESTION;
        return WORK_ASKS;
    }
    job->stage = RESTORE_OVER;
    return WORK_OVER;
}

// Opens the kept working copy and starts indexing it under the rule of the
// settings now.
WorkStep Reopen(RestoreJob* job)
{
    job->copy = CreateFileW(Text.WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (job->copy == INVALID_HANDLE_VALUE || !SizeFits(job->copy, &job->size) ||
        !WorkingCopyForm(job->copy, job->size, &job->form))
        return Fail(job, CANNOT_REOPEN);
    job->rule = LineRuleFor(AppSettings.BlankSkip, AppSettings.Notation, job->form.notation);
    if (!BeginRuleIndexing(&job->indexing, job->copy, job->size, job->form, job->rule, &job->index))
        return Fail(job, CANNOT_REOPEN);
    job->stage = INDEXING;
    return WORK_GOING;
}

// The forgotten text: its copy deleted, and the file, if it named one,
// naming none.
void Forget()
{
    const bool named = Text.Path[0] != L'\0' || Text.Place.line != 0xFFFFFFFFu;
    DeleteFileW(Text.WorkFile);
    ResetDocument();
    if (named)
        StorePlace();
}

}  // namespace

bool BeginRestore(RestoreJob* job)
{
    memset(job, 0, sizeof *job);
    job->copy = INVALID_HANDLE_VALUE;
    if (AppSettings.BackFlg == 1 && AppSettings.BackNo != 0) {
        job->stage = RESTORE_ASKING;
        job->question = RESTORE_QUESTION;
        return true;
    }
    Forget();
    return false;
}

WorkStep RestorePiece(RestoreJob* job)
{
    PassStep step;
    switch (job->stage) {
    case RESTORE_ASKING:
    case DAT_ASKING: return WORK_ASKS;
    case INDEXING:
        if ((step = RuleIndexingPiece(&job->indexing)) == PASS_GOING)
            return WORK_GOING;
        if (step == PASS_FAILED)
            return Fail(job, CANNOT_REOPEN);
        job->line = Text.Place.line;
        if (job->rule == Text.Rule)
            return TakeUp(job);
        // The place counts by another rule: the copy indexed under that
        // one too, to find the same line.
        if (!BeginRuleIndexing(&job->placeIndexing, job->copy, job->size, job->form, Text.Rule, &job->placeIndex))
            return Fail(job, CANNOT_REOPEN);
        job->stage = PLACING;
        return WORK_GOING;
    case PLACING:
        if ((step = RuleIndexingPiece(&job->placeIndexing)) == PASS_GOING)
            return WORK_GOING;
        if (step == PASS_FAILED)
            return Fail(job, CANNOT_REOPEN);
        job->line = SameLineIn(job->placeIndex, job->index, job->line);
        return TakeUp(job);
    }
    return WORK_OVER;
}

void AnswerRestore(RestoreJob* job, bool yes)
{
    if (job->stage == DAT_ASKING) {
        Text.DatFlg = yes ? 1 : 0;
        job->stage = RESTORE_OVER;
    } else if (yes) {
        Reopen(job);
    } else {
        Forget();
        job->stage = RESTORE_OVER;
    }
}

void CancelRestore(RestoreJob* job)
{
    if (job->stage == INDEXING || job->stage == PLACING) {
        FreeRestore(job);
        job->stage = RESTORE_OVER;
    }
}

unsigned RestorePercent(const RestoreJob& job)
{
    if (job.stage == INDEXING)
        return job.rule == Text.Rule ? RuleIndexingPercent(job.indexing) : RuleIndexingPercent(job.indexing) / 2;
    return job.stage == PLACING ? 50 + RuleIndexingPercent(job.placeIndexing) / 2 : 0;
}

void StorePlace()
{
    if (Text.LineCnt != 0) {
        AppSettings.BackNo = static_cast<int>(Text.Place.line + 1);
        AppSettings.BackPos = static_cast<int>(Text.Place.offset);
        wmemset(AppSettings.BackFile, L'\0', PATH_SIZE);
        wcscpy(AppSettings.BackFile, Text.Path);
        AppSettings.BackSkip = Text.Rule;
        // While the copy is let go (a log-off under way) the place cannot
        // move: the entry keeps what its line says.
        const int k = FindRecent(AppSettings.Recent, Text.Path);
        const uint64_t said = HasText() ? SaidAt(Text.WorkHandle, Text.Index, Text.Place.line)
                              : k >= 0   ? AppSettings.Recent[k].Said
                                         : 0;
        // Its bookmarks go with it: each change of them is stored at once.
        RecentText entry = {{}, Text.Place, Text.Rule, said, Text.Chosen, Text.Marks};
        wcscpy(entry.File, Text.Path);
        RememberText(AppSettings.Recent, entry);
    } else if (Text.Path[0] == L'\0') {
        AppSettings.BackNo = 0;
        AppSettings.BackPos = 0;
        wmemset(AppSettings.BackFile, L'\0', PATH_SIZE);
        AppSettings.BackSkip = AppSettings.BlankSkip;
    }
    SaveSettings(SAVED_AT_EXIT);
    Text.Stored = Text.Place;
}

bool PlaceUnstored()
{
    return HasText() && !SamePlace(Text.Place, Text.Stored);
}

void ClearText()
{
    ResetDocument();
    ReleaseText();
    DeleteFileW(Text.WorkFile);
    StorePlace();
}

void ClearRecentTexts()
{
    RecentText* list = AppSettings.Recent;
    const int open = Text.LineCnt != 0 ? FindRecent(list, Text.Path) : -1;
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

void SaveAndRelease(bool held)
{
    StorePlace();
    if (!held)
        ReleaseText();
}

ResumeOutcome ResumeAfterCancelledEnd()
{
    if (Text.WorkHandle != INVALID_HANDLE_VALUE || Text.LineCnt == 0)
        return RESUME_NOTHING;
    // Taken up silently, as it was: the same lines (whatever BlankSkip says
    // by now) and the same dat view.
    HANDLE h = CreateFileW(Text.WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    ULONGLONG size = 0;
    CopyForm form;
    RuleIndexing indexing;
    LineIndex index = {};
    if (h == INVALID_HANDLE_VALUE || !SizeFits(h, &size) || !WorkingCopyForm(h, size, &form) ||
        !BeginRuleIndexing(&indexing, h, size, form, Text.Rule, &index) ||
        RunThrough(&indexing, RuleIndexingPiece) != PASS_DONE || index.count == 0) {
        FreeLineIndex(&index);
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
        ResetDocument();
        return RESUME_LOST;
    }
    Text.WorkHandle = h;
    Text.Index = index;
    Text.LineCnt = index.count;
    return RESUME_DONE;
}
