// Paths of the files the program keeps in its start folder. Paths are wide
// strings, as the wide file calls take them, so that any folder name works.
// No Windows calls here, so the rules can be tested on any machine.
#ifndef SKERROW_BASE_PATHS_H
#define SKERROW_BASE_PATHS_H

#include <cstddef>

// Every path buffer of the program in characters, terminating zero
// included: the limit of the wide calls without the long-path prefix.
const size_t PATH_SIZE = 260;

// Turns the current directory cwd into the start folder: cwd with exactly
// one trailing backslash, written to out (PATH_SIZE characters). Returns 0,
// or -1 when cwd is empty or the folder is too deep for the longest file
// name the program keeps there; out is then left empty, so nothing can be
// written to a cut-off path outside the folder.
int MakeBaseDir(const wchar_t* cwd, wchar_t* out);

// Copies source to destination (destSize characters) with every from
// replaced by to; the result is cut to fit and always terminated.
void ReplaceChar(const wchar_t* source, wchar_t from, wchar_t to, wchar_t* destination, size_t destSize);

#endif
