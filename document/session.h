// The text across runs: taken up again at start, its place written to the
// settings, forgotten on request, saved and released at exit, and taken up
// again after a log-off that did not happen.
#ifndef SKERROW_DOCUMENT_SESSION_H
#define SKERROW_DOCUMENT_SESSION_H

#include <windows.h>

#include <cstdint>

#include "document/indexfile.h"
#include "document/workstep.h"

// Taking the last text up again at start: the question first, then the
// working copy indexed under the rule of the settings now, the place found
// again when the rule has changed since, then the dat question.
struct RestoreJob {
    int stage;
    HANDLE copy;
    ULONGLONG size;
    CopyForm form;
    int rule;
    uint32_t line;  // the place's line, counted under the place's rule until found again
    RuleIndexing indexing, placeIndexing;
    LineIndex index, placeIndex;
    bool restored;
    const char* question;  // what a WORK_ASKS asks
    const char* failure;  // what tells the user why it could not be, or NULL
};

// False, with the text forgotten (its copy deleted, the file naming none),
// when there is nothing to offer: switched off, or no line stored.
bool BeginRestore(RestoreJob* job);
// WORK_ASKS: the restore question, then the dat question (job->question),
// each waiting for AnswerRestore.
WorkStep RestorePiece(RestoreJob* job);
void AnswerRestore(RestoreJob* job, bool yes);
// A cancelled restore is a failed one, told nothing: the copy and the
// settings stay for the next start.
void CancelRestore(RestoreJob* job);
unsigned RestorePercent(const RestoreJob& job);

// Writes the open text to the settings file now, with the exit's own keys:
// BackFile, BackNo, BackPos and BackSkip, and the text's entry first in the
// recent texts; no text when none is open; the last text as the file names
// it while it waits to be taken up again. So the file always names the
// working copy: at the moment an open or a clear changes the copy, and for
// the window soon after the place moves. The one writer of those keys.
void StorePlace();

// Whether the place shown differs from the one the settings file names.
bool PlaceUnstored();

// Forgets the text and deletes its working copy.
void ClearText();

// Empties the list of recent texts but for the open one, and writes it.
void ClearRecentTexts();
// Takes a text out of the list of recent texts, and writes it.
void ForgetRecentText(const wchar_t* path);

// The exit routine: writes the keys that outlive the run and, unless long
// work still needs it (held), releases the open text.
void SaveAndRelease(bool held);

enum ResumeOutcome { RESUME_NOTHING, RESUME_DONE, RESUME_LOST };

// After a log-off that did not happen: the exit routine released the text,
// so take it up again from the working copy, at once; RESUME_DONE leaves
// the place to be shown, RESUME_LOST means it could not and nothing is open.
ResumeOutcome ResumeAfterCancelledEnd();

#endif
