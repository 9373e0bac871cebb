// Finding a text in the lines as the user reads them. The scan goes over
// raw bytes for speed and finds candidates; a line holds the query only
// when a match starts on a character of its own (never on the trail byte
// of a code page 932 character) and lies within what is shown. Letters are
// folded only in the ASCII range. Portable: no Windows calls.
#ifndef SKERROW_DOCUMENT_MATCH_H
#define SKERROW_DOCUMENT_MATCH_H

#include <cstddef>

// The longest query, in bytes of the text's encoding.
const size_t FIND_QUERY_MAX = 512;

struct TextFinder {
    unsigned char query[FIND_QUERY_MAX];
    size_t length;
    bool matchCase;
    bool cp932;           // the text is code page 932, else UTF-8
    size_t shift[256];    // how far a candidate moves on, by its last byte
};

// Sets the finder up for query (length bytes); false when it is empty or
// longer than FIND_QUERY_MAX.
bool PrepareFinder(TextFinder* finder, const char* query, size_t length, bool matchCase, bool cp932);

// The first offset from `from` on where the query's bytes stand within the
// n bytes (all ASCII letters folded unless matchCase); n when none.
size_t FindCandidate(const TextFinder& finder, const char* bytes, size_t n, size_t from);

// Whether the first length bytes of a line, as shown, hold the query at the
// start of one of its characters; *at (may be NULL) is where it first does.
bool LineHolds(const TextFinder& finder, const char* line, size_t length, size_t* at = NULL);

#endif
