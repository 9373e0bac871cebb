// How a text gets its line index: streamed through one buffer, for an open
// (copying on the way), a restore and a resume alike. Each pass goes a
// piece at a time (a read of at most a MiB), so that the window can run it
// in slices between its messages; the same passes run through at once where
// nothing is to be shown meanwhile.
#ifndef SKERROW_DOCUMENT_INDEXFILE_H
#define SKERROW_DOCUMENT_INDEXFILE_H

#include <windows.h>

#include <cstdint>

#include "document/encoding.h"
#include "document/headings.h"
#include "document/lineindex.h"

// How a source becomes the working copy: its encoding, the bytes of its own
// mark (left out), and the bytes of the UTF-8 mark the copy begins with
// (lines are counted from after it).
struct CopyForm {
    TextEncoding encoding;
    size_t sourceMark;
    size_t copyMark;
    bool notation;  // in Aozora Bunko's notation, by its first 64 KiB
    // The first 64 KiB left the encoding untold (EncodingUntold): code page
    // 932 until the stream pass meets the first byte above 0x7F and the
    // 64 KiB from it tell otherwise.
    bool untold;
};

// The size of an open file, when the index's 32-bit offsets can hold it.
bool SizeFits(HANDLE file, ULONGLONG* size);

// The form of a source of size bytes, from its first 64 KiB, in the
// encoding chosen (a choice as base/textencoding.h has it: with none, the
// one they tell); the source is left at its start again. False when it
// cannot be read.
bool DetectSourceForm(HANDLE source, ULONGLONG size, int chosen, CopyForm* form);

// The form of a working copy kept from before: Unicode when it begins with
// the UTF-8 mark, else code page 932. Left at its start again.
bool WorkingCopyForm(HANDLE copy, ULONGLONG size, CopyForm* form);

// Reads n bytes at ofs (below 4 GiB) of a file into buf; returns the bytes
// read. Every read says where, so reads of long work and of the line shown
// meanwhile never disturb each other.
DWORD ReadAt(HANDLE h, uint32_t ofs, char* buf, DWORD n);

// How a text's lines are counted: every line (0), blank lines left out (1),
// or in a text whose notation is read, lines of nothing but annotations and
// blanks left out too (2). The open text keeps the rule its place counts by.
enum LineRule { KEEP_BLANK_LINES = 0, SKIP_BLANK_LINES = 1, SKIP_NOTE_LINES = 2 };

// The rule for a text in the notation or not, under the settings BlankSkip
// and Notation.
int LineRuleFor(int blankSkip, int notationView, bool notation);

// The rule a stored number names; anything else keeps blank lines.
int KnownRule(int rule);

enum PassStep { PASS_GOING, PASS_DONE, PASS_FAILED };

// One read of the source's size bytes from its start, in pieces, into an
// index (blank lines left out when blankSkip is 1), writing the working
// copy on the way when copy is not INVALID_HANDLE_VALUE (in UTF-8 for a
// Unicode text). While the form is untold, each piece is looked through for
// a byte above 0x7F; where that tells UTF-8, the pass begins again from the
// start in that form (all it had read being ASCII, only time is lost). A
// text read through a code page goes into the copy through UTF-16, the
// start of a character cut off at a piece's end carried to the next. It
// fails, the index emptied, when a read or write fails, the source ends
// early, the copy would reach 4 GiB or memory runs out.
struct StreamPass {
    HANDLE source, copy;
    ULONGLONG size, left;
    CopyForm form;
    Utf16Decoder decoder;
    unsigned char carried[2];  // the start of a code-page character cut off at a piece's end
    size_t carriedCount;
    LineScan scan;
    unsigned percentBefore;  // the progress told when the pass began again
};
void BeginStreamPass(StreamPass* pass, HANDLE source, ULONGLONG size, HANDLE copy, const CopyForm& form,
                     int blankSkip, LineIndex* index);
