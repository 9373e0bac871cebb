// The jump, file-information and version dialogs, opened by their keys and
// commands and answered as a user would, and the help command.
#include <windows.h>

#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "base/settings.h"
#include "dialogs/dialogs.h"
#include "document/document.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "tests/wine/import_hook.h"
#include "tests/wine/modal_script.h"
#include "window/layout.h"
#include "window/mainwnd.h"
#include "window/paint.h"
#include "window/picture.h"
#include "window/view.h"

namespace {

// The texts as code page 932 bytes: 一行ずつ読むﾃｷｽﾄﾋﾞｭｰｱ, ﾍﾙﾌﾟﾌｧｲﾙが存在しません。,
// ﾍﾙﾌﾟﾌｧｲﾙの起動に失敗しました。 and ｴﾗｰ.
const char kVersionSecondLine[] =
    "\x88\xEA\x8D\x73\x82\xB8\x82\xC2\x93\xC7\x82\xDE\xC3\xB7\xBD\xC4\xCB\xDE\xAD\xB0\xB1";
const char kHelpMissing[] =
    "\xCD\xD9\xCC\xDF\xCC\xA7\xB2\xD9\x82\xAA\x91\xB6\x8D\xDD\x82\xB5\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const char kHelpFailed[] =
    "\xCD\xD9\xCC\xDF\xCC\xA7\xB2\xD9\x82\xCC\x8B\x4E\x93\xAE\x82\xC9\x8E\xB8\x94\x73\x82\xB5\x82\xDC\x82\xB5\x82\xBD"
    "\x81\x42";
const char kErrorCaption[] = "\xB4\xD7\xB0";
const char kHelpTitle[] = "Skerrow \x83\x77\x83\x8B\x83\x76";  // Skerrow ヘルプ, the help file's title

class SmallDialogTest : public StartFolderTest {
protected:
    // Opens a text of `count` lines "line 1" ... and returns its path.
    std::string OpenLines(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\n";
        std::string path = WriteText("story.txt", text);
        EXPECT_EQ(OpenFile(path.c_str()), 0);
        return path;
    }
    // Sends what a user's key or command sends while `act` runs on the
    // dialog that comes up; true when it came up and `act` was done.
    static bool WithDialog(UINT message, WPARAM wParam, std::function<void(HWND dialog)> act)
    {
        ModalScript run({[act] {
            HWND dialog = ActiveDialog();
            if (dialog != NULL)
                act(dialog);
            return dialog != NULL;
        }});
        SendMessageA(MainWnd, message, wParam, 0);
        return run.Done();
    }
    static bool Repainting() { return GetUpdateRect(MainWnd, NULL, FALSE) != FALSE; }
};

TEST_F(SmallDialogTest, WithNoTextTheJumpAndInformationKeysShowNothing)
{
    StartWindow();
    for (WPARAM key : {WPARAM('J'), WPARAM(VK_F4), WPARAM('P'), WPARAM(VK_F8)}) {
        ModalScript run({[] { return true; }});
        SendMessageA(MainWnd, WM_KEYDOWN, key, 0);
        EXPECT_FALSE(run.Started()) << "a dialog came up for key " << key;
    }
}

TEST_F(SmallDialogTest, TheJumpFieldTakesNoMoreDigitsThanTheLineCountButRoomFor100Percent)
{
    StartWindow();
    const struct {
        int lines;
        LRESULT digits;
    } cases[] = {{9, 4}, {250, 4}, {10000, 5}};
    for (const auto& c : cases) {
        OpenLines(c.lines);
        EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'J', [&c](HWND dialog) {
            HWND field = GetDlgItem(dialog, IDC_LINENO);
            EXPECT_EQ(SendMessageA(field, EM_GETLIMITTEXT, 0, 0), c.digits);
            EXPECT_EQ(TextOf(field), "");
            EXPECT_EQ(GetFocus(), field);
            TypeInto(field, "12345");
            EXPECT_EQ(TextOf(field), std::string("12345", c.digits));
            PressKey(VK_ESCAPE);
        }));
    }
}

