// The one way a text gets its line index: streamed through one buffer, for
// an open (copying on the way), a restore and a resume alike.
#include <cstdlib>
#include <cstring>

#include "document/document.h"
#include "document/headings.h"
#include "document/notation.h"

namespace {

// Offsets and lengths are 32-bit.
const ULONGLONG LARGEST_TEXT = 0xFFFFFFFFull;
const DWORD CHUNK = 1 << 20;

bool ReadAll(HANDLE file, void* bytes, DWORD n)
{
    DWORD got = 0;
    return ReadFile(file, bytes, n, &got, NULL) && got == n;
}

bool WriteAll(HANDLE file, const void* bytes, DWORD n)
{
    DWORD put = 0;
    return n == 0 || (WriteFile(file, bytes, n, &put, NULL) && put == n);
}

// Walks the lines of index over the copy (size bytes), in order, giving
// visit each line's start and its first bytes: `need` and one more, or
// fewer at the copy's end (its line end among them or not). The copy is
// read in large pieces; a line that runs past one is read again from its
// start with the next. False when the copy cannot be read, visit says
// false, or progress (may be NULL) was cancelled.
template <typename Visit>
bool WalkLines(HANDLE copy, ULONGLONG size, const LineIndex& index, size_t need, WorkProgress* progress, Visit visit)
{
    static char buffer[CHUNK + LINE_MAX_BYTES + 1];
    uint64_t from = 0, to = 0;
    for (uint32_t i = 0; i < index.count; ++i) {
        const uint32_t start = LineStart(index, i);
        if (start + static_cast<uint64_t>(need) + 1 > to && to < size) {
            ULONGLONG left = size - start;
            DWORD want = left < sizeof buffer ? static_cast<DWORD>(left) : static_cast<DWORD>(sizeof buffer);
            if (ReadAt(copy, start, buffer, want) != want)
                return false;
            if (progress != NULL && !progress->step(static_cast<unsigned>(uint64_t{start} * 100 / size))) {
                progress->cancelled = true;
                return false;
            }
            from = start;
            to = start + want;
        }
        const char* line = buffer + (start - from);
        if (!visit(start, line, to - start < need + 1 ? static_cast<size_t>(to - start) : need + 1))
            return false;
    }
    return true;
}

bool AddHeading(Headings* h, uint32_t at)
{
    if (h->count == h->capacity) {
        uint32_t grown = h->capacity == 0 ? 64 : h->capacity * 2;
        uint32_t* more = static_cast<uint32_t*>(realloc(h->at, grown * sizeof(uint32_t)));
        if (more == NULL)
            return false;
        h->at = more;
        h->capacity = grown;
    }
    h->at[h->count++] = at;
    return true;
}

// Whether a text is in Aozora Bunko's notation, from its first bytes (a
// UTF-16 sample converted first).
bool SampleUsesNotation(const unsigned char* sample, size_t n, const CopyForm& form)
{
    if (form.encoding == TEXT_UTF16LE || form.encoding == TEXT_UTF16BE) {
        static char converted[Utf16ToUtf8Room(DETECT_SAMPLE)];
        Utf16Decoder decoder;
        BeginUtf16(&decoder, form.encoding == TEXT_UTF16BE);
        size_t k = DecodeUtf16(&decoder, sample + form.sourceMark, n - form.sourceMark, converted);
        return UsesNotation(converted, k, true);
    }
    return UsesNotation(reinterpret_cast<const char*>(sample) + form.sourceMark, n - form.sourceMark,
                        form.encoding != TEXT_CP932);
}

}  // namespace

bool SizeFits(HANDLE file, ULONGLONG* size)
{
    LARGE_INTEGER n;
    if (!GetFileSizeEx(file, &n) || static_cast<ULONGLONG>(n.QuadPart) > LARGEST_TEXT)
        return false;
    *size = static_cast<ULONGLONG>(n.QuadPart);
    return true;
}

