// The texts opened last, newest first, each with its reading place: the
// rules of the list, without Windows calls. The settings file keeps the
// list in [RECENT] (settings.cpp).
#ifndef SKERROW_BASE_RECENT_H
#define SKERROW_BASE_RECENT_H

#include <cstddef>
#include <cstdint>

#include "base/bookmarks.h"
#include "base/paths.h"
#include "base/readingplace.h"
#include "base/textencoding.h"

const int RECENT_COUNT = 10;

struct RecentText {
    wchar_t File[PATH_SIZE];  // the full path; empty: no entry
    ReadingPlace Place;
    int Rule;  // the line rule Place.line counts by (as BackSkip)
    uint64_t Said;  // what the line at Place says (LineSaid); 0: not known
    int Chosen;     // the encoding chosen for it (base/textencoding.h), or NONE_CHOSEN
    Bookmarks Marks;  // its bookmarks, counted under Rule as Place is
};

// Whether two paths name the same file: compared without regard to the
// case of ASCII letters, as Windows compares names.
bool SameFile(const wchar_t* a, const wchar_t* b);

// Where path stands in the list, or -1.
int FindRecent(const RecentText* list, const wchar_t* path);

// Puts entry (not one of the list's own) first, moving the entry of its
// file from where it stood or pushing the oldest out.
void RememberText(RecentText* list, const RecentText& entry);

// Takes the entry at k out, the later ones moving up.
void ForgetRecent(RecentText* list, int k);

// The entries as read from a file: those without a path or with a place
// that is not sound (Place.line of UINT32_MAX, as ParsePlace leaves it)
// and the later of two for one file go, the rest close up in order.
void TidyRecent(RecentText* list);

// "line,offset,rule", the line counted from 1. False, *place's line
// UINT32_MAX, unless it is exactly three decimal numbers: a line from 1,
// an offset, a rule of 0 to 2.
bool ParsePlace(const char* text, ReadingPlace* place, int* rule);
void FormatPlace(const ReadingPlace& place, int rule, char* out, size_t size);

// FNV-1a over a path (ASCII letters folded, as SameFile compares it) and
// n values: the check that ties a value kept beside an entry to the entry,
// since a version that knows nothing of that value moves the paths and
// leaves its key as it stands.
uint32_t EntryCheck(const wchar_t* path, const uint32_t* units, size_t n);

// What entry's line says, as written beside its place: 16 hex digits, a
// comma and 8 more that check the digits against the entry's path and
// place, since a version that knows nothing of them moves the paths and
// places and leaves these keys as they stand. Anything else, or a check
// that does not agree, reads as 0: not known.
uint64_t ParseSaid(const char* text, const RecentText& entry);
void FormatSaid(const RecentText& entry, char* out, size_t size);

// The encoding chosen for entry, as written beside it: its name
// (ENCODING_NAMES), a comma and 8 hex digits that check the name against
// the entry's path, since a version that knows nothing of them moves the
// paths and leaves these keys as they stand. Anything else, or a check
// that does not agree, reads as NONE_CHOSEN.
int ParseChosen(const char* text, const RecentText& entry);
void FormatChosen(const RecentText& entry, char* out, size_t size);

// An entry's bookmarks as written beside its place (MarksN), nothing at
// all for none: 8 hex digits that check the numbers against the entry's
// path and rule, then ",line:offset" for each, the line counted from 1.
// A version that knows nothing of the key moves the paths and rules and
// leaves it as it stands; a value that is not exactly that form, or whose
// check does not agree, reads as no bookmarks.
void ParseMarks(const char* text, RecentText* entry);
void FormatMarks(const RecentText& entry, char* out, size_t size);
// Room for the value of BOOKMARK_MOST bookmarks of the longest numbers.
const size_t MARKS_TEXT_SIZE = 9 + BOOKMARK_MOST * 20;

// The menu item of entry k: "&1 name" to "1&0 name", an ampersand in the
// name doubled; where another entry has the same name, the folders back
// to the first one that tells them apart come before it.
void RecentLabel(const RecentText* list, int k, wchar_t* out, size_t size);

#endif
