// Opacity of the window for a transparency step, and the picture of a
// window whose text stays opaque.
#ifndef SKERROW_WINDOW_ALPHA_H
#define SKERROW_WINDOW_ALPHA_H

#include <cstddef>
#include <cstdint>

// The layered-window alpha for layNum (0 opaque ... 20 fully transparent):
// the low byte of 255 - layNum * 255 / 20, truncating. Steps outside 0-20
// come from a hand-edited settings file; they give the same byte as that
// formula, computed wide enough that no stored number overflows.
unsigned char AlphaFromLayNum(int layNum);

// The alpha of all but the ink when the ink stays opaque: the step's, but
// never 0, since the system lets the mouse through a pixel of alpha 0 and
// the window could no longer be dragged or sized there.
unsigned char BackgroundAlpha(int layNum);

// Pixels here are those of a 32-bit DIB: 0xAARRGGBB.

// The colour rgb (0x00RRGGBB) at alpha, premultiplied (rounded).
uint32_t Premultiplied(uint32_t rgb, unsigned char alpha);

// Makes picture, drawn opaque on the background back (0x00RRGGBB), the
// premultiplied picture of a window whose ink is opaque and whose
// background has alpha. coverage is the same drawing in white on black: a
// pixel's brightest channel says how much of it is ink. One coverage for
// all three channels keeps a smoothed edge a blend of the ink's colour and
// the background's, never a coloured fringe.
void KeepInkOpaque(uint32_t* picture, const uint32_t* coverage, size_t count, uint32_t back, unsigned char alpha);

#endif
