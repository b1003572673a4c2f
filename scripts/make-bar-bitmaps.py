#!/usr/bin/env python3
"""Writes the three pictures of the menu bar's background as 24-bit BMP files:
a 6 x 26 left cap, a 348 x 26 middle (stretched to the bar's width) and a 6 x 26 right cap.
Run from the repository root; the files go to src/resources."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmp import write_bmp  # noqa: E402

HEIGHT = 26
BLUE = (49, 106, 197)        # the highlight colour of the labels
EDGE = (70, 120, 200)        # the line along the top and bottom edge
TOP = (255, 255, 255)
BOTTOM = (190, 213, 245)     # light blue


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


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


write_bmp("src/resources/BarLeft.bmp", 6, HEIGHT, cap(0))
write_bmp("src/resources/BarMiddle.bmp", 348, HEIGHT, middle)
write_bmp("src/resources/BarRight.bmp", 6, HEIGHT, cap(5))
