#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/bookmarks.h"
#include "base/recent.h"

namespace {

std::string Listed(const Bookmarks& marks)
{
    std::string s;
    for (uint32_t i = 0; i < marks.count; ++i)
        s += std::to_string(marks.at[i].line) + ":" + std::to_string(marks.at[i].offset) + " ";
    return s;
}

// M at a place whose piece runs from `from` up to before `to`, in turn.
TEST(Bookmarks, MTogglesThePieceShownInOrderUpToAHundred)
{
    const struct { ReadingPlace place; uint32_t from, to; MarkToggle done; const char* after; } steps[] = {
        {{7, 0}, 0, UINT32_MAX, MARK_ADDED, "7:0 "},
        {{3, 40}, 40, 80, MARK_ADDED, "3:40 7:0 "},
        {{3, 80}, 80, 120, MARK_ADDED, "3:40 3:80 7:0 "},
        {{3, 0}, 0, 40, MARK_ADDED, "3:0 3:40 3:80 7:0 "},
        {{3, 40}, 40, 80, MARKS_REMOVED, "3:0 3:80 7:0 "},     // only the piece's own
        {{3, 60}, 0, UINT32_MAX, MARKS_REMOVED, "7:0 "},       // a wider window: the line's all
        {{7, 0}, 0, UINT32_MAX, MARKS_REMOVED, ""},
    };
    Bookmarks marks = {};
    for (const auto& s : steps) {
        EXPECT_EQ(ToggleMark(&marks, s.place, s.from, s.to), s.done) << s.after;
        EXPECT_EQ(Listed(marks), s.after);
    }
    for (uint32_t i = 0; i < BOOKMARK_MOST; ++i)
        ASSERT_EQ(ToggleMark(&marks, ReadingPlace{2 * i, 0}, 0, 1), MARK_ADDED);
    EXPECT_EQ(ToggleMark(&marks, ReadingPlace{1, 0}, 0, 1), MARKS_FULL);
    EXPECT_EQ(marks.count, BOOKMARK_MOST);
    EXPECT_EQ(MarkWithin(marks, 198, 0, 1), 99u);
    EXPECT_EQ(ToggleMark(&marks, ReadingPlace{198, 0}, 0, 1), MARKS_REMOVED);
    RemoveMark(&marks, 500);
    RemoveMark(&marks, 0);
    EXPECT_EQ(Listed(marks).substr(0, 8), "2:0 4:0 ") << marks.count;
    // Lines found again under another rule: in order, each once, none past the end.
    marks = Bookmarks{4, {{9, 0}, {2, 5}, {9, 0}, {12, 0}}};
    TidyMarks(&marks, 12);
    EXPECT_EQ(Listed(marks), "2:5 9:0 ");
}

TEST(Bookmarks, KeptBesideTheirEntryAndReadOnlyWhenSound)
{
    RecentText entry = {L"C:\\books\\novel.txt", ReadingPlace{199, 12}, 1, 0, NONE_CHOSEN, Bookmarks{3, {{0, 0}, {41, 8}, {999, 0}}}};
    char text[MARKS_TEXT_SIZE];
    FormatMarks(entry, text, sizeof text);
    const std::string w = text, check = w.substr(0, 8);
    EXPECT_EQ(w.substr(8), ",1:0,42:8,1000:0");
    const struct { std::string text; const wchar_t* file; int rule; const char* read; } cases[] = {
        {w, L"c:\\BOOKS\\novel.txt", 1, "0:0 41:8 999:0 "},
        {w, L"C:\\books\\other.txt", 1, ""},  // another text in its entry
        {w, L"C:\\books\\novel.txt", 0, ""},  // counted under another rule since
        {check + ",1:0,42:9,1000:0", L"C:\\books\\novel.txt", 1, ""},
        {w + ",", L"C:\\books\\novel.txt", 1, ""}, {w.substr(0, 12), L"C:\\books\\novel.txt", 1, ""},
        {check + ",0:0", L"C:\\books\\novel.txt", 1, ""}, {check, L"C:\\books\\novel.txt", 1, ""},
        {"", L"C:\\books\\novel.txt", 1, ""}, {"zz" + w.substr(2), L"C:\\books\\novel.txt", 1, ""},
    };
    for (const auto& c : cases) {
        RecentText read = entry;
        wcscpy(read.File, c.file);
        read.Rule = c.rule;
        ParseMarks(c.text.c_str(), &read);
        EXPECT_EQ(Listed(read.Marks), c.read) << c.text;
    }
    // A hundred of the longest numbers fit, and read back.
    entry.Marks.count = BOOKMARK_MOST;
    for (uint32_t i = 0; i < BOOKMARK_MOST; ++i)
        entry.Marks.at[i] = ReadingPlace{999999898 + i, 999999999};
    FormatMarks(entry, text, sizeof text);
    RecentText read = entry;
    ParseMarks(text, &read);
    EXPECT_EQ(Listed(read.Marks), Listed(entry.Marks));
}

}  // namespace