TEST_F(SmallDialogTest, JumpShowsTheTypedLineAndRepaintsOnlyWhenItMoves)
{
    StartWindow();
    OpenLines(250);
    enum How { TYPED, PASTED };
    const struct {
        uint32_t from;
        How how;
        const char* number;
        UINT key;
        uint32_t shown;
    } cases[] = {
        {99, TYPED, "7", VK_RETURN, 6},       {99, TYPED, "999", VK_RETURN, 249}, {99, TYPED, "0", VK_RETURN, 0},
        {99, TYPED, "2500", VK_RETURN, 249},  {99, TYPED, "50%", VK_RETURN, 131},  {99, TYPED, "0%", VK_RETURN, 0},
        {0, TYPED, "100%", VK_RETURN, 249},   {99, TYPED, "250%", VK_RETURN, 249}, {99, TYPED, "5%0", VK_RETURN, 99},
        {99, TYPED, "", VK_RETURN, 99},       {99, TYPED, "5", VK_ESCAPE, 99},    {99, TYPED, "100", VK_RETURN, 99},
        {249, TYPED, "999", VK_RETURN, 249},  // beyond the end while on the last line
        {99, PASTED, "-5", VK_RETURN, 99},    {99, PASTED, "7a", VK_RETURN, 99},
    };
    for (const auto& c : cases) {
        NavigateTo(MainWnd, NAV_CLAMP, c.from);
        ValidateRect(MainWnd, NULL);
        EXPECT_TRUE(WithDialog(WM_KEYDOWN, VK_F4, [&c](HWND dialog) {
            HWND field = GetDlgItem(dialog, IDC_LINENO);
            if (c.how == TYPED)
                TypeInto(field, c.number);
            else
                PasteInto(field, c.number);
            PressKey(c.key);
        }));
        EXPECT_EQ(Doc.Place.line, c.shown) << c.number;
        EXPECT_EQ(Shown.text, "line " + std::to_string(c.shown + 1) + "\n");
        EXPECT_EQ(Repainting(), c.shown != c.from) << c.number;
    }
}

TEST_F(SmallDialogTest, FileInformationShowsPathLineCountAndLine)
{
    StartWindow();
    std::string path = OpenLines(120);
    NavigateTo(MainWnd, NAV_CLAMP, 6);
    const std::string expected = "\xCC\xA7\xB2\xD9\x96\xBC\x81\x46\r\n" + path +
                                 "\r\n\r\n\x91\x53\x8D\x73\x90\x94\x81\x46" "120\x8D\x73\r\n"
                                 "\x8C\xBB\x8D\xDD\x8D\x73\x81\x46" "7\x8D\x73\r\n"
                                 "\x8C\xBB\x8D\xDD\x88\xCA\x92\x75\x81\x46" "4%";  // byte 42 of 972
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'P', [&](HWND dialog) {
            HWND info = GetDlgItem(dialog, IDC_INFOTEXT);
            EXPECT_EQ(TextOf(info), expected);
            EXPECT_EQ(GetFocus(), info);
            PressKey(key);
        }));
    }
}

TEST_F(SmallDialogTest, TheVersionDialogShowsTheVersionAndTheAddressFocused)
{
    StartWindow();
    for (int close = 0; close < 3; ++close) {
        EXPECT_TRUE(WithDialog(WM_COMMAND, IDM_VERSION, [close](HWND dialog) {
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_VERSION)), "Ver1.00");
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_SITE)), "https://skerrow.invalid/");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_SITE));
            EXPECT_NE(FindWindowExA(dialog, NULL, "Static", kVersionSecondLine), HWND(NULL));
            if (close == 2)
                PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
            else
                PressKey(close == 0 ? VK_RETURN : VK_ESCAPE);
        })) << "close " << close;
    }
}

// Every attempt of the program to load the HTML Help library, and whether
// it is refused (as on a system without HTML Help).
std::vector<std::string> HelpLoads;
bool RefuseHelpLibrary;
std::unique_ptr<ImportHook> LoadHook;

HMODULE WINAPI RecordLoad(LPCSTR name)
{
    std::string lower = name;
    for (char& ch : lower)
        ch = static_cast<char>(tolower(static_cast<unsigned char>(ch)));
    if (lower.find("hhctrl") != std::string::npos) {
        HelpLoads.push_back(lower);
        if (RefuseHelpLibrary) {
            SetLastError(ERROR_MOD_NOT_FOUND);
            return NULL;
        }
    }
    return LoadHook->original<decltype(&LoadLibraryA)>()(name);
}

