// The open text: its working copy, the line index and the line on display.
// This layer opens, indexes, composes and answers; the window turns its
// answers into timers, menus and paint.
#ifndef SKERROW_DOCUMENT_DOCUMENT_H
#define SKERROW_DOCUMENT_DOCUMENT_H

#include <windows.h>

#include <cstdint>

#include "base/paths.h"
#include "document/encoding.h"
#include "document/lineindex.h"
#include "document/match.h"
#include "document/navigate.h"

// Where the text's headings start in the copy, in order. They are looked
// for when first asked for: a pass over the whole copy that an open of a
// large text should not pay for.
struct Headings {
    uint32_t* at;
    uint32_t count, capacity;
    bool found;  // the copy has been looked through
};

void FreeHeadings(Headings* headings);

struct TextDocument {
    HANDLE WorkHandle;  // the opened working copy; INVALID_HANDLE_VALUE when none
    LineIndex Index;    // where each displayable line lies in the copy
    Headings Chapters;  // its chapters' headings, once looked for (FindChapters)
    uint32_t LineCnt;   // lines shown; 0 while nothing is open
    ReadingPlace Place; // the line shown and where in it
    int DatFlg;         // 1: lines are shown as bulletin-board posts
    bool Unicode;       // the copy is UTF-8 (it begins with the mark), else code page 932
    bool Notation;      // the text is in Aozora Bunko's notation
};

extern TextDocument Doc;

// Non-zero while an open or a restore is under way, message boxes included.
// Commands that would release or replace the text wait until it is over.
extern int DocBusy;

// What the window paints: at most 8,192 bytes and the terminating zero.
const size_t DISP_TEXT_SIZE = 8193;
extern char DispText[DISP_TEXT_SIZE];
// The bytes of DispText that are the line's number, not the line.
extern size_t DispPrefix;

// BaseDir + "Skerrow.tmp", the working copy of the open text.
extern wchar_t WorkFile[PATH_SIZE];

// No text, no line; names the working copy in the start folder.
void InitDocumentState();

// Closes the working copy and frees the index; resets nothing else.
void ReleaseText();

// Whether a line can be shown: a text is open and its copy held.
bool HasText();

// Composes the line chosen by code from index into out (DISP_TEXT_SIZE
// bytes) and returns its index; 0, touching nothing, when no text is open
// (HasText).
uint32_t ShowLine(int code, uint32_t index, char* out);

// The most bytes of a line that are shown; a longer one is cut there.
const size_t LINE_MAX_BYTES = 4096;

// Reads line i (below LineCnt) as it is shown, cut at LINE_MAX_BYTES (in a
// Unicode text before a character that would be split), and read as read
// where ShowsNotation, into line (LINE_MAX_BYTES + 2 bytes), zeros after it;
// returns its length. *read (may be NULL) says whether the copy could be read.
size_t ReadShownLine(uint32_t i, char* line, bool* read = NULL);

// Whether lines are shown with their notation read: a text in it, the view
// switched on, and not shown as bulletin-board posts.
bool ShowsNotation();

// Reads n bytes at ofs (below 4 GiB) of the working copy into buf; returns
// the bytes read. Every read says where, so reads of long work and of the
// line shown meanwhile never disturb each other.
DWORD ReadAt(HANDLE h, uint32_t ofs, char* buf, DWORD n);

// Long work (an open, a restore, a find) reports how far it is, in percent,
// to step(), and stops when step answers false; cancelled then says so.
struct WorkProgress {
    bool (*step)(unsigned percent);
    bool cancelled;
};

// Told when a text opened or taken up again has no line to show.
extern const char NO_LINES[];

// Back to the state with no text: nothing to show, no line, no last text.
// The caller releases the text.
void ResetDocument();

// How a source becomes the working copy: its encoding, the bytes of its own
// mark (left out), and the bytes of the UTF-8 mark the copy begins with
// (lines are counted from after it).
struct CopyForm {
    TextEncoding encoding;
    size_t sourceMark;
    size_t copyMark;
    bool notation;  // in Aozora Bunko's notation, by its first 64 KiB
};

// The form of a source of size bytes, from its first bytes; the source is
// left at its start again. False when it cannot be read.
bool DetectSourceForm(HANDLE source, ULONGLONG size, CopyForm* form);

// The form of a working copy kept from before: Unicode when it begins with
// the UTF-8 mark, else code page 932. Left at its start again.
bool WorkingCopyForm(HANDLE copy, ULONGLONG size, CopyForm* form);

// Reads the size bytes of source from its start through the one buffer of
// the program into index (blank lines left out when blankSkip is 1), and
// when copy is not INVALID_HANDLE_VALUE writes the working copy there, in
// UTF-8 for a Unicode text. False, with index empty, when a read or write
// fails, the source ends early, the copy would reach 4 GiB, memory runs
// out, or progress (may be NULL) was cancelled.
bool StreamLineIndex(HANDLE source, ULONGLONG size, HANDLE copy, const CopyForm& form, int blankSkip,
                     LineIndex* index, WorkProgress* progress);

// How a text's lines are counted: every line (0), blank lines left out (1),
// or in a text whose notation is read, lines of nothing but annotations and
// blanks left out too (2). BackSkip keeps the rule the place counts by.
enum LineRule { KEEP_BLANK_LINES = 0, SKIP_BLANK_LINES = 1, SKIP_NOTE_LINES = 2 };

