#include <windows.h>
#include <commdlg.h>

#include <cstring>

#include "app/base/wide.h"
#include "dialogs/dialogs.h"

namespace {
// Three filters, each a name and a pattern, ending in an empty name.
const char FILTERS[] = "txtﾌｧｲﾙ (*.TXT)\0*.TXT\0DATﾌｧｲﾙ (*.DAT)\0*.DAT\0全てのﾌｧｲﾙ (*.*)\0*.*\0";
}

int AskForFile(HWND owner, char* path)
{
    // The dialog is the wide one, so that its title and filters read right on
    // any system; the path chosen comes back as code page 932.
    wchar_t filters[128], chosen[PATH_SIZE];
    WideFrom932(FILTERS, sizeof FILTERS, filters, 128);
    Wide932 title("ﾌｧｲﾙを開く");
    memset(chosen, 0, sizeof chosen);
    OPENFILENAMEW ofn;
    memset(&ofn, 0, sizeof ofn);
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filters;
    ofn.nFilterIndex = 3;
    ofn.lpstrFile = chosen;
    ofn.nMaxFile = PATH_SIZE;
    ofn.lpstrTitle = title.text;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    memset(path, 0, PATH_SIZE);
    if (GetOpenFileNameW(&ofn)) {
        // A name that code page 932 cannot spell, or that does not fit, is
        // passed on empty, to be refused as a bad name.
        BOOL lost = FALSE;
        int n = WideCharToMultiByte(PROGRAM_CODE_PAGE, WC_NO_BEST_FIT_CHARS, chosen, -1, path, PATH_SIZE, NULL, &lost);
        if (n == 0 || lost)
            memset(path, 0, PATH_SIZE);
        return 1;
    }
    // A name too long for the buffer leaves its needed size in the buffer.
    return CommDlgExtendedError() == FNERR_BUFFERTOOSMALL ? -1 : 0;
}
