#include "app/startup.h"

#include <commctrl.h>

#include <cstring>
#include <cwchar>

#include "base/msgbox.h"
#include "base/settings.h"
#include "base/user32.h"
#include "base/wide.h"
#include "res/resource.h"
#include "base/dpiscale.h"
#include "window/grip.h"
#include "window/mainwnd.h"
#include "window/paint.h"
#include "window/placement.h"

namespace {
const char CLASS_NAME[] = "Skerrow";
const char WINDOW_TITLE[] = "Skerrow　Ver1.00";
}

int FetchBaseDir()
{
    wchar_t cwd[PATH_SIZE];
    wmemset(cwd, L'\0', PATH_SIZE);
    DWORD n = GetCurrentDirectoryW(PATH_SIZE, cwd);
    // A result of the buffer size or more means the folder did not fit and
    // the buffer holds nothing usable.
    if (n == 0 || n >= PATH_SIZE || MakeBaseDir(cwd, BaseDir) != 0) {
        ShowMessage(NULL, "起動ﾌｫﾙﾀﾞのﾊﾟｽが長すぎるか取得できません。", "Error", MB_ICONERROR);
        return -1;
    }
    return 0;
}

ATOM RegisterMainClass(HINSTANCE instance)
{
    WNDCLASSEXA wc;
    memset(&wc, 0, sizeof wc);
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWndProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDI_MAIN));
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_MENU);
    wc.lpszClassName = CLASS_NAME;
    return RegisterClassExA(&wc);
}

bool CreateMainWindow(HINSTANCE instance, int showCommand)
{
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    // The options sheet needs the trackbar and hot-key classes as well as
    // the property sheet itself.
    icc.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS;
    InitCommonControlsEx(&icc);

    // The title made wide: the window itself stays one of the ANSI class.
    // The size and the font are kept at 96 DPI; the window is made at the
    // DPI of the monitor it will stand on, so that a restore showing its
    // progress already shows it at its size.
    const int width = AppSettings.WIDTH, height = AppSettings.HEIGHT;
    const int dpi = DpiToCreateAt(AppSettings.X, AppSettings.Y, width, height);
    SettleSize(false);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, Wide932(CLASS_NAME).text, Wide932(WINDOW_TITLE).text, WS_POPUP,
                                  AppSettings.X, AppSettings.Y, ScaleLength(width, dpi, BASE_DPI),
                                  ScaleLength(height, dpi, BASE_DPI), NULL, NULL, instance, NULL);
    if (window == NULL)
        return false;
    // Where the system gives the window a DPI of its own choosing.
    const int actual = static_cast<int>(DpiOf(window));
    if (actual != dpi)
        SetWindowPos(window, NULL, 0, 0, ScaleLength(width, actual, BASE_DPI), ScaleLength(height, actual, BASE_DPI),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SettleSize(true);
    KeepOnScreen(window);
    if (AppSettings.BorderFlg == 1)
        ApplyBorder(window);
    ApplyTransparency(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return true;
}
