#include "window/paint.h"

#include "base/dpiscale.h"
#include "base/settings.h"
#include "base/user32.h"
#include "window/alpha.h"
#include "window/handles.h"
#include "window/layout.h"
#include "window/perpixel.h"
#include "window/picture.h"

namespace {

// The transparency step into force on a window drawn as before.
void ShowStep(HWND window)
{
    if (DrawnPerPixel())
        InvalidateRect(window, NULL, FALSE);
    else if (User32.SetLayeredAttributes != NULL)
        User32.SetLayeredAttributes(window, 0, AlphaFromLayNum(AppSettings.LayNum), LWA_ALPHA);
}

}  // namespace

void PaintWindow(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (DrawnPerPixel())
        PaintPerPixel(window, BackgroundAlpha(AppSettings.LayNum));
    else
        DrawPicture(window, dc, ScreenInk());
    EndPaint(window, &ps);
}

void KeepPictureCurrent(HWND window, const WINDOWPOS* change)
{
    if (DrawnPerPixel() && ((change->flags & SWP_SHOWWINDOW) || PerPixelSizeChanged(window)))
        InvalidateRect(window, NULL, FALSE);
}

bool DrawnPerPixel()
{
    return AppSettings.OpaqueText == 1 && User32.UpdateLayered != NULL;
}

void ReplaceDisplayFont(const LOGFONTW* font)
{
    // The font's sizes are kept at 96 DPI and drawn at the window's.
    const int dpi = static_cast<int>(DpiOf(MainWnd));
    LOGFONTW scaled = *font;
    scaled.lfHeight = ScaleLength(font->lfHeight, dpi, BASE_DPI);
    scaled.lfWidth = ScaleLength(font->lfWidth, dpi, BASE_DPI);
    // Over a see-through background the edges are smoothed in shades of
    // grey: ClearType's coloured edges would show as a fringe there.
    if (DrawnPerPixel() && scaled.lfQuality != NONANTIALIASED_QUALITY)
        scaled.lfQuality = ANTIALIASED_QUALITY;
    KeepDisplayFont(CreateFontIndirectW(&scaled));
}

void ApplyTransparency(HWND window)
{
    const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
    SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
    if (!DrawnPerPixel())
        ReleasePerPixel();
    ShowStep(window);
}

void ApplyFontAndTransparency(HWND window, bool wasPerPixel)
{
    const bool restyle = DrawnPerPixel() != wasPerPixel;
    // A font without a face name would be whatever the system picks: the
    // one drawn stays, unless its smoothing must follow the new drawing.
    if (AppSettings.Font.lfFaceName[0] != L'\0' || restyle)
        ReplaceDisplayFont(&AppSettings.Font);
    if (restyle)
        ApplyTransparency(window);
    else
        ShowStep(window);
}

void ApplyBorder(HWND window)
{
    LONG style = GetWindowLongA(window, GWL_STYLE);
    if (AppSettings.BorderFlg == 1)
        style |= WS_BORDER;
    else
        style &= ~WS_BORDER;
    SetWindowLongA(window, GWL_STYLE, style);
    SetWindowPos(window, NULL, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}
