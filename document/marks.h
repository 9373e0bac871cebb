// Characters of a line of code page 932 or UTF-8 text, compared with marks
// spelt in both. Portable: no Windows calls.
#ifndef SKERROW_DOCUMENT_MARKS_H
#define SKERROW_DOCUMENT_MARKS_H

#include <cstddef>
#include <cstring>

#include "base/sjis.h"

// A character as code page 932 bytes, then as UTF-8 bytes.
struct Mark {
    const char* bytes[2];
};

// A line being read: its bytes and encoding.
struct Text {
    const char* p;
    size_t n;
    bool utf8;
};

// The bytes of the character at i (at least 1, never past the end).
inline size_t CharAt(const Text& t, size_t i)
{
    unsigned char b = static_cast<unsigned char>(t.p[i]);
    size_t k = 1;
    if (t.utf8)
        k = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    else if (IsLeadByte(b))
        k = 2;
    return i + k <= t.n ? k : t.n - i;
}

inline const char* Of(const Text& t, const Mark& m)
{
    return m.bytes[t.utf8 ? 1 : 0];
}

inline bool At(const Text& t, size_t i, const Mark& m)
{
    const char* b = Of(t, m);
    size_t k = strlen(b);
    return i + k <= t.n && memcmp(t.p + i, b, k) == 0;
}

#endif
