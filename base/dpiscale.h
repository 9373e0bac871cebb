// Lengths the program draws and keeps, scaled between 96 dots per inch,
// at which the settings file keeps them, and the window's own DPI.
// Portable: no Windows calls.
#ifndef SKERROW_BASE_DPISCALE_H
#define SKERROW_BASE_DPISCALE_H

const int BASE_DPI = 96;

// value × to / from (DPIs, so positive), rounded half away from zero as
// MulDiv rounds; 0 when from is not positive.
int ScaleLength(int value, int to, int from);

#endif
