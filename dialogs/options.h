// The pages of the options sheet and what they share.
#ifndef SKERROW_DIALOGS_OPTIONS_H
#define SKERROW_DIALOGS_OPTIONS_H

#include <windows.h>
#include <commctrl.h>

// Set while the Hot-key page has taken the global hot keys away (so that
// pressing them types them into its controls) and they still have to be
// registered again; whoever registers them clears it.
extern int HotKeysReleased;

// The sheet while it is open, known from its first page on; NULL otherwise.
extern HWND OptionsSheet;

// The colour chooser's 16 custom colours, kept for the run so that colours
// the user mixes and adds are there again the next time. Filled on the first
// use (CustomColorsFilled 0) with the background and text colours of that
// moment and white in the other slots.
extern COLORREF CustomColors[16];
extern int CustomColorsFilled;

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
// font into FontColor.
int PickFont(HWND owner, LOGFONTA* logfont);
int PickColor(HWND owner, COLORREF* colour);

#endif
