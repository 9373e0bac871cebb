#include "dialogs/digits.h"

long long ReadDigits(const char* text, long long most)
{
    if (*text == '\0')
        return -1;
    long long value = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9')
            return -1;
        // Held at `most` on the way, so no length of text can overflow.
        value = value * 10 + (*p - '0');
        if (value > most)
            value = most;
    }
    return value;
}
