#include "app/base/escape.h"

#include <cstring>

namespace {

const char HEX[] = "0123456789ABCDEF";

bool Plain(unsigned char c)
{
    return c >= 0x20 && c < 0x7F && c != '%';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
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
            if (low >= 0 && high * 16 + low != 0)
                value = high * 16 + low;
            p += 3;
        } else if (Plain(static_cast<unsigned char>(*p))) {
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
    return true;
}
