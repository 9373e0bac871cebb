#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "base/wide.h"
#include "app/startup.h"
#include "document/document.h"
#include "document/work.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "tests/wine/import_hook.h"
#include "window/mainwnd.h"
#include "window/tray.h"
#include "window/view.h"

namespace {

const char kBadName[] = "\xCC\xA7\xB2\xD9\x96\xBC\x8E\x77\x92\xE8\x82\xAA\xB4\xD7\xB0\x82\xC5\x82\xB7\x81\x42";
const char kOpenError[] = "\x8E\x77\x92\xE8\xCC\xA7\xB2\xD9\xB5\xB0\xCC\xDF\xDD\xB4\xD7\xB0";
const char kNoLines[] =
    "\x95\x5C\x8E\xA6\x82\xC5\x82\xAB\x82\xE9\x8D\x73\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const char kDatQuestion[] =
    "\x32\x63\x68\x82\xCC\x44\x61\x74\xCC\xA7\xB2\xD9\x8C\x60\x8E\xAE\x82\xC6\x94\x46\x8E\xAF\x82\xB5\x82\xDC"
    "\x82\xB5\x82\xBD\x81\x42\x0D\x0A\xDA\xBD\x8C\x60\x8E\xAE\x82\xC5\x95\x5C\x8E\xA6\x82\xB5\x82\xDC\x82\xB7"
    "\x82\xA9\x81\x48";
const char kRestoreQuestion[] =
    "\x91\x4F\x89\xF1\x8F\x49\x97\xB9\x92\xBC\x91\x4F\x82\xCC\x8F\xF3\x91\xD4\x82\xF0\x95\x9C\x8C\xB3\x82\xB5"
    "\x82\xDC\x82\xB7\x82\xA9\x81\x48";
const char kCannotReopen[] =
    "\x91\x4F\x89\xF1\x8E\x51\x8F\xC6\xC3\xB7\xBD\xC4\x82\xAA\x8A\x4A\x82\xAF\x82\xDC\x82\xB9\x82\xF1\x81\x42";

const std::string kTenLines =
    "one\r\ntwo\r\nthree\r\nfour\r\nfive\r\nsix\r\nseven\r\neight\r\nnine\r\nten\r\n";

// Memory for a block of the line index is not to be had.
ImportHook* MallocHook;
void* NoIndexBlock(size_t n)
{
    return n >= LINE_BLOCK_ENTRIES * sizeof(uint32_t) ? NULL : MallocHook->original<void* (*)(size_t)>()(n);
}

class DocumentTest : public StartFolderTest {
protected:
    void Key(WPARAM vk) { SendMessageA(MainWnd, WM_KEYDOWN, vk, 0); }
    // The working copy, read after the text is released (it is held unshared while open).
    std::string WorkCopy()
    {
        ReleaseText();
        return ReadFileBytes(folder_ + "\\Skerrow.tmp");
    }
    bool WorkCopyExists() { return FileExists(folder_ + "\\Skerrow.tmp"); }
    // The tray menu as it would show now has 自動送り checked.
    bool FeedChecked()
    {
        HMENU menu = MakeMenu(IDR_TRAYMENU);
        bool checked = GetMenuState(menu, IDM_AUTOFEED, MF_BYCOMMAND) & MF_CHECKED;
        DestroyMenu(menu);
        return checked;
    }

