#include <windows.h>
#include <commdlg.h>

#include <cwchar>

#include "base/wide.h"
#include "dialogs/dialogs.h"

namespace {
// Three filters, each a name and a pattern, ending in an empty name.
const char FILTERS[] = "txtﾌｧｲﾙ (*.TXT)\0*.TXT\0DATﾌｧｲﾙ (*.DAT)\0*.DAT\0全てのﾌｧｲﾙ (*.*)\0*.*\0";
}

int AskForFile(HWND owner, wchar_t* path)
{
    // The wide dialog: its title and filters read right on any system, and
    // the name chosen may hold any character.
    wchar_t filters[128];
    WideFrom932(FILTERS, sizeof FILTERS, filters, 128);
    Wide932 title("ﾌｧｲﾙを開く");
    wmemset(path, L'\0', PATH_SIZE);
    OPENFILENAMEW ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters;
    ofn.nFilterIndex = 3;
    ofn.lpstrFile = path;
    ofn.nMaxFile = PATH_SIZE;
    ofn.lpstrTitle = title.text;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&ofn))
        return 1;
    // A name too long for the buffer leaves its needed size in the buffer.
    bool tooLong = CommDlgExtendedError() == FNERR_BUFFERTOOSMALL;
    wmemset(path, L'\0', PATH_SIZE);
    return tooLong ? -1 : 0;
}
