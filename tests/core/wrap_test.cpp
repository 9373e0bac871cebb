#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "window/wrap.h"

namespace {

// Rows of text in a font one unit wide a character, rows `width` wide and
// tab stops every `tabWidth`; a row may begin after a blank, and before and after
// an upper-case letter, which stands for a CJK character. Each row is shown
// as the text it draws.
std::vector<std::string> Rows(const std::string& text, int width, int tabWidth)
{
    std::vector<uint16_t> units(text.begin(), text.end());
    std::vector<int> advance(text.size(), 1);
    std::vector<unsigned char> soft(text.size() + 1, 0);
    for (size_t i = 1; i < text.size(); ++i)
        soft[i] = (text[i - 1] == ' ' && text[i] != ' ') || isupper(text[i]) || isupper(text[i - 1]);
    std::vector<uint32_t> starts(text.size() + 1), ends(text.size() + 1);
    WrapText in = {units.data(), units.size(), advance.data(), soft.data(), width, tabWidth};
    uint32_t rows = WrapRows(in, starts.data(), ends.data());
    std::vector<std::string> out;
    for (uint32_t r = 0; r < rows; ++r)
        out.push_back(text.substr(starts[r], ends[r] - starts[r]));
    return out;
}

TEST(Wrap, RowsBreakAsTheWindowDrawsThem)
{
    const struct {
        const char* text;
        int width;
        std::vector<std::string> rows;
        int tabWidth = 4;
    } cases[] = {
        {"short\r\n", 10, {"short"}},
        {"one two three", 8, {"one two ", "three"}},  // the blank that fits stays; the one at the break goes
        {"one   two", 4, {"one ", " two"}},           // only one blank goes
        {"ABCDEFG", 3, {"ABC", "DEF", "G"}},          // CJK breaks anywhere
        {"AB cdefghij k", 4, {"AB ", "cdefghij", "k"}},  // a word wider than a row runs on
        {"a\nb\r\n\r\nc\n\rd", 9, {"a", "b", "", "c", "d"}},
        {"a\tbc defg", 6, {"a\tbc", "defg"}},         // the tab takes the row to 4
        {"\n", 5, {""}},
        {"", 5, {}},
        {"\tab\t", -5, {"\t", "ab", "\t"}, 0},  // no room and no tab stops: each row moves on all the same
        {"a\tb\t\tc", INT_MAX, {"a\tb", "\t\tc"}, INT_MAX},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Rows(c.text, c.width, c.tabWidth), c.rows) << c.text;
    EXPECT_EQ(TabWidth(7, INT_MAX), INT_MAX);
}

TEST(Wrap, APieceIsTheRowsThatFitAndHoldsItsCharacters)
{
    EXPECT_EQ(RowsPerPiece(1, 48, 14), 3u);
    EXPECT_EQ(RowsPerPiece(1, 43, 14), 3u);
    EXPECT_EQ(RowsPerPiece(1, 42, 14), 2u);
    EXPECT_EQ(RowsPerPiece(1, 10, 14), 1u);  // not even one row: one all the same
    const uint32_t starts[] = {0, 10, 20, 30, 40, 50, 60};
    const struct {
        uint32_t perPiece, at, piece;
    } cases[] = {{3, 0, 0}, {3, 29, 0}, {3, 30, 1}, {3, 60, 2}, {3, 999, 2}, {2, 45, 2}, {7, 61, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(PieceOf(starts, 7, c.perPiece, c.at), c.piece) << c.perPiece << " " << c.at;
    EXPECT_EQ(PieceCount(7, 3), 3u);
    EXPECT_EQ(PieceCount(3, 3), 1u);
    EXPECT_EQ(PieceCount(0, 3), 1u);
}

}  // namespace
