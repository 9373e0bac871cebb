#include <cstring>
#include <string>

#include "base/settings.h"
#include "document/document.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "window/input.h"
#include "window/layout.h"
#include "window/mainwnd.h"
#include "window/view.h"
#include "window/tray.h"

namespace {

class WindowTest : public StartFolderTest {
protected:
    void Key(WPARAM vk) { SendMessageA(MainWnd, WM_KEYDOWN, vk, 0); }
    void TypedLinePause() { SendMessageA(MainWnd, WM_TIMER, TIMER_NUMKEY, 0); }
};

TEST_F(WindowTest, EscHidesAndTheIconOrHotKeyBringsItBack)
{
    HWND w = StartWindow();
    ASSERT_TRUE(IsWindowVisible(w));
    Key(VK_ESCAPE);
    EXPECT_FALSE(IsWindowVisible(w));
    SendMessageA(w, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONDOWN);
    EXPECT_TRUE(IsWindowVisible(w));

    Key(VK_ESCAPE);
    // Other icons, and moves or releases over ours, do nothing.
    SendMessageA(w, WM_TRAYNOTIFY, TRAY_ICON_ID + 1, WM_LBUTTONDOWN);
    SendMessageA(w, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_LBUTTONUP);
    SendMessageA(w, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_MOUSEMOVE);
    SendMessageA(w, WM_HOTKEY, HOTKEY_SHOW + 10, 0);
    EXPECT_FALSE(IsWindowVisible(w));
    SendMessageA(w, WM_HOTKEY, HOTKEY_SHOW, 0);
    EXPECT_TRUE(IsWindowVisible(w));
}

// With LeaveHide, a look at the pointer away hides the window, one over its
// place shows it again; not while another window of the program is up, nor
// a window hidden with Esc.
TEST_F(WindowTest, ThePointerLeavingHidesAndItsReturnShows)
{
    WriteIni("[WINDOW]\r\nX=100\r\nY=100\r\nWIDTH=300\r\nHEIGHT=60\r\n[OPTION]\r\nLeaveHide=1\r\nLeaveWait=0\r\n");
    HWND w = StartWindow();
    auto look = [w](int x, int y) {
        SetCursorPos(x, y);
        SendMessageA(w, WM_TIMER, TIMER_POINTER, 0);
        return IsWindowVisible(w) != 0;
    };
    EXPECT_TRUE(look(200, 120));
    HWND box = CreateWindowExA(0, "STATIC", "box", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, NULL, NULL, NULL, NULL);
    EXPECT_TRUE(look(700, 700)) << "a box of the program is up";
    DestroyWindow(box);
    EXPECT_FALSE(look(700, 700));
    EXPECT_FALSE(look(700, 701));
    EXPECT_TRUE(look(200, 120));
    Key(VK_ESCAPE);
    EXPECT_FALSE(look(200, 121)) << "hidden with Esc";
}

// The reading keys act as Down, Up and F5, pieces included, while another
// window keeps the foreground; a hidden window is only shown.
TEST_F(WindowTest, GlobalReadingKeysLeaveTheForegroundAlone)
{
    HWND w = StartWindow();
    std::string words;
    for (int i = 0; i < 300; ++i)
        words += "word ";
    ASSERT_EQ(OpenFile(WriteText("long.txt", "a\n" + words + "\nc\n")), 0);
    HWND other = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(SetForegroundWindow(other));
    const struct { WPARAM id; bool hidden; const char* lineAndPieceAndFeed; } steps[] = {
        {HOTKEY_NEXT, false, "1 0 0"}, {HOTKEY_NEXT, false, "1 1 0"}, {HOTKEY_PREV, false, "1 0 0"},
        {HOTKEY_PREV, false, "0 0 0"}, {HOTKEY_NEXT, true, "0 0 0"},  {HOTKEY_FEED, false, "0 0 1"},
        {HOTKEY_PREV, true, "0 0 1"},  {HOTKEY_FEED, true, "0 0 1"},  {HOTKEY_FEED, false, "0 0 0"}};
    for (const auto& s : steps) {
        ShowWindow(w, s.hidden ? SW_HIDE : SW_SHOWNOACTIVATE);
        SendMessageA(w, WM_HOTKEY, s.id, 0);
        LineLayout l;
        LayOutShown(w, NULL, &l);
        EXPECT_EQ(std::to_string(Doc.Place.line) + " " + std::to_string(l.piece) + " " + std::to_string(AutoFlg),
                  s.lineAndPieceAndFeed) << "hot key " << s.id << (s.hidden ? ", hidden" : "");
        EXPECT_TRUE(IsWindowVisible(w) && GetForegroundWindow() == other) << s.id;
    }
}

TEST_F(WindowTest, DigitsCollectUntilThePauseAndNineAtMost)
{
    HWND w = StartWindow();
    std::string lines;
    for (int i = 1; i <= 100; ++i)
        lines += std::to_string(i) + "\r\n";
    ASSERT_EQ(OpenFile(WriteText("hundred.txt", lines)), 0);
    // The line shown after the pause; a tenth digit would make 123.
    const struct {
        WPARAM keys[12];
        uint32_t line;
    } cases[] = {
        {{'1', '2'}, 11},
        {{VK_NUMPAD0, VK_NUMPAD7, '3'}, 72},
        {{'0', '0', '0', '0', '0', '0', '0', '1', '2', '3'}, 11},
        {{'9', '8', '7', '6', '5', '4', '3', '2', '1', '0', '5'}, 99},
        {{'0', '0'}, 0},
    };
    for (const auto& c : cases) {
        for (WPARAM k : c.keys)
            if (k != 0)
                Key(k);
        // Other keys do not end an entry, nor does a timer of no one's.
        Key(VK_HOME);
        SendMessageA(w, WM_TIMER, 12345, 0);
        TypedLinePause();
        EXPECT_EQ(Doc.Place.line, c.line) << c.keys[0];
    }
    // The entry ends with the pause.
    Key('5');
    TypedLinePause();
    EXPECT_EQ(Doc.Place.line, 4u);
    Key(VK_HOME);
    TypedLinePause();
    EXPECT_EQ(Doc.Place.line, 0u);
}

TEST_F(WindowTest, F9SwitchesTheLineNumberAndWritesItAtOnce)
{
    StartWindow();
    EXPECT_FALSE(IniExists());
    Key(VK_F9);
    EXPECT_EQ(AppSettings.LineDisp, 1);
    EXPECT_EQ(IniValue("OPTION", "LineDisp"), "1");
    Key(VK_F9);
    EXPECT_EQ(AppSettings.LineDisp, 0);
    EXPECT_EQ(IniValue("OPTION", "LineDisp"), "0");
}

TEST_F(WindowTest, F9FromAnyOtherValueGoesToZero)
{
    WriteIni("[OPTION]\r\nLineDisp=2\r\n");
    StartWindow();
    Key(VK_F9);
    EXPECT_EQ(IniValue("OPTION", "LineDisp"), "0");
}

TEST_F(WindowTest, AutoFeedNeedsAnOpenText)
{
    HWND w = StartWindow();
    Key(VK_F5);
    SendMessageA(w, WM_COMMAND, IDM_AUTOFEED, 0);
    EXPECT_EQ(AutoFlg, 0);
    HMENU tray = MakeMenu(IDR_TRAYMENU);
    EXPECT_EQ(GetMenuState(tray, IDM_AUTOFEED, MF_BYCOMMAND) & MF_CHECKED, 0u);
    DestroyMenu(tray);
    // A feed tick with nothing open is harmless.
    SendMessageA(w, WM_TIMER, TIMER_AUTOFEED, 0);
    EXPECT_EQ(Doc.Place.line, 0u);
}

TEST_F(WindowTest, NavigationWithNothingOpenBlanksTheWindow)
{
    HWND w = StartWindow();
    const WPARAM keys[] = {VK_UP, VK_PRIOR, VK_DOWN, VK_NEXT, VK_HOME, VK_END};
    for (WPARAM k : keys) {
        strcpy(Shown.text, "stale");
        Key(k);
        EXPECT_STREQ(Shown.text, "") << "key " << k;
        EXPECT_EQ(Doc.Place.line, 0u);
    }
    const short deltas[] = {-120, 120, -240, 1};
    for (short d : deltas) {
        strcpy(Shown.text, "stale");
        SendMessageA(w, WM_MOUSEWHEEL, MAKEWPARAM(0, d), 0);
        EXPECT_STREQ(Shown.text, "") << "wheel " << d;
    }
}

TEST_F(WindowTest, TheBodyDragsAndTheCornerIsTheGrip)
{
    WriteIni("[WINDOW]\r\nX=100\r\nY=100\r\nWIDTH=300\r\nHEIGHT=60\r\n");
    HWND w = StartWindow();
    const struct {
        int x, y;
        LRESULT hit;
    } cases[] = {
        {150, 130, HTCAPTION},
        {390, 150, HTCLIENT},   // right - 10 <= x <= right, bottom - 10 <= y < bottom
        {398, 158, HTCLIENT},
        {390, 149, HTCAPTION},  // one row above the grip
        {389, 158, HTCAPTION},  // one column left of it
        {100, 100, HTBORDER},   // the 1-pixel frame stays a frame
    };
    for (const auto& c : cases)
        EXPECT_EQ(SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(c.x, c.y)), c.hit) << c.x << "," << c.y;
}

TEST_F(WindowTest, MovesAndSizesAreRecordedForTheExit)
{
    HWND w = StartWindow();
    RECT moving = {-700, -20, -100, 30};
    SendMessageA(w, WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&moving));
    EXPECT_EQ(AppSettings.X, -700);
    EXPECT_EQ(AppSettings.Y, -20);
    MoveWindow(w, 40, 50, 222, 33, TRUE);
    EXPECT_EQ(AppSettings.X, 40);
    EXPECT_EQ(AppSettings.Y, 50);
    EXPECT_EQ(AppSettings.WIDTH, 222);
    EXPECT_EQ(AppSettings.HEIGHT, 33);
}

// Moved to a monitor of another scale: the rectangle the system suggests
// is taken, and the font made again.
TEST_F(WindowTest, ADpiChangeTakesTheSuggestedRectangleAndRemakesTheFont)
{
    StartWindow();
    HFONT before = DisplayFont();
    RECT suggested = {40, 60, 940, 135};
    SendMessageA(MainWnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&suggested));
    RECT now;
    GetWindowRect(MainWnd, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(AppSettings.WIDTH, 900);
    EXPECT_NE(DisplayFont(), before);
}

}  // namespace
