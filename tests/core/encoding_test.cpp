#include <gtest/gtest.h>

#include <codecvt>
#include <locale>
#include <random>
#include <string>

#include "document/encoding.h"

namespace {

TextEncoding Detect(const std::string& bytes, bool whole, size_t* mark)
{
    return DetectEncoding(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), whole, mark);
}

TEST(Encoding, DetectionTable)
{
    const struct {
        std::string bytes;
        bool whole;
        TextEncoding encoding;
        size_t mark;
    } cases[] = {
        {"\xEF\xBB\xBFplain", true, TEXT_UTF8, 3},
        {"\xFF\xFE" "a\0", true, TEXT_UTF16LE, 2},
        {"\xFE\xFF\0a", true, TEXT_UTF16BE, 2},
        {"plain ASCII\r\n", true, TEXT_CP932, 0},
        {"", true, TEXT_CP932, 0},
        {"\xE3\x81\x82\xE3\x81\x84\n", true, TEXT_UTF8, 0},               // あい
        {"caf\xC3\xA9 \xF0\x9F\x98\x80", true, TEXT_UTF8, 0},             // café 😀
        {"\x82\xA0\x82\xA2\x95\x5C\r\n", true, TEXT_CP932, 0},            // あい表 in code page 932
        {"\xB1\xB2\xB3 \xCA\xDD\xB6\xB8", true, TEXT_CP932, 0},           // half-width katakana
        {"\xC0\xAF", true, TEXT_CP932, 0},                                // overlong '/'
        {"\xE0\x80\xAF", true, TEXT_CP932, 0},                            // overlong, three bytes
        {"\xF0\x80\x80\xAF", true, TEXT_CP932, 0},                        // overlong, four bytes
        {"\xED\xA0\x80", true, TEXT_CP932, 0},                            // a surrogate
        {"\xF4\x90\x80\x80", true, TEXT_CP932, 0},                        // above U+10FFFF
        {"\xF5\x80\x80\x80", true, TEXT_CP932, 0},
        {"\xE3\x81", true, TEXT_CP932, 0},                                // cut off: the whole text
        {"\xE3\x81\x82\xE3\x81", false, TEXT_UTF8, 0},                    // cut off by the sample
        {"ab\xE3\x81", false, TEXT_CP932, 0},                             // nothing whole that is multi-byte
        {"\xE3\x81\x82\x80", true, TEXT_CP932, 0},                        // a stray continuation byte
    };
    for (const auto& c : cases) {
        size_t mark = 99;
        EXPECT_EQ(Detect(c.bytes, c.whole, &mark), c.encoding) << testing::PrintToString(c.bytes);
        EXPECT_EQ(mark, c.mark) << testing::PrintToString(c.bytes);
    }
    // Only the sample counts: an invalid byte past it is not seen.
    std::string long_(DETECT_SAMPLE - 3, 'a');
    long_ += "\xE3\x81\x82\xFF";
    size_t mark;
    EXPECT_EQ(Detect(long_, true, &mark), TEXT_UTF8);
}

// Where a text's first 64 KiB tell nothing, the bytes from its first byte
// above 0x7F tell it, with no mark looked for there.
TEST(Encoding, ToldPastAnAsciiStart)
{
    const std::string ascii(130, 'a');  // past the stretches of 64 looked at whole
    const struct { std::string bytes; bool whole, untold; TextEncoding later; } cases[] = {
        {ascii, false, true, TEXT_CP932},
        {ascii, true, false, TEXT_CP932},                                     // the whole text
        {ascii + "\xE3\x81", false, true, TEXT_CP932},                        // a UTF-8 start cut off by the sample
        {ascii + "\xE3\x81\x82", false, false, TEXT_UTF8},
        {ascii + "\x82", false, false, TEXT_CP932},                           // no UTF-8 starts so
        {ascii.substr(70) + "\xE3\x41\xE3\x81", false, false, TEXT_CP932},    // the first such byte decides
        {"\xFF\xFE" "a", false, false, TEXT_CP932},                           // no mark within a text
        {std::string(DETECT_SAMPLE, 'a') + "\xE3\x81\x82", true, true, TEXT_CP932},  // only the sample counts
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(EncodingUntold(bytes, c.bytes.size(), c.whole), c.untold) << c.bytes.size();
        EXPECT_EQ(DetectUnmarked(bytes, c.bytes.size(), c.whole), c.later) << c.bytes.size();
    }
}

