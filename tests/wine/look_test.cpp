#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/settings.h"
#include "document/document.h"
#include "res/resource.h"
#include "tests/wine/fixture.h"
#include "window/mainwnd.h"

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

TEST_F(LookTest, TheIconComesBackWhenTheShellRestarts)
{
    HWND w = StartWindow();
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
// but its object table is finite: with all but a few of its places taken, a
// paint or line step that kept one object would soon leave none free.
TEST_F(LookTest, PaintsAndLineStepsKeepNoGdiObjects)
{
    HWND w = StartWindow();
    std::string lines;
    for (int i = 0; i < 50; ++i)
        lines += "a line of text\twith a tab and enough words to wrap in a narrow window\r\n";
    ASSERT_EQ(OpenTextFile(w, 1, WriteText("t.txt", lines).c_str()), 0);

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
