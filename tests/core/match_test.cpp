#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "document/match.h"

namespace {

// What a line as shown holds. Code page 932 lines are given as bytes:
// 表 is 95 5C, ア is 83 41 (its trail byte is 'A'), ａ is 82 81.
const struct MatchCase {
    const char* line;
    const char* query;
    bool matchCase, cp932, holds;
} kMatchCases[] = {
    {"The Lighthouse", "light", false, true, true},
    {"The Lighthouse", "light", true, true, false},
    {"The Lighthouse", "LIGHT", false, true, true},
    {"\x95\x5C\x8E\xA6", "\\", false, true, false},             // 表示: no backslash inside 表
    {"C:\\\x95\x5C", "\\", false, true, true},
    {"\x95\x5C\\", "\\", false, true, true},                     // a real one after 表
    {"\x83\x41", "A", false, true, false},                       // ア's trail byte is no letter
    {"\x83\x41", "a", false, true, false},
    {"\x83\x61", "\x83\x41", false, true, false},                // another katakana: trail byte a
    {"x\x83\x41y", "\x83\x41", true, true, true},
    {"\x82\x81", "\x82\x61", false, true, false},                // full-width letters are not folded
    {"\xB1\xB2\xB3", "\xB2", false, true, true},                 // half-width kana are single bytes
    {"caf\xC3\xA9 CAF\xC3\x89", "CAF\xC3\xA9", false, false, true},
    {"CAF\xC3\x89", "caf\xC3\xA9", false, false, false},         // É is not folded to é
    {"\xE8\xA1\xA8\\", "\\", false, false, true},
    {"abc", "abcd", false, true, false},
    {"", "a", false, true, false},
};

TEST(LineHolds, MatchesWhatTheUserReads)
{
    for (const MatchCase& c : kMatchCases) {
        TextFinder f;
        ASSERT_TRUE(PrepareFinder(&f, c.query, strlen(c.query), c.matchCase, c.cp932));
        EXPECT_EQ(LineHolds(f, c.line, strlen(c.line)), c.holds) << c.line << " / " << c.query;
        // Every true match is also a candidate of the byte scan.
        if (c.holds) {
            EXPECT_LT(FindCandidate(f, c.line, strlen(c.line), 0), strlen(c.line)) << c.line << " / " << c.query;
        }
    }
}

// The scan finds each occurrence in turn, across the whole shift table's
// reach, and none past the end.
TEST(FindCandidate, FindsEveryOccurrenceInTurn)
{
    std::string text = std::string(1000, 'x') + "needle" + std::string(7, 'y') + "NEEDLE" + "needl";
    TextFinder f;
    ASSERT_TRUE(PrepareFinder(&f, "needle", 6, false, true));
    size_t first = FindCandidate(f, text.data(), text.size(), 0);
    EXPECT_EQ(first, 1000u);
    size_t second = FindCandidate(f, text.data(), text.size(), first + 1);
    EXPECT_EQ(second, 1013u);
    EXPECT_EQ(FindCandidate(f, text.data(), text.size(), second + 1), text.size());
    ASSERT_TRUE(PrepareFinder(&f, "needle", 6, true, true));
    EXPECT_EQ(FindCandidate(f, text.data(), text.size(), first + 1), text.size());
    EXPECT_FALSE(PrepareFinder(&f, "", 0, true, true));
    EXPECT_FALSE(PrepareFinder(&f, text.data(), FIND_QUERY_MAX + 1, true, true));
}

}  // namespace
