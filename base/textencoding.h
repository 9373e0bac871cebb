// The encodings a text may be read in, and the reader's choice of one,
// with the names the settings file keeps a choice by. Detection tells the
// first four; the last three are read only when chosen.
#ifndef SKERROW_BASE_TEXTENCODING_H
#define SKERROW_BASE_TEXTENCODING_H

enum TextEncoding { TEXT_CP932, TEXT_UTF8, TEXT_UTF16LE, TEXT_UTF16BE, TEXT_EUCJP, TEXT_GBK, TEXT_BIG5 };
const int TEXT_ENCODINGS = 7;

// A text's encoding as chosen: NONE_CHOSEN, told from its bytes, or one
// more than the TextEncoding chosen, so that a record filled with zeros
// chooses nothing.
const int NONE_CHOSEN = 0;

inline int ChoiceOf(TextEncoding encoding)
{
    return encoding + 1;
}

inline TextEncoding ChosenEncoding(int choice)
{
    return static_cast<TextEncoding>(choice - 1);
}

// Indexed by TextEncoding.
const char* const ENCODING_NAMES[TEXT_ENCODINGS] = {"Shift-JIS", "UTF-8", "UTF-16LE", "UTF-16BE",
                                                    "EUC-JP",    "GBK",   "Big5"};

#endif
