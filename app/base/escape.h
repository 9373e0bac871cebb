// A settings value that must come back intact whatever the system's code
// page: its UTF-8 bytes, written as printable ASCII, every other byte and
// '%' itself as "%XX". Portable: no Windows calls.
#ifndef SKERROW_APP_BASE_ESCAPE_H
#define SKERROW_APP_BASE_ESCAPE_H

#include <cstddef>

// Escapes the zero-terminated utf8 into out (size bytes); false, with out
// empty, when it does not fit.
bool EscapeBytes(const char* utf8, char* out, size_t size);

// Undoes EscapeBytes into out (size bytes); false, with out empty, when the
// text is not one it writes (a stray '%', a bad digit, a byte outside
// printable ASCII, a zero byte) or does not fit.
bool UnescapeBytes(const char* text, char* out, size_t size);

#endif
