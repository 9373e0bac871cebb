// Aozora Bunko's plain-text notation (and web novels' ruby), read as a
// reader reads it: ruby 《…》 after its base (｜ marks where a base begins),
// editors' annotations ［＃…］, and ※［＃…］ for a character the file's code
// page lacks. A text in code page 932 or UTF-8; characters are never split.
// Portable: no Windows calls.
#ifndef SKERROW_DOCUMENT_NOTATION_H
#define SKERROW_DOCUMENT_NOTATION_H

#include <cstddef>
#include <cstdint>

// Whether a text is in the notation, from its first n bytes: they hold
// Aozora Bunko's legend line 【テキスト中に現れる記号について】, or at least
// three ruby marks that follow text (a text that quotes 《》 once is not)
// and hold what ruby does: kana, ー and ・ (a Chinese text's book titles
// 《红楼梦》 are no ruby).
bool UsesNotation(const char* bytes, size_t n, bool utf8);

// Writes code point `code` into out in code page 932 and returns its bytes
// (at most 2); 0 when code page 932 has no such character.
typedef size_t (*CodePage932Of)(uint32_t code, char* out);

// The longest line composed (ReadNotation) in time that grows with its
// length alone: every line shown and every line judged a heading is one.
const size_t NOTATION_LINE_MAX_BYTES = 4096;

// Composes the line (length bytes) as read into out (size bytes, zero
// terminated), returns the bytes written:
// - ruby left out with the ｜ that opened its base, or (rubyInParens) put in
//   （…） after its base;
// - annotations left out;
// - a character annotation ※［＃…］ naming its character by U+XXXX or by its
//   JIS X 0213 place (1-85-25, 第4水準2-12-45) becomes that character: in a
//   code page 932 text through cp932Of, 〓 where it has none; 〓 too for one
//   that names no character.
// A 《 or ［＃ that is not closed on the line stays as it is. For a line of
// at most NOTATION_LINE_MAX_BYTES the time taken grows with its length
// alone, whatever it holds (a line of ［＃ that are never closed too).
size_t ReadNotation(const char* line, size_t length, bool utf8, bool rubyInParens, CodePage932Of cp932Of,
                    char* out, size_t size);

// Whether a line holds nothing but annotations, blanks (ASCII and
// ideographic) and its line end: read as read, it is a blank line.
bool NotesOnly(const char* line, size_t length, bool utf8);

#endif
