// Paths of the files the program keeps in its start folder, as byte strings.
// No Windows calls here, so the rules can be tested on any machine.
#ifndef SKERROW_APP_BASE_PATHS_H
#define SKERROW_APP_BASE_PATHS_H

#include <cstddef>

// Every path buffer of the program, terminating zero included.
const size_t PATH_SIZE = 260;

// True when the string's last character is a backslash. A code page 932
// double-byte character whose second byte is 0x5C is not one.
bool EndsWithBackslash(const char* s);

// Turns the current directory cwd into the start folder: cwd with exactly
// one trailing backslash, written to out (PATH_SIZE bytes). Returns 0, or -1
// when cwd is empty or the folder is too deep for the longest file name the
// program keeps there; out is then left empty, so nothing can be written to
// a cut-off path outside the folder.
int MakeBaseDir(const char* cwd, char* out);

// Copies source to destination (destSize bytes) with every byte equal to
// from replaced by to; the result is cut to fit and always terminated.
void ReplaceChar(const char* source, char from, char to, char* destination, size_t destSize);

#endif
