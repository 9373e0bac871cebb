#include <gtest/gtest.h>

#include <cstdint>
#include <cwchar>
#include <string>
#include <vector>

#include "base/recent.h"

namespace {

std::vector<std::wstring> Files(const RecentText* list)
{
    std::vector<std::wstring> files;
    for (int k = 0; k < RECENT_COUNT && list[k].File[0] != L'\0'; ++k)
        files.push_back(list[k].File);
    return files;
}

TEST(Recent, OpeningPutsATextFirstAndTheEleventhPushesTheOldestOut)
{
    RecentText list[RECENT_COUNT] = {};
    auto remember = [&list](const std::wstring& path, ReadingPlace place, int rule, uint64_t said, int chosen) {
        RecentText entry = {{}, place, rule, said, chosen, {}};
        wcscpy(entry.File, path.c_str());
        RememberText(list, entry);
    };
    for (int i = 1; i <= 11; ++i)
        remember(L"C:\\t" + std::to_wstring(i) + L".txt", ReadingPlace{uint32_t(i), 0}, 0, 0, NONE_CHOSEN);
    EXPECT_EQ(Files(list).size(), 10u);
    EXPECT_EQ(Files(list).front(), L"C:\\t11.txt");
    EXPECT_EQ(Files(list).back(), L"C:\\t2.txt");
    // The same text in other letters moves to the front, with its new place.
    remember(L"c:\\T5.TXT", ReadingPlace{40, 7}, 1, 0x1234, ChoiceOf(TEXT_GBK));
    EXPECT_EQ(Files(list).size(), 10u);
    EXPECT_EQ(Files(list)[0], L"c:\\T5.TXT");
    EXPECT_EQ(Files(list)[1], L"C:\\t11.txt");
    EXPECT_EQ(list[0].Place.line, 40u);
    EXPECT_EQ(list[0].Said, 0x1234u);
    EXPECT_EQ(list[0].Chosen, ChoiceOf(TEXT_GBK));
    EXPECT_EQ(FindRecent(list, L"C:\\t5.txt"), 0);
    EXPECT_EQ(FindRecent(list, L"C:\\t1.txt"), -1);
    ForgetRecent(list, 0);
    EXPECT_EQ(Files(list).size(), 9u);
    EXPECT_EQ(Files(list)[0], L"C:\\t11.txt");
}

TEST(Recent, PlacesReadOnlyWhenSound)
{
    const struct {
        const char* text;
        bool sound;
        uint32_t line, offset;
        int rule;
    } cases[] = {
        {"12,0,1", true, 11, 0, 1}, {"1,340,2", true, 0, 340, 2}, {"999999999,0,0", true, 999999998, 0, 0},
        {"0,0,0", false}, {"12", false}, {"12,0", false}, {"12,0,3", false}, {"x,0,0", false},
        {"12,0,1,", false}, {"-3,0,0", false}, {"1234567890,0,0", false}, {" 12,0,1", false}, {"", false},
    };
    for (const auto& c : cases) {
        ReadingPlace place;
        int rule = -1;
        EXPECT_EQ(ParsePlace(c.text, &place, &rule), c.sound) << c.text;
        if (!c.sound) {
            EXPECT_EQ(place.line, UINT32_MAX) << c.text;
            continue;
        }
        EXPECT_EQ(place.line, c.line);
        EXPECT_EQ(place.offset, c.offset);
        EXPECT_EQ(rule, c.rule);
        char back[32];
        FormatPlace(place, rule, back, sizeof back);
        EXPECT_STREQ(back, c.text);
    }
}

TEST(Recent, WhatALineSaidReadOnlyWhileItsEntryIsTheOneItWasWrittenFor)
{
    const RecentText entry = {L"C:\\books\\novel.txt", ReadingPlace{199, 12}, 0, 0x0123456789abcdefull, {}};
    const wchar_t* novel = entry.File;
    char text[64];
    FormatSaid(entry, text, sizeof text);
    const std::string w = text, check = w.substr(16);
    EXPECT_EQ(w.substr(0, 17), "0123456789abcdef,");
    const struct { std::string text; uint32_t line; const wchar_t* file; bool read; } cases[] = {
        {w, 199, novel, true}, {w, 199, L"c:\\BOOKS\\novel.txt", true},
        {w, 200, novel, false},                   // the place moved by a version without the key
        {w, 199, L"C:\\books\\other.txt", false},  // another text in its entry
        {"0123456789abcdeg" + check, 199, novel, false}, {"1" + w.substr(1), 199, novel, false},
        {w + "0", 199, novel, false}, {w.substr(0, 24), 199, novel, false}, {"", 199, novel, false},
    };
    for (const auto& c : cases) {
        RecentText read = entry;
        read.Place.line = c.line;
        wcscpy(read.File, c.file);
        EXPECT_EQ(ParseSaid(c.text.c_str(), read), c.read ? entry.Said : 0) << c.text;
    }
}

// Every encoding's name reads back; a name moved to another text, a name
// unknown or a check that does not agree chooses nothing.
TEST(Recent, EncodingChosenReadOnlyForItsOwnText)
{
    RecentText entry = {L"C:\\books\\novel.txt", ReadingPlace{199, 12}, 0, 0}, other = entry;
    wcscpy(other.File, L"C:\\books\\other.txt");
    for (int e = 0; e < TEXT_ENCODINGS; ++e) {
        entry.Chosen = other.Chosen = ChoiceOf(static_cast<TextEncoding>(e));
        char text[64];
        FormatChosen(entry, text, sizeof text);
        const std::string w = text, check = w.substr(w.find(','));
        EXPECT_EQ(ParseChosen(text, entry), w.substr(0, w.find(',')) == ENCODING_NAMES[e] ? entry.Chosen : -1);
        for (const std::string& wrong : {w + "0", w.substr(0, w.size() - 1), "gbk" + check, "UTF-7" + check,
                                         ENCODING_NAMES[(e + 1) % TEXT_ENCODINGS] + check, std::string()})
            EXPECT_EQ(ParseChosen(wrong.c_str(), entry), NONE_CHOSEN) << wrong;
        EXPECT_EQ(ParseChosen(text, other), NONE_CHOSEN) << w;
    }
}

TEST(Recent, LabelsNumberTheTextsAndTellSharedNamesApart)
{
    RecentText list[RECENT_COUNT] = {};
    const wchar_t* files[] = {L"C:\\books\\x\\novel.txt", L"D:\\books\\y\\novel.txt", L"C:\\R&D\\not&es.txt",
                              L"plain.txt", L"C:\\a\\same\\b.txt", L"C:\\c\\same\\b.txt", L"4", L"5", L"6",
                              L"C:\\ten.txt"};
    const wchar_t* labels[] = {L"&1 x\\novel.txt", L"&2 y\\novel.txt", L"&3 not&&es.txt", L"&4 plain.txt",
                               L"&5 a\\same\\b.txt", L"&6 c\\same\\b.txt", L"&7 4",     L"&8 5",
                               L"&9 6",           L"1&0 ten.txt"};
    for (int k = 0; k < RECENT_COUNT; ++k)
        wcscpy(list[k].File, files[k]);
    for (int k = 0; k < RECENT_COUNT; ++k) {
        wchar_t label[PATH_SIZE + 16];
        RecentLabel(list, k, label, sizeof label / sizeof *label);
        EXPECT_STREQ(label, labels[k]);
    }
}

}  // namespace
