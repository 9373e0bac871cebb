#include "window/perpixel.h"

#include "base/settings.h"
#include "base/user32.h"
#include "window/alpha.h"
#include "window/picture.h"

namespace {

// A 32-bit top-down DIB in a memory DC.
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    uint32_t* bits;
};

// The picture as drawn, and its coverage, the size of the window; kept
// from paint to paint while the size stays.
struct Canvases {
    Canvas drawn, coverage;
    SIZE size;
};
Canvases Kept;

bool MakeCanvas(Canvas* canvas, HDC screen, SIZE size)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    canvas->bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    canvas->dc = CreateCompatibleDC(screen);
    if (canvas->bitmap == NULL || canvas->dc == NULL)
        return false;
    canvas->old = SelectObject(canvas->dc, canvas->bitmap);
    canvas->bits = static_cast<uint32_t*>(bits);
    return true;
}

void FreeCanvas(Canvas* canvas)
{
    if (canvas->dc != NULL && canvas->old != NULL)
        SelectObject(canvas->dc, canvas->old);
    if (canvas->dc != NULL)
        DeleteDC(canvas->dc);
    if (canvas->bitmap != NULL)
        DeleteObject(canvas->bitmap);
    *canvas = Canvas();
}

bool CanvasesFor(SIZE size)
{
    if (Kept.drawn.bits != NULL && size.cx == Kept.size.cx && size.cy == Kept.size.cy)
        return true;
    ReleasePerPixel();
    HDC screen = GetDC(NULL);
    const bool made = MakeCanvas(&Kept.drawn, screen, size) && MakeCanvas(&Kept.coverage, screen, size);
    ReleaseDC(NULL, screen);
    if (!made) {
        ReleasePerPixel();
        return false;
    }
    Kept.size = size;
    return true;
}

uint32_t PixelOf(COLORREF colour)
{
    return static_cast<uint32_t>(GetRValue(colour)) << 16 | static_cast<uint32_t>(GetGValue(colour)) << 8 |
           GetBValue(colour);
}

}  // namespace

void PaintPerPixel(HWND window, unsigned char alpha)
{
    RECT windowRect, client;
    GetWindowRect(window, &windowRect);
    const SIZE size = {windowRect.right - windowRect.left, windowRect.bottom - windowRect.top};
    if (size.cx <= 0 || size.cy <= 0 || !CanvasesFor(size))
        return;
    // The client area's place in the window: inside the border, if any.
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    origin.x -= windowRect.left;
    origin.y -= windowRect.top;

    const Ink coverage = {RGB(0, 0, 0), RGB(255, 255, 255), RGB(255, 255, 255)};
    SetViewportOrgEx(Kept.drawn.dc, origin.x, origin.y, NULL);
    DrawPicture(window, Kept.drawn.dc, ScreenInk());
    SetViewportOrgEx(Kept.coverage.dc, origin.x, origin.y, NULL);
    DrawPicture(window, Kept.coverage.dc, coverage);
    GdiFlush();

    KeepInkOpaque(Kept.drawn.bits, Kept.coverage.bits, static_cast<size_t>(size.cx) * size.cy,
                  PixelOf(AppSettings.BackColor), alpha);
    if (origin.x > 0 || origin.y > 0) {
        const uint32_t frame = Premultiplied(PixelOf(GetSysColor(COLOR_WINDOWFRAME)), alpha);
        for (int y = 0; y < size.cy; ++y) {
            uint32_t* row = Kept.drawn.bits + static_cast<size_t>(y) * size.cx;
            const bool besideClient = y >= origin.y && y < origin.y + client.bottom;
            for (int x = 0; x < size.cx; ++x) {
                if (besideClient && x == origin.x)
                    x = origin.x + client.right;
                if (x < size.cx)
                    row[x] = frame;
            }
        }
    }

    SIZE drawnSize = size;
    POINT from = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    User32.UpdateLayered(window, NULL, NULL, &drawnSize, Kept.drawn.dc, &from, 0, &blend, ULW_ALPHA);
}

bool PerPixelSizeChanged(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r.right - r.left != Kept.size.cx || r.bottom - r.top != Kept.size.cy;
}

void ReleasePerPixel()
{
    FreeCanvas(&Kept.drawn);
    FreeCanvas(&Kept.coverage);
    Kept.size = SIZE();
}
