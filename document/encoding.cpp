#include "document/encoding.h"

#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <emmintrin.h>
#endif

#include "base/sjis.h"

namespace {

// The length of the valid UTF-8 sequence at p (n bytes there), 0 when it is
// not one, or -1 when it is a valid start cut off by the end.
int SequenceLength(const unsigned char* p, size_t n)
{
    const unsigned char b = p[0];
    int length;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            low = 0xA0;  // overlong below U+0800
        else if (b == 0xED)
            high = 0x9F;  // surrogates
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            low = 0x90;  // overlong below U+10000
        else if (b == 0xF4)
            high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    for (int i = 1; i < length; ++i) {
        if (static_cast<size_t>(i) >= n)
            return -1;
        const unsigned char lo = i == 1 ? low : 0x80, hi = i == 1 ? high : 0xBF;
        if (p[i] < lo || p[i] > hi)
            return 0;
    }
    return length;
}

#if defined(__i386__) || defined(__x86_64__)
// How far from the start the bytes are surely ASCII, in whole stretches of
// 64: with SSE2 (checked at run time, as the line scan does) a stretch costs
// one test of the bytes' top bits. A text whose first 64 KiB are ASCII has
// every piece of its copy looked through until a byte above 0x7F turns up:
// a byte at a time that takes 0.4 s a GiB, so 0.02 s.
__attribute__((target("sse2"))) size_t AsciiStretch(const unsigned char* bytes, size_t n)
{
    size_t i = 0;
    for (; n - i >= 64; i += 64) {
        const __m128i* q = reinterpret_cast<const __m128i*>(bytes + i);
        const __m128i any = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(q), _mm_loadu_si128(q + 1)),
                                         _mm_or_si128(_mm_loadu_si128(q + 2), _mm_loadu_si128(q + 3)));
        if (_mm_movemask_epi8(any) != 0)
            break;
    }
    return i;
}

bool HaveWide()
{
    static const bool have = __builtin_cpu_supports("sse2");
    return have;
}
#else
size_t AsciiStretch(const unsigned char*, size_t)
{
    return 0;
}

bool HaveWide()
{
    return false;
}
#endif

const uint32_t REPLACEMENT = 0xFFFD;

// One code unit, after any high surrogate before it.
size_t PutUnit(Utf16Decoder* d, uint16_t unit, char* out)
{
    size_t n = 0;
    if (d->pendingHigh != 0) {
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            uint32_t c = 0x10000 + ((static_cast<uint32_t>(d->pendingHigh) - 0xD800) << 10) + (unit - 0xDC00);
            d->pendingHigh = 0;
            return PutUtf8(c, out);
        }
        n += PutUtf8(REPLACEMENT, out);
        d->pendingHigh = 0;
    }
    if (unit >= 0xD800 && unit <= 0xDBFF)
        d->pendingHigh = unit;
    else
        n += PutUtf8(unit >= 0xDC00 && unit <= 0xDFFF ? REPLACEMENT : unit, out + n);
    return n;
}

// Every unit that stands alone, as the UTF-8 bytes it becomes (up to three)
// followed by their count; 0 for surrogates. Made on first use.
struct UnitTable {
    unsigned char bytes[0x10000][4];
    UnitTable()
    {
        for (uint32_t unit = 0; unit < 0x10000; ++unit) {
            unsigned char* b = bytes[unit];
            b[3] = unit - 0xD800u < 0x800u ? 0 : static_cast<unsigned char>(PutUtf8(unit, reinterpret_cast<char*>(b)));
        }
    }
};

const UnitTable& Units()
{
    static const UnitTable table;
    return table;
}

// The units of in (n bytes, n even) of one byte order. Texts mix ASCII and
// Japanese at random, so a unit's length is looked up, not branched on: four
// bytes are stored for each unit (the output has room for that) and the
// output moves on by its length. Surrogates and whatever follows a high one
// go through PutUnit.
template <bool BIG>
char* DecodeUnits(Utf16Decoder* d, const unsigned char* in, size_t n, char* o)
{
    const UnitTable& table = Units();
    // Held in a local: the bytes written could alias the record.
    uint16_t pending = d->pendingHigh;
    for (const unsigned char* end = in + n; in < end; in += 2) {
        const unsigned unit = BIG ? (in[0] << 8 | in[1]) : (in[1] << 8 | in[0]);
        const unsigned char* utf8 = table.bytes[unit];
        if (pending == 0 && utf8[3] != 0) {
            memcpy(o, utf8, 4);
            o += utf8[3];
            continue;
        }
        d->pendingHigh = pending;
        o += PutUnit(d, static_cast<uint16_t>(unit), o);
        pending = d->pendingHigh;
    }
    d->pendingHigh = pending;
    return o;
}

}  // namespace

size_t PutUtf8(uint32_t c, char* out)
{
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | c >> 6);
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | c >> 12);
        out[1] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | c >> 18);
    out[1] = static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out[2] = static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

TextEncoding DetectEncoding(const unsigned char* bytes, size_t n, bool whole, size_t* markSize)
{
    *markSize = 0;
    if (n >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
        *markSize = 3;
        return TEXT_UTF8;
    }
    if (n >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
        *markSize = 2;
        return TEXT_UTF16LE;
    }
    if (n >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
        *markSize = 2;
        return TEXT_UTF16BE;
    }
    return DetectUnmarked(bytes, n, whole);
}