    void ExpectBox(size_t i, const char* text, HWND owner, UINT flags)
    {
        ASSERT_GT(Boxes.size(), i);
        EXPECT_EQ(Boxes[i].text, text);
        EXPECT_EQ(Boxes[i].caption, "Skerrow");
        EXPECT_EQ(Boxes[i].owner, owner);
        EXPECT_EQ(Boxes[i].flags, flags);
    }
    // The ten-line text is as open as it was: its lines still come from its copy.
    void ExpectStillShowing()
    {
        EXPECT_EQ(Doc.LineCnt, 10u);
        Key(VK_END);
        EXPECT_STREQ(Shown.text, "ten\r\n");
        Key(VK_HOME);
        EXPECT_STREQ(Shown.text, "one\r\n");
        EXPECT_FALSE(FileExists(folder_ + "\\Skerrow.new"));
    }
};

TEST_F(DocumentTest, OpeningShowsTheFirstLineAndKeysStepThroughIt)
{
    StartWindow();
    std::string src = WriteText("story.txt", kTenLines);
    ASSERT_EQ(OpenFile(src), 0);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_STREQ(Shown.text, "one\r\n");
    EXPECT_EQ(Doc.LineCnt, 10u);
    EXPECT_EQ(Narrow932(AppSettings.BackFile), src.c_str());
    EXPECT_EQ(AppSettings.BackNo, 1);

    const struct {
        WPARAM key;
        uint32_t line;
    } steps[] = {
        {VK_UP, 0}, {VK_DOWN, 1}, {VK_NEXT, 2}, {VK_PRIOR, 1}, {VK_END, 9}, {VK_DOWN, 9}, {VK_HOME, 0},
    };
    for (const auto& s : steps) {
        Key(s.key);
        EXPECT_EQ(Doc.Place.line, s.line) << "key " << s.key;
    }
    SendMessageA(MainWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, -240), 0);
    EXPECT_EQ(Doc.Place.line, 1u) << "one line per message, whatever the distance";
    SendMessageA(MainWnd, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
    EXPECT_EQ(Doc.Place.line, 0u);

    // Typed numbers: 0-based index of the 1-based number, beyond the end the last line.
    const struct {
        std::vector<WPARAM> keys;
        uint32_t line;
    } typed[] = {{{'7'}, 6}, {{VK_NUMPAD1, '0'}, 9}, {{'9', '9', '9'}, 9}, {{'0'}, 9}, {{'0', '2'}, 1}};
    for (const auto& t : typed) {
        for (WPARAM k : t.keys)
            Key(k);
        SendMessageA(MainWnd, WM_TIMER, TIMER_NUMKEY, 0);
        EXPECT_EQ(Doc.Place.line, t.line);
    }

    Key(VK_F9);
    EXPECT_STREQ(Shown.text, "2: two\r\n");
    Key(VK_F9);
    EXPECT_STREQ(Shown.text, "two\r\n");
    EXPECT_EQ(WorkCopy(), kTenLines);
}

TEST_F(DocumentTest, TheSourceIsOnlyReadAndTheCopyIsHeldUnshared)
{
    StartWindow();
    std::string src = WriteText("story.txt", kTenLines);
    ASSERT_EQ(OpenFile(src), 0);
    HANDLE h = CreateFileA(src.c_str(), GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_NE(h, INVALID_HANDLE_VALUE) << "the source stays free for others to write";
    CloseHandle(h);
    h = CreateFileA((folder_ + "\\Skerrow.tmp").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                    OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(DeleteFileA(src.c_str())) << "nor is it kept from being deleted";
    Key(VK_END);
    EXPECT_STREQ(Shown.text, "ten\r\n") << "lines come from the working copy";
}

TEST_F(DocumentTest, LongLinesAreCutAndZeroBytesEndTheLine)
{
    StartWindow();
    const std::string exact(4096, 'x'), longer(5000, 'y');
    std::string src = WriteText("long.txt", exact + "\n" + longer + "\n" + std::string("ab\0cd\n", 6));
    ASSERT_EQ(OpenFile(src), 0);
    // 4,096 bytes and its line end: the end is cut, the text shows whole.
    EXPECT_EQ(std::string(Shown.text), exact);
    Key(VK_DOWN);
    EXPECT_EQ(std::string(Shown.text), std::string(4096, 'y'));
    AppSettings.LineDisp = 1;
    Key(VK_UP);
    EXPECT_EQ(std::string(Shown.text), "1: " + exact);
    Key(VK_END);
    EXPECT_STREQ(Shown.text, "3: ab");

    // In UTF-8 the cut leaves out a character it would split ("あ" is three
    // bytes); the mark of the working copy is never shown.
    const std::string kana = "\xE3\x81\x82";
    ASSERT_EQ(OpenFile(WriteText("u.txt", std::string(4094, 'u') + kana + "\n" + kana + "\n")), 0);
    EXPECT_EQ(std::string(Shown.text), "1: " + std::string(4094, 'u'));
    Key(VK_END);
    EXPECT_EQ(std::string(Shown.text), "2: " + kana + "\n");
}

TEST_F(DocumentTest, BadNamesAreRefusedAndTheTextStays)
{
    StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", kTenLines)), 0);
    const std::string tooLong = "C:\\" + std::string(300, 'n') + ".txt";
    const char* names[] = {"", tooLong.c_str()};
    for (const char* name : names) {
        Boxes.clear();
        EXPECT_EQ(OpenFile(name), -1);
        ExpectBox(0, kBadName, MainWnd, MB_OK);
        ExpectStillShowing();
    }
}

OPENFILENAMEW AskedFor;
std::string AskedFilter, AskedTitle;
BOOL WINAPI CancelOpenDialog(LPOPENFILENAMEW ofn)
{
    AskedFor = *ofn;
    const wchar_t* end = ofn->lpstrFilter;
    while (*end != L'\0')
        end += wcslen(end) + 1;
    AskedFilter = Narrow932(ofn->lpstrFilter, static_cast<int>(end - ofn->lpstrFilter));
    AskedTitle = Narrow932(ofn->lpstrTitle);
    return FALSE;
}

TEST_F(DocumentTest, TheOpenDialogAsksAndCancelChangesNothing)
{
    StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", kTenLines)), 0);
    Boxes.clear();
    {
        ImportHook dialog("comdlg32.dll", "GetOpenFileNameW", (void*)CancelOpenDialog);
        Key(VK_F1);
    }
    EXPECT_EQ(AskedFor.lStructSize, DWORD(OPENFILENAME_SIZE_VERSION_400W));
    EXPECT_EQ(AskedFor.hwndOwner, MainWnd);
    EXPECT_EQ(AskedFilter, std::string("txt\xCC\xA7\xB2\xD9 (*.TXT)\0*.TXT\0DAT\xCC\xA7\xB2\xD9 (*.DAT)\0*.DAT\0"
                                       "\x91\x53\x82\xC4\x82\xCC\xCC\xA7\xB2\xD9 (*.*)\0*.*\0", 65));
    EXPECT_EQ(AskedFor.nFilterIndex, 3u);
    EXPECT_EQ(AskedFor.nMaxFile, 260u);
    EXPECT_EQ(AskedTitle, "\xCC\xA7\xB2\xD9\x82\xF0\x8A\x4A\x82\xAD");  // ﾌｧｲﾙを開く
    EXPECT_EQ(AskedFor.Flags, DWORD(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY));
    EXPECT_TRUE(Boxes.empty()) << "Cancel says nothing";
    ExpectStillShowing();
}

TEST_F(DocumentTest, RefusalsKeepThePreviousTextOpen)
{
    StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", kTenLines)), 0);

    // 4 GiB, made sparse: its size alone refuses it.
    std::string huge = folder_ + "\\huge.txt";
    HANDLE h = CreateFileA(huge.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = 0x100000000ll;
    ASSERT_TRUE(SetFilePointerEx(h, size, NULL, FILE_BEGIN));
    ASSERT_TRUE(SetEndOfFile(h));
    CloseHandle(h);
    EXPECT_EQ(OpenFile(huge), -1);
    ExpectBox(0, kOpenError, NULL, MB_ICONERROR);
    ExpectStillShowing();

    Boxes.clear();
    EXPECT_EQ(OpenFile(folder_ + "\\missing.txt"), -1);
    ExpectBox(0, kOpenError, NULL, MB_ICONERROR);
    ExpectStillShowing();

    // Memory for the new index runs out half way.
    Boxes.clear();
    {
        ImportHook noBlocks("msvcrt.dll", "malloc", (void*)NoIndexBlock);
        MallocHook = &noBlocks;
        EXPECT_EQ(OpenFile(WriteText("other.txt", "a\nb\nc\nd\ne\n")), -1);
    }
    ExpectBox(0, kOpenError, NULL, MB_ICONERROR);
    ExpectStillShowing();

    // Nothing is in flux while a refusal is told: the program can be left.
    WhileBoxIsUp = [](const BoxCall&) { SendMessageA(MainWnd, WM_COMMAND, IDM_EXIT, 0); };
    EXPECT_EQ(OpenFile(folder_ + "\\missing.txt"), -1);
    EXPECT_FALSE(IsWindow(MainWnd));
}

BOOL WINAPI FailMove(LPCWSTR, LPCWSTR, DWORD)
{
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

// A text that turns out empty, or a working copy that cannot take the new
// text's place, leaves no text at all: nothing shown, no line, the feed off.
TEST_F(DocumentTest, AFailureAfterTheSwapLeavesNothingOpen)
{
    StartWindow();
    const struct {
        int blankSkip;
        std::string text;
        bool moveFails;
        const char* message;
    } cases[] = {{0, "", false, kNoLines}, {1, "\r\n\n\r\n", false, kNoLines}, {0, "a\nb\n", true, kOpenError}};
    for (const auto& c : cases) {
        ASSERT_EQ(OpenFile(WriteText("story.txt", kTenLines)), 0);
        Key(VK_DOWN);
        Key(VK_F5);
        AppSettings.BlankSkip = c.blankSkip;
        Boxes.clear();
        {
            std::unique_ptr<ImportHook> move;
            if (c.moveFails)
                move.reset(new ImportHook("kernel32.dll", "MoveFileExW", (void*)FailMove));
            EXPECT_EQ(OpenFile(WriteText("empty.txt", c.text)), -1);
        }
        ExpectBox(0, c.message, NULL, MB_ICONERROR);
        EXPECT_EQ(Doc.LineCnt, 0u);
        EXPECT_EQ(Doc.Place.line, 0u);
        EXPECT_STREQ(Shown.text, "");
        EXPECT_EQ(Narrow932(AppSettings.BackFile), "");
        EXPECT_EQ(AppSettings.BackNo, 0);
        EXPECT_EQ(AutoFlg, 0);
        EXPECT_FALSE(KillTimer(MainWnd, TIMER_AUTOFEED));
        EXPECT_FALSE(FeedChecked());
        EXPECT_FALSE(FileExists(folder_ + "\\Skerrow.new"));
        Key(VK_END);
        EXPECT_STREQ(Shown.text, "");
    }
}

TEST_F(DocumentTest, DatQuestionOnlyForFourSeparators)
{
    StartWindow();
    const struct {
        std::string first;
        int answer;
        size_t boxes;
        int datFlg;
    } cases[] = {
        {"n<>m<>d<>b<>t\n", IDOK, 1, 1},
        {"n<>m<>d<>b<>t\n", IDCANCEL, 1, 0},
        {"n<>m<>d<>b\n", IDOK, 0, 0},
        {"n<>m<>d<>b<>t<>x\n", IDOK, 0, 0},
        // The first displayable line is the one looked at.
        {"\n\r\nn<>m<>d<>b<>\n", IDOK, 1, 1},
        // Separators beyond the first 4,099 bytes of the line are not seen.
        {std::string(4096, 'z') + "<>a<>b<>c<>d\n", IDOK, 0, 0},
        {std::string(4087, 'z') + "<>a<>b<>c<>d\n", IDOK, 1, 1},
    };
    AppSettings.BlankSkip = 1;
    for (const auto& c : cases) {
        Boxes.clear();
        BoxAnswers = {c.answer};
        ASSERT_EQ(OpenFile(WriteText("t.dat", c.first + "second\n")), 0);
        ASSERT_EQ(Boxes.size(), c.boxes) << c.first.substr(0, 20);
        if (c.boxes)
            ExpectBox(0, kDatQuestion, NULL, MB_OKCANCEL);
        EXPECT_EQ(Doc.DatFlg, c.datFlg) << c.first.substr(0, 20);
    }
}

// In a text whose notation is read, a line of nothing but annotations and
// blanks is a blank line, left out with the others; the rule is the place's.
TEST_F(DocumentTest, LinesOfAnnotationsAloneAreBlankWhereTheNotationIsRead)
{
    StartWindow();
    const std::string text = "【テキスト中に現れる記号について】\r\n［＃改ページ］\r\n\r\n本文《ほんぶん》\r\n"
                             "　［＃「一」は中見出し］　\r\n終\r\n";
    const struct {
        int blankSkip, notation;
        uint32_t lines;
        int rule;
    } cases[] = {{0, 1, 6, 0}, {1, 0, 5, 1}, {1, 1, 3, 2}};
    for (const auto& c : cases) {
        AppSettings.BlankSkip = c.blankSkip;
        AppSettings.Notation = c.notation;
        ASSERT_EQ(OpenFile(WriteText("novel.txt", text)), 0);
        EXPECT_EQ(Doc.LineCnt, c.lines) << c.blankSkip << c.notation;
        EXPECT_EQ(AppSettings.BackSkip, c.rule) << c.blankSkip << c.notation;
    }
    Key(VK_DOWN);
    EXPECT_STREQ(Shown.text, "本文\r\n");
}

// Headings are looked for at the first chapter step, over the copy read in
// pieces: every one is found, wherever a piece ends.
TEST_F(DocumentTest, ChaptersAreFoundAtTheFirstStepAcrossTheCopysPieces)
{
    StartWindow();
    std::string text;
    uint32_t headings = 0;
    while (text.size() < (5u << 19)) {
        ++headings;
        text += "第" + std::to_string(headings) + "章\r\n" + std::string(60 + headings % 97, 'a') + "\r\n";
    }
    ASSERT_EQ(OpenFile(WriteText("chapters.txt", text)), 0);
    EXPECT_FALSE(Doc.Chapters.found);
    Key(VK_RIGHT);
    EXPECT_TRUE(Doc.Chapters.found);
    EXPECT_EQ(Doc.Chapters.count, headings);
    EXPECT_EQ(Doc.Place.line, 2u);
    EXPECT_STREQ(Shown.text, "第2章\r\n");
}

// Long work goes a piece at a time, one work at a time: a second start is
// refused meanwhile; Esc stops an open while it copies, not after its swap;
// the dat question holds the text in flux until it is answered.
TEST_F(DocumentTest, LongWorkGoesByPiecesOneAtATime)
{
    StartWindow();
    const std::string story = WriteText("story.txt", kTenLines);
    const std::string large = WriteText("large.txt", std::string(8u << 20, 'a') + "\r\nb\r\n");
    const std::string dat = WriteText("t.dat", "a<>b<>c<>d<>e\n");
    const int NEVER = -1, AT_QUESTION = 1000;
    const struct {
        std::string path;
        int stopAt;  // the piece after which the user stops it
        int answer;  // to the dat question; -1: none asked
        OpenOutcome outcome;
        int datFlg;
    } rows[] = {
        {story, NEVER, -1, OPEN_DONE, 0},
        {large, 2, -1, OPEN_REFUSED, 0},
        {large, NEVER, -1, OPEN_DONE, 0},
        {dat, NEVER, IDOK, OPEN_DONE, 1},
        {dat, AT_QUESTION, IDCANCEL, OPEN_DONE, 0},
    };
    for (const auto& row : rows) {
        const std::string was = Narrow932(Doc.Path);
        ASSERT_TRUE(StartOpen(Wide932(row.path.c_str()).text));
        EXPECT_FALSE(StartOpen(Wide932(story.c_str()).text)) << row.path;
        EXPECT_FALSE(StartHeadingSearch()) << row.path;
        int pieces = 0, asked = -1;
        for (WorkStep step; (step = WorkPiece()) != WORK_OVER;) {
            if (step == WORK_ASKS) {
                EXPECT_FALSE(TextSettled());
                EXPECT_STREQ(WorkQuestion(), DAT_QUESTION);
                if (row.stopAt == AT_QUESTION)
                    CancelWork();
                AnswerWork((asked = row.answer) == IDOK);
            } else if (++pieces == row.stopAt) {
                CancelWork();
            }
        }
        EXPECT_EQ(WorkUnderWay(), NO_WORK);
        EXPECT_EQ(asked, row.answer) << row.path;
        EXPECT_EQ(LastWork().open, row.outcome) << row.path;
        EXPECT_EQ(LastWork().cancelled, row.stopAt != NEVER) << row.path;
        EXPECT_EQ(Narrow932(Doc.Path), row.outcome == OPEN_DONE ? row.path : was);
        EXPECT_EQ(Doc.DatFlg, row.datFlg) << row.path;
        EXPECT_TRUE(TextSettled());
        EXPECT_FALSE(FileExists(folder_ + "\\Skerrow.new"));
    }
    ASSERT_EQ(OpenFile(story), 0);
    TextFinder finder;
    ASSERT_TRUE(PrepareFinder(&finder, "nine", 4, true, true));
    for (bool stop : {false, true}) {
        ASSERT_TRUE(StartFind(finder, true, 0));
        if (stop)
            CancelWork();
        while (WorkPiece() != WORK_OVER) {
        }
        EXPECT_EQ(LastWork().find, stop ? FIND_CANCELLED : FIND_FOUND);
        EXPECT_EQ(LastWork().found, stop ? 0u : 8u);
    }
}

// A look through a text past 41 MiB, where a percentage made in 32 bits
// wraps round, tells a progress that only grows.
TEST_F(DocumentTest, ProgressThroughALargeTextOnlyGrows)
{
    StartWindow();
    std::string text;
    for (const std::string line = std::string(78, 'a') + "\r\n"; text.size() < (48u << 20);)
        text += line;
    ASSERT_EQ(OpenFile(WriteText("large.txt", text)), 0);
    std::vector<unsigned> told;
    ASSERT_TRUE(StartHeadingSearch());
    while (WorkPiece() == WORK_GOING)
        told.push_back(WorkPercent());
    EXPECT_TRUE(Doc.Chapters.found);
    EXPECT_TRUE(told.size() > 10 && std::is_sorted(told.begin(), told.end()) && told.back() <= 100);
}

// Of a text of three chapters and prose that begins as headings do, the
// three are listed: the third's annotations make its line long, and lines
// that show nothing, or mark 見出し as a word, are none.
TEST_F(DocumentTest, ChaptersAreTheHeadingsNotTheProse)
{
    StartWindow();
    const std::string text = "第一章　旅立ち\r\n第三部隊、前へ！\r\n第一回目の手術は成功した。\r\n第二話を見終えて…\r\n"
                             "Part civil, part military.\r\nChapter civic duty…\r\n第二章\r\n［＃ここから中見出し］\r\n"
                             "［＃ここで中見出し終わり］\r\n［＃２字下げ］見出し［＃「見出し」に傍点］だけ読む\r\n"
                             "［＃５字下げ］第三章　長い長い旅の始まりとその終わりについての長い話"
                             "［＃「第三章　長い長い旅の始まりとその終わりについての長い話」は中見出し］\r\n終\r\n";
    ASSERT_EQ(OpenFile(WriteText("novel.txt", text)), 0);
    Key(VK_RIGHT);
    EXPECT_EQ(Doc.Chapters.count, 3u);
    EXPECT_EQ(Doc.Place.line, 6u);
    Key(VK_RIGHT);
    EXPECT_EQ(Doc.Place.line, 10u);
}

// Each text opens where it was left, from a drop or its menu; the menus
// list the texts, the open one checked; one that cannot be read any more
// leaves the list, and emptying the list keeps the open text.
TEST_F(DocumentTest, RecentTextsReopenWhereTheyWereLeft)
{
    StartWindow();
    const std::string a = WriteText("a.txt", kTenLines), b = WriteText("b.txt", kTenLines);
    ASSERT_EQ(OpenFile(a), 0);
    Key(VK_DOWN);
    Key(VK_DOWN);
    ASSERT_EQ(OpenFile(b), 0);
    EXPECT_STREQ(Shown.text, "one\r\n");
    Key(VK_END);
    ASSERT_EQ(OpenFile(a), 0);
    EXPECT_STREQ(Shown.text, "three\r\n");
    auto items = [] {
        HMENU menu = MakeMenu(IDR_POPUPMENU);
        HMENU recent = GetSubMenu(GetSubMenu(menu, 0), 1);
        std::string shown;
        for (int i = 0; i < GetMenuItemCount(recent); ++i) {
            char text[64] = {};
            GetMenuStringA(recent, i, text, sizeof text, MF_BYPOSITION);
            shown += std::string(GetMenuState(recent, i, MF_BYPOSITION) & MF_CHECKED ? "+" : "") + text + "|";
        }
        DestroyMenu(menu);
        return shown;
    };
    EXPECT_EQ(items(), "+&1 a.txt|&2 b.txt||履歴を消去(&C)|");
    SendMessageA(MainWnd, WM_COMMAND, IDM_RECENT + 1, 0);
    EXPECT_STREQ(Shown.text, "ten\r\n");
    // A copy that cannot be written (a folder in its place) is no reason to forget a.
    const std::string blocked = folder_ + "\\Skerrow.new";
    ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), NULL));
    SendMessageA(MainWnd, WM_COMMAND, IDM_RECENT + 1, 0);
    ExpectBox(0, kOpenError, NULL, MB_ICONERROR);
    EXPECT_EQ(items(), "+&1 b.txt|&2 a.txt||履歴を消去(&C)|");
    ASSERT_TRUE(RemoveDirectoryA(blocked.c_str()));
    ASSERT_TRUE(DeleteFileA(a.c_str()));
    SendMessageA(MainWnd, WM_COMMAND, IDM_RECENT + 1, 0);
    ExpectBox(1, kOpenError, NULL, MB_ICONERROR);
    EXPECT_EQ(items(), "+&1 b.txt||履歴を消去(&C)|");
    SendMessageA(MainWnd, WM_COMMAND, IDM_RECENTCLEAR, 0);
    EXPECT_EQ(items(), "+&1 b.txt||履歴を消去(&C)|");
    SendMessageA(MainWnd, WM_COMMAND, IDM_CLEAR, 0);
    SendMessageA(MainWnd, WM_COMMAND, IDM_RECENTCLEAR, 0);
    EXPECT_EQ(items(), "(なし)|");
    EXPECT_EQ(IniValue("RECENT", "File1"), "<missing>");
}

// The place was counted with blank lines kept; the text comes back with
// them left out, in each form its working copy can take.
TEST_F(DocumentTest, ARecentTextComesBackOnItsLineUnderANewLineRule)
{
    StartWindow();
    const std::string other = WriteText("other.txt", kTenLines);
    const std::string utf8 = "\xC3\xBC\r\n\r\ntwo\r\n\r\nthree\r\n\r\nfour\r\n";
    const std::wstring wide = L"\xFEFF\xFC\r\n\r\ntwo\r\n\r\nthree\r\n\r\nfour\r\n";
    const std::string utf16(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, utf16}) {
        const std::string text = WriteText(std::to_string(bytes.size()) + ".txt", bytes);
        AppSettings.BlankSkip = 0;
        ASSERT_EQ(OpenFile(text), 0);
        for (int i = 0; i < 4; ++i)
            Key(i == 2 ? 'M' : VK_DOWN);  // a bookmark at "two"
        Key(VK_DOWN);
        ASSERT_EQ(OpenFile(other), 0);
        AppSettings.BlankSkip = 1;
        ASSERT_EQ(OpenFile(text), 0);
        EXPECT_STREQ(Shown.text, "three\r\n") << bytes.size() << " bytes";
        ASSERT_EQ(Doc.Marks.count, 1u);
        EXPECT_EQ(Doc.Marks.at[0].line, 1u) << "found again with the place";
    }
}

// A text whose first 64 KiB are ASCII is told by the 64 KiB from its first other byte, also where that
// cuts 64 KiB or lies past the copy's first piece (the copying begun again, its progress never going
// back); its notation is judged from its start, as a restore judges it.
TEST_F(DocumentTest, AnAsciiStartLeavesTheEncodingToTheBytesAfterIt)
{
    StartWindow();
    const wchar_t novel[] = L"親譲《おやゆず》りの無鉄砲《むてっぽう》で小供《こども》の時から損ばかりしている。\r\n";
    char utf8[256], cp932[256];
    WideCharToMultiByte(CP_UTF8, 0, novel, -1, utf8, sizeof utf8, NULL, NULL);
    WideCharToMultiByte(932, 0, novel, -1, cp932, sizeof cp932, NULL, NULL);
    const std::string line = std::string(62, 'L') + "\r\n";
    const struct { size_t licenceLines; std::string after; bool unicode; } rows[] = {
        {1600, utf8, true}, {1023, line.substr(1) + utf8, true}, {32767, line.substr(32) + utf8, true},
        {1600, cp932, false}, {1600, "", false}};
    for (const auto& row : rows) {
        std::string text;
        for (size_t i = 0; i < row.licenceLines; ++i)
            text += line;
        text += row.after;
        ASSERT_TRUE(StartOpen(Wide932(WriteText("novel.txt", text).c_str()).text));
        std::vector<unsigned> told;
        while (WorkPiece() == WORK_GOING)
            told.push_back(WorkPercent());
        EXPECT_TRUE(std::is_sorted(told.begin(), told.end())) << row.licenceLines;
        EXPECT_EQ(Doc.Unicode, row.unicode) << row.licenceLines;
        EXPECT_FALSE(Doc.Notation) << row.licenceLines;
        Key(VK_END);
        EXPECT_EQ(Shown.text, text.substr(text.rfind('\n', text.size() - 2) + 1)) << row.licenceLines;
        EXPECT_TRUE(WorkCopy() == (row.unicode ? "\xEF\xBB\xBF" : "") + text) << row.licenceLines;
    }
}

// A text chosen as EUC-JP, GBK or Big5 from the menu is read again at its line into a UTF-8 copy, the
// characters whole across the copy's pieces wherever they fall; the menu checks the choice, the recent
// entry keeps it, and 自動判定 gives it up.
TEST_F(DocumentTest, AChosenEncodingReadsTheTextAgainAtItsLine)
{
    StartWindow();
    const std::wstring line = L"天地人、日月山川。大小上下中文字 ABC\r\n";
    const std::pair<TextEncoding, UINT> rows[] = {{TEXT_EUCJP, 20932}, {TEXT_GBK, 936}, {TEXT_BIG5, 950}};
    auto checked = [] {
        HMENU menu = MakeMenu(IDR_POPUPMENU);
        std::string marks;
        for (int id = IDM_ENCODINGTOLD; id < IDM_ENCODING + TEXT_ENCODINGS; ++id)
            marks += GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED ? "+" : "-";
        DestroyMenu(menu);
        return marks;
    };
    auto choose = [this](int id) {
        SendMessageA(MainWnd, WM_COMMAND, id, 0);
        FinishWork();
    };
    for (const auto& row : rows)
        for (size_t shift : {0, 1}) {
            std::wstring wide = std::wstring(shift, L'x');
            while (wide.size() < 400000)
                wide += line;
            std::string utf8(3 * wide.size(), '\0'), bytes(3 * wide.size(), '\0');
            utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), &utf8[0], int(utf8.size()), NULL, NULL));
            bytes.resize(WideCharToMultiByte(row.second, 0, wide.data(), int(wide.size()), &bytes[0], int(bytes.size()), NULL, NULL));
            const std::string name = ENCODING_NAMES[row.first];
            ASSERT_EQ(OpenFile(WriteText(name + std::to_string(shift) + ".txt", bytes)), 0);
            NavigateTo(MainWnd, NAV_CLAMP, 5);
            choose(IDM_ENCODING + row.first);
            EXPECT_EQ(Doc.Place.line, 5u);
            EXPECT_EQ(checked(), "-" + std::string(row.first, '-') + "+" + std::string(6 - row.first, '-'));
            EXPECT_EQ(IniValue("RECENT", "Code1").substr(0, name.size() + 1), name + ",");
            choose(IDM_ENCODINGTOLD);
            EXPECT_EQ(checked(), "++------");
            EXPECT_EQ(IniValue("RECENT", "Code1"), "<missing>");
            choose(IDM_ENCODING + row.first);
            EXPECT_TRUE(WorkCopy() == "\xEF\xBB\xBF" + utf8) << name << shift;
        }
}

