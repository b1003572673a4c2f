#!/usr/bin/env python3
"""Writes the three pictures of the menu bar's background as 24-bit BMP files:
a 6 x 26 left cap, a 348 x 26 middle (stretched to the bar's width) and a 6 x 26 right cap.
Run from the repository root; the files go to src/resources."""
import struct

HEIGHT = 26
BLUE = (49, 106, 197)        # the highlight colour of the labels
EDGE = (70, 120, 200)        # the line along the top and bottom edge
TOP = (255, 255, 255)
BOTTOM = (190, 213, 245)     # light blue


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def write_bmp(path, width, pixel):
    row_size = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(HEIGHT - 1, -1, -1):          # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        data += row
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, HEIGHT, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def middle(x, y):
    if y == 0 or y == HEIGHT - 1:
        return EDGE
    return mix(TOP, BOTTOM, (y - 1) / (HEIGHT - 3))


def cap(outer_column):
    def pixel(x, y):
        shade = mix((120, 160, 225), BLUE, y / (HEIGHT - 1))
        # Rounded outer corners: the background's white shows at the two outer pixels.
        if x == outer_column and (y == 0 or y == HEIGHT - 1):
            return mix(TOP, BOTTOM, y / (HEIGHT - 1))
        if x == outer_column:
            return mix(shade, (20, 60, 140), 0.5)
        return shade
    return pixel


write_bmp("src/resources/BarLeft.bmp", 6, cap(0))
write_bmp("src/resources/BarMiddle.bmp", 348, middle)
write_bmp("src/resources/BarRight.bmp", 6, cap(5))