class HelpTest : public SmallDialogTest {
protected:
    void SetUp() override
    {
        SmallDialogTest::SetUp();
        HelpLoads.clear();
        LoadHook.reset(new ImportHook("kernel32.dll", "LoadLibraryA", (void*)RecordLoad));
    }
    void TearDown() override
    {
        LoadHook.reset();
        for (HWND help; (help = FindWindowA("HH Parent", NULL)) != NULL;)
            DestroyWindow(help);
        SmallDialogTest::TearDown();
    }
    // The help file the build puts next to the program, in the start folder.
    void PutHelpFile()
    {
        char exe[MAX_PATH];
        GetModuleFileNameA(NULL, exe, sizeof exe);
        std::string built = exe;
        built = built.substr(0, built.rfind('\\') + 1) + "Skerrow.chm";
        ASSERT_TRUE(CopyFileA(built.c_str(), (folder_ + "\\Skerrow.chm").c_str(), FALSE)) << built;
    }
    void ExpectBox(size_t i, const char* text)
    {
        ASSERT_GT(Boxes.size(), i);
        EXPECT_EQ(Boxes[i].text, text);
        EXPECT_EQ(Boxes[i].caption, kErrorCaption);
        EXPECT_EQ(Boxes[i].flags, UINT(MB_OK));
        EXPECT_EQ(Boxes[i].owner, MainWnd);
    }
};

TEST_F(HelpTest, AMissingHelpFileIsReportedWithoutLookingForHtmlHelp)
{
    StartWindow();
    SendMessageA(MainWnd, WM_COMMAND, IDM_HELP, 0);
    EXPECT_EQ(ShowHelp(MainWnd), -1);
    ExpectBox(0, kHelpMissing);
    ExpectBox(1, kHelpMissing);
    EXPECT_TRUE(HelpLoads.empty());
}

// Wine 8 opens the help window ("HH Parent", titled from the file) with a
// blank page, having no HTML engine here: the test looks at the window only.
TEST_F(HelpTest, TheHelpFileOpensInTheHelpWindow)
{
    StartWindow();
    PutHelpFile();
    bool firstInProcess = GetModuleHandleA("hhctrl.ocx") == NULL;
    SendMessageA(MainWnd, WM_COMMAND, IDM_HELP, 0);
    EXPECT_TRUE(Boxes.empty()) << (Boxes.empty() ? "" : Boxes[0].text);
    HWND help = FindWindowA("HH Parent", NULL);
    ASSERT_NE(help, HWND(NULL));
    EXPECT_EQ(TextOf(help), kHelpTitle);
    EXPECT_EQ(GetWindowThreadProcessId(help, NULL), GetCurrentThreadId());
    if (firstInProcess) {
        EXPECT_EQ(HelpLoads, std::vector<std::string>{"c:\\windows\\system32\\hhctrl.ocx"}) << "the registered path";
    }
    HelpLoads.clear();
    EXPECT_EQ(ShowHelp(MainWnd), 0);
    EXPECT_TRUE(HelpLoads.empty()) << "the library is looked up once";
}

// Runs in a process of its own (below): a library found once stays found.
TEST_F(HelpTest, DISABLED_WithoutHtmlHelp)
{
    ASSERT_EQ(GetModuleHandleA("hhctrl.ocx"), HMODULE(NULL)) << "needs a fresh process";
    RefuseHelpLibrary = true;
    StartWindow();
    PutHelpFile();
    for (size_t call = 0; call < 3; ++call) {
        HelpLoads.clear();
        EXPECT_EQ(ShowHelp(MainWnd), -1);
        ExpectBox(call, kHelpFailed);
        // The registered path, then the name; later calls do not look again.
        EXPECT_EQ(HelpLoads.size(), call == 0 ? 2u : 0u);
    }
}

TEST_F(HelpTest, WithoutHtmlHelpEveryHelpCommandFailsAndTheLibraryIsSoughtOnce)
{
    char exe[MAX_PATH];
    GetModuleFileNameA(NULL, exe, sizeof exe);
    std::string command =
        std::string("\"") + exe + "\" --gtest_filter=HelpTest.DISABLED_WithoutHtmlHelp --gtest_also_run_disabled_tests";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION child;
    ASSERT_TRUE(CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &start, &child));
    EXPECT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(child.hProcess, &code);
    EXPECT_EQ(code, 0u) << "the run without HTML Help failed: see its output above";
    TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
}

BOOL WINAPI FailRead(HANDLE, void*, DWORD, DWORD* got, OVERLAPPED*)
{
    *got = 0;
    SetLastError(ERROR_READ_FAULT);
    return FALSE;
}