TEST_F(DocumentTest, WhileTheDatQuestionIsUpNothingReleasesTheText)
{
    HWND w = StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", "\xEF\xBB\xBF" + kTenLines)), 0);
    AppSettings.EndFlg = 0;
    SendMessageA(w, WM_KEYDOWN, VK_F5, 0);
    ASSERT_EQ(AutoFlg, 1);
    WhileBoxIsUp = [&](const BoxCall&) {
        SendMessageA(w, WM_KEYDOWN, VK_END, 0);
        SendMessageA(w, WM_TIMER, TIMER_AUTOFEED, 0);
        SendMessageA(w, WM_COMMAND, IDM_CLEAR, 0);
        SendMessageA(w, WM_COMMAND, IDM_OPEN, 0);
        EXPECT_EQ(OpenFile("C:\\other.txt"), -1);
        SendMessageA(w, WM_CLOSE, 0, 0);
        SendMessageA(w, WM_COMMAND, IDM_EXIT, 0);
        EXPECT_EQ(Doc.Place.line, 0u);
        EXPECT_TRUE(Shown.unicode) << "the old line is painted in its own encoding";
        // The working copy already holds the new text: so must the file.
        SendMessageA(w, WM_QUERYENDSESSION, 0, 0);
        EXPECT_EQ(IniValue("BACKUP", "BackFile"), folder_ + "\\t.dat");
        EXPECT_EQ(IniValue("BACKUP", "BackNo"), "1");
    };
    BoxAnswers = {IDOK};
    std::string dat = "a<>b<>c<>d<>e\nf<>g<>h<>i<>\n";
    ASSERT_EQ(OpenFile(WriteText("t.dat", dat)), 0);
    WhileBoxIsUp = nullptr;
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Doc.LineCnt, 2u);
    SendMessageA(w, WM_KEYDOWN, VK_END, 0);
    EXPECT_EQ(Doc.Place.line, 1u);
    EXPECT_EQ(AutoFlg, 1) << "opening leaves the feed alone";
    EXPECT_EQ(WorkCopy(), dat);
    Pump();
    EXPECT_FALSE(IsWindow(w)) << "the exit asked for during the question follows it";
}

