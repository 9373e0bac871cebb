#include "document/document.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

#include "base/settings.h"
#include "base/wide.h"
#include "datview/datrecord.h"
#include "datview/textcut.h"
#include "document/encoding.h"
#include "document/indexfile.h"
#include "document/notation.h"
#include "document/text.h"

TextDocument Text = {INVALID_HANDLE_VALUE, {}, {}, 0, {0, 0}, 0, false, false, TEXT_CP932, NONE_CHOSEN, {}, 0, {0xFFFFFFFFu, 0}, {}, {}};
const TextDocument& Doc = Text;
LineOnDisplay Shown;
const char NO_LINES[] = "表示できる行がありません。";
const char DAT_QUESTION[] = "2chのDatﾌｧｲﾙ形式と認識しました。\r\nﾚｽ形式で表示しますか？";

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

// Where the text's lines run in the working copy: from after its mark to
// its end. False without a text.
bool TextSpan(uint32_t* begin, uint32_t* end)
{
    LARGE_INTEGER size;
    if (!HasText() || Text.Index.count == 0 || !GetFileSizeEx(Text.WorkHandle, &size))
        return false;
    *begin = Text.Unicode ? UTF8_MARK_SIZE : 0;
    *end = static_cast<uint32_t>(size.QuadPart);
    return *end >= *begin;
}

}  // namespace

void InitDocumentState()
{
    wmemset(Text.WorkFile, L'\0', PATH_SIZE);
    wcscpy(Text.WorkFile, BaseDir);
    wcscat(Text.WorkFile, L"Skerrow.tmp");
    memset(&Shown, 0, sizeof Shown);
    Text.WorkHandle = INVALID_HANDLE_VALUE;
    Text.Stored = ReadingPlace{0xFFFFFFFFu, 0};
    Text.LineCnt = 0;
    // The last text the settings name, not open yet: the file goes on
    // naming it until it is taken up again or forgotten.
    wmemset(Text.Path, L'\0', PATH_SIZE);
    wcscpy(Text.Path, AppSettings.BackFile);
    // Counted unsigned: a stored 0 or negative line lies beyond the end.
    Text.Place = ReadingPlace{static_cast<uint32_t>(AppSettings.BackNo) - 1u,
                              AppSettings.BackPos > 0 ? static_cast<uint32_t>(AppSettings.BackPos) : 0};
    Text.Rule = KnownRule(AppSettings.BackSkip);
    FreeLineIndex(&Text.Index);
    FreeHeadings(&Text.Chapters);
}

void ReleaseText()
{
    if (Text.WorkHandle == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(Text.WorkHandle);
    Text.WorkHandle = INVALID_HANDLE_VALUE;
    FreeLineIndex(&Text.Index);
    FreeHeadings(&Text.Chapters);
}

bool HasText()
{
    return Text.WorkHandle != INVALID_HANDLE_VALUE && Text.LineCnt != 0;
}

uint32_t ChapterLine(uint32_t k)
{
    const uint32_t line = FirstLineFrom(Text.Index, Text.Chapters.at[k]);
    return line < Text.LineCnt ? line : Text.LineCnt - 1;
}

ReadingPlace GoToLine(int code, uint32_t from)
{
    // Between a log-off's question and its cancellation the copy is closed
    // while the text still counts its lines: the line on display and its
    // number stay as they are, to be taken up again at that line.
    if (Text.LineCnt != 0 && !HasText())
        return Text.Place;
    memset(Shown.text, 0, sizeof Shown.text);
    Shown.prefix = 0;
    Shown.unicode = Text.Unicode;
    if (!HasText()) {
        Text.Place = ReadingPlace{0, 0};
        return Text.Place;
    }
    const uint32_t i = ChooseLine(code, from, Text.LineCnt);
    char line[LINE_MAX_BYTES + 2];
    ReadShownLine(i, line);

    char prefix[64];
    memset(prefix, 0, sizeof prefix);
    if (AppSettings.LineDisp == 1)
        snprintf(prefix, sizeof prefix, "%u: ", i + 1);
    snprintf(Shown.text, DISP_TEXT_SIZE, "%s%s", prefix, line);
    Shown.prefix = strlen(prefix);
    if (Text.DatFlg == 1) {
        FormatDatRecord(line, i, Text.Unicode, Shown.text, DISP_TEXT_SIZE);
        Shown.prefix = 0;
    }
    Text.Place = ReadingPlace{i, 0};
    return Text.Place;
}

ReadingPlace MoveWithinLine(uint32_t offset)
{
    if (HasText())
        Text.Place.offset = offset;
    return Text.Place;
}

bool PlaceShare(uint32_t* before, uint32_t* size)
{
    uint32_t begin, end;
    if (!TextSpan(&begin, &end) || Text.Place.line >= Text.Index.count)
        return false;
    const uint32_t at = PlaceByte(Text.Index, Text.Place.line, Text.Place.offset, end);
    *before = at > begin ? at - begin : 0;
    *size = end - begin;
    return true;
}

uint32_t LineAtPercent(uint32_t percent)
{
    uint32_t begin, end;
    if (!TextSpan(&begin, &end))
        return 0;
    return LineHolding(Text.Index, begin + ShareOf(percent, 100, end - begin));
}

size_t ReadShownLine(uint32_t i, char* line, bool* read)
{
    // The line runs to its line feed; past 4,096 bytes it is cut, in a
    // Unicode text before a character that would be split. One byte more is
    // read to tell.
    memset(line, 0, LINE_MAX_BYTES + 2);
    DWORD got = ReadAt(Text.WorkHandle, LineStart(Text.Index, i), line, LINE_MAX_BYTES + 1);
    // Every line has a byte at least.
    if (read != NULL)
        *read = got > 0;
    size_t length = LineLength(line, got);
    if (length > LINE_MAX_BYTES)
        length = Text.Unicode ? CutLengthUtf8(line, length, LINE_MAX_BYTES + 1) : LINE_MAX_BYTES;
    memset(line + length, 0, LINE_MAX_BYTES + 2 - length);
    if (ShowsNotation()) {
        // As read: never longer than the line (what an annotation names is
        // shorter than the annotation).
        char asRead[LINE_MAX_BYTES + 2];
        static_assert(LINE_MAX_BYTES <= NOTATION_LINE_MAX_BYTES, "a shown line is composed in linear time");
        length = ReadNotation(line, length, Text.Unicode, AppSettings.RubyParen == 1, Cp932Of, asRead, sizeof asRead);
        memcpy(line, asRead, LINE_MAX_BYTES + 2);
    }
    return length;
}

bool ShowsNotation()
{
    return Text.Notation && AppSettings.Notation == 1 && Text.DatFlg != 1;
}

void ResetDocument()
{
    memset(&Shown, 0, sizeof Shown);
    Text.LineCnt = 0;
    Text.Unicode = false;
    Text.Notation = false;
    Text.Encoding = TEXT_CP932;
    Text.Chosen = NONE_CHOSEN;
    memset(Text.Path, 0, sizeof Text.Path);
    Text.Place = ReadingPlace{0, 0};
    Text.Rule = AppSettings.BlankSkip;
    Text.Marks.count = 0;
}

bool LooksLikeDat(HANDLE copy, const LineIndex& index)
{
    // One byte stays zero, so a longer first line is looked at up to there.
    char first[4100];
    memset(first, 0, sizeof first);
    if (index.count > 0) {
        DWORD got = ReadAt(copy, LineStart(index, 0), first, sizeof first - 1);
        memset(first + LineLength(first, got), 0, sizeof first - LineLength(first, got));
    }
    return CountDatSeparators(first) == 4;
}
