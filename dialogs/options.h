// The pages of the options sheet and what they share.
#ifndef SKERROW_DIALOGS_OPTIONS_H
#define SKERROW_DIALOGS_OPTIONS_H

#include <windows.h>
#include <commctrl.h>

#include "dialogs/dialogs.h"

// The sheet while it runs.
struct OptionsRun {
    bool running;               // from the call to its end, before the sheet has a window
    const OptionsHost* host;
    // What the pages show and edit; the pages confirmed put their settings
    // there.
    AppSettingsRecord* edited;
    unsigned outcome;           // see ShowOptionsSheet
    HWND sheet;                 // known from the first page shown on
};
extern OptionsRun Options;

// Whether a page's WM_NOTIFY is the sheet confirmed with OK.
inline bool IsApply(LPARAM lParam)
{
    return reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY);
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DisplayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK HotKeyPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// The font and colour choosers: 0 when the user chose, -1 otherwise (then
// nothing is changed). PickFont also takes the text colour chosen with the
// font into *colour.
int PickFont(HWND owner, LOGFONTW* logfont, COLORREF* colour);
int PickColor(HWND owner, COLORREF* colour);

#endif
