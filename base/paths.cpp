#include "base/paths.h"

#include <cwchar>

namespace {

// The longest name of a file kept in the start folder ("Skerrow.ini",
// "Skerrow.tmp", "Skerrow.chm" and the settings' draft "Skerrow.in~" are
// all this long).
const size_t LONGEST_FILE_NAME = 11;

}  // namespace

int MakeBaseDir(const wchar_t* cwd, wchar_t* out)
{
    wmemset(out, L'\0', PATH_SIZE);
    size_t n = wcslen(cwd);
    if (n == 0)
        return -1;
    size_t dirLen = cwd[n - 1] == L'\\' ? n : n + 1;
    if (dirLen + LONGEST_FILE_NAME + 1 > PATH_SIZE)
        return -1;
    wmemcpy(out, cwd, n);
    out[dirLen - 1] = L'\\';
    return 0;
}

void ReplaceChar(const wchar_t* source, wchar_t from, wchar_t to, wchar_t* destination, size_t destSize)
{
    if (destSize == 0)
        return;
    size_t i = 0;
    for (; source[i] && i + 1 < destSize; ++i)
        destination[i] = (source[i] == from) ? to : source[i];
    destination[i] = L'\0';
}
