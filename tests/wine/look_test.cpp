#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/settings.h"
#include "document/document.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "tests/wine/import_hook.h"
#include "window/grip.h"
#include "window/layout.h"
#include "window/mainwnd.h"
#include "window/paint.h"
#include "window/view.h"
#include "base/user32.h"
#include "window/alpha.h"

namespace {

class LookTest : public StartFolderTest {};

// Whether the notification area holds our icon: modifying an icon that is
// not there fails.
bool HasTrayIcon(HWND window)
{
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = window;
    nid.uID = TRAY_ICON_ID;
    return Shell_NotifyIconA(NIM_MODIFY, &nid) != FALSE;
}

std::vector<std::pair<DWORD, NOTIFYICONDATAW>> IconCalls;
ImportHook* IconHook;
BOOL WINAPI RecordIcon(DWORD message, PNOTIFYICONDATAW data)
{
    IconCalls.push_back({message, *data});
    return IconHook->original<decltype(&Shell_NotifyIconW)>()(message, data);
}

TEST_F(LookTest, TheIconComesBackWhenTheShellRestarts)
{
    HWND w;
    {
        ImportHook hook("shell32.dll", "Shell_NotifyIconW", (void*)RecordIcon);
        IconHook = &hook;
        w = StartWindow();
    }
    ASSERT_EQ(IconCalls.size(), 1u);
    const NOTIFYICONDATAW& added = IconCalls[0].second;
    EXPECT_EQ(IconCalls[0].first, DWORD(NIM_ADD));
    EXPECT_EQ(added.cbSize, DWORD(NOTIFYICONDATAW_V1_SIZE));
    EXPECT_EQ(added.hWnd, w);
    EXPECT_EQ(added.uID, UINT(TRAY_ICON_ID));
    EXPECT_EQ(added.uFlags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(added.uCallbackMessage, UINT(WM_TRAYNOTIFY));
    EXPECT_EQ(added.hIcon, LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_MAIN)));
    EXPECT_EQ(Narrow932(added.szTip), "\x83\x58\x83\x50\x83\x8D\x83\x45");  // スケロウ
    ASSERT_TRUE(HasTrayIcon(w));
    NOTIFYICONDATAA nid = {};
    nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
    nid.hWnd = w;
    nid.uID = TRAY_ICON_ID;
    // The shell went away and took the icon with it.
    ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &nid));
    ASSERT_FALSE(HasTrayIcon(w));
    SendMessageA(w, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(HasTrayIcon(w));
    DestroyWindow(w);
    EXPECT_FALSE(HasTrayIcon(w)) << "the icon goes with the window";
}