std::vector<UINT> FeedPeriods;
ImportHook* TimerHook;
UINT_PTR WINAPI CountFeedStarts(HWND window, UINT_PTR id, UINT ms, TIMERPROC procedure)
{
    if (id == TIMER_AUTOFEED)
        FeedPeriods.push_back(ms);
    return TimerHook->original<decltype(&SetTimer)>()(window, id, ms, procedure);
}

TEST_F(DocumentTest, AutoFeedStepsAndStopsOnClear)
{
    HWND w = StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", "a\nb\n")), 0);
    SendMessageA(w, WM_COMMAND, IDM_AUTOFEED, 0);
    EXPECT_EQ(AutoFlg, 1);
    EXPECT_TRUE(FeedChecked());
    {
        // Every line shown, whatever showed it, has the whole period.
        ImportHook timers("user32.dll", "SetTimer", (void*)CountFeedStarts);
        TimerHook = &timers;
        FeedPeriods.clear();
        SendMessageA(w, WM_TIMER, TIMER_AUTOFEED, 0);
        EXPECT_STREQ(Shown.text, "b\n");
        SendMessageA(w, WM_TIMER, TIMER_AUTOFEED, 0);
        EXPECT_STREQ(Shown.text, "b\n") << "the feed stays on the last line";
        Key(VK_UP);
        SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
        EXPECT_EQ(FeedPeriods.size(), 4u);
    }
    // A log-off stops it; when called off, it runs again.
    SendMessageA(w, WM_QUERYENDSESSION, 0, 0);
    EXPECT_FALSE(KillTimer(w, TIMER_AUTOFEED));
    SendMessageA(w, WM_ENDSESSION, FALSE, 0);
    EXPECT_TRUE(KillTimer(w, TIMER_AUTOFEED));

    SendMessageA(w, WM_COMMAND, IDM_CLEAR, 0);
    EXPECT_EQ(AutoFlg, 0);
    EXPECT_FALSE(FeedChecked());
    EXPECT_STREQ(Shown.text, "");
    EXPECT_EQ(Doc.LineCnt, 0u);
    EXPECT_FALSE(WorkCopyExists());
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "0");
    EXPECT_EQ(IniValue("BACKUP", "BackFile"), "");
}

