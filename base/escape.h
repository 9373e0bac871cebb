// A settings value that must come back intact whatever the system's code
// page: its UTF-8 bytes, written as printable ASCII, every other byte and
// '%' itself as "%XX" with upper-case digits. Blanks and quotes are escaped
// too: the file's reader trims blanks around a value and drops a pair of
// quotes around it. Portable: no Windows calls.
#ifndef SKERROW_BASE_ESCAPE_H
#define SKERROW_BASE_ESCAPE_H

#include <cstddef>

// Escapes the zero-terminated utf8 into out (size bytes); false, with out
// empty, when it does not fit.
bool EscapeBytes(const char* utf8, char* out, size_t size);

// Undoes EscapeBytes into out (size bytes); false, with out empty, when the
// text is not one it writes (a stray '%', a lower-case or bad digit, an
// escaped byte it writes plain, a byte outside printable ASCII, a zero
// byte), when the bytes are not UTF-8, or when they do not fit. Blanks and
// quotes left plain, as earlier copies of the program wrote them, are taken.
bool UnescapeBytes(const char* text, char* out, size_t size);

#endif
