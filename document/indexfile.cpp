#include "document/indexfile.h"

#include <cstring>

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

// A text read through a code page is read half a chunk at a time: each of
// its bytes may take three in UTF-8.
const DWORD CODE_PAGE_CHUNK = CHUNK / 2;

// The buffers of the passes: a piece of the source, it converted to
// UTF-8 (through UTF-16 for a code page), a piece of the copy walked, and
// the first bytes looked at for a form. One pass of each kind runs at a
// time.
struct Buffers {
    char source[CHUNK];
    char converted[Utf16ToUtf8Room(CHUNK)];
    wchar_t wide[CODE_PAGE_CHUNK + sizeof StreamPass::carried];
    char walked[CHUNK + LINE_MAX_BYTES + 1];
    unsigned char sample[DETECT_SAMPLE];
    char sampleConverted[3 * DETECT_SAMPLE];
};
Buffers Buffer;

UINT CodePageOf(TextEncoding encoding)
{
    switch (encoding) {
    case TEXT_EUCJP: return 20932;
    case TEXT_GBK: return 936;
    default: return 950;
    }
}

// n bytes of a text read through a code page, whole characters, into
// UTF-8 at out (room for 3 bytes each); the bytes written, or -1 when the
// code page is not to be had.
int CodePageToUtf8(TextEncoding encoding, const char* in, size_t n, char* out)
{
    if (n == 0)
        return 0;
    const int wide = MultiByteToWideChar(CodePageOf(encoding), 0, in, static_cast<int>(n), Buffer.wide,
                                         static_cast<int>(n));
    if (wide == 0)
        return -1;
    const int put = WideCharToMultiByte(CP_UTF8, 0, Buffer.wide, wide, out, static_cast<int>(3 * n), NULL, NULL);
    return put > 0 ? put : -1;
}

// Whether a text is in Aozora Bunko's notation, from its first bytes (a
// UTF-16 sample converted first).
bool SampleUsesNotation(const unsigned char* sample, size_t n, const CopyForm& form)
{
    if (ReadThroughCodePage(form.encoding)) {
        const size_t whole = WholeCharacters(sample, n, form.encoding);
        const int k = CodePageToUtf8(form.encoding, reinterpret_cast<const char*>(sample), whole,
                                     Buffer.sampleConverted);
        return k > 0 && UsesNotation(Buffer.sampleConverted, static_cast<size_t>(k), true);
    }
    if (form.encoding == TEXT_UTF16LE || form.encoding == TEXT_UTF16BE) {
        Utf16Decoder decoder;
        BeginUtf16(&decoder, form.encoding == TEXT_UTF16BE);
        size_t k = DecodeUtf16(&decoder, sample + form.sourceMark, n - form.sourceMark, Buffer.sampleConverted);
        return UsesNotation(Buffer.sampleConverted, k, true);
    }
    return UsesNotation(reinterpret_cast<const char*>(sample) + form.sourceMark, n - form.sourceMark,
                        form.encoding != TEXT_CP932);
}

// A Unicode text's copy begins with the UTF-8 mark.
size_t CopyMarkOf(TextEncoding encoding)
{
    return encoding == TEXT_CP932 ? 0 : UTF8_MARK_SIZE;
}

bool SeekTo(HANDLE file, ULONGLONG ofs)
{
    LARGE_INTEGER to;
    to.QuadPart = static_cast<LONGLONG>(ofs);
    return SetFilePointerEx(file, to, NULL, FILE_BEGIN) != 0;
}

// The encoding of an untold source told by the 64 KiB from its first byte
// above 0x7F, at ofs; the source is left at `back` to read on. False when
// they cannot be read.
bool TellEncoding(StreamPass* pass, ULONGLONG ofs, ULONGLONG back)
{
    const ULONGLONG left = pass->size - ofs;
    const DWORD want = left < DETECT_SAMPLE ? static_cast<DWORD>(left) : DETECT_SAMPLE;
    if (ReadAt(pass->source, static_cast<uint32_t>(ofs), reinterpret_cast<char*>(Buffer.sample), want) != want ||
        !SeekTo(pass->source, back))
        return false;
    pass->form.encoding = DetectUnmarked(Buffer.sample, want, want == left);
    pass->form.copyMark = CopyMarkOf(pass->form.encoding);
    pass->form.untold = false;
    return true;
}

