#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/headings.h"

namespace {

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