PassStep StreamPiece(StreamPass* pass);
unsigned StreamPercent(const StreamPass& pass);

// A walk over the lines of an index through the copy (size bytes), in
// order, giving visit each line's start and its first bytes: `need` and one
// more, or fewer at the copy's end. The copy is read in large pieces; a line
// that runs past one is read again from its start with the next. It fails
// when the copy cannot be read or visit says false. One walk at a time.
typedef bool (*LineVisit)(void* context, uint32_t start, const char* line, size_t seen);
struct WalkPass {
    HANDLE copy;
    ULONGLONG size;
    const LineIndex* index;
    size_t need;
    LineVisit visit;
    void* context;
    uint32_t next;     // the line visited next
    uint64_t from, to; // the bytes of the copy in the buffer
};
void BeginWalkPass(WalkPass* pass, HANDLE copy, ULONGLONG size, const LineIndex& index, size_t need,
                   LineVisit visit, void* context);
PassStep WalkPiece(WalkPass* pass);
unsigned WalkPercent(const WalkPass& pass);

// Indexing the copy (size bytes, from its start) under a rule: the stream,
// then for SKIP_NOTE_LINES the walk that leaves out the lines of nothing
// but annotations. Fails, the index emptied, as its passes do.
struct RuleIndexing {
    StreamPass stream;
    WalkPass walk;
    CopyForm form;
    int rule;
    bool walking;
    LineIndex* index;
    uint32_t kept;  // lines kept so far by the walk
};
bool BeginRuleIndexing(RuleIndexing* work, HANDLE copy, ULONGLONG size, const CopyForm& form, int rule,
                       LineIndex* index);
PassStep RuleIndexingPiece(RuleIndexing* work);
unsigned RuleIndexingPercent(const RuleIndexing& work);

// After the index is built with blank lines left out: leaves out the lines
// of nothing but annotations too, read from the copy (size bytes), as a
// walk. Begin makes work's walk of index.
void BeginDroppingNoteLines(RuleIndexing* work, HANDLE copy, ULONGLONG size, const CopyForm& form,
                            LineIndex* index);

// The lines of index that are headings (IsHeading), read from the copy
// (size bytes), into headings, found once the walk is done; empty when it
// fails (the copy cannot be read, memory runs out).
struct HeadingSearch {
    WalkPass walk;
    Headings* headings;
    const HeadingCodes* codes;
    bool utf8;
};
void BeginHeadingSearch(HeadingSearch* search, HANDLE copy, ULONGLONG size, const LineIndex& index, bool utf8,
                        Headings* headings);
PassStep HeadingSearchPiece(HeadingSearch* search);

// A pass run through at once: PASS_DONE or PASS_FAILED.
template <typename Work, typename Piece>
PassStep RunThrough(Work* work, Piece piece)
{
    PassStep step;
    while ((step = piece(work)) == PASS_GOING) {
    }
    return step;
}

// What line `line` of index says in the copy (LineSaid): one read of it.
// 0 when it cannot be read.
uint64_t SaidAt(HANDLE copy, const LineIndex& index, uint32_t line);

// The line of index nearest to search's wanted one that says what it
// looks for, walked over the copy (size bytes) a piece at a time, and
// stopped as soon as no later line can be nearer.
struct SaidSearch {
    WalkPass walk;
    NearestSaid nearest;
};
void BeginSaidSearch(SaidSearch* search, HANDLE copy, ULONGLONG size, const LineIndex& index, uint32_t wanted,
                     uint64_t said);
PassStep SaidSearchPiece(SaidSearch* search);

// Each of count lines, counted under the rule placeRule, as the same line
// of index: the copy (size bytes) indexed once more under that rule, at
// once, for all of them.
bool SameLineUnder(HANDLE copy, ULONGLONG size, const CopyForm& form, int placeRule, const LineIndex& index,
                   uint32_t* lines, size_t count);

#endif
