// Long work on the open text: an open, a restore, a find, the look for
// headings and the list of them. One runs at a time, a piece at a time (a
// read of at most a MiB): the window runs the pieces in slices between its
// messages, shows how far the work got, asks what it needs asked, and lets
// the user stop it. Nothing here pumps messages, shows a box or changes the
// cursor.
#ifndef SKERROW_DOCUMENT_WORK_H
#define SKERROW_DOCUMENT_WORK_H

#include <cstdint>

#include "document/find.h"
#include "document/open.h"
#include "document/workstep.h"

enum WorkKind { NO_WORK, OPENING, RESTORING, FINDING, LOOKING_FOR_HEADINGS, LISTING_HEADINGS };

// The work under way; NO_WORK when none.
WorkKind WorkUnderWay();

// Whether the open text is at hand: open, and not between an open's or a
// restore's taking of the working copy and the end of its dat question.
bool TextSettled();

// Each start is refused (false) while other work is under way; a restore
// is refused, the last text forgotten, when there is nothing to offer; a
// find, a look for headings or a list, when no text is at hand.
bool StartOpen(const wchar_t* path, int chosen = AS_KEPT);
bool StartRestore();
bool StartFind(const TextFinder& finder, bool down, uint32_t from);
bool StartHeadingSearch();
// visit is given the line of each heading from first on, count of them,
// as ReadShownLine reads it (line, its number).
bool StartHeadingList(uint32_t first, uint32_t count, void (*visit)(const char* line, uint32_t i, void* context),
                      void* context);

// Does the next piece of the work under way.
WorkStep WorkPiece();
// How far the work got, in percent.
unsigned WorkPercent();
// What a WORK_ASKS wants asked (OK or Cancel), and the answer.
const char* WorkQuestion();
void AnswerWork(bool yes);
// The user stops the work: it ends at its next piece, unless it is past the
// point where it can (an open's swap).
void CancelWork();

// How the last work came out, once over: what it was, whether the user
// stopped it, and what the user is to be told (or NULL).
struct WorkResult {
    WorkKind kind;
    bool cancelled;
    const char* failure;
    OpenOutcome open;       // an open's
    wchar_t path[PATH_SIZE];  // the file an open was asked for
    bool restored;          // a restore's: the text is open at its place
    FindOutcome find;       // a find's, with the line and the byte
    uint32_t found, at;
    bool listed;            // a list's: every heading visited
};
const WorkResult& LastWork();

#endif
