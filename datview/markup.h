// The three clean-up passes that turn the name and body of a bulletin-board
// post into display text. A post is cleaned by ReplaceMarkup, then
// StripTags, then ReplaceAngleEntities, each on the text the one before
// produced. Brackets that the board stored as "&lt;" and "&gt;" are decoded
// only by the last pass, so they come out as text: they are never taken for
// tags or line breaks.
//
// Texts are code page 932 bytes and are never decoded. Everything the
// passes look for begins with '<' or '&' and ends with '>' or ';', bytes
// below 0x40 that are never the second byte of a double-byte character, so
// the passes go byte by byte and such characters pass through untouched.
// Patterns are matched byte for byte and are case-sensitive, except for the
// tag names of StripTags.
//
// Each pass reads a zero-terminated source, which it does not change (StripTags
// only its first length bytes), and writes the zero-terminated result to destination, a buffer of destSize
// bytes, and touches nothing else. No pass lengthens its text, so a
// destination as large as the source always takes the whole result.
// Limits, where a caller exceeds them:
// - A source longer than MARKUP_TEXT_MAX bytes is cut to that many (the
//   passes work in buffers of that size); at most MARKUP_TEXT_MAX + 1 bytes
//   of it are read.
// - A result longer than destSize - 1 bytes is cut to fit, and nothing is
//   written when destSize is 0.
// Both cuts leave out a double-byte character they would split (see
// datview/textcut.h). Source and destination may be the same buffer.
#ifndef SKERROW_DATVIEW_MARKUP_H
#define SKERROW_DATVIEW_MARKUP_H

#include <cstddef>

// The longest text the passes work on, in bytes.
const size_t MARKUP_TEXT_MAX = 4096;

// Replaces, in this order, each row running to completion before the next:
// "<BR>" and "<br>" by CR LF; "<B>", "<b>", "</B>" and "</b>" by nothing;
// "&quot;" by '"', "&amp;" by '&' and "&nbsp;" by a space. Text that a
// replacement forms is matched again by the same row ("<B<B>>" and
// "&amp;amp;" collapse completely) but never by an earlier one
// ("&amp;quot;" becomes "&quot;").
void ReplaceMarkup(const char* source, char* destination, size_t destSize);

// Removes from the first length bytes of the source (the whole source when
// it is shorter; nothing is left when length is 0 or less), in three scans
// over the whole text, each over what the one before left:
// 1. comments: "<!--" up to the first '>' that follows two hyphens (those
//    of the opener count: "<!-->" is a whole comment);
// 2. anchor tags: "<" or "</" and then 'A' or 'a', up to the first '>';
// 3. font tags: "<" or "</" and then the letters of "font" in any mixture
//    of cases, up to the first '>'.
// Quotes mean nothing. A construct with no end stays as text, and the scan
// goes on after its '<'.
void StripTags(const char* source, int length, char* destination, size_t destSize);

// Replaces every "&lt;" by '<', then every "&gt;" by '>', like ReplaceMarkup.
void ReplaceAngleEntities(const char* source, char* destination, size_t destSize);

#endif
