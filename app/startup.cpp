#include "app/startup.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "app/msgbox.h"
#include "app/settings.h"
#include "document/document.h"
#include "res/resource.h"
#include "window/mainwnd.h"
#include "window/paint.h"

char MutexName[PATH_SIZE];
HANDLE InstanceMutex;
HMODULE User32Module;
SetLayeredAttributesFunction SetLayeredAttributes;
char WorkFile[PATH_SIZE];

namespace {
const char CLASS_NAME[] = "Skerrow";
const char WINDOW_TITLE[] = "Skerrow　Ver1.00";
}

int FetchBaseDir()
{
    char cwd[PATH_SIZE];
    memset(cwd, 0, sizeof cwd);
    DWORD n = GetCurrentDirectoryA(sizeof cwd, cwd);
    // A result of the buffer size or more means the folder did not fit and
    // the buffer holds nothing usable.
    if (n == 0 || n >= sizeof cwd || MakeBaseDir(cwd, BaseDir) != 0) {
        ShowMessage(NULL, "起動ﾌｫﾙﾀﾞのﾊﾟｽが長すぎるか取得できません。", "Error", MB_ICONERROR);
        return -1;
    }
    return 0;
}

int BindUser32()
{
    User32Module = LoadLibraryA("user32.dll");
    if (User32Module == NULL) {
        ShowMessage(NULL, "USER32.DLLが読み込めませんでした。", "Error", MB_ICONERROR);
        return -1;
    }
    SetLayeredAttributes = reinterpret_cast<SetLayeredAttributesFunction>(
        reinterpret_cast<void*>(GetProcAddress(User32Module, "SetLayeredWindowAttributes")));
    if (SetLayeredAttributes == NULL) {
        ShowMessage(NULL,
                    "SetLayeredWindowAttributes()関数のポインタが取得できませんでした。"
                    "Windows2000以降ではない可能性があります。",
                    "Error", MB_ICONERROR);
        FreeLibrary(User32Module);
        User32Module = NULL;
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
    wc.hCursor = LoadCursorA(NULL, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    wc.hbrBackground = GetSysColorBrush(COLOR_MENU);
    wc.lpszClassName = CLASS_NAME;
    return RegisterClassExA(&wc);
}

int CreateMainWindow(HINSTANCE instance, int showCommand)
{
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, CLASS_NAME, WINDOW_TITLE, WS_POPUP,
                                  AppSettings.X, AppSettings.Y, AppSettings.WIDTH, AppSettings.HEIGHT,
                                  NULL, NULL, instance, NULL);
    if (window == NULL)
        return 0;
    if (AppSettings.BorderFlg == 1)
        ApplyBorder(window);
    SetWindowLongA(window, GWL_EXSTYLE, GetWindowLongA(window, GWL_EXSTYLE) | WS_EX_LAYERED);
    ApplyTransparency(window);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return 1;
}

int InitDocumentState(HWND)
{
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof icc;
    // The options sheet needs the trackbar and hot-key classes as well as
    // the property sheet itself.
    icc.dwICC = ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_HOTKEY_CLASS;
    InitCommonControlsEx(&icc);

    snprintf(WorkFile, sizeof WorkFile, "%s%s", BaseDir, "Skerrow.tmp");
    memset(DispText, 0, sizeof DispText);
    Doc.WorkHandle = INVALID_HANDLE_VALUE;
    Doc.CurLine = 0;
    Doc.LineCnt = 0;
    AutoFlg = 0;
    NumKeyCnt = 0;
    memset(NumKeyBuf, 0, sizeof NumKeyBuf);
    FreeLineIndex(&Doc.Index);
    return 0;
}