// F opens the find dialog; F3 finds the same text again and Shift+F3 the
// other way; going round and finding nothing are told, the line then kept.
// A dat text is searched as its posts read: "<br>" is markup, not text.
TEST_F(SmallDialogTest, FindsLinesByWhatTheyRead)
{
    StartWindow();
    ASSERT_EQ(OpenFile(WriteText("story.txt", "alpha one\nBeta\nalpha two\ngamma\n")), 0);
    const char* notFoundBeta = "「beta」は見つかりませんでした。";
    const struct {
        const wchar_t* typed;  // NULL: F3, with Shift when shift
        bool matchCase, shift;
        uint32_t line;
        const char* box;
    } steps[] = {
        {L"alpha", false, false, 2, NULL},
        {NULL, false, false, 0, "末尾まで検索したので、先頭から続けて検索しました。"},
        {NULL, false, true, 2, "先頭まで検索したので、末尾から続けて検索しました。"},
        {L"beta", true, false, 2, notFoundBeta},
        {L"beta", false, false, 1, "末尾まで検索したので、先頭から続けて検索しました。"},
    };
    for (const auto& c : steps) {
        Boxes.clear();
        if (c.typed != NULL) {
            EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'F', [&c](HWND dialog) {
                SetDlgItemTextW(dialog, IDC_FINDTEXT, c.typed);
                CheckDlgButton(dialog, IDC_MATCHCASE, c.matchCase ? BST_CHECKED : BST_UNCHECKED);
                PostMessageA(dialog, WM_COMMAND, IDOK, 0);
            }));
        } else {
            BYTE keys[256];
            GetKeyboardState(keys);
            keys[VK_SHIFT] = c.shift ? 0x80 : 0;
            SetKeyboardState(keys);
            SendMessageA(MainWnd, WM_KEYDOWN, VK_F3, 0);
            keys[VK_SHIFT] = 0;
            SetKeyboardState(keys);
        }
        EXPECT_EQ(Doc.Place.line, c.line) << Narrow932(c.typed != NULL ? c.typed : L"F3");
        ASSERT_EQ(Boxes.size(), c.box != NULL ? 1u : 0u) << (Boxes.empty() ? "" : Boxes[0].text);
        if (c.box != NULL) {
            EXPECT_EQ(Boxes[0].text, c.box);
        }
    }
    EXPECT_EQ(IniValue("FIND", "Text1"), "beta");
    EXPECT_EQ(IniValue("FIND", "Text2"), "alpha");
    {
        // A copy that cannot be read is told as such, not as a text not found.
        ImportHook reads("kernel32.dll", "ReadFile", (void*)FailRead);
        Boxes.clear();
        SendMessageA(MainWnd, WM_KEYDOWN, VK_F3, 0);
        ASSERT_EQ(Boxes.size(), 1u);
        EXPECT_EQ(Boxes[0].text, "ﾃｷｽﾄが読み込めないため、検索できませんでした。");
        EXPECT_EQ(Doc.Place.line, 1u);
    }

    BoxAnswers = {IDOK};
    ASSERT_EQ(OpenFile(WriteText("t.dat", "a<>b<>c<> first <br> second <>t\nn<>m<>d<> third <>\n")), 0);
    const struct {
        const wchar_t* typed;
        uint32_t line;
        size_t boxes;
    } posts[] = {{L"third", 1, 0}, {L"<br>", 1, 1}, {L"second", 0, 1}};
    for (const auto& c : posts) {
        Boxes.clear();
        EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'F', [&c](HWND dialog) {
            SetDlgItemTextW(dialog, IDC_FINDTEXT, c.typed);
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        }));
        EXPECT_EQ(Doc.Place.line, c.line) << Narrow932(c.typed);
        EXPECT_EQ(Boxes.size(), c.boxes) << Narrow932(c.typed);
    }

    // In a line taller than the window, the piece that holds the match.
    std::string words;
    for (int i = 0; i < 300; ++i)
        words += "word ";
    ASSERT_EQ(OpenFile(WriteText("long.txt", "x\n" + words + "needle " + words + "\n")), 0);
    EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'F', [](HWND dialog) {
        SetDlgItemTextW(dialog, IDC_FINDTEXT, L"needle");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    LineLayout layout;
    LayOutShown(MainWnd, NULL, &layout);
    EXPECT_EQ(Doc.Place.line, 1u);
    EXPECT_TRUE(layout.piece > 0 && layout.piece + 1 < layout.pieces) << layout.piece << " of " << layout.pieces;
    EXPECT_EQ(Doc.Place.offset, PieceStart(layout.piece)) << "the place is where the piece begins";
    EXPECT_LE(Doc.Place.offset, words.size());
    // Each piece once, down and up again, where bytes not UTF-8 are shown as characters of three.
    for (char& c : words)
        c = c == ' ' ? c : '\xFF';
    ASSERT_EQ(OpenFile(WriteText("bad.txt", "\xEF\xBB\xBF" + words + words + "\n")), 0);
    LayOutShown(MainWnd, NULL, &layout);
    for (uint32_t k = 1; k + 1 < 2 * layout.pieces; ++k) {
        SendMessageA(MainWnd, WM_KEYDOWN, k < layout.pieces ? VK_DOWN : VK_UP, 0);
        LayOutShown(MainWnd, NULL, &layout);
        EXPECT_EQ(layout.piece, k < layout.pieces ? k : 2 * layout.pieces - 2 - k) << "step " << k;
    }
    // Another font drawn than the settings name, as the default look before OK: measured again.
    LOGFONTW larger = AppSettings.Font;
    larger.lfHeight *= 2;
    ReplaceDisplayFont(&larger);
    const uint32_t rows = layout.rows;
    LayOutShown(MainWnd, NULL, &layout);
    EXPECT_GT(layout.rows, rows);
}

}  // namespace