// Wine has no count of a process's GDI objects (GetGuiResources answers 0),
// The rows the window lays a line out in are the rows DrawTextEx draws it
// in, at any width: in code page 932 and in UTF-8, with words, kana and
// kanji, blanks, tabs, '&' and line breaks. (Wine's DrawTextEx stops laying
// out a line once a tab has taken a row past its width: tabs stand early.)
TEST_F(LookTest, ALineIsLaidOutInTheRowsTheSystemDrawsItIn)
{
    StartWindow();
    const std::string kana = "\x82\xA0\x82\xA2\x82\xA4\x8A\xBF\x8E\x9A\x81\x41";  // あいう漢字、
    std::string novel, words;
    for (int i = 0; i < 60; ++i)
        novel += kana + (i % 7 == 0 ? "\x81\x75\x82\xA0\x81\x76" : "");  // 「あ」
    for (int i = 0; i < 60; ++i)
        words += "word" + std::to_string(i * 37) + (i % 5 == 0 ? "  " : " ") + (i % 9 == 0 ? "&x && " : "");
    const std::string texts[] = {novel, words, novel + "\r\n", "a\r\n\r\nb\r\n" + words + kana + words,
                                 std::string(300, 'm'), "\t\tx\ty " + novel};
    HDC dc = GetDC(MainWnd);
    SelectObject(dc, DisplayFont());
    TEXTMETRICW metrics;
    GetTextMetricsW(dc, &metrics);
    for (int width : {90, 200, 333, 580}) {
        MoveWindow(MainWnd, 0, 0, width + GripSize(MainWnd) + 4, 60, TRUE);
        for (const std::string& text : texts) {
            for (bool unicode : {false, true}) {
                Shown.unicode = unicode;
                std::wstring wide(text.size() + 1, L'\0');
                wide.resize(MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1);
                std::string shown = text;
                if (unicode) {
                    shown.assign(wide.size() * 3 + 1, '\0');
                    shown.resize(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, &shown[0],
                                                     static_cast<int>(shown.size()), NULL, NULL) - 1);
                }
                snprintf(Shown.text, DISP_TEXT_SIZE, "%s", shown.c_str());
                Shown.prefix = 0;
                LineLayout layout;
                LayOutShown(MainWnd, dc, &layout);
                RECT r = layout.text;
                DRAWTEXTPARAMS params = {sizeof params, AppSettings.TabsCol, 0, 0, 0};
                int height = DrawTextExW(dc, &wide[0], static_cast<int>(wide.size()), &r,
                                         DT_WORDBREAK | DT_EXPANDTABS | DT_TABSTOP | DT_CALCRECT, &params);
                EXPECT_EQ(layout.rows, static_cast<uint32_t>(height / metrics.tmHeight))
                    << "width " << width << (unicode ? " UTF-8 " : " ") << text.substr(0, 30);
            }
        }
    }
    ReleaseDC(MainWnd, dc);
    Shown.unicode = false;
}

