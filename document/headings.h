// Which lines of a text are its chapters' headings. One rule, in one table,
// for code page 932 and UTF-8 alike. Portable: no Windows calls.
#ifndef SKERROW_DOCUMENT_HEADINGS_H
#define SKERROW_DOCUMENT_HEADINGS_H

#include <cstddef>

// The most characters a heading has, blanks at its ends not counted.
const size_t HEADING_MAX_CHARS = 40;
// A line longer than this is no heading, whatever its characters.
const size_t HEADING_MAX_BYTES = HEADING_MAX_CHARS * 4 + 8;

// Whether the line (length bytes, its line end included or not) is a
// heading: without blanks at its ends (ASCII and ideographic) at most
// HEADING_MAX_CHARS characters, and
// - it holds Aozora Bunko's heading annotation (［＃「…」は中見出し］, or
//   ［＃大見出し］…［＃大見出し終わり］), or, its annotations left out,
// - 第 and a number (ASCII, full-width or kanji digits) and one of
//   章 話 部 編 節 幕 回 巻, a title after it or not;
// - a number alone, of at most 4 digits;
// - 序章 終章 序 プロローグ エピローグ 幕間 あとがき;
// - Chapter, CHAPTER or Part and a number or a Roman numeral; Prologue,
//   Epilogue.
bool IsHeading(const char* line, size_t length, bool utf8);

// Whether a line starting with these bytes (at least 4 of them, or all
// the line has) could be a heading: a cheap first look for the index pass.
bool MayBeHeading(const unsigned char* start, size_t n, bool utf8);

#endif