TextEncoding DetectUnmarked(const unsigned char* bytes, size_t n, bool whole)
{
    if (n > DETECT_SAMPLE) {
        n = DETECT_SAMPLE;
        whole = false;
    }
    bool multiByte = false;
    for (size_t i = 0; i < n;) {
        int length = SequenceLength(bytes + i, n - i);
        if (length < 0 && !whole)
            break;
        if (length <= 0)
            return TEXT_CP932;
        multiByte = multiByte || length > 1;
        i += static_cast<size_t>(length);
    }
    return multiByte ? TEXT_UTF8 : TEXT_CP932;
}

bool EncodingUntold(const unsigned char* bytes, size_t n, bool whole)
{
    if (whole && n <= DETECT_SAMPLE)
        return false;
    if (n > DETECT_SAMPLE)
        n = DETECT_SAMPLE;
    const size_t first = FirstNonAscii(bytes, n);
    return first == n || SequenceLength(bytes + first, n - first) < 0;
}

size_t FirstNonAscii(const unsigned char* bytes, size_t n)
{
    size_t i = HaveWide() ? AsciiStretch(bytes, n) : 0;
    while (i < n && bytes[i] < 0x80)
        ++i;
    return i;
}

size_t CharacterBytes(const unsigned char* p, size_t n, bool utf8)
{
    if (!utf8)
        return IsLeadByte(p[0]) && n > 1 ? 2 : 1;
    const int length = SequenceLength(p, n);
    return length > 0 ? static_cast<size_t>(length) : 1;
}

bool ReadThroughCodePage(TextEncoding encoding)
{
    return encoding == TEXT_EUCJP || encoding == TEXT_GBK || encoding == TEXT_BIG5;
}

namespace {

bool Within(unsigned char c, unsigned low, unsigned high)
{
    return c >= low && c <= high;
}

// Whether c may follow the bytes before it as byte `at` (1 or 2) of a
// character that begins with lead.
bool FollowsIn(TextEncoding encoding, unsigned char lead, unsigned char c, size_t at)
{
    switch (encoding) {
    case TEXT_GBK: return Within(c, 0x40, 0x7E) || Within(c, 0x80, 0xFE);
    case TEXT_BIG5: return Within(c, 0x40, 0x7E) || Within(c, 0xA1, 0xFE);
    default: return lead == 0x8E && at == 1 ? Within(c, 0xA1, 0xDF) : Within(c, 0xA1, 0xFE);
    }
}

// The bytes a character that begins with lead takes: 1 for a byte that
// begins none.
size_t CharacterLength(TextEncoding encoding, unsigned char lead)
{
    if (encoding != TEXT_EUCJP)
        return Within(lead, 0x81, 0xFE) ? 2 : 1;
    if (lead == 0x8F)
        return 3;
    return lead == 0x8E || Within(lead, 0xA1, 0xFE) ? 2 : 1;
}

}  // namespace

size_t WholeCharacters(const unsigned char* p, size_t n, TextEncoding encoding)
{
    // A byte below `alone` is neither a lead nor a trail byte: a character
    // ends with it however the reading went before, so only the bytes after
    // the last such byte are walked (a line feed in every line of a novel).
    const unsigned char alone = encoding == TEXT_EUCJP ? 0x80 : 0x40;
    size_t i = n;
    while (i > 0 && p[i - 1] >= alone)
        --i;
    while (i < n) {
        const size_t length = CharacterLength(encoding, p[i]);
        size_t k = 1;
        while (k < length && i + k < n && FollowsIn(encoding, p[i], p[i + k], k))
            ++k;
        if (k < length && i + k == n)
            return i;
        i += k;
    }
    return n;
}

void BeginUtf16(Utf16Decoder* d, bool bigEndian)
{
    d->bigEndian = bigEndian;
    d->pendingByte = -1;
    d->pendingHigh = 0;
}

size_t DecodeUtf16(Utf16Decoder* d, const unsigned char* in, size_t n, char* out)
{
    char* o = out;
    size_t i = 0;
    if (d->pendingByte >= 0 && n > 0) {
        unsigned a = static_cast<unsigned>(d->pendingByte), b = in[0];
        o += PutUnit(d, static_cast<uint16_t>(d->bigEndian ? a << 8 | b : b << 8 | a), o);
        d->pendingByte = -1;
        i = 1;
    }
    const size_t units = (n - i) & ~static_cast<size_t>(1);
    o = d->bigEndian ? DecodeUnits<true>(d, in + i, units, o) : DecodeUnits<false>(d, in + i, units, o);
    if (i + units < n)
        d->pendingByte = in[i + units];
    return static_cast<size_t>(o - out);
}

size_t EndUtf16(Utf16Decoder* d, char* out)
{
    size_t written = 0;
    if (d->pendingHigh != 0)
        written += PutUtf8(REPLACEMENT, out);
    if (d->pendingByte >= 0)
        written += PutUtf8(REPLACEMENT, out + written);
    d->pendingHigh = 0;
    d->pendingByte = -1;
    return written;
}
