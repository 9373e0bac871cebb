#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "app/msgbox.h"
#include "app/settings.h"
#include "app/startup.h"
#include "document/document.h"
#include "window/mainwnd.h"

namespace {

const char BAD_NAME[] = "ﾌｧｲﾙ名指定がｴﾗｰです。";
const char OPEN_ERROR[] = "指定ﾌｧｲﾙｵｰﾌﾟﾝｴﾗｰ";
const char NO_LINES[] = "表示できる行がありません。";

// Offsets and lengths are 32-bit.
const ULONGLONG LARGEST_TEXT = 0xFFFFFFFFull;

// 1 = a path was chosen, 0 = cancelled, -1 = the path does not fit (path
// is then empty).
int AskForFile(HWND window, char* path)
{
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = "txtﾌｧｲﾙ (*.TXT)\0*.TXT\0DATﾌｧｲﾙ (*.DAT)\0*.DAT\0全てのﾌｧｲﾙ (*.*)\0*.*\0";
    ofn.nFilterIndex = 3;
    ofn.lpstrFile = path;
    ofn.nMaxFile = PATH_SIZE;
    ofn.lpstrTitle = "ﾌｧｲﾙを開く";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameA(&ofn))
        return 1;
    // A name too long for the buffer leaves its needed size in the buffer.
    memset(path, 0, PATH_SIZE);
    return CommDlgExtendedError() == FNERR_BUFFERTOOSMALL ? -1 : 0;
}

void ArrowCursor()
{
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
}

int Fail(const char* message)
{
    ArrowCursor();
    ShowMessage(NULL, message, "Skerrow", MB_ICONERROR);
    return -1;
}

// Copies the source to the new working copy and indexes it on the way, in
// one read of the source. Returns false, leaving no new copy behind, when
// the source cannot be read, is 4 GiB or more, the copy cannot be written,
// or memory for the index runs out.
bool CopyAndIndex(const char* source, const char* copy, LineIndex* index)
{
    static char buffer[1 << 20];
    HANDLE in = CreateFileA(source, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    if (in == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(in, &size) || static_cast<ULONGLONG>(size.QuadPart) > LARGEST_TEXT) {
        CloseHandle(in);
        return false;
    }
    HANDLE out = CreateFileA(copy, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (out == INVALID_HANDLE_VALUE) {
        CloseHandle(in);
        return false;
    }

    LineScan scan;
    BeginLineScan(&scan, index, AppSettings.BlankSkip);
    ULONGLONG left = static_cast<ULONGLONG>(size.QuadPart);
    bool ok = true;
    // Only the size seen at the start is copied, should the file grow.
    while (ok && left > 0) {
        DWORD want = left < sizeof buffer ? static_cast<DWORD>(left) : sizeof buffer;
        DWORD got = 0, put = 0;
        ok = ReadFile(in, buffer, want, &got, NULL) && got > 0 && WriteFile(out, buffer, got, &put, NULL) &&
             put == got && ScanLines(&scan, buffer, got);
        left -= got;
    }
    ok = ok && EndLineScan(&scan);
    CloseHandle(in);
    ok = CloseHandle(out) && ok;
    if (!ok) {
        FreeLineIndex(index);
        DeleteFileA(copy);
    }
    return ok;
}

// Everything after the choice of a path. The previous text stays open and
// untouched until the new copy and its index are complete.
int OpenChosen(HWND window, const char* path)
{
    char copy[PATH_SIZE];
    memset(copy, 0, sizeof copy);
    strcpy(copy, WorkFile);
    memcpy(copy + strlen(copy) - 3, "new", 3);  // Skerrow.new beside Skerrow.tmp

    LineIndex index = {};
    if (!CopyAndIndex(path, copy, &index))
        return Fail(OPEN_ERROR);

    ReleaseText();
    Doc.LineCnt = 0;
    if (!MoveFileExA(copy, WorkFile, MOVEFILE_REPLACE_EXISTING)) {
        FreeLineIndex(&index);
        DeleteFileA(copy);
        ResetDocument(window);
        return Fail(OPEN_ERROR);
    }
    Doc.WorkHandle = CreateFileA(WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (Doc.WorkHandle == INVALID_HANDLE_VALUE) {
        FreeLineIndex(&index);
        ResetDocument(window);
        return Fail(OPEN_ERROR);
    }
    Doc.Index = index;
    if (index.count == 0) {
        ReleaseText();
        ResetDocument(window);
        return Fail(NO_LINES);
    }

    // While the question is up, LineCnt stays 0: whatever navigates then
    // finds no text, and DocBusy keeps the text from being released.
    Doc.DatFlg = AskDatForm(Doc.WorkHandle, Doc.Index);
    Doc.LineCnt = Doc.Index.count;
    memset(DispText, 0, sizeof DispText);
    Doc.CurLine = 0;
    Doc.CurLine = ShowLine(window, NAV_TOP, 0, DispText);
    strcpy(AppSettings.BackFile, path);
    InvalidateRect(window, NULL, TRUE);
    ArrowCursor();
    return 0;
}

}  // namespace

int OpenTextFile(HWND window, int mode, const char* path)
{
    if (DocBusy)
        return -1;
    char chosen[PATH_SIZE];
    memset(chosen, 0, sizeof chosen);
    if (mode == 1) {
        if (path != NULL && strlen(path) < sizeof chosen)
            strcpy(chosen, path);
    } else if (AskForFile(window, chosen) == 0) {
        return 0;
    }
    if (chosen[0] == '\0') {
        ShowMessage(MainWnd, BAD_NAME, "Skerrow", MB_OK);
        return -1;
    }

    DocBusy = 1;
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    int result = OpenChosen(window, chosen);
    DocBusy = 0;
    return result;
}