std::string Decode(const std::string& utf16, bool bigEndian, size_t chunk)
{
    Utf16Decoder d;
    BeginUtf16(&d, bigEndian);
    std::string out;
    for (size_t i = 0; i < utf16.size(); i += chunk) {
        size_t n = std::min(chunk, utf16.size() - i);
        std::string part(Utf16ToUtf8Room(n), '\0');
        part.resize(DecodeUtf16(&d, reinterpret_cast<const unsigned char*>(utf16.data() + i), n, &part[0]));
        out += part;
    }
    char end[8];
    out.append(end, EndUtf16(&d, end));
    return out;
}

std::string Units(const std::u16string& text, bool bigEndian)
{
    std::string bytes;
    for (char16_t u : text) {
        char lo = static_cast<char>(u & 0xFF), hi = static_cast<char>(u >> 8);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

TEST(Encoding, Utf16BecomesUtf8)
{
    const std::string fffd = "\xEF\xBF\xBD";
    const struct {
        std::u16string text;
        std::string extra;  // bytes after the units
        std::string utf8;
    } cases[] = {
        {u"a\r\n", "", "a\r\n"},
        {u"\u3042\uFF71\u00E9", "", "\xE3\x81\x82\xEF\xBD\xB1\xC3\xA9"},  // あ ｱ é
        {u"\U0001F600", "", "\xF0\x9F\x98\x80"},
        {std::u16string(1, char16_t(0xD83D)) + u"a", "", fffd + "a"},     // a lone high surrogate
        {std::u16string(1, char16_t(0xDE00)) + u"a", "", fffd + "a"},     // a lone low one
        {std::u16string(1, char16_t(0xD83D)), "", fffd},                  // high at the very end
        {u"a", "x", "a" + fffd},                                         // an odd last byte
    };
    for (const auto& c : cases)
        for (bool big : {false, true})
            for (size_t chunk : {1, 2, 3, 5, 1 << 20})
                EXPECT_EQ(Decode(Units(c.text, big) + c.extra, big, chunk), c.utf8) << chunk;
}

// Long random texts with pairs, split at every kind of boundary, against the
// standard library's conversion.
TEST(Encoding, Utf16AcrossEveryBoundary)
{
    std::mt19937 random(7);
    const char16_t pool[] = {u'a', u'\n', u'\r', u'\t', 0x00E9, 0x3042, 0xFF71, 0x8868};
    std::u16string text;
    for (int i = 0; i < 3000; ++i) {
        if (random() % 8 == 0)
            text += u"\U0001F600";
        else
            text += pool[random() % 8];
    }
    std::wstring_convert<std::codecvt_utf8_utf16<char16_t>, char16_t> convert;
    const std::string expected = convert.to_bytes(text);
    for (bool big : {false, true})
        for (size_t chunk = 1; chunk <= 9; ++chunk)
            ASSERT_EQ(Decode(Units(text, big), big, chunk), expected) << "chunk " << chunk << " big " << big;
}

// Where a chunk of a code-page text may end: never inside a character, and
// a lead byte that nothing valid follows goes alone.
TEST(Encoding, WholeCharactersOfCodePages)
{
    const struct { TextEncoding encoding; std::string bytes; size_t whole; } cases[] = {
        {TEXT_GBK, "a\xC4\xE3", 3}, {TEXT_GBK, "a\xC4", 1}, {TEXT_GBK, "\xC4\x41\xC4", 2}, {TEXT_GBK, "\xC4\x0A\xC4\xE3", 4},
        {TEXT_GBK, "\x80\xFF", 2}, {TEXT_BIG5, "\xA7\x41\xA7", 2}, {TEXT_BIG5, "\xA7\x85\xA4", 3},
        {TEXT_EUCJP, "\xA4\xA2\xA4", 2}, {TEXT_EUCJP, "\x8E\xB1\x8E", 2}, {TEXT_EUCJP, "\x8F\xB0\xA1", 3},
        {TEXT_EUCJP, "\x8F\xB0", 0}, {TEXT_EUCJP, "\x8F\x0A\x8F", 2}, {TEXT_EUCJP, "\x8E\xE0\x80", 3}, {TEXT_EUCJP, "", 0},
    };
    for (const auto& c : cases) {
        const unsigned char* p = reinterpret_cast<const unsigned char*>(c.bytes.data());
        EXPECT_EQ(WholeCharacters(p, c.bytes.size(), c.encoding), c.whole) << ENCODING_NAMES[c.encoding] << " "
                                                                            << testing::PrintToString(c.bytes);
    }
}

}  // namespace
