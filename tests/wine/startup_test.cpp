#include <algorithm>
#include <cwchar>
#include <cstring>
#include <string>

#include "base/settings.h"
#include "base/user32.h"
#include "app/startup.h"
#include "document/document.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "tests/wine/import_hook.h"
#include "window/mainwnd.h"
#include "window/paint.h"

namespace {

// The texts below are spelled as code page 932 bytes, so that they check
// what the compiler made of the program's own texts.
const char kExitQuestion[] =
    "\x8F\x49\x97\xB9\x82\xB5\x82\xDC\x82\xB7\x81\x42\x82\xE6\x82\xEB\x82\xB5\x82\xA2\x82\xC5\x82\xB7\x82\xA9\x81\x48";
const char kTitle[] = "\x53\x6B\x65\x72\x72\x6F\x77\x81\x40\x56\x65\x72\x31\x2E\x30\x30";
const char kDeepFolder[] =
    "\x8B\x4E\x93\xAE\xCC\xAB\xD9\xC0\xDE\x82\xCC\xCA\xDF\xBD\x82\xAA\x92\xB7\x82\xB7\x82\xAC\x82\xE9\x82\xA9"
    "\x8E\xE6\x93\xBE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x42";
const char kExitItem[] = "\x8F\x49\x97\xB9\x28\x26\x58\x29";              // 終了(&X)
const char kAutoFeedItem[] = "\x8E\xA9\x93\xAE\x91\x97\x82\xE8\x28\x26\x41\x29";  // 自動送り(&A)

class StartupTest : public StartFolderTest {};

TEST_F(StartupTest, RunsWithTheJapaneseCodePage)
{
    EXPECT_EQ(GetACP(), 932u);
}

TEST_F(StartupTest, FirstWindowIsTheCaptionlessToolWindowAtTheDefaults)
{
    HWND w = StartWindow();
    ASSERT_NE(w, nullptr);
    char title[64] = {};
    GetWindowTextA(w, title, sizeof title);
    EXPECT_STREQ(title, kTitle);
    char cls[64] = {};
    GetClassNameA(w, cls, sizeof cls);
    EXPECT_STREQ(cls, "Skerrow");

    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 600);
    EXPECT_EQ(r.bottom - r.top, 50);

    LONG style = GetWindowLongA(w, GWL_STYLE);
    LONG ex = GetWindowLongA(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_BORDER);
    EXPECT_FALSE((style & WS_CAPTION) == WS_CAPTION);
    EXPECT_TRUE(style & WS_VISIBLE);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_TRUE(ex & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(w, NULL, &alpha, &flags));
    EXPECT_EQ(alpha, 255);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_TRUE(Boxes.empty());
}

TEST_F(StartupTest, StoredLookAndPlaceAreApplied)
{
    WriteIni("[WINDOW]\r\nX=-200\r\nY=30\r\nWIDTH=300\r\nHEIGHT=40\r\n[OPTION]\r\nBorderFlg=0\r\nLayNum=10\r\n");
    HWND w = StartWindow();
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, -200);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 300);
    EXPECT_EQ(r.bottom - r.top, 40);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_BORDER);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w, NULL, &alpha, NULL);
    EXPECT_EQ(alpha, 128);
}

TEST_F(StartupTest, FolderTooDeepIsRefusedBeforeAnythingIsWritten)
{
    // 237 bytes of folder name under a short root: the folder fits a
    // current directory, but not with the program's file names.
    std::string deep = folder_;
    while (deep.size() < 236)
        deep += "\\" + std::string(std::min<size_t>(40, 236 - deep.size() - 1), 'd');
    deep += "\\" + std::string(250 - deep.size() - 1, 'e');
    ASSERT_EQ(deep.size(), 250u);
    for (size_t i = folder_.size() + 1; i <= deep.size(); ++i)
        if (i == deep.size() || deep[i] == '\\')
            CreateDirectoryA(deep.substr(0, i).c_str(), NULL);
    ASSERT_TRUE(SetCurrentDirectoryA(deep.c_str())) << GetLastError();
    Boxes.clear();

    wmemset(BaseDir, L'x', PATH_SIZE);
    EXPECT_EQ(FetchBaseDir(), -1);
    EXPECT_STREQ(BaseDir, L"");
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].text, kDeepFolder);
    EXPECT_EQ(Boxes[0].caption, "Error");
    EXPECT_EQ(Boxes[0].flags, static_cast<UINT>(MB_ICONERROR));
    EXPECT_EQ(Boxes[0].owner, nullptr);
    SetCurrentDirectoryA(folder_.c_str());
}

