#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/notation.h"

namespace {

// Code page 932 as the tests need it: 晌 (U+664C) only.
size_t FewCp932(uint32_t code, char* out)
{
    if (code != 0x664C)
        return 0;
    memcpy(out, "\xE0\x56", 2);
    return 2;
}

std::string Read(const std::string& line, bool utf8, bool parens)
{
    char out[256];
    size_t n = ReadNotation(line.data(), line.size(), utf8, parens, FewCp932, out, sizeof out);
    EXPECT_EQ(n, strlen(out)) << line;
    return out;
}

TEST(Notation, ALineReadsAsAReaderReadsIt)
{
    const struct {
        std::string line, read, inParens;
        bool utf8;
    } cases[] = {
        {"親譲《おやゆず》りの無鉄砲", "親譲りの無鉄砲", "親譲（おやゆず）りの無鉄砲", true},
        {"｜青空文庫《あおぞらぶんこ》です", "青空文庫です", "青空文庫（あおぞらぶんこ）です", true},
        {"｜ただの縦線", "｜ただの縦線", "｜ただの縦線", true},
        {"［＃ここから２字下げ］本文［＃ここで字下げ終わり］", "本文", "本文", true},
        {"a［＃「［」は注記］b", "ab", "ab", true},                       // brackets nest
        {"a《b ［＃c", "a《b ［＃c", "a《b ［＃c", true},                   // not closed: as it is
        {"※［＃「日＋向」、第3水準1-85-25］と※［＃「口＋世」、U+546D］", "晌と呭", "晌と呭", true},
        {"※［＃「か＋半濁点」、1-4-87］※［＃「不明」］", "か゚〓", "か゚〓", true},
        // Code page 932: 親譲《お》, and a trail byte 0x81 before "m" that is no ［.
        {"\x90\x65\x8F\xF7\x81\x73\x82\xA8\x81\x74", "\x90\x65\x8F\xF7", "\x90\x65\x8F\xF7\x81\x69\x82\xA8\x81\x6A", false},
        {"\x88\x81m\x81\x94x\x81\x6E", "\x88\x81m\x81\x94x\x81\x6E", "\x88\x81m\x81\x94x\x81\x6E", false},
        // ※［＃…、1-85-25］ and ※［＃…、U+546D］ in code page 932: 晌 it has, 呭 not.
        {"\x81\xA6\x81\x6D\x81\x94\x31-85-25\x81\x6E\x81\xA6\x81\x6D\x81\x94U+546D\x81\x6E", "\xE0\x56\x81\xAC",
         "\xE0\x56\x81\xAC", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Read(c.line, c.utf8, false), c.read) << c.line;
        EXPECT_EQ(Read(c.line, c.utf8, true), c.inParens) << c.line;
    }
    for (const std::string notes : {"　［＃改ページ］ ［＃「第一章」は大見出し］\r\n", "\t　\n", ""})
        EXPECT_TRUE(NotesOnly(notes.data(), notes.size(), true)) << notes;
    for (const std::string text : {"［＃改ページ］a\r\n", "※［＃「日＋向」、1-85-25］\n", "［＃ 閉じない\n"})
        EXPECT_FALSE(NotesOnly(text.data(), text.size(), true)) << text;
    char small[8];
    EXPECT_EQ(ReadNotation("abcdefghij", 10, true, false, NULL, small, sizeof small), 7u) << "cut to the room";
}

TEST(Notation, ATextIsInTheNotationByItsLegendOrThreeRubies)
{
    const struct {
        std::string text;
        bool uses;
    } cases[] = {
        {"題名\n-------\n【テキスト中に現れる記号について】\n《》：ルビ\n", true},
        {"彼は「《》」と書いた。\n", false},
        {"甲《こう》乙《おつ》\n丙《へい》\n", true},
        {"甲《こう》乙《おつ》\n", false},
        {"《こう》\n《おつ》\n 《へい》\n", false},  // after nothing but a blank
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsesNotation(c.text.data(), c.text.size(), true), c.uses) << c.text;
}

}  // namespace
