#include "document/document.h"

#include <cstdio>
#include <cstring>

#include "app/msgbox.h"
#include "app/settings.h"
#include "app/startup.h"
#include "datview/datrecord.h"
#include "res/resource.h"
#include "window/feed.h"
#include "window/mainwnd.h"
#include "window/tray.h"

TextDocument Doc = {INVALID_HANDLE_VALUE, {}, 0, 0, 0};
int DocBusy;
char DispText[DISP_TEXT_SIZE];

namespace {

// The longest line shown; a longer one is cut here.
const DWORD LINE_MAX_BYTES = 4096;

// Reads n bytes at ofs (below 4 GiB) into buf; returns the bytes read.
DWORD ReadAt(HANDLE h, uint32_t ofs, char* buf, DWORD n)
{
    // The high half given explicitly: offsets of 2 GiB and more must not
    // be taken as negative distances.
    LONG high = 0;
    SetFilePointer(h, static_cast<LONG>(ofs), &high, FILE_BEGIN);
    DWORD got = 0;
    if (!ReadFile(h, buf, n, &got, NULL))
        return 0;
    return got;
}

}  // namespace

void ReleaseText()
{
    if (Doc.WorkHandle == INVALID_HANDLE_VALUE)
        return;
    CloseHandle(Doc.WorkHandle);
    Doc.WorkHandle = INVALID_HANDLE_VALUE;
    FreeLineIndex(&Doc.Index);
}

uint32_t ShowLine(HWND window, int code, uint32_t index, char* out)
{
    if (Doc.WorkHandle == INVALID_HANDLE_VALUE || Doc.LineCnt == 0)
        return 0;
    uint32_t i = ChooseLine(code, index, Doc.LineCnt);

    // The line runs to its line feed; past 4,096 bytes it is cut.
    char line[LINE_MAX_BYTES + 1];
    memset(line, 0, sizeof line);
    DWORD got = ReadAt(Doc.WorkHandle, LineStart(Doc.Index, i), line, LINE_MAX_BYTES);
    memset(line + LineLength(line, got), 0, sizeof line - LineLength(line, got));

    char prefix[64];
    memset(prefix, 0, sizeof prefix);
    if (AppSettings.LineDisp == 1)
        snprintf(prefix, sizeof prefix, "%u: ", i + 1);
    snprintf(out, DISP_TEXT_SIZE, "%s%s", prefix, line);
    if (Doc.DatFlg == 1)
        FormatDatRecord(line, i, out, DISP_TEXT_SIZE);

    AppSettings.BackNo = static_cast<int>(i + 1);
    if (AutoFlg != 0) {
        KillTimer(window, TIMER_AUTOFEED);
        SetTimer(window, TIMER_AUTOFEED, FeedIntervalMs(AppSettings.RunWait), NULL);
    }
    return i;
}

bool BuildLineIndex(HANDLE handle, LineIndex* index)
{
    static char buffer[1 << 20];
    FreeLineIndex(index);
    LineScan scan;
    BeginLineScan(&scan, index, AppSettings.BlankSkip);
    SetFilePointer(handle, 0, NULL, FILE_BEGIN);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &got, NULL) || !ScanLines(&scan, buffer, got)) {
            FreeLineIndex(index);
            return false;
        }
        if (got == 0)
            break;
    }
    if (!EndLineScan(&scan)) {
        FreeLineIndex(index);
        return false;
    }
    return true;
}

int AskDatForm(HANDLE handle, const LineIndex& index)
{
    // One byte stays zero, so a longer first line is looked at up to there.
    char first[4100];
    memset(first, 0, sizeof first);
    if (index.count > 0) {
        DWORD got = ReadAt(handle, LineStart(index, 0), first, sizeof first - 1);
        memset(first + LineLength(first, got), 0, sizeof first - LineLength(first, got));
    }
    if (CountDatSeparators(first) == 4 &&
        ShowMessage(NULL, "2chのDatﾌｧｲﾙ形式と認識しました。\r\nﾚｽ形式で表示しますか？", "Skerrow", MB_OKCANCEL) == IDOK)
        return 1;
    return 0;
}

void ResetDocument(HWND window)
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
    InvalidateRect(window, NULL, TRUE);
}
