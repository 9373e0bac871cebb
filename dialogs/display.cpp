#include <windows.h>
#include <commctrl.h>

#include <cstddef>

#include "dialogs/options.h"
#include "res/resource.h"

namespace {

// The background of the face-name preview, in the chosen background colour.
HBRUSH PreviewBrush;

void ShowFaceName(HWND page)
{
    SetDlgItemTextW(page, IDC_FACENAME, Options.edited->Font.lfFaceName);
}

void DeletePreviewBrush()
{
    if (PreviewBrush != NULL)
        DeleteObject(PreviewBrush);
    PreviewBrush = NULL;
}

INT_PTR OnInitDialog(HWND page)
{
    const AppSettingsRecord& s = *Options.edited;
    ShowFaceName(page);
    int least, most;  // opaque to fully transparent
    SettingLimits(offsetof(AppSettingsRecord, LayNum), &least, &most);
    SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETRANGE, TRUE, MAKELONG(least, most));
    SendDlgItemMessageA(page, IDC_LAYNUM, TBM_SETPOS, TRUE, s.LayNum);
    SendDlgItemMessageA(page, IDC_OPAQUETEXT, BM_SETCHECK, s.OpaqueText == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessageA(page, IDC_BORDERFLG, BM_SETCHECK, s.BorderFlg != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    SendDlgItemMessageA(page, IDC_PROGRESSLINE, BM_SETCHECK, s.ProgressLine == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
    return TRUE;
}

// The preview shows the face name in the dialog's own font, but in the
// text and background colours chosen.
INT_PTR OnCtlColorStatic(HWND page, HDC dc, HWND control)
{
    if (control != GetDlgItem(page, IDC_FACENAME))
        return FALSE;
    const AppSettingsRecord& s = *Options.edited;
    HBRUSH old = PreviewBrush;
    PreviewBrush = CreateSolidBrush(s.BackColor);
    if (old != NULL)
        DeleteObject(old);
    SetTextColor(dc, s.FontColor);
    SetBkColor(dc, s.BackColor);
    return reinterpret_cast<INT_PTR>(PreviewBrush);
}

// The whole default look takes effect at once, its font too; it reaches
// the settings file only on OK.
void SetDefaultLook(HWND page)
{
    AppSettingsRecord& s = *Options.edited;
    SetDefaultFont(&s.Font);
    s.BackColor = GetSysColor(COLOR_BTNFACE);
    s.FontColor = GetSysColor(COLOR_WINDOWTEXT);
    ShowFaceName(page);
    Options.host->preview(s, true);
    InvalidateRect(page, NULL, TRUE);
}

INT_PTR OnCommand(HWND page, int id)
{
    AppSettingsRecord& s = *Options.edited;
    switch (id) {
    case IDC_FONT:
        if (PickFont(page, &s.Font, &s.FontColor) == 0) {
            ShowFaceName(page);
            Options.host->preview(s, false);
        }
        break;
    case IDC_BACKCOLOR:
        if (PickColor(page, &s.BackColor) == 0) {
            Options.host->preview(s, false);
            InvalidateRect(page, NULL, TRUE);
        }
        break;
    case IDC_DEFAULT: SetDefaultLook(page); break;
    }
    return TRUE;
}

// The colours and the font are in the edited settings already.
INT_PTR OnApply(HWND page)
{
    AppSettingsRecord& s = *Options.edited;
    s.BorderFlg = SendDlgItemMessageA(page, IDC_BORDERFLG, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    s.LayNum = static_cast<int>(SendDlgItemMessageA(page, IDC_LAYNUM, TBM_GETPOS, 0, 0));
    s.OpaqueText = SendDlgItemMessageA(page, IDC_OPAQUETEXT, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    s.ProgressLine = SendDlgItemMessageA(page, IDC_PROGRESSLINE, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
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
