#!/usr/bin/env python3
"""Write res/skerrow.ico, the program icon IDI_MAIN of Skerrow.

One image of 32 x 32 pixels in 16 colours (4 bits per pixel): a BITMAPINFOHEADER
with biHeight 64, the 16-colour palette, the XOR bitmap and the 1-bit AND mask,
both bottom-up. The picture: a white page with a folded corner and grey text
lines, crossed by one highlighted line (a dark-blue strip with a yellow text
stroke), because Skerrow shows one line of a text at a time. The background is
transparent.

Standard library only. Usage: python3 tools/make_icon.py [output path]
"""

import os
import struct
import sys

SIZE = 32

# The standard 16-colour palette of Windows (the VGA colours in the order of
# the Windows system palette), as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00),  # 0  black
    (0x80, 0x00, 0x00),  # 1  dark red
    (0x00, 0x80, 0x00),  # 2  dark green
    (0x80, 0x80, 0x00),  # 3  dark yellow
    (0x00, 0x00, 0x80),  # 4  dark blue
    (0x80, 0x00, 0x80),  # 5  dark magenta
    (0x00, 0x80, 0x80),  # 6  dark cyan
    (0xC0, 0xC0, 0xC0),  # 7  light grey
    (0x80, 0x80, 0x80),  # 8  dark grey
    (0xFF, 0x00, 0x00),  # 9  red
    (0x00, 0xFF, 0x00),  # 10 green
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 magenta
    (0x00, 0xFF, 0xFF),  # 14 cyan
    (0xFF, 0xFF, 0xFF),  # 15 white
]

BLACK, DARK_BLUE, LIGHT_GREY, DARK_GREY = 0, 4, 7, 8
YELLOW, BLUE, WHITE = 11, 12, 15

TRANSPARENT = None  # a pixel left out of the picture


def draw():
    """Return the picture as 32 rows (top first) of 32 palette indexes or None."""
    px = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            px[y][x] = colour

    def rect(x0, y0, x1, y1, colour):
        """Fill the rectangle with corners (x0, y0) and (x1, y1), inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, colour)

    # The page: columns 6..25, rows 1..30, with a folded top-right corner.
    left, top, right, bottom, fold = 6, 1, 25, 30, 6
    rect(left + 1, bottom + 1, right + 1, bottom + 1, DARK_GREY)   # shadow
    rect(right + 1, top + fold + 1, right + 1, bottom + 1, DARK_GREY)
    rect(left, top, right, bottom, BLACK)                          # outline
    rect(left + 1, top + 1, right - 1, bottom - 1, WHITE)          # paper
    # Cut the corner away and draw the fold: a light-grey triangle whose
    # outline runs along the diagonal and back to the page.
    for i in range(fold + 1):
        for x in range(right - fold + i + 1, right + 1):
            put(x, top + i, TRANSPARENT)
    for i in range(fold + 1):
        for x in range(right - fold + 1, right - fold + i):
            put(x, top + i, LIGHT_GREY)
    for i in range(fold + 1):
        put(right - fold + i, top + i, BLACK)                      # diagonal
        put(right - fold, top + i, BLACK)                          # fold, left
        put(right - fold + i, top + fold, BLACK)                   # fold, bottom
    put(right + 1, top + fold, DARK_GREY)

    # Grey text lines above and below the highlighted line.
    for y, x0, x1 in ((5, 9, 17), (8, 9, 22), (22, 9, 21), (25, 9, 18)):
        rect(x0, y, x1, y, DARK_GREY)

    # The highlighted line: a dark-blue strip wider than the page, framed in
    # black, with a bright edge on top and a yellow, word-like text stroke.
    rect(2, 12, 29, 19, BLACK)
    rect(3, 13, 28, 18, DARK_BLUE)
    rect(3, 13, 28, 13, BLUE)
    for x0, x1 in ((6, 10), (12, 18), (20, 25)):
        rect(x0, 15, x1, 16, YELLOW)
    return px


def build_ico(px):
    """Return the bytes of a .ico file holding the one 32 x 32 x 4 bpp image."""
    xor_stride = (SIZE * 4 + 31) // 32 * 4    # 16 bytes per row
    and_stride = (SIZE + 31) // 32 * 4        # 4 bytes per row
    xor_bits = bytearray()
    and_bits = bytearray()
    for y in range(SIZE - 1, -1, -1):         # bottom-up
        row = px[y]
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, colour in enumerate(row):
            index = 0 if colour is None else colour
            if x % 2 == 0:
                line[x // 2] |= index << 4
            else:
                line[x // 2] |= index
            if colour is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_bits += line
        and_bits += mask

    header = struct.pack(
        "<IiiHHIIiiII",
        40,                       # biSize
        SIZE,                     # biWidth
        SIZE * 2,                 # biHeight: XOR and AND bitmaps together
        1,                        # biPlanes
        4,                        # biBitCount
        0,                        # biCompression: BI_RGB
        len(xor_bits) + len(and_bits),  # biSizeImage
        0, 0,                     # biXPelsPerMeter, biYPelsPerMeter
        0, 0,                     # biClrUsed (0: all 16), biClrImportant
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor_bits) + bytes(and_bits)

    icondir = struct.pack("<HHH", 0, 1, 1)   # reserved, type 1 (icon), count
    entry = struct.pack(
        "<BBBBHHII",
        SIZE, SIZE,               # bWidth, bHeight
        16,                       # bColorCount
        0,                        # bReserved
        1,                        # wPlanes
        4,                        # wBitCount
        len(image),               # dwBytesInRes
        6 + 16,                   # dwImageOffset
    )
    return icondir + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, os.pardir, "res", "skerrow.ico")
    out = os.path.normpath(sys.argv[1] if len(sys.argv) > 1 else default)
    data = build_ico(draw())
    with open(out, "wb") as f:
        f.write(data)
    print("wrote %s (%d bytes)" % (out, len(data)))


if __name__ == "__main__":
    main()
