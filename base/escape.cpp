#include "base/escape.h"

#include <cstring>

namespace {

const char HEX[] = "0123456789ABCDEF";

// What an earlier copy of the program left plain: printable ASCII but '%'.
bool PlainBefore(unsigned char c)
{
    return c >= 0x20 && c < 0x7F && c != '%';
}

// What is written plain now: not the blank and the quotes, which the file's
// reader would take off the ends of a value.
bool Plain(unsigned char c)
{
    return PlainBefore(c) && c != ' ' && c != '"' && c != '\'';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Well-formed UTF-8: no overlong form, no surrogate, nothing past U+10FFFF.
bool ValidUtf8(const unsigned char* p, size_t n)
{
    size_t i = 0;
    while (i < n) {
        unsigned char c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t more = c >= 0xC2 && c <= 0xDF ? 1 : c >= 0xE0 && c <= 0xEF ? 2 : c >= 0xF0 && c <= 0xF4 ? 3 : 0;
        if (more == 0 || n - i <= more)
            return false;
        for (size_t k = 1; k <= more; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
        unsigned char second = p[i + 1];
        if ((c == 0xE0 && second < 0xA0) || (c == 0xED && second > 0x9F) || (c == 0xF0 && second < 0x90) ||
            (c == 0xF4 && second > 0x8F))
            return false;
        i += more + 1;
    }
    return true;
}

}  // namespace

bool EscapeBytes(const char* utf8, char* out, size_t size)
{
    size_t n = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
        size_t need = Plain(*p) ? 1 : 3;
        if (n + need >= size) {
            if (size > 0)
                out[0] = '\0';
            return false;
        }
        if (need == 1) {
            out[n++] = static_cast<char>(*p);
        } else {
            out[n++] = '%';
            out[n++] = HEX[*p >> 4];
            out[n++] = HEX[*p & 0x0F];
        }
    }
    if (size == 0)
        return false;
    out[n] = '\0';
    return true;
}

bool UnescapeBytes(const char* text, char* out, size_t size)
{
    if (size == 0)
        return false;
    size_t n = 0;
    for (const char* p = text; *p;) {
        int value = -1;
        if (*p == '%') {
            int high = HexValue(p[1]);
            int low = high < 0 ? -1 : HexValue(p[2]);
            if (low >= 0 && high * 16 + low != 0 && !Plain(static_cast<unsigned char>(high * 16 + low)))
                value = high * 16 + low;
            p += 3;
        } else if (PlainBefore(static_cast<unsigned char>(*p))) {
            value = static_cast<unsigned char>(*p);
            ++p;
        }
        if (value < 0 || n + 1 >= size) {
            out[0] = '\0';
            return false;
        }
        out[n++] = static_cast<char>(value);
    }
    out[n] = '\0';
    if (!ValidUtf8(reinterpret_cast<const unsigned char*>(out), n)) {
        out[0] = '\0';
        return false;
    }
    return true;
}
