#include <cstring>

#include "app/msgbox.h"
#include "app/settings.h"
#include "app/startup.h"
#include "document/document.h"

namespace {

const char CANNOT_REOPEN[] = "前回参照ﾃｷｽﾄが開けません。";
const char NO_LINES[] = "表示できる行がありません。";

// Opens the kept working copy and indexes it. Returns 0, or the message
// that says why it could not be taken up again.
const char* ReopenWorkingCopy()
{
    HANDLE h = CreateFileA(WorkFile, GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return CANNOT_REOPEN;
    LARGE_INTEGER size;
    LineIndex index = {};
    if (!GetFileSizeEx(h, &size) || size.QuadPart > 0xFFFFFFFFll || !BuildLineIndex(h, &index)) {
        CloseHandle(h);
        return CANNOT_REOPEN;
    }
    if (index.count == 0) {
        FreeLineIndex(&index);
        CloseHandle(h);
        return NO_LINES;
    }
    Doc.WorkHandle = h;
    Doc.Index = index;
    return NULL;
}

void Restore(HWND window)
{
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32514)));  // IDC_WAIT
    const char* failure = ReopenWorkingCopy();
    if (failure == NULL) {
        Doc.DatFlg = AskDatForm(Doc.WorkHandle, Doc.Index);
        Doc.LineCnt = Doc.Index.count;
        // Counted unsigned: a stored 0 or negative line lies beyond the end.
        uint32_t line = static_cast<uint32_t>(AppSettings.BackNo) - 1u;
        Doc.CurLine = line;
        Doc.CurLine = ShowLine(window, NAV_CLAMP, line, DispText);
        InvalidateRect(window, NULL, TRUE);
    }
    SetCursor(LoadCursorA(NULL, MAKEINTRESOURCEA(32512)));  // IDC_ARROW
    if (failure != NULL)
        ShowMessage(NULL, failure, "Skerrow", MB_ICONERROR);
}

}  // namespace

int RestoreLastText(HWND window)
{
    if (AppSettings.BackFlg == 1 && AppSettings.BackNo != 0) {
        DocBusy = 1;
        bool accepted = ShowMessage(NULL, "前回終了直前の状態を復元しますか？", "Skerrow", MB_OKCANCEL) == IDOK;
        if (accepted)
            Restore(window);
        DocBusy = 0;
        if (accepted)
            return 0;
    }
    DeleteFileA(WorkFile);
    AppSettings.BackNo = 0;
    memset(AppSettings.BackFile, 0, sizeof AppSettings.BackFile);
    return 0;
}

int ClearText(HWND window)
{
    if (DocBusy)
        return 0;
    ResetDocument(window);
    ReleaseText();
    DeleteFileA(WorkFile);
    return 0;
}

void ResumeAfterCancelledEnd(HWND window)
{
    if (Doc.WorkHandle != INVALID_HANDLE_VALUE || Doc.LineCnt == 0 || DocBusy)
        return;
    // Taken up silently, as it was: the same lines and the same dat view.
    if (ReopenWorkingCopy() != NULL) {
        ResetDocument(window);
        return;
    }
    Doc.LineCnt = Doc.Index.count;
    Doc.CurLine = ShowLine(window, NAV_CLAMP, Doc.CurLine, DispText);
    InvalidateRect(window, NULL, TRUE);
}
