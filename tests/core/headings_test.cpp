#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/headings.h"

namespace {

// 23 characters: a heading's title, long but not too long.
const std::string kTitle = "長い長い旅の始まりとその終わりについての長い話";

// UTF-8 here; the same rule in code page 932 is the last rows.
TEST(Headings, ALineIsAHeadingByOneRule)
{
    const struct {
        std::string line;
        bool heading;
        bool utf8 = true;
    } cases[] = {
        {"　　　　　一\r\n", true},                         // 坊っちゃん's chapters
        {"十二", true},
        {"１２３４", true},
        {"12345", false},                                  // more than four digits
        {"第一章　旅立ち", true},
        {"第12話 出会い\n", true},
        {"第三部", true},
        {"第一に、彼は言った。", false},                   // no unit after the number
        {"第章", false},
        {"「一」", false},                                 // a number in dialogue
        {"一つ目の話", false},
        {"［＃５字下げ］一［＃「一」は中見出し］", true},
        {"［＃大見出し］旅［＃大見出し終わり］", true},
        {"［＃ここから２字下げ］", false},
        {"序章", true}, {"あとがき", true}, {"幕間", true}, {"序文", false},
        {"Chapter 12", true}, {"CHAPTER IV. The Storm", true}, {"Part II", true}, {"Prologue", true},
        {"Part of the story", false}, {"Partial", false}, {"Chapters", false},
        {"第一章　" + std::string(40, 'x'), false},        // longer than 40 characters
        {"", false},
        {"\x91\xE6\x88\xEA\x8F\xCD\r\n", true, false},     // 第一章 in code page 932
        {"\x81\x40\x88\xEA", true, false},                 // 　一
        {"\x91\xE6\x88\xEA\x82\xC9", false, false},        // 第一に
        // The same rule for what reads as a heading in prose.
        {"第1回", true}, {"第三話", true}, {"第一部第二章　旅", true}, {"第一章「旅立ち」", true},
        {"第十二話：決戦", true}, {"第3話 - 再会", true}, {"Chapter XII", true}, {"Part iv", true},
        {"第三部隊、前へ！", false},                        // a word that goes on after 部
        {"第一回目の手術は成功した。", false},
        {"第二話を見終えて…", false},
        {"第二章、そこで彼は", false},
        {"Part civil, part military.", false},               // no Roman numerals
        {"Chapter civic duty…", false},
        {"Part Mix", false},
        // What is shown counts: the annotations of a heading make its line
        // long, and a line that shows nothing is no heading.
        {"［＃５字下げ］第一章　" + kTitle + "［＃「第一章　" + kTitle + "」は中見出し］\r\n", true},
        {"［＃５字下げ］" + kTitle + kTitle + "［＃「" + kTitle + kTitle + "」は中見出し］", false},
        {"［＃ここから中見出し］", false},
        {"［＃ここで中見出し終わり］\r\n", false},
        {"　［＃「一」は中見出し］", false},
        {"［＃２字下げ］見出し［＃「見出し」に傍点］だけ読む", false},  // 見出し quoted: no heading's
        {"\x91\xE6\x8E\x4F\x95\x94\x91\xE0\x81\x41", false, false},  // 第三部隊、
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsHeading(c.line.data(), c.line.size(), c.utf8), c.heading) << c.line;
        if (c.heading) {
            EXPECT_TRUE(MayBeHeading(reinterpret_cast<const unsigned char*>(c.line.data()), c.line.size(), c.utf8))
                << c.line;
        }
    }
}

}  // namespace
