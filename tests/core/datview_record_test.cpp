#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "datview/datrecord.h"

namespace {

// The record's fixed texts in code page 932.
#define NAME_LABEL "\x96\xBC\x91\x4F\x81\x46"               // 名前：
#define DATE_LABEL "\x93\x8A\x8D\x65\x93\xFA\x81\x46"       // 投稿日：

const size_t DISP_SIZE = 8193;  // the window's text buffer

// What FormatDatRecord leaves in an output of outSize bytes that held
// before; the guard byte past the output must stay as it was.
std::string Format(const std::string& line, uint32_t index, const std::string& before = "",
                   size_t outSize = DISP_SIZE, bool utf8 = false)
{
    std::vector<char> out(outSize + 1, '#');
    if (outSize > 0)
        snprintf(out.data(), outSize, "%s", before.c_str());
    FormatDatRecord(line.c_str(), index, utf8, out.data(), outSize);
    EXPECT_EQ(out[outSize], '#') << "wrote past the output";
    return std::string(out.data(), strnlen(out.data(), outSize));
}

// A record of line number 12, the twelfth line of its text.
TEST(DatRecord, LinesWithFourSeparatorsBecomePosts)
{
    const struct {
        const char* line;
        const char* shown;
    } cases[] = {
        {"Anonymous<>sage<>2009/01/01 00:00:00 ID:abc<> first<br>second <>Title\r\n",
         "12 " NAME_LABEL "Anonymous[sage] " DATE_LABEL "2009/01/01 00:00:00 ID:abc\r\n first\r\nsecond "},
        {"n<><>d<>b<>\r\n", "12 " NAME_LABEL "n[] " DATE_LABEL "d\r\nb"},
        {"n<>m<>d<><>\r\n", "12 " NAME_LABEL "n[m] " DATE_LABEL "d\r\n"},
        {"n<>m<>d<>b1<>b2<>t\r\n", "12 " NAME_LABEL "n[m] " DATE_LABEL "d\r\nb1"},
        {"a<<>>b<>c<>d<>\r\n", "12 " NAME_LABEL "a<[>b] " DATE_LABEL "c\r\nd"},
        {"Anon </b>X<b><>sage<>2009/01/01 &amp; <b>x</b><> &lt;a href=x&gt; <>\r\n",
         "12 " NAME_LABEL "Anon X[sage] " DATE_LABEL "2009/01/01 &amp; <b>x</b>\r\n <a href=x> "},
        {"<><><><>", "12 " NAME_LABEL "[] " DATE_LABEL "\r\n"},
        {"<a>n<!--x--><>m<br><>d<>b<>", "12 " NAME_LABEL "n[m<br>] " DATE_LABEL "d\r\nb"},
    };
    // Whatever the plain composition put there, numbered or not, is replaced.
    const char* const plain[] = {"", "12: plain composition\r\n"};
    for (const auto& c : cases) {
        for (const char* before : plain)
            EXPECT_EQ(Format(c.line, 11, before), c.shown) << "line \"" << c.line << '"';
    }
}

TEST(DatRecord, OtherLinesAreLeftAsComposed)
{
    const char* const lines[] = {
        "n<>m<>d<>body\r\n", "plain line\r\n", "", "\r\n", "a<b>c<>d<><>", "<<<>>><>",
    };
    for (const char* line : lines) {
        EXPECT_EQ(Format(line, 11, "12: composed"), "12: composed") << "line \"" << line << '"';
        EXPECT_EQ(Format(line, 11, "composed"), "composed") << "line \"" << line << '"';
    }
}

TEST(DatRecord, TheNumberIsTheIndexPlusOneWithoutWrapping)
{
    const struct {
        uint32_t index;
        const char* number;
    } cases[] = {
        {0, "1 "}, {11, "12 "}, {0x7FFFFFFEu, "2147483647 "}, {0x7FFFFFFFu, "2147483648 "},
        {0xFFFFFFFFu, "4294967296 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format("n<>m<>d<>b<>", c.index).rfind(c.number, 0), 0u) << c.index;
}

std::string Record(const std::string& name, const std::string& mail, const std::string& date,
                   const std::string& body)
{
    return "12 " NAME_LABEL + name + "[" + mail + "] " DATE_LABEL + date + "\r\n" + body;
}

std::string Repeat(const std::string& text, int times)
{
    std::string result;
    while (times-- > 0)
        result += text;
    return result;
}

// Fields beyond their capacity are cut to it; a double-byte character
// that would be split is left out whole.
TEST(DatRecord, LongFieldsAreCutAtTheCapacity)
{
    const std::string kana = "\x82\xA0";  // あ
    const std::string n(511, 'n'), m(511, 'm'), d(127, 'd');
    const struct {
        std::string name, mail, date;
        std::string shownName, shownMail, shownDate;
    } cases[] = {
        {n, m, d, n, m, d},
        {n + "n", m + "m", d + "d", n, m, d},
        {std::string(2000, 'n'), std::string(1000, 'm'), std::string(500, 'd'), n, m, d},
        {n.substr(1) + kana, m.substr(1) + kana, d.substr(1) + kana, n.substr(1), m.substr(1), d.substr(1)},
        {n.substr(2) + kana, m.substr(2) + kana, d.substr(2) + kana,
         n.substr(2) + kana, m.substr(2) + kana, d.substr(2) + kana},
        // The name is cut after its cleaning, so markup takes up no room.
        {Repeat("<b>", 600) + "N", "", "", "N", "", ""},
        {Repeat("&amp;", 600), "", "", std::string(511, '&'), "", ""},
    };
    for (const auto& c : cases) {
        const std::string line = c.name + "<>" + c.mail + "<>" + c.date + "<>body<>";
        EXPECT_EQ(Format(line, 11), Record(c.shownName, c.shownMail, c.shownDate, "body"))
            << c.name.size() << ' ' << c.mail.size() << ' ' << c.date.size();
    }
}

// Only the first DAT_LINE_MAX bytes of a line are looked at; the longest
// record such a line gives fits DAT_RECORD_SIZE bytes.
TEST(DatRecord, LongLinesAndTheLongestRecord)
{
    const std::string fits = "n<>m<>d<>" + std::string(DAT_LINE_MAX - 11, 'b') + "<>";
    EXPECT_EQ(Format(fits, 11), Record("n", "m", "d", std::string(DAT_LINE_MAX - 11, 'b')));
    const std::string beyond = "n<>m<>d<>" + std::string(DAT_LINE_MAX - 10, 'b') + "<>";
    EXPECT_EQ(Format(beyond, 11, "composed"), "composed");

    const std::string body(DAT_LINE_MAX - 8, 'b');
    const std::string longest = Format("<><><>" + body + "<>", 0xFFFFFFFFu, "", DAT_RECORD_SIZE);
    EXPECT_EQ(longest.size(), DAT_RECORD_SIZE - 1 - 7) << "UTF-8 labels are 7 bytes longer";
    EXPECT_EQ(longest, "4294967296 " NAME_LABEL "[] " DATE_LABEL "\r\n" + body);
    EXPECT_EQ(Format("<><><>" + body + "<>", 0xFFFFFFFFu, "", DAT_RECORD_SIZE, true).size(), DAT_RECORD_SIZE - 1);
}

// The record is cut to fit a smaller output, a double-byte character that
// would be split left out; an output of no bytes is not touched.
TEST(DatRecord, TheRecordIsCutToTheOutput)
{
    const struct {
        size_t outSize;
        const char* shown;
    } cases[] = {
        {1, ""}, {4, "12 "}, {5, "12 "}, {6, "12 \x96\xBC"}, {12, "12 " NAME_LABEL "ab"},
        {15, "12 " NAME_LABEL "ab[m]"}, {17, "12 " NAME_LABEL "ab[m] "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format("ab<>m<>d<>b<>", 11, "", c.outSize), c.shown) << c.outSize;
    char untouched = 'x';
    FormatDatRecord("ab<>m<>d<>b<>", 11, false, &untouched, 0);
    EXPECT_EQ(untouched, 'x');
}

// A UTF-8 dat file: its labels in UTF-8, and no cut splits a character
// ("あ" is E3 81 82; the name holds 511 bytes up to its last whole one).
TEST(DatRecord, Utf8PostsKeepWholeCharacters)
{
    std::string a;
    for (int i = 0; i < 200; ++i)
        a += "\xE3\x81\x82";
    const std::string labels = " \xE5\x90\x8D\xE5\x89\x8D\xEF\xBC\x9A";  // " 名前："
    EXPECT_EQ(Format("n<br><>m<>d<>b&amp;<>", 0, "", DISP_SIZE, true),
              "1" + labels + "n\r\n[m] \xE6\x8A\x95\xE7\xA8\xBF\xE6\x97\xA5\xEF\xBC\x9A" "d\r\nb&");
    EXPECT_EQ(Format(a + "<>m<>d<>b<>", 0, "", DISP_SIZE, true).substr(1 + labels.size(), 511),
              a.substr(0, 510) + "[");
    EXPECT_EQ(Format("n<>m<>d<>" + a + "<>", 0, "", 33, true).size(), 31u)
        << "the whole record cut before the character it would split";
}

}  // namespace
