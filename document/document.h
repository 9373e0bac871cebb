// The open text: one record of it (its file, working copy, line index,
// encoding, line rule, notation view and the place shown), and the line on
// display. This layer opens, indexes, composes and answers; the window
// reads the record and asks this layer to change it, turning its answers
// into timers, menus and paint.
#ifndef SKERROW_DOCUMENT_DOCUMENT_H
#define SKERROW_DOCUMENT_DOCUMENT_H

#include <windows.h>

#include <cstdint>

#include "base/bookmarks.h"
#include "base/paths.h"
#include "base/readingplace.h"
#include "base/textencoding.h"
#include "document/headings.h"
#include "document/lineindex.h"
#include "document/navigate.h"

struct TextDocument {
    HANDLE WorkHandle;  // the opened working copy; INVALID_HANDLE_VALUE when none
    LineIndex Index;    // where each displayable line lies in the copy
    Headings Chapters;  // its chapters' headings, once looked for
    // Lines shown; 0 while nothing is open. Not 0 with no working copy
    // held: the exit routine released the text, to be taken up again if
    // the session does not end after all.
    uint32_t LineCnt;
    ReadingPlace Place;  // the line shown and where in it
    int DatFlg;          // 1: lines are shown as bulletin-board posts
    bool Unicode;        // the copy is UTF-8 (it begins with the mark), else code page 932
    bool Notation;       // the text is in Aozora Bunko's notation
    TextEncoding Encoding;  // what the text is read as
    int Chosen;             // the encoding chosen for it (base/textencoding.h), or NONE_CHOSEN
    wchar_t Path[PATH_SIZE];  // the file it was opened from; empty when none
    int Rule;                 // the line rule Place.line counts by (LineRule)
    ReadingPlace Stored;      // the place the settings file names, as last written by this run
    wchar_t WorkFile[PATH_SIZE];  // BaseDir + "Skerrow.tmp", the working copy
    Bookmarks Marks;              // its bookmarks, counted under Rule as Place is
};

// Read anywhere; changed only through this layer's functions.
extern const TextDocument& Doc;

// What the window paints: at most 8,192 bytes and the terminating zero,
// the bytes of it that are the line's number, and its encoding (which stays
// the shown line's while an open swaps in a text of another).
const size_t DISP_TEXT_SIZE = 8193;
struct LineOnDisplay {
    char text[DISP_TEXT_SIZE];
    size_t prefix;
    bool unicode;
};
extern LineOnDisplay Shown;

// No text open, no line; names the working copy in the start folder, and
// takes the last text the settings name (BackFile, BackNo, BackPos,
// BackSkip) into the record, to be taken up again or forgotten.
void InitDocumentState();

// Closes the working copy and frees the index; resets nothing else.
void ReleaseText();

// Whether a line can be shown: a text is open and its copy held.
bool HasText();

// Shows the line chosen by code from `from` (NAV_*): composes it into
// Shown and makes it the place, at its start. Without a text, Shown is
// blank and the place its start; while the exit routine has released the
// text, nothing changes. Returns the place.
ReadingPlace GoToLine(int code, uint32_t from);

// Within the line shown, the place moves to the piece that begins at
// offset; nothing without a text. Returns the place.
ReadingPlace MoveWithinLine(uint32_t offset);

// How far into the open text the piece shown begins: the text's bytes
// before it (PlaceByte), of *size in all (the working copy less its mark).
// False without a text.
bool PlaceShare(uint32_t* before, uint32_t* size);

// The line holding the byte at percent (0 to 100, more is taken as 100) of
// the open text: 0 its first line, 100 its last.
uint32_t LineAtPercent(uint32_t percent);

// Reads line i (below LineCnt) as it is shown, cut at LINE_MAX_BYTES (in a
// Unicode text before a character that would be split), and read as read
// where ShowsNotation, into line (LINE_MAX_BYTES + 2 bytes), zeros after it;
// returns its length. *read (may be NULL) says whether the copy could be read.
size_t ReadShownLine(uint32_t i, char* line, bool* read = NULL);

// Whether lines are shown with their notation read: a text in it, the view
// switched on, and not shown as bulletin-board posts.
bool ShowsNotation();

// Told when a text opened or taken up again has no line to show.
extern const char NO_LINES[];

// The line where heading k of the open text (one of Doc.Chapters) stands.
uint32_t ChapterLine(uint32_t k);

// Whether the first line of index in the copy has the bulletin-board form,
// so that the user is asked whether to show the text as posts.
bool LooksLikeDat(HANDLE copy, const LineIndex& index);
extern const char DAT_QUESTION[];

#endif
