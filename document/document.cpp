#include "document/document.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/settings.h"
#include "base/wide.h"
#include "datview/datrecord.h"
#include "datview/textcut.h"
#include "document/notation.h"

TextDocument Doc = {INVALID_HANDLE_VALUE, {}, {}, 0, {0, 0}, 0, false, false};
int DocBusy;
const char NO_LINES[] = "表示できる行がありません。";
char DispText[DISP_TEXT_SIZE];
size_t DispPrefix;
wchar_t WorkFile[PATH_SIZE];

namespace {

// A character in code page 932, for what a notation names.
size_t Cp932Of(uint32_t code, char* out)
{
    if (code > 0xFFFF)
        return 0;
    const wchar_t wide = static_cast<wchar_t>(code);
    BOOL lost = FALSE;
    int n = WideCharToMultiByte(PROGRAM_CODE_PAGE, WC_NO_BEST_FIT_CHARS, &wide, 1, out, 2, NULL, &lost);
    return n > 0 && !lost ? static_cast<size_t>(n) : 0;
}

}  // namespace

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

void InitDocumentState()
{
    wmemset(WorkFile, L'\0', PATH_SIZE);
    wcscpy(WorkFile, BaseDir);
    wcscat(WorkFile, L"Skerrow.tmp");
    memset(DispText, 0, sizeof DispText);
    Doc.WorkHandle = INVALID_HANDLE_VALUE;
    Doc.Place = ReadingPlace{0, 0};
    Doc.LineCnt = 0;
    FreeLineIndex(&Doc.Index);
    FreeHeadings(&Doc.Chapters);
}

void ReleaseText()
{
    if (Doc.WorkHandle == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(Doc.WorkHandle);
    Doc.WorkHandle = INVALID_HANDLE_VALUE;
    FreeLineIndex(&Doc.Index);
    FreeHeadings(&Doc.Chapters);
}

bool HasText()
{
    return Doc.WorkHandle != INVALID_HANDLE_VALUE && Doc.LineCnt != 0;
}

bool FindChapters(WorkProgress* progress)
{
    ULONGLONG size = 0;
    if (Doc.Chapters.found || DocBusy || !HasText() || !SizeFits(Doc.WorkHandle, &size))
        return Doc.Chapters.found;
    DocBusy = 1;
    FindHeadings(Doc.WorkHandle, size, Doc.Index, Doc.Unicode, &Doc.Chapters, progress);
    DocBusy = 0;
    return Doc.Chapters.found;
}

uint32_t ChapterLine(uint32_t k)
{
    const uint32_t line = FirstLineFrom(Doc.Index, Doc.Chapters.at[k]);
    return line < Doc.LineCnt ? line : Doc.LineCnt - 1;
}

bool VisitHeadingLines(uint32_t first, uint32_t count, WorkProgress* progress,
                       void (*visit)(const char* line, uint32_t i, void* context), void* context)
{
    if (DocBusy || !HasText() || !Doc.Chapters.found || first + uint64_t{count} > Doc.Chapters.count)
        return false;
    DocBusy = 1;
    static char line[LINE_MAX_BYTES + 2];
    bool going = true;
    for (uint32_t k = 0; going && k < count; ++k) {
        const uint32_t i = ChapterLine(first + k);
        ReadShownLine(i, line);
        visit(line, i, context);
        going = k % 64 != 63 || progress->step(static_cast<unsigned>(uint64_t{k} * 100 / count));
    }
    progress->cancelled = !going;
    DocBusy = 0;
    return going;
}

uint32_t ShowLine(int code, uint32_t index, char* out)
{
    if (!HasText())
        return 0;
    uint32_t i = ChooseLine(code, index, Doc.LineCnt);
    char line[LINE_MAX_BYTES + 2];
    ReadShownLine(i, line);

    char prefix[64];
    memset(prefix, 0, sizeof prefix);
    if (AppSettings.LineDisp == 1)
        snprintf(prefix, sizeof prefix, "%u: ", i + 1);
    snprintf(out, DISP_TEXT_SIZE, "%s%s", prefix, line);
    DispPrefix = strlen(prefix);
    if (Doc.DatFlg == 1) {
        FormatDatRecord(line, i, Doc.Unicode, out, DISP_TEXT_SIZE);
        DispPrefix = 0;
    }
    return i;
}

size_t ReadShownLine(uint32_t i, char* line, bool* read)
{
    // The line runs to its line feed; past 4,096 bytes it is cut, in a
    // Unicode text before a character that would be split. One byte more is
    // read to tell.
    memset(line, 0, LINE_MAX_BYTES + 2);
    DWORD got = ReadAt(Doc.WorkHandle, LineStart(Doc.Index, i), line, LINE_MAX_BYTES + 1);
    // Every line has a byte at least.
    if (read != NULL)
        *read = got > 0;
    size_t length = LineLength(line, got);
    if (length > LINE_MAX_BYTES)
        length = Doc.Unicode ? CutLengthUtf8(line, length, LINE_MAX_BYTES + 1) : LINE_MAX_BYTES;
    memset(line + length, 0, LINE_MAX_BYTES + 2 - length);
    if (ShowsNotation()) {
        // As read: never longer than the line (what an annotation names is
        // shorter than the annotation).
        static char asRead[LINE_MAX_BYTES + 2];
        static_assert(LINE_MAX_BYTES <= NOTATION_LINE_MAX_BYTES, "a shown line is composed in linear time");
        length = ReadNotation(line, length, Doc.Unicode, AppSettings.RubyParen == 1, Cp932Of, asRead, sizeof asRead);
        memcpy(line, asRead, LINE_MAX_BYTES + 2);
    }
    return length;
}

bool ShowsNotation()
{
    return Doc.Notation && AppSettings.Notation == 1 && Doc.DatFlg != 1;
}

void ResetDocument()
{
    memset(DispText, 0, sizeof DispText);
    Doc.LineCnt = 0;
    Doc.Unicode = false;
    Doc.Notation = false;
    memset(AppSettings.BackFile, 0, sizeof AppSettings.BackFile);
    Doc.Place = ReadingPlace{0, 0};
    AppSettings.BackNo = 0;
    AppSettings.BackPos = 0;
    AppSettings.BackSkip = AppSettings.BlankSkip;
}

int AskDatForm(HANDLE handle, const LineIndex& index)
{
    // One byte stays zero, so a longer first line is looked at up to there.
    char first[4100];
    memset(first, 0, sizeof first);
    if (index.count > 0) {
        DWORD got = ReadAt(handle, LineStart(index, 0), first, sizeof first - 1);
        memset(first + LineLength(first, got), 0, sizeof first - LineLength(first, got));
    }
    if (CountDatSeparators(first) == 4 &&
        ShowMessage(NULL, "2chのDatﾌｧｲﾙ形式と認識しました。\r\nﾚｽ形式で表示しますか？", "Skerrow", MB_OKCANCEL) == IDOK)
        return 1;
    return 0;
}
