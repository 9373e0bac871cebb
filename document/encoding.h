// The encodings a text may come in, told from its first bytes, where a
// character of a line ends, and the conversion of UTF-16 to the UTF-8 of the
// working copy. No Windows calls.
//
// A code page 932 text is kept and shown as its bytes. A Unicode text (UTF-8,
// UTF-16) gets a working copy in UTF-8 that begins with the UTF-8 mark, so
// that a later start knows it without guessing; its lines still end at line
// feeds, so the index works alike for both.
#ifndef SKERROW_DOCUMENT_ENCODING_H
#define SKERROW_DOCUMENT_ENCODING_H

#include <cstddef>
#include <cstdint>

#include "base/textencoding.h"


// How much of a text's start detection looks at.
const size_t DETECT_SAMPLE = 64 * 1024;

// The UTF-8 mark that begins the working copy of a Unicode text.
const char UTF8_MARK[] = "\xEF\xBB\xBF";
const size_t UTF8_MARK_SIZE = 3;

// The encoding of a text whose first n bytes are given (at most
// DETECT_SAMPLE are looked at; whole: they are the whole text). A byte-order
// mark decides; otherwise DetectUnmarked. Sets *markSize to the bytes of the
// mark found (0, 2 or 3).
TextEncoding DetectEncoding(const unsigned char* bytes, size_t n, bool whole, size_t* markSize);

// The encoding that n bytes of a text tell without a mark (at most
// DETECT_SAMPLE are looked at; whole: they run to the text's end): UTF-8
// when they are valid UTF-8 holding at least one multi-byte sequence (one
// cut off at the end of a sample that is not the whole text counts for
// nothing); otherwise code page 932. The bytes must begin at a character.
TextEncoding DetectUnmarked(const unsigned char* bytes, size_t n, bool whole);

// Whether a text's first n bytes (at most DETECT_SAMPLE are looked at;
// whole: they are the whole text) tell nothing of its encoding: more
// follows, and they hold no mark and no byte above 0x7F but the start of a
// UTF-8 sequence cut off at their end (code page 932 may begin a character
// so too). Such a text is told by DetectUnmarked of the DETECT_SAMPLE bytes
// from its first byte above 0x7F, wherever that lies (all before being
// ASCII, it begins a character in either encoding); with none, it is code
// page 932.
bool EncodingUntold(const unsigned char* bytes, size_t n, bool whole);

// Where the first byte above 0x7F stands among n bytes; n when none does.
size_t FirstNonAscii(const unsigned char* bytes, size_t n);

// Code point c (at most U+10FFFF) in UTF-8 into out (room for 4 bytes); the
// bytes written.
size_t PutUtf8(uint32_t c, char* out);

// The bytes of the character that begins at p (n > 0 bytes there): a valid
// UTF-8 sequence, or in code page 932 a lead byte with the byte after it;
// anything else is one byte, so that a byte that is not text never takes
// the character after it along.
size_t CharacterBytes(const unsigned char* p, size_t n, bool utf8);

// Whether a text in encoding is read through a Windows code page into
// the UTF-8 of its working copy: EUC-JP, GBK and Big5.
bool ReadThroughCodePage(TextEncoding encoding);

// How many of n bytes in such an encoding form whole characters: n, less
// the lead bytes of a character whose last bytes lie beyond them, which
// wait for the next chunk. A lead byte followed by a byte that cannot end
// its character is one character alone, as the code page reads it.
size_t WholeCharacters(const unsigned char* p, size_t n, TextEncoding encoding);

// UTF-16 to UTF-8, a chunk at a time: a code unit or a surrogate pair split
// between chunks is carried over. Unpaired surrogates and an odd last byte
// become U+FFFD.
struct Utf16Decoder {
    bool bigEndian;
    int pendingByte;        // the first byte of a unit cut off at a chunk's end, or -1
    uint16_t pendingHigh;   // a high surrogate waiting for its low one, or 0
};

// Room a chunk of n bytes may take once converted.
constexpr size_t Utf16ToUtf8Room(size_t n)
{
    return n / 2 * 3 + 8;
}

void BeginUtf16(Utf16Decoder* d, bool bigEndian);
// Converts n bytes into out (Utf16ToUtf8Room(n) bytes); returns the bytes written.
size_t DecodeUtf16(Utf16Decoder* d, const unsigned char* in, size_t n, char* out);
// What is left at the end of the text; returns the bytes written (at most 6).
size_t EndUtf16(Utf16Decoder* d, char* out);

#endif
