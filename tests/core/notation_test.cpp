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
        // Openers that are not closed, nested in one another and in quotes:
        // each one ends (or not) as when it alone is read to the line's end.
        {"［＃［＃a］", "［＃", "［＃", true},
        {"［＃「［＃」］b", "b", "b", true},
        {"［＃「x［＃b］y", "［＃「xy", "［＃「xy", true},
        {"※［＃［＃U+41］", "※［＃", "※［＃", true},
        {"a［＃「」」］［＃b", "a［＃b", "a［＃b", true},
        {"［＃［＃「］」］c］d", "d", "d", true},
        {"\x81\x6D\x81\x94\x81\x6D\x81\x94" "a\x81\x6E", "\x81\x6D\x81\x94", "\x81\x6D\x81\x94", false},  // ［＃［＃a］
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
    // A long line of openers, the last of them closed.
    std::string openers;
    for (int i = 0; i < 600; ++i)
        openers += "［＃";
    char out[4096];
    const size_t n = ReadNotation((openers + "］").data(), openers.size() + 3, true, false, NULL, out, sizeof out);
    EXPECT_EQ(std::string(out, n), openers.substr(0, openers.size() - 6));
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
        // Book titles in a Chinese text are no ruby: hanzi.
        {"我读了《红楼梦》和《西游记》，还有《水浒传》。\n", false},
        {"甲《こう》乙《おつ》と《红楼梦》\n", false},
        {"書名《Nature》と《ＡＩ》と《１》\n", false},
        // Ruby: hiragana, after ｜ too; katakana; with ・ and ー.
        {"漢字《かんじ》と｜東京《とうきょう》、大阪《おおさか》\n", true},
        {"本気《マジ》で魔法《マジック》を使う世界《セカイ》\n", true},
        {"騎士《ナイト》と王《キング・アーサー》の剣《エクスカリバー》\n", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UsesNotation(c.text.data(), c.text.size(), true), c.uses) << c.text;
    // Code page 932: 我読了《紅楼夢》和《西遊記》、還有《水滸伝》。 is not;
    // 甲《こう》乙《オツ》丙《ﾍｲ》 (half-width katakana) is.
    const std::string titles = "\x89\xE4\x93\xC7\x97\xB9\x81\x73\x8D\x67\x98\x4F\x96\xB2\x81\x74\x98\x61\x81\x73\x90\xBC"
                               "\x97\x56\x8B\x4C\x81\x74\x81\x41\x8A\xD2\x97\x4C\x81\x73\x90\x85\x9F\xF5\x93\x60\x81\x74"
                               "\x81\x42";
    const std::string rubies = "\x8D\x62\x81\x73\x82\xB1\x82\xA4\x81\x74\x89\xB3\x81\x73\x83\x49\x83\x63\x81\x74\x95\xB8"
                               "\x81\x73\xCD\xB2\x81\x74";
    EXPECT_FALSE(UsesNotation(titles.data(), titles.size(), false));
    EXPECT_TRUE(UsesNotation(rubies.data(), rubies.size(), false));
}

}  // namespace
