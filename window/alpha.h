// Opacity of the window for a transparency step.
#ifndef SKERROW_WINDOW_ALPHA_H
#define SKERROW_WINDOW_ALPHA_H

// The layered-window alpha for layNum (0 opaque ... 20 fully transparent):
// the low byte of 255 - layNum * 255 / 20, truncating. Steps outside 0-20
// come from a hand-edited settings file; they give the same byte as that
// formula, computed wide enough that no stored number overflows.
unsigned char AlphaFromLayNum(int layNum);

#endif
