// Opening a file as the new text: the source copied to Skerrow.new and
// indexed on the way, the copy swapped over Skerrow.tmp, the lines of
// nothing but annotations left out, the place the text was left at found
// (the nearest line that says what it said, where the text has changed),
// and the dat question. The text shown before stays open and untouched
// until the swap.
#ifndef SKERROW_DOCUMENT_OPEN_H
#define SKERROW_DOCUMENT_OPEN_H

#include <windows.h>

#include "base/paths.h"
#include "base/readingplace.h"
#include "document/indexfile.h"
#include "document/workstep.h"

enum OpenOutcome {
    OPEN_REFUSED,     // nothing changed: the text shown before is still open
    OPEN_DONE,        // the new text is open at its place, to be shown
    OPEN_LOST,        // the old text is gone and the new one failed: no text
    OPEN_UNREADABLE,  // refused because the text named cannot be read
};

struct OpenJob {
    wchar_t path[PATH_SIZE];
    wchar_t copy[PATH_SIZE];  // Skerrow.new beside Skerrow.tmp
    HANDLE in, out;
    ULONGLONG size;
    CopyForm form;
    // The settings the index is built by: the options sheet may change
    // them while the work shows its progress.
    int blankSkip, notationView;
    int stage;
    StreamPass stream;
    RuleIndexing drop;
    LineIndex index;
    int chosen;      // the encoding chosen (base/textencoding.h), or NONE_CHOSEN
    bool rechosen;   // chosen just now for the open text: read again at its line
    ReadingPlace left;  // as the recent list has it: its line may lie past the end
    SaidSearch seek;
    OpenOutcome outcome;
    const char* failure;  // what tells the user why, or NULL
};

// The encoding an open reads a text in: the one its recent entry keeps
// (none for a text not in the list), or a choice made now.
const int AS_KEPT = -1;

// path is a full path that fits PATH_SIZE. A choice made now reads the
// text again at the start of the line its entry names, since the bytes of
// the line are other bytes now; what the line said is not looked for.
void BeginOpen(OpenJob* job, const wchar_t* path, int chosen);
// WORK_ASKS: the dat question (DAT_QUESTION) waits for AnswerOpen.
WorkStep OpenPiece(OpenJob* job);
void AnswerOpen(OpenJob* job, bool posts);
// Stops the open before its swap (refused, nothing kept of the new text);
// after it, the open goes on.
void CancelOpen(OpenJob* job);
unsigned OpenPercent(const OpenJob& job);

#endif
