#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstring>

#include "app/settings.h"
#include "dialogs/dialogs.h"
#include "dialogs/options.h"
#include "res/resource.h"
#include "window/feed.h"
#include "window/mainwnd.h"
#include "window/tray.h"

int HotKeysReleased;
HWND OptionsSheet;

namespace {

// The page record with header title and subtitle and the header with the
// watermark and header bitmaps: the records of the common controls that
// Windows 2000 ships, the oldest system the program runs on.
const DWORD PAGE_RECORD_SIZE = 48;
const DWORD SHEET_HEADER_SIZE = 52;
static_assert(offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR) == PAGE_RECORD_SIZE, "page record");
static_assert(offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP) == SHEET_HEADER_SIZE, "sheet header");

const int PAGE_COUNT = 3;

// Set from the call to its end, before the sheet has a window.
int SheetRunning;

HPROPSHEETPAGE CreatePage(HINSTANCE instance, int templateId, const char* title, DLGPROC procedure)
{
    PROPSHEETPAGEA page;
    memset(&page, 0, sizeof page);
    page.dwSize = PAGE_RECORD_SIZE;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pszTitle = title;
    page.pfnDlgProc = procedure;
    return CreatePropertySheetPageA(&page);
}

}  // namespace

void ShowOptionsSheet(HWND window, HINSTANCE instance)
{
    // The main window stays usable while the sheet is open, so F12 or the
    // tray menu can ask again: one sheet at a time, or two would edit the
    // same settings and take the hot keys away from each other.
    if (SheetRunning) {
        if (OptionsSheet != NULL)
            SetForegroundWindow(OptionsSheet);
        return;
    }
    SheetRunning = 1;

    // The feed pauses: lines must not move under the user's eyes while the
    // settings that shape them are being changed.
    if (AutoFlg != 0)
        KillTimer(window, TIMER_AUTOFEED);

    HPROPSHEETPAGE pages[PAGE_COUNT] = {
        CreatePage(instance, IDD_OPT_GENERAL, "全般", GeneralPageProc),
        CreatePage(instance, IDD_OPT_DISPLAY, "表示", DisplayPageProc),
        CreatePage(instance, IDD_OPT_HOTKEY, "ﾎｯﾄｷｰ", HotKeyPageProc),
    };
    PROPSHEETHEADERA header;
    memset(&header, 0, sizeof header);
    header.dwSize = SHEET_HEADER_SIZE;
    // Only OK and Cancel; the caption reads as the properties of the title.
    header.dwFlags = PSH_PROPTITLE | PSH_NOAPPLYNOW;
    // No parent: the sheet is a window of its own and the main window stays
    // enabled.
    header.hwndParent = NULL;
    header.hInstance = instance;
    header.pszCaption = "ｵﾌﾟｼｮﾝ設定";
    header.nPages = PAGE_COUNT;
    header.nStartPage = 0;
    header.phpage = pages;
    PropertySheetA(&header);

    // Cancel reaches only the page that is showing, so a Hot-key page shown
    // earlier cannot give the hot keys back itself: whatever closed the
    // sheet, they are registered again here unless OK already did it.
    if (HotKeysReleased) {
        RegisterHotKeys(MainWnd);
        HotKeysReleased = 0;
    }
    OptionsSheet = NULL;
    SheetRunning = 0;

    if (AutoFlg != 0)
        SetTimer(window, TIMER_AUTOFEED, FeedIntervalMs(AppSettings.RunWait), NULL);
    // A new font, colour or line number shows at once.
    InvalidateRect(window, NULL, TRUE);
}
