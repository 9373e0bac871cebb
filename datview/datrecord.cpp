#include "datview/datrecord.h"

#include <cstring>

#include "datview/markup.h"
#include "datview/textcut.h"

namespace {

// The fixed texts of the record, as code page 932 and as UTF-8 bytes: the
// native build does not convert literals, so they are spelled out byte by
// byte.
const char* const kAfterNumber[] = {" \x96\xBC\x91\x4F\x81\x46",                   // " 名前："
                                    " \xE5\x90\x8D\xE5\x89\x8D\xEF\xBC\x9A"};
const char kBeforeMail[] = "[";
const char* const kAfterMail[] = {"] \x93\x8A\x8D\x65\x93\xFA\x81\x46",          // "] 投稿日："
                                  "] \xE6\x8A\x95\xE7\xA8\xBF\xE6\x97\xA5\xEF\xBC\x9A"};
const char kAfterDate[] = "\r\n";

const size_t NOT_FOUND = static_cast<size_t>(-1);

// The first "<>" at or after from in line (length bytes).
size_t FindSeparator(const char* line, size_t length, size_t from)
{
    for (size_t k = from; k + 1 < length; ++k) {
        if (line[k] == '<' && line[k + 1] == '>')
            return k;
    }
    return NOT_FOUND;
}

// Runs the three clean-up passes over field (length bytes, at most
// MARKUP_TEXT_MAX) and puts the result, cut to fit, into out.
void CleanField(const char* field, size_t length, bool utf8, char* out, size_t outSize)
{
    char a[MARKUP_TEXT_MAX + 1];
    char b[MARKUP_TEXT_MAX + 1];
    CopyCut(field, length, a, sizeof a, utf8);
    ReplaceMarkup(a, b, sizeof b);
    StripTags(b, static_cast<int>(strlen(b)), a, sizeof a);
    ReplaceAngleEntities(a, b, sizeof b);
    CopyCut(b, strlen(b), out, outSize, utf8);
}

// Appends text to the record (size bytes, *length of them used), as far
// as it fits.
void Append(char* record, size_t size, size_t* length, const char* text, size_t textLength)
{
    const size_t room = size - 1 - *length;
    const size_t n = textLength < room ? textLength : room;
    memcpy(record + *length, text, n);
    *length += n;
    record[*length] = '\0';
}

void AppendText(char* record, size_t size, size_t* length, const char* text)
{
    Append(record, size, length, text, strlen(text));
}

// The decimal digits of index + 1, computed wider than 32 bits so that the
// last possible index does not come out as 0.
void AppendNumber(char* record, size_t size, size_t* length, uint32_t index)
{
    unsigned long long number = static_cast<unsigned long long>(index) + 1;
    char digits[24];
    size_t n = 0;
    do {
        digits[sizeof digits - 1 - n++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    Append(record, size, length, digits + sizeof digits - n, n);
}

}  // namespace

void FormatDatRecord(const char* line, uint32_t index, bool utf8, char* out, size_t outSize)
{
    const size_t length = BoundedLength(line, DAT_LINE_MAX);
    // Where the name, mail, date and body begin and end. Nothing after the
    // fourth separator is looked at.
    size_t begin[4];
    size_t end[4];
    size_t from = 0;
    for (int f = 0; f < 4; ++f) {
        const size_t separator = FindSeparator(line, length, from);
        if (separator == NOT_FOUND)
            return;  // not a record: the line stays as it was composed
        begin[f] = from;
        end[f] = separator;
        from = separator + 2;
    }

    char name[DAT_NAME_SIZE];
    char mail[DAT_MAIL_SIZE];
    char date[DAT_DATE_SIZE];
    char body[MARKUP_TEXT_MAX + 1];
    CleanField(line + begin[0], end[0] - begin[0], utf8, name, sizeof name);
    CopyCut(line + begin[1], end[1] - begin[1], mail, sizeof mail, utf8);
    CopyCut(line + begin[2], end[2] - begin[2], date, sizeof date, utf8);
    CleanField(line + begin[3], end[3] - begin[3], utf8, body, sizeof body);

    char record[DAT_RECORD_SIZE];
    size_t used = 0;
    record[0] = '\0';
    AppendNumber(record, sizeof record, &used, index);
    AppendText(record, sizeof record, &used, kAfterNumber[utf8]);
    AppendText(record, sizeof record, &used, name);
    AppendText(record, sizeof record, &used, kBeforeMail);
    AppendText(record, sizeof record, &used, mail);
    AppendText(record, sizeof record, &used, kAfterMail[utf8]);
    AppendText(record, sizeof record, &used, date);
    AppendText(record, sizeof record, &used, kAfterDate);
    AppendText(record, sizeof record, &used, body);
    CopyCut(record, used, out, outSize, utf8);
}
