// The one way a text gets its line index: streamed through one buffer, for
// an open (copying on the way), a restore and a resume alike.
#include "document/document.h"

namespace {
// Offsets and lengths are 32-bit.
const ULONGLONG LARGEST_TEXT = 0xFFFFFFFFull;
}

bool SizeFits(HANDLE file, ULONGLONG* size)
{
    LARGE_INTEGER n;
    if (!GetFileSizeEx(file, &n) || static_cast<ULONGLONG>(n.QuadPart) > LARGEST_TEXT)
        return false;
    *size = static_cast<ULONGLONG>(n.QuadPart);
    return true;
}

bool StreamLineIndex(HANDLE source, ULONGLONG size, HANDLE copy, int blankSkip, LineIndex* index)
{
    static char buffer[1 << 20];
    FreeLineIndex(index);
    LineScan scan;
    BeginLineScan(&scan, index, blankSkip);
    ULONGLONG left = size;
    bool ok = true;
    // Only the size seen at the start is read, should the file grow.
    while (ok && left > 0) {
        DWORD want = left < sizeof buffer ? static_cast<DWORD>(left) : sizeof buffer;
        DWORD got = 0, put = 0;
        ok = ReadFile(source, buffer, want, &got, NULL) && got > 0 &&
             (copy == INVALID_HANDLE_VALUE || (WriteFile(copy, buffer, got, &put, NULL) && put == got)) &&
             ScanLines(&scan, buffer, got);
        left -= got;
    }
    ok = ok && EndLineScan(&scan);
    if (!ok)
        FreeLineIndex(index);
    return ok;
}
