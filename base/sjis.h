// Code page 932 (Shift-JIS) byte classes, for the few places that must not
// split a double-byte character or mistake its second byte for ASCII.
#ifndef SKERROW_BASE_SJIS_H
#define SKERROW_BASE_SJIS_H

// Whether b begins a double-byte character; the byte after it, whatever it
// is (0x5C '\\' included), is that character's second half.
inline bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

#endif