TEST_F(StartupTest, ExitQuestionDeclinedKeepsEverything)
{
    WriteIni("[OPTION]\r\nEndFlg=1\r\n");
    std::string before = ReadIni();
    HWND w = StartWindow();
    BoxAnswers.push_back(IDCANCEL);
    SendMessageA(w, WM_CLOSE, 0, 0);
    ASSERT_EQ(Boxes.size(), 1u);
    EXPECT_EQ(Boxes[0].text, kExitQuestion);
    EXPECT_EQ(Boxes[0].caption, "Skerrow");
    EXPECT_EQ(Boxes[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_DEFBUTTON2));
    EXPECT_EQ(Boxes[0].owner, w);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(ReadIni(), before);

    // The menu command asks the same way.
    BoxAnswers.push_back(IDCANCEL);
    SendMessageA(w, WM_COMMAND, IDM_EXIT, 0);
    EXPECT_EQ(Boxes.size(), 2u);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(ReadIni(), before);
}

// The keys the exit writes, in the order it writes them.
void ExpectExitKeys(const std::string& ini, const char* window, const char* backup)
{
    size_t w = ini.find("[WINDOW]");
    size_t b = ini.find("[BACKUP]");
    ASSERT_NE(w, std::string::npos) << ini;
    ASSERT_NE(b, std::string::npos) << ini;
    EXPECT_NE(ini.find(window, w), std::string::npos) << ini;
    EXPECT_NE(ini.find(backup, b), std::string::npos) << ini;
}

TEST_F(StartupTest, ExitWritesTheWindowAndLastTextKeysInOrder)
{
    const struct {
        int endFlg;
        UINT message;
        WPARAM wParam;
        size_t boxes;
    } cases[] = {
        {1, WM_CLOSE, 0, 1},
        {0, WM_CLOSE, 0, 0},
        // The notification code in the high word does not matter.
        {0, WM_COMMAND, MAKEWPARAM(IDM_EXIT, 1), 0},
    };
    for (const auto& c : cases) {
        WriteIni("[OPTION]\r\nEndFlg=" + std::to_string(c.endFlg) + "\r\n[WINDOW]\r\nFLAG=0\r\nX=5\r\n");
        HWND w = StartWindow();
        Boxes.clear();
        MoveWindow(w, -30, 40, 321, 64, TRUE);
        BoxAnswers.push_back(IDOK);
        SendMessageA(w, c.message, c.wParam, 0);
        EXPECT_EQ(Boxes.size(), c.boxes) << "EndFlg " << c.endFlg;
        EXPECT_FALSE(IsWindow(w));
        Pump();
        ExpectExitKeys(ReadIni(), "FLAG=0\r\nX=-30\r\nY=40\r\nWIDTH=321\r\nHEIGHT=64\r\n",
                       "BackNo=0\r\nBackFile=\r\n");
        BoxAnswers.clear();
        DeleteFileA(IniPath().c_str());
    }
}