TEST_F(DocumentTest, TheFeedStaysForTheLineShownAndWaitsWhileHidden)
{
    WriteIni("[OPTION]\r\nLineDisp=1\r\nFeedByLength=1\r\nFeedSpeed=600\r\n");
    HWND w = StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", std::string(20, '\xB1') + "\r\n" + std::string(60, 'b') + "\r\nc\r\n")), 0);
    ImportHook timers("user32.dll", "SetTimer", (void*)CountFeedStarts);
    TimerHook = &timers;
    FeedPeriods.clear();
    Key(VK_F5);
    SendMessageA(w, WM_TIMER, TIMER_AUTOFEED, 0);
    Key(VK_ESCAPE);
    EXPECT_FALSE(KillTimer(w, TIMER_AUTOFEED)) << "hidden, the feed has no timer";
    Key(VK_F5);
    SendMessageA(w, WM_COMMAND, IDM_AUTOFEED, 0);
    EXPECT_EQ(AutoFlg, 1);
    SendMessageA(w, WM_HOTKEY, HOTKEY_SHOW, 0);
    // 10 characters a second, the number and the line's end unread; shown, the line's whole period again.
    EXPECT_EQ(FeedPeriods, (std::vector<UINT>{2000, 6000, 6000}));
}

HDROP MakeDrop(const std::vector<std::string>& files)
{
    size_t bytes = sizeof(DROPFILES) + 1;
    for (const std::string& f : files)
        bytes += f.size() + 1;
    HGLOBAL mem = GlobalAlloc(GHND, bytes);
    DROPFILES* drop = static_cast<DROPFILES*>(GlobalLock(mem));
    drop->pFiles = sizeof(DROPFILES);
    char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const std::string& f : files) {
        memcpy(p, f.c_str(), f.size() + 1);
        p += f.size() + 1;
    }
    GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

