#include <windows.h>
#include <commctrl.h>

#include <cstring>

#include "app/settings.h"
#include "dialogs/options.h"
#include "res/resource.h"
#include "window/mainwnd.h"
#include "window/paint.h"

namespace {

const int LAYNUM_MOST = 20;  // fully transparent

// The font being edited; it reaches the settings only on OK.
LOGFONTA EditFont;
// The background of the face-name preview, in the chosen background colour.
HBRUSH PreviewBrush;

void ReplaceDisplayFont(const LOGFONTA* font)
{
    HFONT old = AppSettings.DisplayFont;
    AppSettings.DisplayFont = CreateFontIndirectA(font);
    if (old != NULL)
        DeleteObject(old);
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
        SetDlgItemTextA(page, IDC_FACENAME, EditFont.lfFaceName);
    SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETRANGE, TRUE, MAKELONG(0, LAYNUM_MOST));
    SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETPOS, TRUE, AppSettings.LayNum);
    SendDlgItemMessageA(page, IDC_BORDERFLG, BM_SETCHECK,
                        AppSettings.BorderFlg != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

// The preview shows the face name in the dialog's own font, but in the
// chosen text and background colours.
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

// Colours and the default look take effect in memory at once; they reach
// the settings file only on OK.
void SetDefaultLook(HWND page)
{
    AppSettings.BackColor = GetSysColor(COLOR_BTNFACE);
    AppSettings.FontColor = GetSysColor(COLOR_WINDOWTEXT);
    SetDefaultFont(&EditFont);
    SetDlgItemTextA(page, IDC_FACENAME, EditFont.lfFaceName);
    ReplaceDisplayFont(&EditFont);
    InvalidateRect(page, NULL, TRUE);
}

INT_PTR OnCommand(HWND page, int id)
{
    switch (id) {
    case IDC_FONT:
        if (PickFont(page, &EditFont) == 0)
            SetDlgItemTextA(page, IDC_FACENAME, EditFont.lfFaceName);
        break;
    case IDC_BACKCOLOR:
        if (PickColor(page, &AppSettings.BackColor) == 0)
            InvalidateRect(page, NULL, TRUE);
        break;
    case IDC_DEFAULT: SetDefaultLook(page); break;
    }
    return TRUE;
}

INT_PTR OnApply(HWND page)
{
    AppSettingsRecord& s = AppSettings;
    s.BorderFlg = SendDlgItemMessageA(page, IDC_BORDERFLG, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    // A font without a face name (the chooser never gives one) would be
    // whatever the system picks: the font stays as it was.
    if (EditFont.lfFaceName[0] != '\0') {
        s.Font = EditFont;
        ReplaceDisplayFont(&s.Font);
    }
    s.LayNum = static_cast<int>(SendDlgItemMessageA(page, IDC_LAYNUM, TBM_GETPOS, 0, 0));
    ApplyTransparency(MainWnd);

    const LOGFONTA& f = s.Font;
    WriteIntKey("OPTION", "LayNum", s.LayNum);
    WriteIntKey("OPTION", "BorderFlg", s.BorderFlg);
    WriteIntKey("FONT", "BackColor", static_cast<int>(s.BackColor));
    WriteIntKey("FONT", "FontColor", static_cast<int>(s.FontColor));
    WriteIntKey("FONT", "Height", f.lfHeight);
    WriteIntKey("FONT", "Width", f.lfWidth);
    WriteIntKey("FONT", "Escapement", f.lfEscapement);
    WriteIntKey("FONT", "Orientation", f.lfOrientation);
    WriteIntKey("FONT", "Weight", f.lfWeight);
    WriteIntKey("FONT", "Italic", f.lfItalic);
    WriteIntKey("FONT", "Underline", f.lfUnderline);
    WriteIntKey("FONT", "StrikeOut", f.lfStrikeOut);
    WriteIntKey("FONT", "CharSet", f.lfCharSet);
    WriteIntKey("FONT", "OutPrecision", f.lfOutPrecision);
    WriteIntKey("FONT", "ClipPrecision", f.lfClipPrecision);
    WriteIntKey("FONT", "Quality", f.lfQuality);
    WriteIntKey("FONT", "PitchAndFamily", f.lfPitchAndFamily);
    WriteStringKey("FONT", "FaceName", f.lfFaceName);

    ApplyBorder(MainWnd);
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
