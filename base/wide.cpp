#include "base/wide.h"

wchar_t* WideFrom932(const char* text, int length, wchar_t* out, int size)
{
    int n = MultiByteToWideChar(PROGRAM_CODE_PAGE, 0, text, length, out, size);
    // A text cut by the room, or one without its zero, is terminated here.
    if (n <= 0)
        out[0] = L'\0';
    else if (n >= size)
        out[size - 1] = L'\0';
    else if (length >= 0)
        out[n] = L'\0';
    return out;
}