// A source told UTF-8 part of the way through: read again from its start
// into an empty copy, which then begins with the mark, and an index that
// counts from after it.
PassStep BeginAgain(StreamPass* pass)
{
    const unsigned percent = StreamPercent(*pass);
    const bool emptied = SeekTo(pass->source, 0) && (pass->copy == INVALID_HANDLE_VALUE ||
                                                    (SeekTo(pass->copy, 0) && SetEndOfFile(pass->copy)));
    BeginStreamPass(pass, pass->source, pass->size, pass->copy, pass->form, pass->scan.blankSkip, pass->scan.index);
    pass->percentBefore = percent;
    if (emptied)
        return PASS_GOING;
    FreeLineIndex(pass->scan.index);
    return PASS_FAILED;
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

bool DetectSourceForm(HANDLE source, ULONGLONG size, int chosen, CopyForm* form)
{
    unsigned char* sample = Buffer.sample;
    DWORD want = size < DETECT_SAMPLE ? static_cast<DWORD>(size) : DETECT_SAMPLE;
    LONG high = 0;
    if (!ReadAll(source, sample, want) || SetFilePointer(source, 0, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    size_t mark = 0;
    const TextEncoding told = DetectEncoding(sample, want, want == size, &mark);
    form->encoding = chosen == NONE_CHOSEN ? told : ChosenEncoding(chosen);
    // A mark is left out when it is the chosen encoding's own.
    form->sourceMark = form->encoding == told ? mark : 0;
    form->copyMark = CopyMarkOf(form->encoding);
    form->untold = chosen == NONE_CHOSEN && EncodingUntold(sample, want, want == size);
    // Judged from the start alone, as a restore judges the copy: an ASCII
    // start holds none of the notation's marks, so an untold text is taken
    // as not in it.
    form->notation = SampleUsesNotation(sample, want, *form);
    return true;
}

bool WorkingCopyForm(HANDLE copy, ULONGLONG size, CopyForm* form)
{
    unsigned char* sample = Buffer.sample;
    DWORD want = size < DETECT_SAMPLE ? static_cast<DWORD>(size) : DETECT_SAMPLE;
    bool marked = ReadAll(copy, sample, want) && want >= UTF8_MARK_SIZE &&
                  memcmp(sample, UTF8_MARK, UTF8_MARK_SIZE) == 0;
    LONG high = 0;
    if (SetFilePointer(copy, 0, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    form->encoding = marked ? TEXT_UTF8 : TEXT_CP932;
    form->sourceMark = form->copyMark = marked ? UTF8_MARK_SIZE : 0;
    form->notation = SampleUsesNotation(sample, want, *form);
    form->untold = false;
    return true;
}


DWORD ReadAt(HANDLE h, uint32_t ofs, char* buf, DWORD n)
{
    // The high half given explicitly: offsets of 2 GiB and more must not
    // be taken as negative distances.
    LONG high = 0;
    SetFilePointer(h, static_cast<LONG>(ofs), &high, FILE_BEGIN);
    DWORD got = 0;
    if (!ReadFile(h, buf, n, &got, NULL))
        return 0;
    return got;
}

int LineRuleFor(int blankSkip, int notationView, bool notation)
{
    if (blankSkip != 1)
        return KEEP_BLANK_LINES;
    return notation && notationView == 1 ? SKIP_NOTE_LINES : SKIP_BLANK_LINES;
}

int KnownRule(int rule)
{
    return rule == SKIP_BLANK_LINES || rule == SKIP_NOTE_LINES ? rule : KEEP_BLANK_LINES;
}

void BeginStreamPass(StreamPass* pass, HANDLE source, ULONGLONG size, HANDLE copy, const CopyForm& form,
                     int blankSkip, LineIndex* index)
{
    pass->source = source;
    pass->copy = copy;
    pass->size = size;
    pass->form = form;
    BeginUtf16(&pass->decoder, form.encoding == TEXT_UTF16BE);
    pass->carriedCount = 0;
    FreeLineIndex(index);
    BeginLineScan(&pass->scan, index, blankSkip);
    // Lines are counted from after the copy's mark, which is never shown.
    pass->scan.pos = pass->scan.start = form.copyMark;
    // The source's own mark is read first, and the copy's written, with
    // the first piece.
    pass->left = size + 1;
    pass->percentBefore = 0;
}

PassStep StreamPiece(StreamPass* pass)
{
    const bool utf16 = pass->form.encoding == TEXT_UTF16LE || pass->form.encoding == TEXT_UTF16BE;
    const bool copying = pass->copy != INVALID_HANDLE_VALUE;
    bool ok = true;
    if (pass->left > pass->size) {
        const size_t mark = pass->form.sourceMark;
        ok = pass->size >= mark && (mark == 0 || ReadAll(pass->source, Buffer.source, static_cast<DWORD>(mark))) &&
             (!copying || WriteAll(pass->copy, UTF8_MARK, static_cast<DWORD>(pass->form.copyMark)));
        pass->left = ok ? pass->size - mark : 0;
        if (ok && pass->left > 0)
            return PASS_GOING;
    } else if (pass->left > 0) {
        // Only the size seen at the start is read, should the file grow.
        const bool codePage = ReadThroughCodePage(pass->form.encoding);
        const DWORD most = codePage ? CODE_PAGE_CHUNK : CHUNK;
        DWORD want = pass->left < most ? static_cast<DWORD>(pass->left) : most;
        DWORD got = 0;
        const size_t carried = codePage ? pass->carriedCount : 0;
        memcpy(Buffer.source, pass->carried, carried);
        ok = ReadFile(pass->source, Buffer.source + carried, want, &got, NULL) && got > 0;
        if (ok && pass->form.untold) {
            const ULONGLONG at = pass->size - pass->left;
            const size_t first = FirstNonAscii(reinterpret_cast<unsigned char*>(Buffer.source), got);
            if (first < got) {
                ok = TellEncoding(pass, at + first, at + got);
                if (ok && pass->form.encoding != TEXT_CP932)
                    return BeginAgain(pass);
            }
        }
        const char* bytes = Buffer.source;
        size_t n = got;
        if (ok && utf16) {
            n = DecodeUtf16(&pass->decoder, reinterpret_cast<unsigned char*>(Buffer.source), got, Buffer.converted);
            bytes = Buffer.converted;
        } else if (ok && codePage) {
            const size_t have = carried + got;
            // The last piece reads its last bytes as they are.
            const size_t whole = pass->left == got
                                     ? have
                                     : WholeCharacters(reinterpret_cast<unsigned char*>(Buffer.source), have,
                                                       pass->form.encoding);
            pass->carriedCount = have - whole;
            memcpy(pass->carried, Buffer.source + whole, pass->carriedCount);
            const int put = CodePageToUtf8(pass->form.encoding, Buffer.source, whole, Buffer.converted);
            ok = put >= 0;
            n = ok ? static_cast<size_t>(put) : 0;
            bytes = Buffer.converted;
        }
        // A UTF-16 text may grow past what 32-bit offsets reach once in UTF-8.
        ok = ok && pass->scan.pos + n <= LARGEST_TEXT &&
             (!copying || WriteAll(pass->copy, bytes, static_cast<DWORD>(n))) && ScanLines(&pass->scan, bytes, n);
        pass->left -= got;
        if (ok && pass->left > 0)
            return PASS_GOING;
    }
    if (ok && utf16) {
        size_t n = EndUtf16(&pass->decoder, Buffer.converted);
        ok = pass->scan.pos + n <= LARGEST_TEXT &&
             (!copying || WriteAll(pass->copy, Buffer.converted, static_cast<DWORD>(n))) &&
             ScanLines(&pass->scan, Buffer.converted, n);
    }
    ok = ok && EndLineScan(&pass->scan);
    if (!ok)
        FreeLineIndex(pass->scan.index);
    return ok ? PASS_DONE : PASS_FAILED;
}

unsigned StreamPercent(const StreamPass& pass)
{
    const ULONGLONG left = pass.left > pass.size ? pass.size : pass.left;
    if (pass.size == 0)
        return 100;
    // A pass begun again goes on from the progress it had told: it never goes back.
    const unsigned before = pass.percentBefore;
    return before + static_cast<unsigned>((pass.size - left) * (100 - before) / pass.size);
}

void BeginWalkPass(WalkPass* pass, HANDLE copy, ULONGLONG size, const LineIndex& index, size_t need,
                   LineVisit visit, void* context)
{
    pass->copy = copy;
    pass->size = size;
    pass->index = &index;
    pass->need = need;
    pass->visit = visit;
    pass->context = context;
    pass->next = 0;
    pass->from = pass->to = 0;
}

PassStep WalkPiece(WalkPass* pass)
{
    bool read = false;
    const size_t need = pass->need;
    for (; pass->next < pass->index->count; ++pass->next) {
        const uint32_t start = LineStart(*pass->index, pass->next);
        if (start + static_cast<uint64_t>(need) + 1 > pass->to && pass->to < pass->size) {
            // One read a piece: the next read waits for the next piece.
            if (read)
                return PASS_GOING;
            ULONGLONG left = pass->size - start;
            DWORD want = left < sizeof Buffer.walked ? static_cast<DWORD>(left) : static_cast<DWORD>(sizeof Buffer.walked);
            if (ReadAt(pass->copy, start, Buffer.walked, want) != want)
                return PASS_FAILED;
            read = true;
            pass->from = start;
            pass->to = start + want;
        }
        const char* line = Buffer.walked + (start - pass->from);
        if (!pass->visit(pass->context, start, line,
                         pass->to - start < need + 1 ? static_cast<size_t>(pass->to - start) : need + 1))
            return PASS_FAILED;
    }
    return PASS_DONE;
}

unsigned WalkPercent(const WalkPass& pass)
{
    return pass.size == 0 ? 100 : static_cast<unsigned>(pass.from * 100 / pass.size);
}

namespace {

bool DropIfNotesOnly(void* context, uint32_t start, const char* line, size_t seen)
{
    RuleIndexing* work = static_cast<RuleIndexing*>(context);
    const size_t length = LineLength(line, seen);
    if (length <= LINE_MAX_BYTES && NotesOnly(line, length, work->form.encoding != TEXT_CP932))
        return true;
    // An entry is moved only after it has been read.
    LineIndex* index = work->index;
    index->blocks[work->kept >> LINE_BLOCK_SHIFT][work->kept & (LINE_BLOCK_ENTRIES - 1)] = start;
    ++work->kept;
    return true;
}

}  // namespace

void BeginDroppingNoteLines(RuleIndexing* work, HANDLE copy, ULONGLONG size, const CopyForm& form,
                            LineIndex* index)
{
    work->form = form;
    work->rule = SKIP_NOTE_LINES;
    work->walking = true;
    work->index = index;
    work->kept = 0;
    BeginWalkPass(&work->walk, copy, size, *index, LINE_MAX_BYTES, DropIfNotesOnly, work);
}

bool BeginRuleIndexing(RuleIndexing* work, HANDLE copy, ULONGLONG size, const CopyForm& form, int rule,
                       LineIndex* index)
{
    work->form = form;
    work->rule = rule;
    work->walking = false;
    work->index = index;
    work->kept = 0;
    LONG high = 0;
    if (SetFilePointer(copy, 0, &high, FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    BeginStreamPass(&work->stream, copy, size, INVALID_HANDLE_VALUE, form, rule != KEEP_BLANK_LINES ? 1 : 0, index);
    return true;
}

PassStep RuleIndexingPiece(RuleIndexing* work)
{
    if (!work->walking) {
        PassStep step = StreamPiece(&work->stream);
        if (step != PASS_DONE || work->rule != SKIP_NOTE_LINES)
            return step;
        BeginDroppingNoteLines(work, work->stream.source, work->stream.size, work->form, work->index);
        return PASS_GOING;
    }
    PassStep step = WalkPiece(&work->walk);
    if (step == PASS_GOING)
        return step;
    work->index->count = work->kept;
    if (step == PASS_FAILED)
        FreeLineIndex(work->index);
    return step;
}

unsigned RuleIndexingPercent(const RuleIndexing& work)
{
    if (work.rule != SKIP_NOTE_LINES)
        return StreamPercent(work.stream);
    // The stream reads the copy once and the walk once more.
    return work.walking ? 50 + WalkPercent(work.walk) / 2 : StreamPercent(work.stream) / 2;
}

uint64_t SaidAt(HANDLE copy, const LineIndex& index, uint32_t line)
{
    if (copy == INVALID_HANDLE_VALUE || line >= index.count)
        return 0;
    char bytes[LINE_MAX_BYTES + 1];
    const DWORD got = ReadAt(copy, LineStart(index, line), bytes, sizeof bytes);
    return got > 0 ? LineSaid(bytes, got) : 0;
}

namespace {

bool NoteLineSaid(void* context, uint32_t, const char* line, size_t seen)
{
    SaidSearch* search = static_cast<SaidSearch*>(context);
    // A line of another length says something else: it is not hashed.
    const bool mayMatch = SaidBytes(line, seen) == SaidByteCount(search->nearest.said);
    NoteSaid(&search->nearest, search->walk.next, mayMatch ? LineSaid(line, seen) : 0);
    return true;
}

}  // namespace

void BeginSaidSearch(SaidSearch* search, HANDLE copy, ULONGLONG size, const LineIndex& index, uint32_t wanted,
                     uint64_t said)
{
    BeginNearestSaid(&search->nearest, wanted, said);
    BeginWalkPass(&search->walk, copy, size, index, LINE_MAX_BYTES, NoteLineSaid, search);
}

PassStep SaidSearchPiece(SaidSearch* search)
{
    if (NearestSettled(search->nearest, search->walk.next))
        return PASS_DONE;
    return WalkPiece(&search->walk);
}

bool SameLineUnder(HANDLE copy, ULONGLONG size, const CopyForm& form, int placeRule, const LineIndex& index,
                   uint32_t* lines, size_t count)
{
    LineIndex counted = {};
    RuleIndexing work;
    if (!BeginRuleIndexing(&work, copy, size, form, placeRule, &counted) ||
        RunThrough(&work, RuleIndexingPiece) != PASS_DONE) {
        FreeLineIndex(&counted);
        return false;
    }
    for (size_t i = 0; i < count; ++i)
        lines[i] = SameLineIn(counted, index, lines[i]);
    FreeLineIndex(&counted);
    return true;
}

namespace {

bool NoteHeading(void* context, uint32_t start, const char* line, size_t seen)
{
    HeadingSearch* search = static_cast<HeadingSearch*>(context);
    const bool utf8 = search->utf8;
    const unsigned char* first = reinterpret_cast<const unsigned char*>(line);
    if (!PerhapsHeading(first, seen, utf8, *search->codes) || !MayBeHeading(first, seen, utf8))
        return true;
    const size_t length = LineLength(line, seen);
    return length > HEADING_MAX_LINE_BYTES || !IsHeading(line, length, utf8) || AddHeading(search->headings, start);
}

}  // namespace

void BeginHeadingSearch(HeadingSearch* search, HANDLE copy, ULONGLONG size, const LineIndex& index, bool utf8,
                        Headings* headings)
{
    FreeHeadings(headings);
    search->headings = headings;
    search->codes = &HeadingCodesOf(utf8);
    search->utf8 = utf8;
    BeginWalkPass(&search->walk, copy, size, index, HEADING_MAX_LINE_BYTES, NoteHeading, search);
}

PassStep HeadingSearchPiece(HeadingSearch* search)
{
    const PassStep step = WalkPiece(&search->walk);
    if (step == PASS_FAILED)
        FreeHeadings(search->headings);
    search->headings->found = step == PASS_DONE;
    return step;
}