// but its object table is finite: with all but a few of its places taken, a
// paint or line step that kept one object would soon leave none free.
TEST_F(LookTest, PaintsAndLineStepsKeepNoGdiObjects)
{
    HWND w = StartWindow();
    std::string lines;
    for (int i = 0; i < 50; ++i)
        lines += "a line of text\twith a tab and enough words to wrap in a narrow window\r\n";
    ASSERT_EQ(OpenFile(WriteText("t.txt", lines).c_str()), 0);

    std::vector<HBRUSH> padding;
    for (;;) {
        HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
        if (b == NULL)
            break;
        padding.push_back(b);
    }
    ASSERT_GT(padding.size(), 1000u);
    // Leave a few places free for the paints themselves.
    for (int i = 0; i < 40; ++i) {
        DeleteObject(padding.back());
        padding.pop_back();
    }
    for (int i = 0; i < 2000; ++i) {
        SendMessageA(w, WM_KEYDOWN, i % 100 < 50 ? VK_DOWN : VK_UP, 0);
        RedrawWindow(w, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    std::vector<HBRUSH> after;
    for (int i = 0; i < 30; ++i)
        after.push_back(CreateSolidBrush(RGB(4, 5, 6)));
    for (HBRUSH b : after)
        EXPECT_NE(b, nullptr);
    for (HBRUSH b : after)
        DeleteObject(b);
    for (HBRUSH b : padding)
        DeleteObject(b);
}

}  // namespace

namespace {

class GripTest : public StartFolderTest {
protected:
    void Mouse(UINT message, WPARAM keys, int x, int y)
    {
        SendMessageA(MainWnd, message, keys, MAKELPARAM(x, y));
    }
    SIZE WindowSize()
    {
        RECT r;
        GetWindowRect(MainWnd, &r);
        return {r.right - r.left, r.bottom - r.top};
    }
};

// Client coordinates of a 300 x 60 window with its 1-pixel border: the
// client is 298 x 58, its grip x 288-298, y 48-57.
TEST_F(GripTest, SizingRunsIdleArmedSizingIdle)
{
    WriteIni("[WINDOW]\r\nX=50\r\nY=60\r\nWIDTH=300\r\nHEIGHT=60\r\n");
    StartWindow();
    const struct {
        UINT message;
        WPARAM keys;
        int x, y;
        GripState mode;
        bool captured;
        SIZE size;
    } steps[] = {
        {WM_MOUSEMOVE, 0, 150, 30, GRIP_IDLE, false, {300, 60}},          // the body: nothing
        {WM_MOUSEMOVE, MK_SHIFT, 290, 50, GRIP_IDLE, false, {300, 60}},   // a key held: not armed
        {WM_MOUSEMOVE, 0, 298, 50, GRIP_ARMED, true, {300, 60}},           // x = right: still the grip
        {WM_MOUSEMOVE, 0, 292, 48, GRIP_ARMED, true, {300, 60}},           // moves within it keep it armed
        {WM_MOUSEMOVE, 0, 150, 30, GRIP_IDLE, false, {300, 60}},          // left the grip: back to idle
        {WM_MOUSEMOVE, 0, 290, 57, GRIP_ARMED, true, {300, 60}},           // armed again
        {WM_LBUTTONDOWN, MK_LBUTTON, 290, 57, GRIP_SIZING, true, {300, 60}},   // the press confines, moves nothing
        {WM_MOUSEMOVE, MK_LBUTTON, 400, 120, GRIP_SIZING, true, {400, 120}},
        {WM_MOUSEMOVE, MK_LBUTTON, -30, 4, GRIP_SIZING, true, {10, 10}},    // never below 10 x 10
        {WM_LBUTTONUP, 0, 250, 70, GRIP_IDLE, false, {250, 70}},          // the last place counts
    };
    for (const auto& s : steps) {
        Mouse(s.message, s.keys, s.x, s.y);
        EXPECT_EQ(GripMode(), s.mode) << s.message << " at " << s.x << "," << s.y;
        EXPECT_EQ(GetCapture() == MainWnd, s.captured) << s.message << " at " << s.x << "," << s.y;
        SIZE size = WindowSize();
        EXPECT_EQ(size.cx, s.size.cx) << s.message << " at " << s.x << "," << s.y;
        EXPECT_EQ(size.cy, s.size.cy) << s.message << " at " << s.x << "," << s.y;
    }
    EXPECT_EQ(AppSettings.WIDTH, 250);
    EXPECT_EQ(AppSettings.HEIGHT, 70);
    EXPECT_EQ(AppSettings.X, 50);
    EXPECT_EQ(AppSettings.Y, 60);
}

TEST_F(GripTest, APressThatFindsTheGripIdleDoesNothing)
{
    WriteIni("[WINDOW]\r\nWIDTH=300\r\nHEIGHT=60\r\n");
    StartWindow();
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 290, 50);
    Mouse(WM_MOUSEMOVE, MK_LBUTTON, 500, 200);
    EXPECT_EQ(GripMode(), GRIP_IDLE);
    EXPECT_EQ(WindowSize().cx, 300);
    EXPECT_EQ(WindowSize().cy, 60);
}

// A dialog, menu or box that takes the capture while the grip is armed or
// sizing: the grip lets go and the cursor is free again.
TEST_F(GripTest, LosingTheCaptureLetsTheGripGo)
{
    WriteIni("[WINDOW]\r\nWIDTH=300\r\nHEIGHT=60\r\n");
    StartWindow();
    RECT screen, clip;
    GetClipCursor(&screen);
    HWND other = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    for (bool press : {false, true}) {
        Mouse(WM_MOUSEMOVE, 0, 290, 50);
        if (press)
            Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 290, 50);
        ASSERT_EQ(GripMode(), press ? GRIP_SIZING : GRIP_ARMED);
        SetCapture(other);
        ReleaseCapture();
        EXPECT_EQ(GripMode(), GRIP_IDLE) << "pressed " << press;
        GetClipCursor(&clip);
        EXPECT_TRUE(EqualRect(&clip, &screen)) << "pressed " << press;
        Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 290, 50);
        Mouse(WM_MOUSEMOVE, MK_LBUTTON, 500, 200);
        EXPECT_EQ(WindowSize().cx, 300) << "the next press sizes nothing";
        Mouse(WM_LBUTTONUP, 0, 500, 200);
    }
    DestroyWindow(other);
}

