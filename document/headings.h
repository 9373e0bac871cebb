// Which lines of a text are its chapters' headings. One rule, in one table,
// for code page 932 and UTF-8 alike. Portable: no Windows calls.
#ifndef SKERROW_DOCUMENT_HEADINGS_H
#define SKERROW_DOCUMENT_HEADINGS_H

#include <cstddef>
#include <cstdint>

// Where a text's headings start in its copy, in order. They are looked for
// when first asked for: a pass over the whole copy that an open of a large
// text should not pay for.
struct Headings {
    uint32_t* at;
    uint32_t count, capacity;
    bool found;  // the copy has been looked through
};

// Adds a heading at byte `at`; false when memory runs out.
bool AddHeading(Headings* headings, uint32_t at);
void FreeHeadings(Headings* headings);

// The most characters a heading shows, blanks at its ends not counted.
const size_t HEADING_MAX_CHARS = 40;
// A line longer than this is a heading only through notation that is not
// shown (annotations, ruby).
const size_t HEADING_MAX_BYTES = HEADING_MAX_CHARS * 4 + 8;
// A line longer than this is no heading, whatever it shows: room for a
// heading's annotations, which repeat what it shows (［＃５字下げ］第一章
// …［＃「第一章…」は中見出し］).
const size_t HEADING_MAX_LINE_BYTES = 1024;

// Whether the line (length bytes, its line end included or not) is a
// heading. What it shows (ReadNotation: ruby, annotations and the ｜ before
// a ruby's base left out) is not blank and, without blanks at its ends
// (ASCII and ideographic), at most HEADING_MAX_CHARS characters, and
// - the line holds Aozora Bunko's heading annotation, closed, 見出し in its
//   own words (［＃「…」は中見出し］, or ［＃大見出し］…［＃大見出し終わり］;
//   not ［＃「見出し」に傍点］), or what it shows is
// - 第 and a number (ASCII, full-width or kanji digits) and one of
//   章 話 部 編 節 幕 回 巻, then nothing, a blank or a mark before a title
//   (第一章　旅立ち, 第一章「旅立ち」), or the next of them (第一部第二章):
//   not a word that goes on (第三部隊, 第一回目, 第二話を) nor a comma;
// - a number alone, of at most 4 digits;
// - 序章 終章 序 プロローグ エピローグ 幕間 あとがき;
// - Chapter, CHAPTER or Part and a number or a Roman numeral (in one case,
//   well formed: not civil, civic) that no letter follows; Prologue,
//   Epilogue.
bool IsHeading(const char* line, size_t length, bool utf8);

// Whether a line starting with these bytes (n of them, its line end among
// them or not) could be a heading: a cheap look before IsHeading.
bool MayBeHeading(const unsigned char* start, size_t n, bool utf8);

// The code of the character at p (n bytes there): its two bytes in code
// page 932, its code point in UTF-8 (those past the first plane folded
// in), an ASCII byte as itself.
inline unsigned CharacterCode(const unsigned char* p, size_t n, bool utf8)
{
    if (p[0] < 0x80 || n < 2)
        return p[0];
    if (!utf8)
        return ((p[0] >= 0x81 && p[0] <= 0x9F) || p[0] >= 0xE0) ? (p[0] << 8 | p[1]) & 0xFFFF : p[0];
    if (p[0] < 0xE0)
        return ((p[0] & 0x1F) << 6 | (p[1] & 0x3F)) & 0xFFFF;
    if (n < 3)
        return p[0];
    return ((p[0] & 0x0F) << 12 | (p[1] & 0x3F) << 6 | (p[2] & 0x3F)) & 0xFFFF;
}

// Whether the character at p (n bytes there) is a blank: ASCII space or
// tab, or the ideographic space; its bytes, else 0.
inline size_t BlankAt(const unsigned char* p, size_t n, bool utf8)
{
    if (n > 0 && (p[0] == ' ' || p[0] == '\t'))
        return 1;
    if (!utf8)
        return n > 1 && p[0] == 0x81 && p[1] == 0x40 ? 2 : 0;
    return n > 2 && p[0] == 0xE3 && p[1] == 0x80 && p[2] == 0x80 ? 3 : 0;
}

// What a heading's first character can be, blanks passed, and the digits:
// a bit for each code (CharacterCode). For the first look, `leads` has a
// bit for each code a line's first bytes make (LeadCode), blanks included,
// and `ascii` each ASCII byte a heading's line can begin with.
struct HeadingCodes {
    unsigned char first[65536 / 8];
    unsigned char digits[65536 / 8];
    unsigned char leads[65536 / 8];
    unsigned char ascii[256];
    // What may follow a digit that is not ASCII: a digit, a blank, the
    // line's end or an annotation (ASCII ones in afterAscii).
    unsigned char afterDigit[65536 / 8];
    unsigned char afterAscii[256];
};

// The code a line's first bytes make, without a branch on what they are:
// in code page 932 its first two bytes, in UTF-8 the code point they
// would make as a character of three bytes.
inline unsigned LeadCode(const unsigned char* p, size_t n, bool utf8)
{
    const unsigned b1 = n > 1 ? p[1] : 0, b2 = n > 2 ? p[2] : 0;
    return utf8 ? ((p[0] & 0x0F) << 12 | (b1 & 0x3F) << 6 | (b2 & 0x3F)) : (p[0] << 8 | b1);
}
const HeadingCodes& HeadingCodesOf(bool utf8);

inline bool HasCode(const unsigned char* set, unsigned code)
{
    return (set[code >> 3] >> (code & 7)) & 1;
}

// The cheapest look, for every line of a text (n bytes of it at p, at
// least 1): its first bytes, without a branch on what they are. False when
// the line cannot be a heading; true when MayBeHeading is to decide.
inline bool PerhapsHeading(const unsigned char* p, size_t n, bool utf8, const HeadingCodes& codes)
{
    const bool wide = utf8 ? p[0] >= 0xE0 : p[0] >= 0x80;
    const unsigned lead = LeadCode(p, n, utf8);
    if (!(codes.ascii[p[0]] | (wide & HasCode(codes.leads, lead))))
        return false;
    // A kanji or full-width digit first (一行, 十分): a heading only when
    // the number stands alone, which the next character tells.
    const size_t width = utf8 ? 3 : 2;
    if (!wide || !HasCode(codes.digits, lead) || n <= width)
        return true;
    const unsigned char* next = p + width;
    return codes.afterAscii[next[0]] || HasCode(codes.afterDigit, LeadCode(next, n - width, utf8));
}

#endif