bool DetectSourceForm(HANDLE source, ULONGLONG size, CopyForm* form)
{
    static unsigned char sample[DETECT_SAMPLE];
    DWORD want = size < DETECT_SAMPLE ? static_cast<DWORD>(size) : DETECT_SAMPLE;
    LONG high = 0;
    if (!ReadAll(source, sample, want) || SetFilePointer(source, 0, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    size_t mark = 0;
    form->encoding = DetectEncoding(sample, want, want == size, &mark);
    form->sourceMark = mark;
    form->copyMark = form->encoding == TEXT_CP932 ? 0 : UTF8_MARK_SIZE;
    form->notation = SampleUsesNotation(sample, want, *form);
    return true;
}

bool WorkingCopyForm(HANDLE copy, ULONGLONG size, CopyForm* form)
{
    static unsigned char sample[DETECT_SAMPLE];
    DWORD want = size < DETECT_SAMPLE ? static_cast<DWORD>(size) : DETECT_SAMPLE;
    bool marked = ReadAll(copy, sample, want) && want >= UTF8_MARK_SIZE &&
                  memcmp(sample, UTF8_MARK, UTF8_MARK_SIZE) == 0;
    LONG high = 0;
    if (SetFilePointer(copy, 0, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    form->encoding = marked ? TEXT_UTF8 : TEXT_CP932;
    form->sourceMark = form->copyMark = marked ? UTF8_MARK_SIZE : 0;
    form->notation = SampleUsesNotation(sample, want, *form);
    return true;
}

bool StreamLineIndex(HANDLE source, ULONGLONG size, HANDLE copy, const CopyForm& form, int blankSkip,
                     LineIndex* index, WorkProgress* progress)
{
    static char buffer[CHUNK];
    static char converted[Utf16ToUtf8Room(CHUNK)];
    const bool utf16 = form.encoding == TEXT_UTF16LE || form.encoding == TEXT_UTF16BE;
    Utf16Decoder decoder;
    BeginUtf16(&decoder, form.encoding == TEXT_UTF16BE);

    FreeLineIndex(index);
    LineScan scan;
    BeginLineScan(&scan, index, blankSkip);
    // Lines are counted from after the copy's mark, which is never shown.
    scan.pos = scan.start = form.copyMark;
    const bool copying = copy != INVALID_HANDLE_VALUE;
    bool ok = size >= form.sourceMark && (form.sourceMark == 0 || ReadAll(source, buffer, form.sourceMark)) &&
              (!copying || WriteAll(copy, UTF8_MARK, static_cast<DWORD>(form.copyMark)));
    ULONGLONG left = size - form.sourceMark;
    // Only the size seen at the start is read, should the file grow.
    while (ok && left > 0) {
        DWORD want = left < CHUNK ? static_cast<DWORD>(left) : CHUNK;
        DWORD got = 0;
        ok = ReadFile(source, buffer, want, &got, NULL) && got > 0;
        const char* bytes = buffer;
        size_t n = got;
        if (ok && utf16) {
            n = DecodeUtf16(&decoder, reinterpret_cast<unsigned char*>(buffer), got, converted);
            bytes = converted;
        }
        // A UTF-16 text may grow past what 32-bit offsets reach once in UTF-8.
        ok = ok && scan.pos + n <= LARGEST_TEXT && (!copying || WriteAll(copy, bytes, static_cast<DWORD>(n))) &&
             ScanLines(&scan, bytes, n);
        left -= got;
        if (ok && progress != NULL && !progress->step(static_cast<unsigned>((size - left) * 100 / size))) {
            progress->cancelled = true;
            ok = false;
        }
    }
    if (ok && utf16) {
        size_t n = EndUtf16(&decoder, converted);
        ok = scan.pos + n <= LARGEST_TEXT && (!copying || WriteAll(copy, converted, static_cast<DWORD>(n))) &&
             ScanLines(&scan, converted, n);
    }
    ok = ok && EndLineScan(&scan);
    if (!ok)
        FreeLineIndex(index);
    return ok;
}

int LineRuleFor(int blankSkip, int notationView, bool notation)
{
    if (blankSkip != 1)
        return KEEP_BLANK_LINES;
    return notation && notationView == 1 ? SKIP_NOTE_LINES : SKIP_BLANK_LINES;
}

bool IndexUnderRule(HANDLE copy, ULONGLONG size, const CopyForm& form, int rule, LineIndex* index,
                    WorkProgress* progress)
{
    LONG high = 0;
    return SetFilePointer(copy, 0, &high, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
           StreamLineIndex(copy, size, INVALID_HANDLE_VALUE, form, rule != KEEP_BLANK_LINES ? 1 : 0, index,
                           progress) &&
           (rule != SKIP_NOTE_LINES || DropNoteLines(copy, size, form, index, progress));
}

bool SameLineUnder(HANDLE h, ULONGLONG size, const CopyForm& form, int placeRule, const LineIndex& index,
                   uint32_t* line, WorkProgress* progress)
{
    LineIndex counted = {};
    if (!IndexUnderRule(h, size, form, placeRule, &counted, progress)) {
        FreeLineIndex(&counted);
        return false;
    }
    *line = SameLineIn(counted, index, *line);
    FreeLineIndex(&counted);
    return true;
}

bool DropNoteLines(HANDLE copy, ULONGLONG size, const CopyForm& form, LineIndex* index, WorkProgress* progress)
{
    uint32_t kept = 0;
    const bool utf8 = form.encoding != TEXT_CP932;
    // An entry is moved only after it has been read.
    const bool ok = WalkLines(copy, size, *index, LINE_MAX_BYTES, progress,
                              [&](uint32_t start, const char* line, size_t seen) {
                                  const size_t length = LineLength(line, seen);
                                  if (length <= LINE_MAX_BYTES && NotesOnly(line, length, utf8))
                                      return true;
                                  index->blocks[kept >> LINE_BLOCK_SHIFT][kept & (LINE_BLOCK_ENTRIES - 1)] = start;
                                  ++kept;
                                  return true;
                              });
    index->count = kept;
    return ok;
}

bool FindHeadings(HANDLE copy, ULONGLONG size, const LineIndex& index, bool utf8, Headings* headings,
                  WorkProgress* progress)
{
    FreeHeadings(headings);
    const HeadingCodes& codes = HeadingCodesOf(utf8);
    headings->found = WalkLines(copy, size, index, HEADING_MAX_LINE_BYTES, progress,
                                [&](uint32_t start, const char* line, size_t seen) {
                                    const unsigned char* first = reinterpret_cast<const unsigned char*>(line);
                                    if (!PerhapsHeading(first, seen, utf8, codes) || !MayBeHeading(first, seen, utf8))
                                        return true;
                                    const size_t length = LineLength(line, seen);
                                    return length > HEADING_MAX_LINE_BYTES || !IsHeading(line, length, utf8) ||
                                           AddHeading(headings, start);
                                });
    if (!headings->found)
        FreeHeadings(headings);
    return headings->found;
}

void FreeHeadings(Headings* headings)
{
    free(headings->at);
    headings->at = NULL;
    headings->count = headings->capacity = 0;
    headings->found = false;
}
