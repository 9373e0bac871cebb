// Typed line numbers: digits collect until a short pause ends the entry.
#ifndef SKERROW_WINDOW_NUMKEY_H
#define SKERROW_WINDOW_NUMKEY_H

const int NUMKEY_MAX_DIGITS = 9;  // nine digits always fit a signed 32-bit number

// Adds the digit of a main-row (48-57) or numeric-pad (96-105) key code to
// buf (NUMKEY_MAX_DIGITS + 1 bytes) at *count. Returns false, changing
// nothing, when the entry is full.
bool NumKeyAdd(char* buf, int* count, unsigned keyCode);

// The number typed so far; empties the entry.
int NumKeyTake(char* buf, int* count);

#endif
