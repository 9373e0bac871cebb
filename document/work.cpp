#include "document/work.h"

#include <cstring>
#include <cwchar>

#include "document/document.h"
#include "document/indexfile.h"
#include "document/session.h"
#include "document/text.h"

namespace {

// A list visits this many headings a piece.
const uint32_t HEADINGS_A_PIECE = 64;

struct HeadingList {
    uint32_t first, count, next;
    void (*visit)(const char* line, uint32_t i, void* context);
    void* context;
    char line[LINE_MAX_BYTES + 2];
};

// The one record of long work: what is under way, whether the user
// stopped it, the state of each kind, and how the last one came out.
struct Work {
    WorkKind kind;
    bool cancelled;
    bool asking;  // a question waits for its answer
    OpenJob open;
    RestoreJob restore;
    FindPass find;
    HeadingSearch headings;
    HeadingList list;
    WorkResult result;
};
Work Under;

bool Start(WorkKind kind)
{
    if (Under.kind != NO_WORK)
        return false;
    Under.kind = kind;
    Under.cancelled = false;
    memset(&Under.result, 0, sizeof Under.result);
    Under.result.kind = kind;
    return true;
}

WorkStep End()
{
    Under.result.cancelled = Under.cancelled;
    Under.kind = NO_WORK;
    return WORK_OVER;
}

WorkStep OpenEnds(WorkStep step)
{
    if (step != WORK_OVER)
        return step;
    Under.result.open = Under.open.outcome;
    Under.result.failure = Under.open.failure;
    return End();
}

WorkStep RestoreEnds(WorkStep step)
{
    if (step != WORK_OVER)
        return step;
    Under.result.restored = Under.restore.restored;
    Under.result.failure = Under.restore.failure;
    return End();
}

WorkStep FindEnds(FindOutcome outcome)
{
    if (outcome == FIND_GOING)
        return WORK_GOING;
    Under.result.find = outcome;
    Under.result.found = Under.find.found;
    Under.result.at = static_cast<uint32_t>(Under.find.at);
    return End();
}

WorkStep ListPiece()
{
    HeadingList& list = Under.list;
    for (uint32_t n = 0; n < HEADINGS_A_PIECE && list.next < list.count; ++n, ++list.next) {
        const uint32_t i = ChapterLine(list.first + list.next);
        ReadShownLine(i, list.line);
        list.visit(list.line, i, list.context);
    }
    if (list.next < list.count)
        return WORK_GOING;
    Under.result.listed = true;
    return End();
}

WorkStep NextPiece()
{
    switch (Under.kind) {
    case NO_WORK: return WORK_OVER;
    case OPENING:
        if (Under.cancelled)
            CancelOpen(&Under.open);
        return OpenEnds(OpenPiece(&Under.open));
    case RESTORING:
        if (Under.cancelled)
            CancelRestore(&Under.restore);
        return RestoreEnds(RestorePiece(&Under.restore));
    case FINDING: return FindEnds(Under.cancelled ? FIND_CANCELLED : FindPiece(&Under.find));
    case LOOKING_FOR_HEADINGS:
        if (Under.cancelled)
            FreeHeadings(&Text.Chapters);
        else if (HeadingSearchPiece(&Under.headings) == PASS_GOING)
            return WORK_GOING;
        return End();
    case LISTING_HEADINGS: return Under.cancelled ? End() : ListPiece();
    }
    return WORK_OVER;
}

}  // namespace

WorkKind WorkUnderWay()
{
    return Under.kind;
}

bool TextSettled()
{
    return HasText() && !Under.asking;
}

bool StartOpen(const wchar_t* path, int chosen)
{
    if (!Start(OPENING))
        return false;
    wcscpy(Under.result.path, path);
    BeginOpen(&Under.open, path, chosen);
    return true;
}

bool StartRestore()
{
    if (!Start(RESTORING))
        return false;
    if (!BeginRestore(&Under.restore)) {
        End();
        return false;
    }
    return true;
}

bool StartFind(const TextFinder& finder, bool down, uint32_t from)
{
    if (!TextSettled() || !Start(FINDING))
        return false;
    if (!BeginFind(&Under.find, finder, down, from)) {
        End();
        return false;
    }
    return true;
}

bool StartHeadingSearch()
{
    ULONGLONG size = 0;
    if (!TextSettled() || Doc.Chapters.found || !SizeFits(Doc.WorkHandle, &size) || !Start(LOOKING_FOR_HEADINGS))
        return false;
    BeginHeadingSearch(&Under.headings, Text.WorkHandle, size, Text.Index, Text.Unicode, &Text.Chapters);
    return true;
}

bool StartHeadingList(uint32_t first, uint32_t count, void (*visit)(const char* line, uint32_t i, void* context),
                      void* context)
{
    if (!TextSettled() || (count > 0 && (!Doc.Chapters.found || first + uint64_t{count} > Doc.Chapters.count)) ||
        !Start(LISTING_HEADINGS))
        return false;
    Under.list.first = first;
    Under.list.count = count;
    Under.list.next = 0;
    Under.list.visit = visit;
    Under.list.context = context;
    return true;
}

WorkStep WorkPiece()
{
    const WorkStep step = NextPiece();
    Under.asking = step == WORK_ASKS;
    return step;
}

unsigned WorkPercent()
{
    switch (Under.kind) {
    case OPENING: return OpenPercent(Under.open);
    case RESTORING: return RestorePercent(Under.restore);
    case FINDING: return FindPercent(Under.find);
    case LOOKING_FOR_HEADINGS: return WalkPercent(Under.headings.walk);
    case LISTING_HEADINGS: return Under.list.count == 0 ? 100 : Under.list.next * 100 / Under.list.count;
    case NO_WORK: break;
    }
    return 100;
}

const char* WorkQuestion()
{
    return Under.kind == RESTORING ? Under.restore.question : DAT_QUESTION;
}

void AnswerWork(bool yes)
{
    Under.asking = false;
    if (Under.kind == OPENING)
        AnswerOpen(&Under.open, yes);
    else if (Under.kind == RESTORING)
        AnswerRestore(&Under.restore, yes);
}

void CancelWork()
{
    if (Under.kind != NO_WORK)
        Under.cancelled = true;
}

const WorkResult& LastWork()
{
    return Under.result;
}