// The rule for a text in the notation or not, under the settings BlankSkip
// and Notation.
int LineRuleFor(int blankSkip, int notationView, bool notation);

// Indexes the copy (size bytes, from its start) under the rule.
bool IndexUnderRule(HANDLE copy, ULONGLONG size, const CopyForm& form, int rule, LineIndex* index,
                    WorkProgress* progress);

// *line, a line counted under the rule placeRule, as the same line of
// index: the copy (size bytes) indexed once more under that rule.
bool SameLineUnder(HANDLE copy, ULONGLONG size, const CopyForm& form, int placeRule, const LineIndex& index,
                   uint32_t* line, WorkProgress* progress);

// After the index is built with blank lines left out: leaves out the lines
// of nothing but annotations too, reading them from the copy (size bytes).
// False, the index of no further use, when the copy cannot be read or
// progress (may be NULL) was cancelled.
bool DropNoteLines(HANDLE copy, ULONGLONG size, const CopyForm& form, LineIndex* index, WorkProgress* progress);

// The lines of index that are headings (IsHeading), read from the copy
// (size bytes), into headings, then found. False, headings empty, when the
// copy cannot be read, memory runs out or progress (may be NULL) was
// cancelled.
bool FindHeadings(HANDLE copy, ULONGLONG size, const LineIndex& index, bool utf8, Headings* headings,
                  WorkProgress* progress);

// The open text's headings looked for, unless they have been: whether
// they are found. Nothing else reaches the text meanwhile (DocBusy).
bool FindChapters(WorkProgress* progress);

// The line where heading k of the open text (one of Doc.Chapters) stands.
uint32_t ChapterLine(uint32_t k);

// Hands visit the line of each heading from first on, count of them, as
// ReadShownLine reads it (line, its number), as long work: nothing else
// reaches the text meanwhile. False when progress was cancelled.
bool VisitHeadingLines(uint32_t first, uint32_t count, WorkProgress* progress,
                       void (*visit)(const char* line, uint32_t i, void* context), void* context);

// The size of an open file, when the index's 32-bit offsets can hold it.
bool SizeFits(HANDLE file, ULONGLONG* size);

// Asks whether a text whose first line has the bulletin-board form is to be
// shown as posts; 1 if so.
int AskDatForm(HANDLE handle, const LineIndex& index);

enum OpenOutcome {
    OPEN_REFUSED,  // nothing changed: the text shown before is still open
    OPEN_DONE,     // the new text is open at its first line, to be shown
    OPEN_LOST,     // the old text is gone and the new one failed: no text
    OPEN_UNREADABLE,  // refused because the text named cannot be read
};

// Opens the file at path (a full path that fits PATH_SIZE) as the new text,
// telling the user why when it cannot. Refused silently while DocBusy, and
// when progress (may be NULL) is cancelled: the old text is untouched then.
OpenOutcome OpenTextFile(const wchar_t* path, WorkProgress* progress);

// At start: offers the last text, and reopens it at its last line when the
// user agrees (true: Place is the place to show), the line the place names
// even when BlankSkip has changed since; otherwise forgets it. A
// cancelled reopening is a failed one, told nothing: the copy and the
// settings stay for the next start.
bool RestoreLastText(WorkProgress* progress);

enum FindOutcome {
    FIND_FOUND,      // in the direction, before the end or start
    FIND_WRAPPED,    // only after going round from the end or start
    FIND_NONE,       // in no line
    FIND_CANCELLED,  // the user stopped it
    FIND_FAILED,     // the working copy could not be read
};

// Looks for the next line after (down) or before `from` that holds the
// query as the user reads it: the line's shown bytes, or in a dat text the
// post made of it. Goes round once, the line `from` tried last. *found is
// the line, *at the byte where the query first stands in it as shown.
// Nothing else reaches the text meanwhile (DocBusy).
FindOutcome FindLine(const TextFinder& finder, bool down, uint32_t from, WorkProgress* progress,
                     uint32_t* found, uint32_t* at);

// Forgets the text and deletes its working copy; false, changing nothing,
// while an open or a restore is under way.
bool ClearText();

// Writes the last text and its place to the settings file now, with the
// exit's own keys, so that the file always names the working copy: at the
// moment an open or a clear changes the copy, and for the window soon after
// the place moves. The place is the open text's while its lines are
// counted, else what BackNo holds. The file comes out as the exit writes it.
void StorePlace();

// The open text's place (Doc.Place, counted under BackSkip) taken into the
// settings: BackNo, BackPos and its entry, first, in the recent texts.
// StorePlace does it while the text's lines are counted; an open, before.
void NotePlace();

// Empties the list of recent texts but for the open one, and writes it.
void ClearRecentTexts();
// Takes a text out of the list of recent texts, and writes it.
void ForgetRecentText(const wchar_t* path);

// Whether the place shown differs from the one the settings file names.
bool PlaceUnstored();

// The exit routine: asks when told to (owner owns the question), writes the
// keys that outlive the run and releases the open text. 0 = the program may
// close, -1 = the user said no.
int SaveAndRelease(HWND owner, int ask);

enum ResumeOutcome { RESUME_NOTHING, RESUME_DONE, RESUME_LOST };

// After a log-off that did not happen: the exit routine released the text,
// so take it up again from the working copy; RESUME_DONE leaves Place to
// be shown, RESUME_LOST means it could not and nothing is open.
ResumeOutcome ResumeAfterCancelledEnd();

#endif