TEST_F(StartupTest, LogOffSavesWithoutAskingAndTheProgramRunsOn)
{
    WriteIni("[OPTION]\r\nEndFlg=1\r\n");
    HWND w = StartWindow();
    EXPECT_EQ(SendMessageA(w, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_TRUE(Boxes.empty());
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(IniValue("WINDOW", "WIDTH"), "600");
    EXPECT_EQ(IniValue("BACKUP", "BackNo"), "0");
    EXPECT_EQ(IniValue("BACKUP", "BackFile"), "");

    // The log-off was cancelled: the window still works, its transparency
    // can still be set, and a later exit saves again.
    SendMessageA(w, WM_KEYDOWN, VK_DOWN, 0);
    AppSettings.LayNum = 5;
    ApplyTransparency(w);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w, NULL, &alpha, NULL);
    EXPECT_EQ(alpha, 192);
    MoveWindow(w, 10, 20, 400, 60, TRUE);
    BoxAnswers.push_back(IDOK);
    SendMessageA(w, WM_CLOSE, 0, 0);
    EXPECT_EQ(Boxes.size(), 1u);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(IniValue("WINDOW", "WIDTH"), "400");
}

// A screen at 150 %: every window and monitor says 144 DPI, and the clock
// runs fast enough for a restore's progress to show at once.
ImportHook* ProcHook;
UINT WINAPI WindowAt144(HWND)
{
    return 144;
}
HRESULT WINAPI MonitorAt144(HMONITOR, int, UINT* x, UINT* y)
{
    *x = *y = 144;
    return S_OK;
}
DWORD WINAPI FastClock()
{
    static DWORD ticks;
    return ticks += 1000;
}
FARPROC WINAPI ScaledScreen(HMODULE module, LPCSTR name)
{
    if (HIWORD(name) != 0 && strcmp(name, "GetDpiForWindow") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(WindowAt144));
    if (HIWORD(name) != 0 && strcmp(name, "GetDpiForMonitor") == 0)
        return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(MonitorAt144));
    return ProcHook->original<decltype(&GetProcAddress)>()(module, name);
}

// Made at its size on the monitor it lands on, the window keeps the stored
// size when a restore brings it onto a screen and a log-off comes meanwhile.
TEST_F(StartupTest, OnAScaledScreenTheWindowIsMadeAtItsSizeAndKeepsTheStoredOne)
{
    WriteText("Skerrow.tmp", std::string(3 << 20, 'x') + "\nlast\n");
    WriteIni("[WINDOW]\r\nX=5000\r\nY=60\r\nWIDTH=300\r\nHEIGHT=60\r\n[BACKUP]\r\nBackNo=2\r\n");
    {
        ImportHook procs("kernel32.dll", "GetProcAddress", (void*)ScaledScreen);
        ProcHook = &procs;
        ImportHook clock("kernel32.dll", "GetTickCount", (void*)FastClock);
        UnbindUser32();
        ASSERT_EQ(BindUser32(), 0);
        RECT made = {};
        WhileBoxIsUp = [&](const BoxCall&) {
            GetWindowRect(MainWnd, &made);
            PostMessageA(MainWnd, WM_QUERYENDSESSION, 0, 0);
        };
        BoxAnswers = {IDOK};
        StartWindow();
        EXPECT_EQ(made.right - made.left, 450);
        EXPECT_EQ(made.bottom - made.top, 90);
        EXPECT_EQ(IniValue("WINDOW", "WIDTH") + "x" + IniValue("WINDOW", "HEIGHT"), "300x60");
        DestroyWindow(MainWnd);
    }
    UnbindUser32();
    ASSERT_EQ(BindUser32(), 0);
}

TEST_F(StartupTest, MenusCarryTheirCodePage932Texts)
{
    HMENU tray = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_TRAYMENU));
    HMENU popup = LoadMenuA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDR_POPUPMENU));
    ASSERT_NE(tray, nullptr);
    ASSERT_NE(popup, nullptr);
    char text[64] = {};
    GetMenuStringA(tray, IDM_EXIT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, kExitItem);
    GetMenuStringA(tray, IDM_AUTOFEED, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, kAutoFeedItem);
    GetMenuStringA(popup, IDM_EXIT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, kExitItem);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(tray, 0)), 11);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(popup, 0)), 13);
    DestroyMenu(tray);
    DestroyMenu(popup);
}

// The program says it draws for each monitor's DPI itself, and asks for no
// newer common controls, which would change the dialogs' look.
TEST_F(StartupTest, TheManifestDeclaresPerMonitorAwarenessOnly)
{
    HRSRC found = FindResourceA(NULL, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(found, nullptr);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(NULL, found)));
    std::string manifest(bytes, SizeofResource(NULL, found));
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor<"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm<"), std::string::npos);
    EXPECT_EQ(manifest.find("Common-Controls"), std::string::npos);
}

}  // namespace
