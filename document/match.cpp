#include "document/match.h"

#include <cstring>

#include "base/sjis.h"

namespace {

unsigned char Fold(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

unsigned char FoldIf(bool fold, unsigned char c)
{
    return fold ? Fold(c) : c;
}

// The query at text, folding every byte when asked: a superset of the true
// matches, which LineHolds narrows.
bool SameBytes(const TextFinder& f, const unsigned char* text, size_t n)
{
    if (f.matchCase)
        return memcmp(text, f.query, n) == 0;
    for (size_t k = 0; k < n; ++k)
        if (Fold(text[k]) != Fold(f.query[k]))
            return false;
    return true;
}

// The query at text, character by character: in code page 932 the two
// bytes of a double-byte character are compared as they are, since a trail
// byte may look like an ASCII letter.
bool SameCharacters(const TextFinder& f, const unsigned char* text)
{
    const bool fold = !f.matchCase;
    for (size_t k = 0; k < f.length;) {
        if (f.cp932 && IsLeadByte(f.query[k]) && k + 1 < f.length) {
            if (text[k] != f.query[k] || text[k + 1] != f.query[k + 1])
                return false;
            k += 2;
        } else {
            if (FoldIf(fold, text[k]) != FoldIf(fold, f.query[k]))
                return false;
            ++k;
        }
    }
    return true;
}

}  // namespace

bool PrepareFinder(TextFinder* finder, const char* query, size_t length, bool matchCase, bool cp932)
{
    if (length == 0 || length > FIND_QUERY_MAX)
        return false;
    memcpy(finder->query, query, length);
    finder->length = length;
    finder->matchCase = matchCase;
    finder->cp932 = cp932;
    for (size_t& s : finder->shift)
        s = length;
    for (size_t k = 0; k + 1 < length; ++k) {
        unsigned char c = finder->query[k];
        finder->shift[c] = length - 1 - k;
        if (!matchCase) {
            // Either case of a letter moves the candidate on alike.
            unsigned char lower = Fold(c);
            unsigned char upper = lower >= 'a' && lower <= 'z' ? static_cast<unsigned char>(lower - ('a' - 'A')) : c;
            finder->shift[lower] = finder->shift[upper] = length - 1 - k;
        }
    }
    return true;
}

size_t FindCandidate(const TextFinder& finder, const char* bytes, size_t n, size_t from)
{
    const size_t m = finder.length;
    const unsigned char* t = reinterpret_cast<const unsigned char*>(bytes);
    const bool fold = !finder.matchCase;
    const unsigned char last = FoldIf(fold, finder.query[m - 1]);
    // Horspool: the byte under the query's end says how far it may move.
    for (size_t i = from; m <= n && i <= n - m;) {
        unsigned char c = t[i + m - 1];
        if (FoldIf(fold, c) == last && SameBytes(finder, t + i, m - 1))
            return i;
        i += finder.shift[c];
    }
    return n;
}

bool LineHolds(const TextFinder& finder, const char* line, size_t length, size_t* at)
{
    const unsigned char* t = reinterpret_cast<const unsigned char*>(line);
    for (size_t i = 0; i + finder.length <= length;) {
        if (SameCharacters(finder, t + i)) {
            if (at != NULL)
                *at = i;
            return true;
        }
        // The next character: in UTF-8 a query never starts on a
        // continuation byte, so every byte may be tried.
        i += finder.cp932 && IsLeadByte(t[i]) && i + 1 < length ? 2 : 1;
    }
    return false;
}
