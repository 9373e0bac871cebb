#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstring>

#include "base/wide.h"
#include "dialogs/options.h"
#include "res/resource.h"

OptionsRun Options;

namespace {

// The page record with header title and subtitle and the header with the
// watermark and header bitmaps: the records of the common controls that
// Windows 2000 ships, the oldest system the program runs on.
const DWORD PAGE_RECORD_SIZE = 48;
const DWORD SHEET_HEADER_SIZE = 52;
static_assert(offsetof(PROPSHEETPAGEW, pszHeaderSubTitle) + sizeof(LPCWSTR) == PAGE_RECORD_SIZE, "page record");
static_assert(offsetof(PROPSHEETHEADERW, hbmHeader) + sizeof(HBITMAP) == SHEET_HEADER_SIZE, "sheet header");

const int PAGE_COUNT = 3;

// Made through the wide calls, titles included, so that the pages read
// right on any system.
HPROPSHEETPAGE CreatePage(HINSTANCE instance, int templateId, const char* title, DLGPROC procedure)
{
    Wide932 wideTitle(title);
    PROPSHEETPAGEW page;
    memset(&page, 0, sizeof page);
    page.dwSize = PAGE_RECORD_SIZE;
    page.dwFlags = PSP_USETITLE;
    page.hInstance = instance;
    page.pszTemplate = MAKEINTRESOURCEW(templateId);
    page.pszTitle = wideTitle.text;
    page.pfnDlgProc = procedure;
    return CreatePropertySheetPageW(&page);
}

}  // namespace

bool BringOptionsSheetForward()
{
    if (Options.running && Options.sheet != NULL)
        SetForegroundWindow(Options.sheet);
    return Options.running;
}

bool OptionsSheetOpen()
{
    return Options.running;
}

unsigned ShowOptionsSheet(HINSTANCE instance, const OptionsHost& host, AppSettingsRecord* edited)
{
    Options.running = true;
    Options.host = &host;
    Options.edited = edited;
    Options.outcome = 0;
    Options.sheet = NULL;

    HPROPSHEETPAGE pages[PAGE_COUNT] = {
        CreatePage(instance, IDD_OPT_GENERAL, "全般", GeneralPageProc),
        CreatePage(instance, IDD_OPT_DISPLAY, "表示", DisplayPageProc),
        CreatePage(instance, IDD_OPT_HOTKEY, "ﾎｯﾄｷｰ", HotKeyPageProc),
    };
    Wide932 caption("ｵﾌﾟｼｮﾝ設定");
    PROPSHEETHEADERW header;
    memset(&header, 0, sizeof header);
    header.dwSize = SHEET_HEADER_SIZE;
    // Only OK and Cancel; the caption reads as the properties of the title.
    header.dwFlags = PSH_PROPTITLE | PSH_NOAPPLYNOW;
    // No parent: the sheet is a window of its own and the main window stays
    // enabled.
    header.hwndParent = NULL;
    header.hInstance = instance;
    header.pszCaption = caption.text;
    header.nPages = PAGE_COUNT;
    header.nStartPage = 0;
    header.phpage = pages;
    PropertySheetW(&header);

    Options.sheet = NULL;
    Options.running = false;
    return Options.outcome;
}