// A second monitor to the right of the first: every monitor says it is
// there. Where the cursor is confined is recorded.
ImportHook* MonitorHook;
BOOL WINAPI OnTheRight(HMONITOR monitor, LPMONITORINFO info)
{
    BOOL ok = MonitorHook->original<decltype(&GetMonitorInfoA)>()(monitor, info);
    OffsetRect(&info->rcWork, 1280, 0);
    return ok;
}
RECT Confined;
BOOL WINAPI RecordConfinement(const RECT* r)
{
    Confined = r != NULL ? *r : RECT{};
    return TRUE;
}

TEST_F(GripTest, SizingConfinesThePointerToTheWorkAreaOfTheWindowsMonitor)
{
    ImportHook monitors("user32.dll", "GetMonitorInfoA", (void*)OnTheRight);
    MonitorHook = &monitors;
    ImportHook clip("user32.dll", "ClipCursor", (void*)RecordConfinement);
    WriteIni("[WINDOW]\r\nX=1500\r\nY=60\r\nWIDTH=300\r\nHEIGHT=60\r\n");
    StartWindow();
    MONITORINFO info;
    info.cbSize = sizeof info;
    GetMonitorInfoA(MonitorFromWindow(MainWnd, MONITOR_DEFAULTTONEAREST), &info);
    Mouse(WM_MOUSEMOVE, 0, 290, 50);
    Mouse(WM_LBUTTONDOWN, MK_LBUTTON, 290, 50);
    const RECT expected = {1510, 70, info.rcWork.right, info.rcWork.bottom};
    EXPECT_TRUE(EqualRect(&Confined, &expected)) << Confined.left << "," << Confined.right;
    Mouse(WM_LBUTTONUP, 0, 290, 50);
}

TEST_F(GripTest, TheBorderKeepsTheOuterSize)
{
    WriteIni("[WINDOW]\r\nWIDTH=300\r\nHEIGHT=60\r\n[OPTION]\r\nBorderFlg=0\r\n");
    HWND w = StartWindow();
    RECT client;
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 300);
    EXPECT_EQ(client.bottom, 60);
    AppSettings.BorderFlg = 1;
    ApplyBorder(w);
    GetClientRect(w, &client);
    EXPECT_EQ(client.right, 298);
    EXPECT_EQ(client.bottom, 58);
    EXPECT_EQ(WindowSize().cx, 300);
    EXPECT_EQ(WindowSize().cy, 60);
    AppSettings.BorderFlg = 2;  // anything but 1 means no border
    ApplyBorder(w);
    EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_BORDER);
    EXPECT_EQ(WindowSize().cx, 300);
}

TEST_F(GripTest, TransparencyStepsGiveTheirAlpha)
{
    HWND w = StartWindow();
    const struct {
        int layNum;
        BYTE alpha;
    } steps[] = {{0, 255}, {1, 243}, {5, 192}, {10, 128}, {15, 64}, {19, 13}, {20, 0}};
    for (const auto& s : steps) {
        AppSettings.LayNum = s.layNum;
        ApplyTransparency(w);
        BYTE alpha = 1;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(w, NULL, &alpha, &flags));
        EXPECT_EQ(alpha, s.alpha) << "LayNum " << s.layNum;
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    }
}