TEST_F(DocumentTest, DroppedFilesOpenTheFirstOnly)
{
    HWND w = StartWindow();
    std::string first = WriteText("first.txt", "first\n");
    std::string second = WriteText("second.txt", "second\n");
    SendMessageA(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({first, second, second})), 0);
    EXPECT_STREQ(Shown.text, "first\n");
    EXPECT_EQ(Narrow932(AppSettings.BackFile), first.c_str());

    // A name longer than a path holds is refused, not cut into another name.
    SendMessageA(w, WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({"C:\\" + std::string(280, 'q')})), 0);
    ExpectBox(0, kBadName, w, MB_OK);
    EXPECT_STREQ(Shown.text, "first\n");
}

TEST_F(DocumentTest, DatFilesShowPostsWhenAsked)
{
    StartWindow();
    const std::string dat =
        "Anonymous<>sage<>2009/01/01 00:00:00 ID:abc<> first<br>second <>Title\r\n"
        "Anon </b>X<b><>sage<>2009/01/01 &amp; <b>x</b><> &lt;a href=x&gt; <>\r\n"
        "n<>m<>d<>body\r\n";
    // 名前： and 投稿日： in code page 932
    const std::string name = "\x96\xBC\x91\x4F\x81\x46", posted = "\x93\x8A\x8D\x65\x93\xFA\x81\x46";
    const std::string asPosts[] = {
        "1 " + name + "Anonymous[sage] " + posted + "2009/01/01 00:00:00 ID:abc\r\n first\r\nsecond ",
        "2 " + name + "Anon X[sage] " + posted + "2009/01/01 &amp; <b>x</b>\r\n <a href=x> ",
        "3: n<>m<>d<>body\r\n",
    };
    for (int answer : {IDOK, IDCANCEL}) {
        BoxAnswers = {answer};
        AppSettings.LineDisp = 1;
        ASSERT_EQ(OpenFile(WriteText("thread.dat", dat)), 0);
        for (uint32_t i = 0; i < 3; ++i) {
            NavigateTo(MainWnd, NAV_CLAMP, i);
            if (answer == IDOK)
                EXPECT_EQ(std::string(Shown.text), asPosts[i]) << "line " << i;
            else
                EXPECT_EQ(std::string(Shown.text).substr(0, 3), std::to_string(i + 1) + ": ") << "line " << i;
        }
    }
}

