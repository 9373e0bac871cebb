#include "datview/textcut.h"

#include <cstring>

#include "base/sjis.h"

namespace {

bool IsTrailByte(unsigned char b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

}  // namespace

size_t BoundedLength(const char* text, size_t max)
{
    size_t n = 0;
    while (n < max && text[n] != '\0')
        ++n;
    return n;
}

size_t CutLength(const char* text, size_t length, size_t size)
{
    if (length < size)
        return length;
    if (size == 0)
        return 0;
    const size_t keep = size - 1;
    // Walk the characters from the start: only from there can the first
    // byte of a pair be told from a second byte that has the same value.
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    while (i < keep) {
        if (IsLeadByte(t[i]) && IsTrailByte(t[i + 1])) {  // i + 1 <= keep < length
            if (i + 2 > keep)
                break;
            i += 2;
        } else {
            i += 1;
        }
    }
    return i;
}

size_t CutLengthUtf8(const char* text, size_t length, size_t size)
{
    if (length < size)
        return length;
    if (size == 0)
        return 0;
    // Back from the first byte left out to the start of its character.
    const unsigned char* t = reinterpret_cast<const unsigned char*>(text);
    size_t keep = size - 1;
    for (int k = 0; k < 3 && keep > 0 && (t[keep] & 0xC0) == 0x80; ++k)
        --keep;
    return (t[keep] & 0xC0) == 0x80 ? size - 1 : keep;
}

size_t CopyCut(const char* text, size_t length, char* destination, size_t size, bool utf8)
{
    if (size == 0)
        return 0;
    const size_t n = utf8 ? CutLengthUtf8(text, length, size) : CutLength(text, length, size);
    memmove(destination, text, n);
    destination[n] = '\0';
    return n;
}
