// One line of a bulletin-board dat file shown as a readable post.
//
// A dat line holds five fields separated by "<>": name, mail, date, body
// and the thread title. A line with at least four separators is shown as
//   <n> 名前：<name>[<mail>] 投稿日：<date>CR LF<body>
// where n is the line's 1-based number, name and body are cleaned of their
// markup (datview/markup.h), and mail and date are shown as stored. The
// title, the line's terminator and anything else after the fourth
// separator are left out. Separators are found from left to right, each
// search starting after the previous separator, so no two share a byte.
//
// A dat file in UTF-8 is shown alike, its fixed texts in UTF-8 and its cuts
// never splitting a UTF-8 character.
//
// Limits. Fields that do not fit are cut at the capacity (see
// datview/textcut.h): a name of more than 511 bytes after cleaning, a mail
// field of more than 511 bytes and a date of more than 127. Only the first
// DAT_LINE_MAX bytes of a longer line are looked at. The record is cut to
// fit outSize, though DAT_RECORD_SIZE bytes always take it whole.
#ifndef SKERROW_DATVIEW_DATRECORD_H
#define SKERROW_DATVIEW_DATRECORD_H

#include <cstddef>
#include <cstdint>

const size_t DAT_LINE_MAX = 4096;   // bytes of a line that are looked at
const size_t DAT_NAME_SIZE = 512;   // field capacities, terminating zero included
const size_t DAT_MAIL_SIZE = 512;
const size_t DAT_DATE_SIZE = 128;

// The most a record can take, terminating zero included: 27 bytes of the
// format (20 in code page 932), a number of at most 10 digits, and the
// fields, which together are at most DAT_LINE_MAX - 8 bytes (no cleaning
// lengthens a field).
const size_t DAT_RECORD_SIZE = 27 + 10 + (DAT_LINE_MAX - 8) + 1;

// Formats the zero-terminated line, whose zero-based index in the text is
// index, as a post into out (outSize bytes), terminating zero included,
// when the line has at least four separators; otherwise leaves out
// untouched. The line is code page 932, or UTF-8 when utf8. The number
// shown is index + 1, without wrapping. Writes nothing past the record's
// terminating zero.
void FormatDatRecord(const char* line, uint32_t index, bool utf8, char* out, size_t outSize);

#endif
