#include "app/base/paths.h"

#include <cstring>

#include "app/base/sjis.h"

namespace {

// The longest name of a file kept in the start folder ("Skerrow.ini",
// "Skerrow.tmp" and "Skerrow.chm" are all this long).
const size_t LONGEST_FILE_NAME = 11;

}  // namespace

bool EndsWithBackslash(const char* s)
{
    bool last = false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(s); *p; ++p) {
        last = (*p == '\\');
        if (IsLeadByte(*p) && p[1]) {
            ++p;
            last = false;
        }
    }
    return last;
}

int MakeBaseDir(const char* cwd, char* out)
{
    memset(out, 0, PATH_SIZE);
    size_t n = strlen(cwd);
    if (n == 0)
        return -1;
    size_t dirLen = EndsWithBackslash(cwd) ? n : n + 1;
    if (dirLen + LONGEST_FILE_NAME + 1 > PATH_SIZE)
        return -1;
    memcpy(out, cwd, n);
    out[dirLen - 1] = '\\';
    return 0;
}

void ReplaceChar(const char* source, char from, char to, char* destination, size_t destSize)
{
    if (destSize == 0)
        return;
    size_t i = 0;
    for (; source[i] && i + 1 < destSize; ++i)
        destination[i] = (source[i] == from) ? to : source[i];
    destination[i] = '\0';
}
