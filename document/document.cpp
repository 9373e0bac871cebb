#include "document/document.h"

#include <cstdlib>
#include <cstring>

#include "app/settings.h"
#include "app/startup.h"
#include "res/resource.h"
#include "window/mainwnd.h"
#include "window/tray.h"

TextDocument Doc = {INVALID_HANDLE_VALUE, NULL, NULL, 0, 0, 0};
char DispText[DISP_TEXT_SIZE];

void ReleaseText()
{
    if (Doc.WorkHandle == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(Doc.WorkHandle);
    Doc.WorkHandle = INVALID_HANDLE_VALUE;
    free(Doc.LineOfs);
    free(Doc.LineLen);
    Doc.LineOfs = NULL;
    Doc.LineLen = NULL;
}

uint32_t ShowLine(HWND, int, uint32_t, char*)
{
    if (Doc.WorkHandle == INVALID_HANDLE_VALUE)
        return 0;
    return Doc.CurLine;
}

int OpenTextFile(HWND, int, const char*)
{
    return 0;
}

int RestoreLastText(HWND)
{
    return 0;
}

int ClearText(HWND window)
{
    memset(DispText, 0, sizeof DispText);
    Doc.LineCnt = 0;
    memset(AppSettings.BackFile, 0, sizeof AppSettings.BackFile);
    Doc.CurLine = 0;
    AppSettings.BackNo = 0;
    if (AutoFlg != 0) {
        CheckMenuItem(TrayMenu, IDM_AUTOFEED, MF_BYCOMMAND | MF_UNCHECKED);
        AutoFlg = 0;
        KillTimer(window, TIMER_AUTOFEED);
    }
    ReleaseText();
    DeleteFileA(WorkFile);
    InvalidateRect(window, NULL, TRUE);
    return 0;
}
