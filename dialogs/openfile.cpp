#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "dialogs/dialogs.h"

int AskForFile(HWND owner, char* path)
{
    OPENFILENAMEA ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = owner;
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