class RestoreTest : public DocumentTest {
protected:
    // A first run that opened a text, gave a command (unless 0), went to
    // line `line`, switched BlankSkip to blankSkip on the General page
    // (unless -1) and exited.
    void RunOnce(const std::string& text, int line, int blankSkip = -1, int command = 0)
    {
        HWND w = StartWindow();
        ASSERT_EQ(OpenFile(WriteText("story.txt", text)), 0);
        if (command != 0)
            SendMessageA(w, WM_COMMAND, command, 0);
        FinishWork();
        for (int i = 1; i < line; ++i)
            Key(VK_DOWN);
        if (blankSkip >= 0) {
            AppSettings.BlankSkip = blankSkip;
            SaveSettings(GENERAL_PAGE);
        }
        SendMessageA(w, WM_CLOSE, 0, 0);
        ASSERT_FALSE(IsWindow(w));
        Pump();
        Boxes.clear();
    }
};

TEST_F(RestoreTest, AcceptedRestoreShowsTheLastLine)
{
    RunOnce(kTenLines, 4);
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "4");
    BoxAnswers = {IDOK};
    StartWindow();
    ExpectBox(0, kRestoreQuestion, NULL, MB_OKCANCEL);
    EXPECT_EQ(Doc.Place.line, 3u);
    EXPECT_STREQ(Shown.text, "four\r\n");
    EXPECT_EQ(AppSettings.BackNo, 4);
    EXPECT_NE(Narrow932(AppSettings.BackFile).find("story.txt"), std::string::npos);
}

// A text taken up at start is read as it was: as its source tells, or in the encoding chosen for it.
TEST_F(RestoreTest, ARestoredTextIsReadAsBefore)
{
    for (int id : {IDM_ENCODINGTOLD, IDM_ENCODING + TEXT_GBK}) {
        RunOnce(std::string("\xFF\xFE" "a\0\n\0", 6), 1, -1, id);
        BoxAnswers = {IDOK};
        HWND w = StartWindow();
        EXPECT_EQ(Doc.Encoding, id == IDM_ENCODINGTOLD ? TEXT_UTF16LE : TEXT_GBK);
        EXPECT_EQ(Doc.Chosen, id == IDM_ENCODINGTOLD ? NONE_CHOSEN : ChoiceOf(TEXT_GBK));
        SendMessageA(w, WM_CLOSE, 0, 0);
    }
}

// BlankSkip changed after the text was opened: the place still names the
// line that was shown, or where that was a blank line now left out, the next.
TEST_F(RestoreTest, TheRestoredLineIsTheOneShownWhateverBlankSkipSaysNow)
{
    const struct {
        int before, after, line;
        const char* shown;
    } cases[] = {{0, 1, 3, "two\r\n"}, {0, 1, 4, "three\r\n"}, {1, 0, 2, "two\r\n"}, {1, 0, 3, "three\r\n"}};
    for (const auto& c : cases) {
        WriteIni("[OPTION]\r\nBlankSkip=" + std::to_string(c.before) + "\r\n");
        RunOnce("one\r\n\r\ntwo\r\n\r\nthree\r\n", c.line, c.after);
        BoxAnswers = {IDOK};
        SendMessageA(StartWindow(), WM_CLOSE, 0, 0);
        EXPECT_STREQ(Shown.text, c.shown) << "line " << c.line << " with BlankSkip " << c.before;
        EXPECT_EQ(IniValue("BACKUP", "BackSkip"), "<missing>") << "the rule goes without saying again";
        Pump();
    }
}

