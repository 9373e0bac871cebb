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
Canvas Drawn, Coverage;
SIZE CanvasSize;

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
    if (Drawn.bits != NULL && size.cx == CanvasSize.cx && size.cy == CanvasSize.cy)
        return true;
    ReleasePerPixel();
    HDC screen = GetDC(NULL);
    const bool made = MakeCanvas(&Drawn, screen, size) && MakeCanvas(&Coverage, screen, size);
    ReleaseDC(NULL, screen);
    if (!made) {
        ReleasePerPixel();
        return false;
    }
    CanvasSize = size;
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
    SetViewportOrgEx(Drawn.dc, origin.x, origin.y, NULL);
    DrawPicture(window, Drawn.dc, ScreenInk());
    SetViewportOrgEx(Coverage.dc, origin.x, origin.y, NULL);
    DrawPicture(window, Coverage.dc, coverage);
    GdiFlush();

    KeepInkOpaque(Drawn.bits, Coverage.bits, static_cast<size_t>(size.cx) * size.cy,
                  PixelOf(AppSettings.BackColor), alpha);
    if (origin.x > 0 || origin.y > 0) {
        const uint32_t frame = Premultiplied(PixelOf(GetSysColor(COLOR_WINDOWFRAME)), alpha);
        for (int y = 0; y < size.cy; ++y) {
            uint32_t* row = Drawn.bits + static_cast<size_t>(y) * size.cx;
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
    UpdateLayered(window, NULL, NULL, &drawnSize, Drawn.dc, &from, 0, &blend, ULW_ALPHA);
}

bool PerPixelSizeChanged(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return r.right - r.left != CanvasSize.cx || r.bottom - r.top != CanvasSize.cy;
}

void ReleasePerPixel()
{
    FreeCanvas(&Drawn);
    FreeCanvas(&Coverage);
    CanvasSize = SIZE();
}
