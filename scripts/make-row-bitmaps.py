#!/usr/bin/env python3
"""Writes the pictures of the drop-down menu rows as 24-bit BMP files in src/resources:
RowIcons.bmp, a strip of 19 row icons of 16 x 16 indexed by node kind (magenta is clear;
image 9 is the submenu arrow), MenuLeftBar.bmp, the 22 x 22 icon-column picture, and the
9 x 6 scroll-arrow triangles ScrollUp.bmp and ScrollDown.bmp (navy on silver).
Run from the repository root."""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmp import write_bmp  # noqa: E402

CLEAR = (255, 0, 255)


class Icon:
    def __init__(self):
        self.p = [[CLEAR] * 16 for _ in range(16)]

    def set(self, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16:
            self.p[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, line=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.set(x, y, line if (edge and line) else fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)


INK = (40, 60, 110)
PAPER = (255, 255, 255)
LINE = (90, 130, 200)
FOLDER = (240, 196, 80)
FOLDER_EDGE = (176, 128, 32)
STEEL = (110, 120, 135)
RED = (200, 40, 40)
GREEN = (40, 150, 70)


def page(icon, x0=3, y0=1, x1=12, y1=14, lines=True):
    icon.rect(x0, y0, x1, y1, PAPER, INK)
    # folded corner
    for i in range(3):
        icon.set(x1 - i, y0, CLEAR)
        icon.set(x1 - 2 + i, y0 + i, INK)
    icon.set(x1, y0 + 2, INK)
    if lines:
        for y in range(y0 + 4, y1 - 1, 2):
            icon.hline(x0 + 2, x1 - 2, y, LINE)


def cut():
    icon = Icon()
    for i in range(8):  # the blades, crossing above the rings
        icon.set(5 + i // 2 + (i % 2), 1 + i, STEEL)
        icon.set(10 - i // 2 - (i % 2), 1 + i, STEEL)
    for x0 in (2, 9):  # the rings
        icon.rect(x0, 9, x0 + 4, 13, CLEAR, RED)
        for corner in ((x0, 9), (x0 + 4, 9), (x0, 13), (x0 + 4, 13)):
            icon.set(*corner, CLEAR)
    return icon


def copy():
    icon = Icon()
    page(icon, 1, 1, 9, 11, lines=False)
    page(icon, 6, 4, 14, 15)
    return icon


def message():
    icon = Icon()
    page(icon)
    return icon


def folder(open_=False):
    icon = Icon()
    icon.rect(1, 3, 6, 5, FOLDER, FOLDER_EDGE)
    icon.rect(1, 5, 14, 13, FOLDER, FOLDER_EDGE)
    if open_:
        for y in range(8, 14):
            icon.hline(3 + (13 - y) // 2, 15 - (13 - y) // 2, y, (250, 222, 130))
        icon.hline(3, 15, 8, FOLDER_EDGE)
    return icon


def arrow():
    icon = Icon()
    for i in range(4):  # a black triangle pointing right, 4 wide and 7 tall
        for y in range(4 + i, 11 - i):
            icon.set(6 + i, y, (0, 0, 0))
    return icon


def diamond(color):
    icon = Icon()
    for y in range(16):
        half = 6 - abs(y - 7)
        if half >= 0:
            icon.hline(7 - half, 8 + half, y, color)
    return icon


def pinned_page():
    icon = message()
    icon.rect(9, 9, 14, 14, GREEN, (20, 90, 40))
    return icon


def cell():
    icon = Icon()
    icon.rect(2, 2, 13, 13, PAPER, INK)
    icon.hline(3, 12, 7, LINE)
    for y in range(3, 13):
        icon.set(7, y, LINE)
    return icon


def tile():
    icon = Icon()
    for x0, y0, c in ((1, 1, (70, 130, 210)), (8, 1, (230, 150, 50)), (1, 8, GREEN), (8, 8, RED)):
        icon.rect(x0, y0, x0 + 6, y0 + 6, c)
    return icon


def icons():
    table = {0: cut(), 2: copy(), 4: message(), 6: folder(), 7: folder(True), 8: diamond((120, 90, 190)),
             9: arrow(), 11: pinned_page(), 13: cell(), 15: tile()}
    return [table.get(i, Icon()) for i in range(19)]


def main():
    strip = icons()
    write_bmp("src/resources/RowIcons.bmp", 16 * 19, 16, lambda x, y: strip[x // 16].p[y][x % 16])

    near_white, light_blue = (251, 252, 255), (170, 212, 255)

    def left_bar(x, y):
        t = min(x, 11) / 11
        return tuple(round(a + (b - a) * t) for a, b in zip(near_white, light_blue))
    write_bmp("src/resources/MenuLeftBar.bmp", 22, 22, left_bar)

    navy, silver = (0, 0, 128), (192, 192, 192)
    widths_up = [1, 3, 5, 7]

    def triangle(widths):
        def pixel(x, y):
            row = y - 1  # one silver line above and below the four rows
            if 0 <= row < 4 and abs(x - 4) * 2 < widths[row]:
                return navy
            return silver
        return pixel
    write_bmp("src/resources/ScrollUp.bmp", 9, 6, triangle(widths_up))
    write_bmp("src/resources/ScrollDown.bmp", 9, 6, triangle(list(reversed(widths_up))))


main()