// The pictures handed to UpdateLayeredWindow (0xAARRGGBB), read from their DC.
std::vector<std::vector<uint32_t>> Pictures;
UpdateLayeredFunction RealUpdateLayered;
BOOL WINAPI RecordPicture(HWND window, HDC screen, POINT* to, SIZE* size, HDC source, POINT* from, COLORREF key,
                          BLENDFUNCTION* blend, DWORD flags)
{
    DIBSECTION dib = {};
    GetObjectA(GetCurrentObject(source, OBJ_BITMAP), sizeof dib, &dib);
    const uint32_t* bits = static_cast<const uint32_t*>(dib.dsBm.bmBits);
    if (size->cx == 300 && size->cy == 60 && flags == ULW_ALPHA)
        Pictures.emplace_back(bits, bits + 300 * 60);
    return RealUpdateLayered(window, screen, to, size, source, from, key, blend, flags);
}

// A 300 x 60 window, background (200, 220, 240), ink (10, 20, 30), at the
// second of two lines: the progress line half across.
TEST_F(GripTest, OpaqueTextIsDrawnPerPixelAtTheStepsAlpha)
{
    WriteIni("[WINDOW]\r\nWIDTH=300\r\nHEIGHT=60\r\n[FONT]\r\nBackColor=15785160\r\nFontColor=1971210\r\n"
             "Height=-30\r\n");
    HWND w = StartWindow();
    ASSERT_EQ(OpenFile(WriteText("t.txt", "\x81\xA1\x81\xA1\x81\xA1\r\n\x81\xA1\x81\xA1\x81\xA1\r\n")), 0);  // ■■■
    NavigateTo(w, NAV_NEXT, 0);
    AppSettings.ProgressLine = 1;
    RealUpdateLayered = User32.UpdateLayered;
    User32.UpdateLayered = RecordPicture;
    const COLORREF f = GetSysColor(COLOR_WINDOWFRAME);
    const uint32_t frame = GetRValue(f) << 16 | GetGValue(f) << 8 | GetBValue(f);
    // The last step keeps an alpha of 1; a border is drawn at the step's alpha.
    const struct {
        int layNum, border;
        uint32_t back, edge;
    } cases[] = {{10, 1, 0x80646E78, Premultiplied(frame, 128)}, {20, 0, 0x01010101, 0x01010101}};
    for (const auto& c : cases) {
        AppSettings.LayNum = c.layNum;
        AppSettings.BorderFlg = c.border;
        AppSettings.OpaqueText = 1;
        ApplyBorder(w);
        ApplyTransparency(w);
        Pictures.clear();
        UpdateWindow(w);
        ASSERT_EQ(Pictures.size(), 1u) << "LayNum " << c.layNum;
        const std::vector<uint32_t>& p = Pictures[0];
        const int in = c.border;  // the client area's first pixel
        EXPECT_EQ(p[30 * 300], c.edge) << "left edge, LayNum " << c.layNum;
        EXPECT_EQ(p[in * 300 + 250], c.back) << "background";
        EXPECT_EQ(p[(51 - in) * 300 + 299 - in], 0xFF000000u) << "grip";
        EXPECT_NE(std::count(p.begin(), p.end() - 300 * (1 + in), 0xFF0A141Eu), 0) << "opaque ink";
        EXPECT_EQ(p[(59 - in) * 300 + in + 1], 0xFF0A141Eu) << "the progress line, opaque";
    }
    User32.UpdateLayered = RealUpdateLayered;
    AppSettings.OpaqueText = 0;
    ApplyTransparency(w);
    BYTE alpha = 1;
    ASSERT_TRUE(GetLayeredWindowAttributes(w, NULL, &alpha, NULL)) << "faded whole again";
    EXPECT_EQ(alpha, 0);
}

// A combination the program holds cannot be registered again (1409).
bool Taken(UINT modifiers, UINT key)
{
    if (RegisterHotKey(NULL, 77, modifiers, key)) {
        UnregisterHotKey(NULL, 77);
        return false;
    }
    return GetLastError() == ERROR_HOTKEY_ALREADY_REGISTERED;
}

