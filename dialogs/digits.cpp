#include "dialogs/digits.h"

#include <cstring>

namespace {

// The value of the digits from p up to end, held at `most`; -1 when there
// are none or another character is among them.
long long DigitsValue(const char* p, const char* end, long long most)
{
    if (p == end)
        return -1;
    long long value = 0;
    for (; p < end; ++p) {
        if (*p < '0' || *p > '9')
            return -1;
        // Held at `most` on the way, so no length of text can overflow.
        value = value * 10 + (*p - '0');
        if (value > most)
            value = most;
    }
    return value;
}

}  // namespace

long long ReadDigits(const char* text, long long most)
{
    return DigitsValue(text, text + strlen(text), most);
}

long long ReadPercent(const char* text)
{
    const size_t n = strlen(text);
    return n > 0 && text[n - 1] == '%' ? DigitsValue(text, text + n - 1, 100) : -1;
}
