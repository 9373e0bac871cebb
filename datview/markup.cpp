#include "datview/markup.h"

#include <cstring>

#include "datview/textcut.h"

namespace {

struct Replacement {
    const char* pattern;
    const char* replacement;
};

// In the order of application. No replacement holds the last byte of its
// pattern, and each is shorter than its pattern: ReplaceAll relies on both.
const Replacement kMarkupRows[] = {
    {"<BR>", "\r\n"},
    {"<br>", "\r\n"},
    {"<B>", ""},
    {"<b>", ""},
    {"</B>", ""},
    {"</b>", ""},
    {"&quot;", "\""},
    {"&amp;", "&"},
    {"&nbsp;", " "},
};

const Replacement kAngleRows[] = {
    {"&lt;", "<"},
    {"&gt;", ">"},
};

// Replaces the occurrences of one row's pattern in text (length bytes) and
// returns the new length. The result is that of searching from the start
// for the first occurrence, replacing it and searching again from the start
// until none is left, so that text a replacement forms is matched again
// ("&amp;amp;" ends as "&"), but it takes one sweep instead of one per
// replacement: bytes are kept one at a time, and whenever the kept text
// ends with the pattern, that occurrence is replaced. The kept text never
// holds a whole occurrence, so the first one completed is the first in the
// whole text, the one a search from the start would find. After the
// replacement the kept text still holds none: the part before it held none,
// and an occurrence cannot end inside the replacement, which lacks the
// pattern's last byte. A replacement is shorter than its pattern, so the
// kept text never outgrows the bytes read and the sweep works in place.
size_t ReplaceAll(char* text, size_t length, const Replacement& row)
{
    const size_t patLen = strlen(row.pattern);
    const size_t repLen = strlen(row.replacement);
    const char last = row.pattern[patLen - 1];
    size_t kept = 0;
    for (size_t i = 0; i < length; ++i) {
        text[kept++] = text[i];
        if (text[kept - 1] == last && kept >= patLen &&
            memcmp(text + kept - patLen, row.pattern, patLen) == 0) {
            kept -= patLen;
            memcpy(text + kept, row.replacement, repLen);
            kept += repLen;
        }
    }
    text[kept] = '\0';
    return kept;
}

void ReplaceByTable(const char* source, const Replacement* rows, size_t rowCount,
                    char* destination, size_t destSize)
{
    char text[MARKUP_TEXT_MAX + 1];
    size_t length = CopyCut(source, BoundedLength(source, MARKUP_TEXT_MAX + 1), text, sizeof text);
    for (size_t r = 0; r < rowCount; ++r)
        length = ReplaceAll(text, length, rows[r]);
    CopyCut(text, length, destination, destSize);
}

enum Construct { COMMENT, ANCHOR, FONT };

bool IsLetter(char c, char upper)
{
    return c == upper || c == upper - 'A' + 'a';
}

// Whether the '<' at text[i] opens a construct. Bytes at or past length
// match nothing.
bool Opens(Construct kind, const char* text, size_t length, size_t i)
{
    size_t k = i + 1;
    if (kind == COMMENT)
        return k + 2 < length && text[k] == '!' && text[k + 1] == '-' && text[k + 2] == '-';
    if (k < length && text[k] == '/')
        ++k;
    if (kind == ANCHOR)
        return k < length && IsLetter(text[k], 'A');
    return k + 3 < length && IsLetter(text[k], 'F') && IsLetter(text[k + 1], 'O') &&
           IsLetter(text[k + 2], 'N') && IsLetter(text[k + 3], 'T');
}

// The first j after i at which the construct opened at i ends, or length
// when it has no end. A comment's end is a '>' after two hyphens; the
// search starts right after the '<', so the opener's own hyphens count.
size_t FindEnd(Construct kind, const char* text, size_t length, size_t i)
{
    for (size_t j = i + 1; j < length; ++j) {
        if (text[j] != '>')
            continue;
        // text[i + 1] is '!' for a comment, so here j >= i + 2.
        if (kind != COMMENT || (text[j - 1] == '-' && text[j - 2] == '-'))
            return j;
    }
    return length;
}

// One scan of StripTags over text (length bytes), in place: drops each
// construct of the kind from its '<' to its end, and keeps everything else,
// the '<' of a construct without an end included. Returns the new length.
size_t DropConstructs(Construct kind, char* text, size_t length)
{
    size_t kept = 0;
    size_t i = 0;
    while (i < length) {
        if (text[i] == '<' && Opens(kind, text, length, i)) {
            const size_t end = FindEnd(kind, text, length, i);
            if (end < length) {
                i = end + 1;
                continue;
            }
        }
        text[kept++] = text[i++];  // kept <= i: the bytes ahead are untouched
    }
    text[kept] = '\0';
    return kept;
}

}  // namespace

void ReplaceMarkup(const char* source, char* destination, size_t destSize)
{
    ReplaceByTable(source, kMarkupRows, sizeof kMarkupRows / sizeof kMarkupRows[0],
                   destination, destSize);
}

void ReplaceAngleEntities(const char* source, char* destination, size_t destSize)
{
    ReplaceByTable(source, kAngleRows, sizeof kAngleRows / sizeof kAngleRows[0],
                   destination, destSize);
}

void StripTags(const char* source, int length, char* destination, size_t destSize)
{
    size_t n = 0;
    if (length > 0) {
        n = BoundedLength(source, MARKUP_TEXT_MAX + 1);
        if (static_cast<size_t>(length) < n)
            n = static_cast<size_t>(length);
    }
    char text[MARKUP_TEXT_MAX + 1];
    n = CopyCut(source, n, text, sizeof text);
    n = DropConstructs(COMMENT, text, n);
    n = DropConstructs(ANCHOR, text, n);
    n = DropConstructs(FONT, text, n);
    CopyCut(text, n, destination, destSize);
}