TEST_F(GripTest, HotKeysAreRegisteredWithTheirModifiers)
{
    WriteIni("[OPTION]\r\nONHOTALT=1\r\nONHOTSFT=1\r\nONHOTKEY=81\r\n"
             "MENUHOTALT=1\r\nMENUHOTCTL=1\r\nMENUHOTKEY=0\r\n");
    StartWindow();
    EXPECT_TRUE(Taken(MOD_ALT | MOD_SHIFT, 'Q'));
    EXPECT_FALSE(Taken(MOD_ALT, 'Q'));
    // Key code 0: no hot key, whatever the modifiers say.
    EXPECT_FALSE(Taken(MOD_ALT | MOD_CONTROL, 0));
    DestroyWindow(MainWnd);
    EXPECT_FALSE(Taken(MOD_ALT | MOD_SHIFT, 'Q')) << "they go with the window";
}

// The menu being shown, caught from a timer while it runs its loop.
struct MenuSeen {
    std::vector<UINT> states;
    POINT origin;
    bool shown;
};
MenuSeen Seen;
std::vector<UINT> Watched;

void CALLBACK CatchMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND popup = FindWindowA("#32768", NULL);
    if (popup == NULL || !IsWindowVisible(popup))
        return;
    KillTimer(NULL, id);
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (UINT command : Watched)
        Seen.states.push_back(GetMenuState(menu, command, MF_BYCOMMAND));
    RECT r;
    GetWindowRect(popup, &r);
    Seen.origin = {r.left, r.top};
    Seen.shown = true;
    EndMenu();
}

void ShowAndCatch(const std::function<void()>& show, std::vector<UINT> commands)
{
    Seen = MenuSeen();
    Watched = std::move(commands);
    SetTimer(NULL, 0, 50, CatchMenu);
    show();
}

TEST_F(GripTest, MenusGrayWhatNeedsAText)
{
    HWND w = StartWindow();
    const UINT grayed = MF_GRAYED;
    ShowAndCatch([&] { SendMessageA(w, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN); }, {IDM_AUTOFEED, IDM_OPEN});
    ASSERT_TRUE(Seen.shown);
    EXPECT_EQ(Seen.states[0] & grayed, grayed) << "the feed needs a text";
    EXPECT_EQ(Seen.states[1] & grayed, 0u);

    ShowAndCatch([&] { SendMessageA(w, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(100, 20)); },
                 {IDM_JUMP, IDM_CLEAR, IDM_INFO, IDM_CHAPTERS, IDM_MARK, IDM_BOOKMARKS, IDM_OPEN, IDM_EXIT});
    ASSERT_TRUE(Seen.shown);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Seen.states[i] & grayed, grayed) << i;
    EXPECT_EQ(Seen.states[6] & grayed, 0u);
    EXPECT_EQ(Seen.states[7] & grayed, 0u);
    // At the cursor, shifted by the 1-pixel border as the client origin is.
    EXPECT_EQ(Seen.origin.x, 101);
    EXPECT_EQ(Seen.origin.y, 21);

    ASSERT_EQ(OpenFile(WriteText("t.txt", "a\nb\n").c_str()), 0);
    SendMessageA(w, WM_KEYDOWN, VK_F5, 0);
    ShowAndCatch([&] { SendMessageA(w, WM_TRAYNOTIFY, TRAY_ICON_ID, WM_RBUTTONDOWN); }, {IDM_AUTOFEED});
    ASSERT_TRUE(Seen.shown);
    EXPECT_EQ(Seen.states[0] & (grayed | MF_CHECKED), static_cast<UINT>(MF_CHECKED));
    ShowAndCatch([&] { SendMessageA(w, WM_NCRBUTTONDOWN, HTCAPTION, MAKELPARAM(100, 20)); },
                 {IDM_JUMP, IDM_CLEAR, IDM_INFO, IDM_CHAPTERS, IDM_MARK, IDM_BOOKMARKS});
    ASSERT_TRUE(Seen.shown);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Seen.states[i] & grayed, 0u) << i;
}

}  // namespace