// Of 3,000 headings the list holds the 1,000 that end with the one shown.
TEST_F(SmallDialogTest, TheHeadingListHoldsAThousandAroundTheLineShown)
{
    StartWindow();
    std::string text;
    for (int k = 1; k <= 3000; ++k)
        text += "第" + std::to_string(k) + "章\r\n";
    ASSERT_EQ(OpenFile(WriteText("chapters.txt", text)), 0);
    SendMessageA(MainWnd, WM_KEYDOWN, VK_END, 0);
    EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'T', [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_CHAPTERLIST);
        wchar_t item[64] = {};
        SendMessageW(list, LB_GETTEXT, SendMessageW(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1000);
        EXPECT_STREQ(item, L"3000: 第3000章");
        SendMessageW(list, LB_SETCURSEL, 0, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_STREQ(Shown.text, "第2001章\r\n");
}

// The pixel at the left margin's top, drawn as the window draws itself.
COLORREF MarginPixel()
{
    HDC screen = GetDC(MainWnd), dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 200);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DrawPicture(MainWnd, dc, ScreenInk());
    const COLORREF pixel = GetPixel(dc, 0, 2);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(MainWnd, screen);
    return pixel;
}

// M at three lines; the margin marks a line with one; B lists them in
// order; Delete takes one out of the list and the file at once; Enter shows one.
TEST_F(SmallDialogTest, BookmarksAreListedTakenOutAndShown)
{
    WriteIni("[FONT]\r\nBackColor=16777215\r\nFontColor=0\r\n");
    StartWindow();
    OpenLines(50);
    EXPECT_EQ(MarginPixel(), RGB(255, 255, 255)) << "no bookmark, no mark";
    for (uint32_t line : {40u, 10u, 25u}) {
        NavigateTo(MainWnd, NAV_CLAMP, line - 1);
        SendMessageA(MainWnd, WM_KEYDOWN, 'M', 0);
    }
    EXPECT_EQ(MarginPixel(), RGB(0, 0, 0));
    EXPECT_EQ(IniValue("RECENT", "Marks1").substr(8), ",10:0,25:0,40:0");
    EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'B', [](HWND dialog) {
        HWND list = GetDlgItem(dialog, IDC_MARKLIST);
        wchar_t item[64] = {};
        EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1) << "the one shown";
        SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
        SendMessageW(list, LB_GETTEXT, 1, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, L"40: line 40");
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }));
    EXPECT_EQ(Doc.Place.line, 39u);
    EXPECT_EQ(IniValue("RECENT", "Marks1").substr(8), ",10:0,40:0");
    SendMessageA(MainWnd, WM_KEYDOWN, 'M', 0);
    NavigateTo(MainWnd, NAV_CLAMP, 9);
    SendMessageA(MainWnd, WM_KEYDOWN, 'M', 0);
    EXPECT_EQ(IniValue("RECENT", "Marks1"), "<missing>") << "written only while there are some";
    EXPECT_TRUE(WithDialog(WM_KEYDOWN, 'B', [](HWND dialog) {
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_NOMARKS)));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }));
}