TEST_F(RestoreTest, StoredLinesBeyondTheEndShowTheLastLine)
{
    RunOnce(kTenLines, 2);
    const char* backNos[] = {"25", "-3", "-2147483648"};
    for (const char* backNo : backNos) {
        WritePrivateProfileStringA("BACKUP", "BackNo", backNo, IniPath().c_str());
        BoxAnswers = {IDOK};
        HWND w = StartWindow();
        EXPECT_EQ(Doc.Place.line, 9u) << "BackNo " << backNo;
        EXPECT_STREQ(Shown.text, "ten\r\n");
        SendMessageA(w, WM_CLOSE, 0, 0);
        Pump();
    }
}

TEST_F(RestoreTest, DeclinedRestoreForgetsTheText)
{
    RunOnce(kTenLines, 3);
    BoxAnswers = {IDCANCEL};
    HWND w = StartWindow();
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_FALSE(WorkCopyExists());
    EXPECT_EQ(Doc.LineCnt, 0u);
    SendMessageA(w, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "0");
    EXPECT_EQ(IniValue("BACKUP", "BackFile"), "");
    Boxes.clear();
    StartWindow();
    EXPECT_TRUE(Boxes.empty()) << "nothing is offered next time";
}

TEST_F(RestoreTest, AMissingCopyIsReportedAndOfferedAgain)
{
    RunOnce(kTenLines, 5);
    ASSERT_TRUE(DeleteFileA((folder_ + "\\Skerrow.tmp").c_str()));
    BoxAnswers = {IDOK};
    HWND w = StartWindow();
    ASSERT_EQ(Boxes.size(), 2u);
    ExpectBox(1, kCannotReopen, NULL, MB_ICONERROR);
    EXPECT_EQ(Doc.LineCnt, 0u);
    SendMessageA(w, WM_CLOSE, 0, 0);
    Pump();
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "5");
    Boxes.clear();
    StartWindow();
    ExpectBox(0, kRestoreQuestion, NULL, MB_OKCANCEL);
}

TEST_F(RestoreTest, NothingOfferedWithoutALineOrWhenSwitchedOff)
{
    RunOnce(kTenLines, 2);
    WritePrivateProfileStringA("BACKUP", "BackFlg", "0", IniPath().c_str());
    StartWindow();
    EXPECT_TRUE(Boxes.empty());
    EXPECT_FALSE(WorkCopyExists());
}

ImportHook* ReadHook;
int Reads;
bool CallOffAndFail;
// While a text is opened: once its index has begun (the read after the one
// that tells the encoding) BlankSkip changes, as the options sheet may
// change it meanwhile; or the log-off is called off and the first read fails.
BOOL WINAPI WhileOpening(HANDLE file, void* bytes, DWORD n, DWORD* got, OVERLAPPED* overlapped)
{
    if (++Reads == 2)
        AppSettings.BlankSkip = 1;
    if (!CallOffAndFail || Reads > 1)
        return ReadHook->original<decltype(&ReadFile)>()(file, bytes, n, got, overlapped);
    SendMessageA(MainWnd, WM_ENDSESSION, FALSE, 0);
    return FALSE;
}

TEST_F(RestoreTest, ACancelledLogOffTakesTheTextUpAgain)
{
    HWND w = StartWindow();
    ImportHook reads("kernel32.dll", "ReadFile", (void*)WhileOpening);
    ReadHook = &reads;
    Reads = 0;
    CallOffAndFail = false;
    ASSERT_EQ(OpenFile(WriteText("story.txt", "one\r\n\r\ntwo\r\nthree\r\n")), 0);
    ASSERT_EQ(AppSettings.BlankSkip, 1);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(SendMessageA(w, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(Doc.WorkHandle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "3");
    // What reaches the window before the log-off is called off moves nothing.
    Key(VK_DOWN);
    SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
    Key('1');
    SendMessageA(w, WM_TIMER, TIMER_NUMKEY, 0);
    // Called off while another text is opened, an open that then fails:
    // the text is taken up after it.
    Reads = 0;
    CallOffAndFail = true;
    EXPECT_EQ(OpenFile(WriteText("other.txt", "other\n")), -1);
    ExpectBox(0, kOpenError, NULL, MB_ICONERROR);
    EXPECT_EQ(Doc.LineCnt, 4u) << "the same lines, blank one included";
    EXPECT_EQ(Doc.Place.line, 2u);
    EXPECT_STREQ(Shown.text, "two\r\n");
    Key(VK_DOWN);
    EXPECT_STREQ(Shown.text, "three\r\n");
}

// The settings file always names the working copy: at once when an open
// or a clear changes it; the line within the gathering period (its timer
// sent by hand here), and at once when the window hides.
TEST_F(DocumentTest, TheFileFollowsTheCopyAndTheLine)
{
    StartWindow();
    std::string src = WriteText("story.txt", kTenLines);
    ASSERT_EQ(OpenFile(src), 0);
    const struct {
        WPARAM key;  // 0: the gathering timer is over
        const char* backNo;
    } steps[] = {{0, "1"}, {VK_DOWN, "1"}, {VK_DOWN, "1"}, {0, "3"}, {0, "3"}, {VK_END, "3"}, {VK_ESCAPE, "10"}};
    for (const auto& step : steps) {
        if (step.key != 0)
            Key(step.key);
        else
            SendMessageA(MainWnd, WM_TIMER, TIMER_SAVEPLACE, 0);
        EXPECT_EQ(IniValue("BACKUP", "BackNo"), step.backNo) << "after key " << step.key;
        EXPECT_EQ(IniValue("BACKUP", "BackFile"), src);
    }
    SendMessageA(MainWnd, WM_COMMAND, IDM_CLEAR, 0);
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "0");
    EXPECT_EQ(IniValue("BACKUP", "BackFile"), "");
}

}  // namespace
