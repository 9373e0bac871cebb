#include "document/open.h"

#include <cstring>
#include <cwchar>

#include "base/settings.h"
#include "document/document.h"
#include "document/session.h"
#include "document/text.h"

namespace {

const char OPEN_ERROR[] = "指定ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ";

enum OpenStage { COPYING, DROPPING, SEEKING, ASKING, OPEN_OVER };

void End(OpenJob* job, OpenOutcome outcome, const char* failure)
{
    job->outcome = outcome;
    job->failure = failure;
    job->stage = OPEN_OVER;
}

// The copy being made is given up: the old text stays as it was.
void Refuse(OpenJob* job, const char* failure)
{
    if (job->in != INVALID_HANDLE_VALUE)
        CloseHandle(job->in);
    if (job->out != INVALID_HANDLE_VALUE)
        CloseHandle(job->out);
    job->in = job->out = INVALID_HANDLE_VALUE;
    FreeLineIndex(&job->index);
    DeleteFileW(job->copy);
    End(job, OPEN_REFUSED, failure);
}

// After the swap: the old copy is gone or replaced, and the new text
// cannot be shown. The file names no text either.
void Lose(OpenJob* job, const char* failure)
{
    if (Text.WorkHandle != INVALID_HANDLE_VALUE)
        CloseHandle(Text.WorkHandle);
    Text.WorkHandle = INVALID_HANDLE_VALUE;
    FreeLineIndex(&job->index);
    ResetDocument();
    StorePlace();
    End(job, OPEN_LOST, failure);
}

// Where the reader left a text of the recent list, as a line of its new
// index (counted under rule), what that line said then (0: not known) and
// the text's bookmarks: lines counted under another rule found again, all
// from one index under that rule. The first line of a text not in the
// list. The line may lie past the end of a text that is now shorter; a
// bookmark there goes.
ReadingPlace PlaceLeftIn(const wchar_t* path, ULONGLONG size, const CopyForm& form, int rule, const LineIndex& index,
                         bool rechosen, uint64_t* said, Bookmarks* marks)
{
    *said = 0;
    marks->count = 0;
    const int k = FindRecent(AppSettings.Recent, path);
    if (k < 0)
        return ReadingPlace{0, 0};
    const RecentText& left = AppSettings.Recent[k];
    *marks = left.Marks;
    uint32_t lines[1 + BOOKMARK_MOST];
    lines[0] = left.Place.line;
    for (uint32_t i = 0; i < marks->count; ++i)
        lines[1 + i] = marks->at[i].line;
    if (left.Rule != rule && !SameLineUnder(Text.WorkHandle, size, form, left.Rule, index, lines, 1 + marks->count)) {
        marks->count = 0;
        return ReadingPlace{0, 0};
    }
    for (uint32_t i = 0; i < marks->count; ++i)
        marks->at[i].line = lines[1 + i];
    TidyMarks(marks, index.count);
    if (rechosen)
        return ReadingPlace{lines[0], 0};
    *said = left.Said;
    return ReadingPlace{lines[0], left.Place.offset};
}

// The dat question, when the text looks like a bulletin board's.
WorkStep AskIfDat(OpenJob* job)
{
    if (LooksLikeDat(Text.WorkHandle, Text.Index)) {
        job->stage = ASKING;
        return WORK_ASKS;
    }
    End(job, OPEN_DONE, NULL);
    return WORK_OVER;
}

// The new text becomes the open one, at the place it was left. From the
// swap on the working copy holds it: the settings file names it at once,
// so that neither a log-off during the search or the dat question nor a
// crash finds a name and a copy that disagree. Where the place's line no
// longer says what it said, the nearest line that does is looked for.
WorkStep Settle(OpenJob* job)
{
    const uint32_t count = job->index.count;
    if (count == 0) {
        Lose(job, NO_LINES);
        return WORK_OVER;
    }
    const CopyForm& form = job->drop.form;
    const int rule = LineRuleFor(job->blankSkip, job->notationView, job->form.notation);
    uint64_t said = 0;
    job->left = PlaceLeftIn(job->path, job->size, form, rule, job->index, job->rechosen, &said, &Text.Marks);
    wmemset(Text.Path, L'\0', PATH_SIZE);
    wcscpy(Text.Path, job->path);
    Text.Place = job->left.line < count ? job->left : ReadingPlace{count - 1, 0};
    Text.Rule = rule;
    Text.Index = job->index;
    job->index = LineIndex{};
    Text.LineCnt = Text.Index.count;
    Text.DatFlg = 0;
    Text.Unicode = form.encoding != TEXT_CP932;
    Text.Encoding = job->form.encoding;
    Text.Chosen = job->chosen;
    Text.Notation = job->form.notation;
    StorePlace();
    if (said == 0 || SaidAt(Text.WorkHandle, Text.Index, Text.Place.line) == said)
        return AskIfDat(job);
    BeginSaidSearch(&job->seek, Text.WorkHandle, job->size, Text.Index, job->left.line, said);
    job->stage = SEEKING;
    return WORK_GOING;
}

// The search over: the place moves to the line found, its piece kept.
// Where none says it, or the copy could not be read for it, the place
// stays at the number the list gave.
WorkStep Placed(OpenJob* job, PassStep step)
{
    const uint32_t found = job->seek.nearest.found;
    if (step == PASS_DONE && found != UINT32_MAX) {
        Text.Place = ReadingPlace{found, job->left.offset};
        StorePlace();
    }
    return AskIfDat(job);
}

// The new copy takes the old one's place; the lines of nothing but
// annotations are left out once it can be read: the old text is gone by
// then, so nothing stops that pass.
WorkStep Swap(OpenJob* job)
{
    CloseHandle(job->in);
    job->in = INVALID_HANDLE_VALUE;
    const bool written = CloseHandle(job->out) != 0;
    job->out = INVALID_HANDLE_VALUE;
    if (!written) {
        Refuse(job, OPEN_ERROR);
        return WORK_OVER;
    }
    ReleaseText();
    Text.LineCnt = 0;
    ULONGLONG size = 0;
    // The form as the copying found it: an untold encoding is told by now.
    job->form = job->stream.form;
    // The copy is read in its own form from here on: UTF-8 behind its mark.
    CopyForm& copyForm = job->drop.form;
    copyForm = job->form;
    if (!MoveFileExW(job->copy, Text.WorkFile, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileW(job->copy);
        Lose(job, OPEN_ERROR);
        return WORK_OVER;
    }
    Text.WorkHandle =
        CreateFileW(Text.WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (Text.WorkHandle == INVALID_HANDLE_VALUE || !SizeFits(Text.WorkHandle, &size) ||
        !WorkingCopyForm(Text.WorkHandle, size, &copyForm)) {
        Lose(job, OPEN_ERROR);
        return WORK_OVER;
    }
    job->size = size;
    if (LineRuleFor(job->blankSkip, job->notationView, job->form.notation) != SKIP_NOTE_LINES)
        return Settle(job);
    BeginDroppingNoteLines(&job->drop, Text.WorkHandle, size, copyForm, &job->index);
    job->stage = DROPPING;
    return WORK_GOING;
}

}  // namespace

void BeginOpen(OpenJob* job, const wchar_t* path, int chosen)
{
    memset(job, 0, sizeof *job);
    wcscpy(job->path, path);
    const int k = FindRecent(AppSettings.Recent, path);
    job->rechosen = chosen != AS_KEPT;
    job->chosen = job->rechosen ? chosen : k >= 0 ? AppSettings.Recent[k].Chosen : NONE_CHOSEN;
    wcscpy(job->copy, Text.WorkFile);
    wmemcpy(job->copy + wcslen(job->copy) - 3, L"new", 3);
    job->blankSkip = AppSettings.BlankSkip;
    job->notationView = AppSettings.Notation;
    job->in = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    job->out = INVALID_HANDLE_VALUE;
    const bool readable = job->in != INVALID_HANDLE_VALUE && SizeFits(job->in, &job->size) &&
                          DetectSourceForm(job->in, job->size, job->chosen, &job->form);
    if (readable)
        job->out = CreateFileW(job->copy, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (job->out == INVALID_HANDLE_VALUE) {
        Refuse(job, OPEN_ERROR);
        // Only a text that cannot be read is one the recent list forgets.
        if (!readable)
            job->outcome = OPEN_UNREADABLE;
        return;
    }
    BeginStreamPass(&job->stream, job->in, job->size, job->out, job->form, job->blankSkip, &job->index);
    job->stage = COPYING;
}

WorkStep OpenPiece(OpenJob* job)
{
    switch (job->stage) {
    case COPYING:
        switch (StreamPiece(&job->stream)) {
        case PASS_GOING: return WORK_GOING;
        case PASS_FAILED: Refuse(job, OPEN_ERROR); return WORK_OVER;
        case PASS_DONE: return Swap(job);
        }
        break;
    case DROPPING:
        switch (RuleIndexingPiece(&job->drop)) {
        case PASS_GOING: return WORK_GOING;
        case PASS_FAILED: Lose(job, OPEN_ERROR); return WORK_OVER;
        case PASS_DONE: return Settle(job);
        }
        break;
    case SEEKING: {
        const PassStep step = SaidSearchPiece(&job->seek);
        return step == PASS_GOING ? WORK_GOING : Placed(job, step);
    }
    case ASKING: return WORK_ASKS;
    }
    return WORK_OVER;
}

void AnswerOpen(OpenJob* job, bool posts)
{
    Text.DatFlg = posts ? 1 : 0;
    End(job, OPEN_DONE, NULL);
}

void CancelOpen(OpenJob* job)
{
    if (job->stage == COPYING)
        Refuse(job, NULL);
}

unsigned OpenPercent(const OpenJob& job)
{
    return job.stage == COPYING ? StreamPercent(job.stream) : 100;
}
