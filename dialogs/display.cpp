#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "dialogs/options.h"
#include "res/resource.h"

namespace {

// The font being edited; it reaches the settings only on OK.
LOGFONTW EditFont;
// The background of the face-name preview, in the chosen background colour.
HBRUSH PreviewBrush;

void ShowFaceName(HWND page)
{
    SetDlgItemTextW(page, IDC_FACENAME, EditFont.lfFaceName);
}

void DeletePreviewBrush()
{
    if (PreviewBrush != NULL)
        DeleteObject(PreviewBrush);
    PreviewBrush = NULL;
}

INT_PTR OnInitDialog(HWND page)
{
    EditFont = AppSettings.Font;
    if (AppSettings.DisplayFont != NULL)
        ShowFaceName(page);
    int least, most;  // opaque to fully transparent
    SettingLimits(offsetof(AppSettingsRecord, LayNum), &least, &most);
    SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETRANGE, TRUE, MAKELONG(least, most));
    SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETPOS, TRUE, AppSettings.LayNum);
    SendDlgItemMessageA(page, IDC_OPAQUETEXT, BM_SETCHECK,
                        AppSettings.OpaqueText == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessageA(page, IDC_BORDERFLG, BM_SETCHECK,
                        AppSettings.BorderFlg != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

// The preview shows the face name in the dialog's own font, but in the
// text and background colours in force.
INT_PTR OnCtlColorStatic(HWND page, HDC dc, HWND control)
{
    if (control != GetDlgItem(page, IDC_FACENAME))
        return FALSE;
    HBRUSH old = PreviewBrush;
    PreviewBrush = CreateSolidBrush(AppSettings.BackColor);
    if (old != NULL)
        DeleteObject(old);
    SetTextColor(dc, AppSettings.FontColor);
    SetBkColor(dc, AppSettings.BackColor);
    return reinterpret_cast<INT_PTR>(PreviewBrush);
}

// The whole default look takes effect at once; it reaches the settings file
// only on OK.
void SetDefaultLook(HWND page)
{
    SetDefaultFont(&EditFont);
    ShowFaceName(page);
    Options.host->showLook(GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_WINDOWTEXT), &EditFont);
    InvalidateRect(page, NULL, TRUE);
}

INT_PTR OnCommand(HWND page, int id)
{
    COLORREF colour;
    switch (id) {
    case IDC_FONT:
        colour = AppSettings.FontColor;
        if (PickFont(page, &EditFont, &colour) == 0) {
            ShowFaceName(page);
            Options.host->showLook(AppSettings.BackColor, colour, NULL);
        }
        break;
    case IDC_BACKCOLOR:
        colour = AppSettings.BackColor;
        if (PickColor(page, &colour) == 0) {
            Options.host->showLook(colour, AppSettings.FontColor, NULL);
            InvalidateRect(page, NULL, TRUE);
        }
        break;
    case IDC_DEFAULT: SetDefaultLook(page); break;
    }
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    AppSettingsRecord& s = *Options.edited;
    s.BorderFlg = SendDlgItemMessageA(page, IDC_BORDERFLG, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    s.BackColor = AppSettings.BackColor;
    s.FontColor = AppSettings.FontColor;
    // A font without a face name (the chooser never gives one) would be
    // whatever the system picks: the font stays as it was.
    s.Font = EditFont.lfFaceName[0] != L'\0' ? EditFont : AppSettings.Font;
    s.LayNum = static_cast<int>(SendDlgItemMessageA(page, IDC_LAYNUM, TBM_GETPOS, 0, 0));
    s.OpaqueText = SendDlgItemMessageA(page, IDC_OPAQUETEXT, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    Options.outcome |= DISPLAY_PAGE;
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK DisplayPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(page);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(page, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: return OnCommand(page, LOWORD(wParam));
    case WM_NOTIFY:
        if (IsApply(lParam))
            return OnApply(page);
        return FALSE;
    // The last preview brush goes with the page.
    case WM_DESTROY: DeletePreviewBrush(); return FALSE;
    }
    return FALSE;
}
