// Reading the number in a digits-only edit field, or a percentage.
#ifndef SKERROW_DIALOGS_DIGITS_H
#define SKERROW_DIALOGS_DIGITS_H

// The value of text when it is one or more ASCII digits and nothing else,
// cut to `most`; -1 for anything else (empty text, a sign, a blank, a
// letter). A digits-only field stops typed non-digits, but not pasted text.
long long ReadDigits(const char* text, long long most);

// The percentage of text that is digits followed by one '%' ("37%"), more
// than 100 taken as 100; -1 for anything else.
long long ReadPercent(const char* text);

#endif
