#include "window/paint.h"

#include "base/dpiscale.h"
#include "base/settings.h"
#include "base/user32.h"
#include "window/alpha.h"
#include "window/handles.h"
#include "window/perpixel.h"
#include "window/picture.h"

namespace {

// Whether the window is drawn per pixel, its ink opaque (UpdateLayeredWindow),
// rather than faded whole (SetLayeredWindowAttributes).
bool PerPixel;

}  // namespace

void PaintWindow(HWND window)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (PerPixel)
        PaintPerPixel(window, BackgroundAlpha(AppSettings.LayNum));
    else
        DrawPicture(window, dc, ScreenInk());
    EndPaint(window, &ps);
}

void KeepPictureCurrent(HWND window, const WINDOWPOS* change)
{
    if (PerPixel && ((change->flags & SWP_SHOWWINDOW) || PerPixelSizeChanged(window)))
        InvalidateRect(window, NULL, FALSE);
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
    if (PerPixel && scaled.lfQuality != NONANTIALIASED_QUALITY)
        scaled.lfQuality = ANTIALIASED_QUALITY;
    HFONT old = AppSettings.DisplayFont;
    AppSettings.DisplayFont = CreateFontIndirectW(&scaled);
    if (old != NULL)
        DeleteObject(old);
}

void ApplyTransparency(HWND window)
{
    const bool perPixel = AppSettings.OpaqueText == 1 && UpdateLayered != NULL;
    if (perPixel != PerPixel) {
        // A layered window once faded whole cannot be drawn per pixel, nor
        // the other way round, until its style has been taken off and put
        // back.
        const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
        SetWindowLongA(window, GWL_EXSTYLE, style & ~WS_EX_LAYERED);
        SetWindowLongA(window, GWL_EXSTYLE, style | WS_EX_LAYERED);
        PerPixel = perPixel;
        ReplaceDisplayFont(&AppSettings.Font);
        if (!perPixel)
            ReleasePerPixel();
    }
    if (PerPixel)
        InvalidateRect(window, NULL, FALSE);
    else if (SetLayeredAttributes != NULL)
        SetLayeredAttributes(window, 0, AlphaFromLayNum(AppSettings.LayNum), LWA_ALPHA);
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
