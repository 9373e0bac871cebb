// Cutting a text to fit a fixed buffer.
//
// The record view works in fixed buffers. Where a text is longer than the
// buffer it goes into, it is cut at the buffer's capacity (its size less the
// terminating zero) rather than refused, so that as much of it as fits is
// still shown. A code page 932 double-byte character that the cut would
// split is left out whole: a lone first byte would otherwise pair up with
// whatever is drawn after it (the '[' after a name, say) and show as a
// different character. The cut is the only place that looks at characters;
// everything else handles the text byte by byte.
#ifndef SKERROW_DATVIEW_TEXTCUT_H
#define SKERROW_DATVIEW_TEXTCUT_H

#include <cstddef>

// The length of text (zero-terminated), counting at most max bytes: a text
// longer than max counts as max bytes, and no byte past text[max - 1] is
// read.
size_t BoundedLength(const char* text, size_t max);

// How many of the length bytes of text to keep in a buffer of size bytes,
// terminating zero included: all of them when length < size; otherwise
// size - 1, or size - 2 when the byte at size - 2 begins a double-byte
// character whose second byte would be cut off; 0 when size is 0. Reads at
// most the first min(length, size) bytes of text.
size_t CutLength(const char* text, size_t length, size_t size);

// CutLength for UTF-8 text: a character the cut would split is left out
// whole (found from the bytes around the cut, at most three back).
size_t CutLengthUtf8(const char* text, size_t length, size_t size);

// Copies the length bytes of text, cut by CutLength (CutLengthUtf8 when
// utf8), into destination (size bytes) and terminates it; returns the
// number of bytes copied. Writes nothing when size is 0.
size_t CopyCut(const char* text, size_t length, char* destination, size_t size, bool utf8 = false);

#endif
