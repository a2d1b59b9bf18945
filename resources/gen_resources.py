#!/usr/bin/env python3
"""Draw Kestrel's bitmap and cursor artwork.

Usage: python3 resources/gen_resources.py OUTDIR

Writes bmp<ID>.bmp for every bitmap id and cur<ID>.cur for every cursor id
that Kestrel.rc names, then resources.stamp last so the build can depend on
a single file. Bitmaps are 24-bit bottom-up DIBs (two brush tiles are 8-bit,
palettised); cursors are 32x32 monochrome .cur files. Everything is drawn
from code with fixed colours, so every run yields the same bytes. Files whose
bytes are already right are left untouched to keep their timestamps.
"""

import os
import struct
import sys

# Theme colours the artwork is matched to.
BK = (43, 51, 67)
EDITBK = (26, 35, 46)
TEXT = (126, 145, 162)
EDITTEXT = (166, 197, 197)
BORDER = (24, 28, 39)
BOXLIGHT = (82, 91, 108)
BOXSHADOW = (9, 16, 21)
FACE = (51, 60, 69)
GRIP_LIGHT = (112, 121, 140)
GRIP_DARK = (22, 24, 27)
DISABLED = (89, 89, 89)
BAR_LIGHT = (151, 166, 191)
BAR_GAP = (23, 29, 40)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def shade(c, f):
    return tuple(max(0, min(255, int(round(v * f)))) for v in c)


def ramp(n, top, bottom):
    if n == 1:
        return [top]
    return [mix(top, bottom, i / (n - 1)) for i in range(n)]


def bar_ramp(n, top, bottom, hi=None, lo=None):
    """Gradient with optional one-pixel highlight and shadow at the ends."""
    cols = ramp(n, top, bottom)
    if hi is not None and n > 2:
        cols[0] = hi
    if lo is not None and n > 2:
        cols[-1] = lo
    return cols


class Canvas:
    def __init__(self, w, h, bg=BK):
        self.w, self.h = w, h
        self.px = [[bg] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def fill(self, x0, y0, w, h, c):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.set(x, y, c)

    def frame(self, x0, y0, w, h, c):
        for x in range(x0, x0 + w):
            self.set(x, y0, c)
            self.set(x, y0 + h - 1, c)
        for y in range(y0, y0 + h):
            self.set(x0, y, c)
            self.set(x0 + w - 1, y, c)

    def bevel(self, x0, y0, w, h, light, dark):
        for x in range(x0, x0 + w - 1):
            self.set(x, y0, light)
        for y in range(y0, y0 + h - 1):
            self.set(x0, y, light)
        for x in range(x0, x0 + w):
            self.set(x, y0 + h - 1, dark)
        for y in range(y0, y0 + h):
            self.set(x0 + w - 1, y, dark)

    def vgrad(self, x0, y0, w, h, top, bottom):
        for i, c in enumerate(ramp(h, top, bottom)):
            self.fill(x0, y0 + i, w, 1, c)

    def column(self, x, y0, cols):
        for i, c in enumerate(cols):
            self.set(x, y0 + i, c)

    def row(self, x0, y, cols):
        for i, c in enumerate(cols):
            self.set(x0 + i, y, c)

    def blit(self, x0, y0, pattern, c, shadow=None):
        """Stamp an ASCII glyph ('#' set); optional drop shadow one pixel down-right."""
        if shadow is not None:
            for y, line in enumerate(pattern):
                for x, ch in enumerate(line):
                    if ch == '#':
                        self.set(x0 + x + 1, y0 + y + 1, shadow)
        for y, line in enumerate(pattern):
            for x, ch in enumerate(line):
                if ch == '#':
                    self.set(x0 + x, y0 + y, c)

    def glyph_centred(self, x0, y0, w, h, pattern, c, shadow=None):
        gw = max(len(s) for s in pattern)
        gh = len(pattern)
        self.blit(x0 + (w - gw) // 2, y0 + (h - gh) // 2, pattern, c, shadow)


# ---------------------------------------------------------------- glyphs

def rot90(p):
    """Rotate a glyph a quarter turn clockwise."""
    w = max(len(s) for s in p)
    p = [s.ljust(w, '.') for s in p]
    return [''.join(p[len(p) - 1 - y][x] for y in range(len(p))) for x in range(w)]


G_UP = ["...#...",
        "..###..",
        ".#####.",
        "#######"]
G_RIGHT = rot90(G_UP)
G_DOWN = rot90(G_RIGHT)
G_LEFT = rot90(G_DOWN)
G_UP_S = ["..#..",
          ".###.",
          "#####"]
G_DOWN_S = rot90(rot90(G_UP_S))
G_LEFT_S = rot90(G_DOWN_S)
G_RIGHT_S = rot90(G_UP_S)
G_PLUS = ["...#...",
          "...#...",
          "...#...",
          "#######",
          "...#...",
          "...#...",
          "...#..."]
G_MINUS = ["#######"]
G_CROSS = ["#.....#",
           ".#...#.",
           "..#.#..",
           "...#...",
           "..#.#..",
           ".#...#.",
           "#.....#"]
G_CHECK = ["......#",
           ".....##",
           "#...##.",
           "##.##..",
           ".###...",
           "..#...."]
G_BOX = ["#######",
         "#######",
         "#.....#",
         "#.....#",
         "#.....#",
         "#.....#",
         "#######"]
G_CIRCLE = ["..###..",
            ".#...#.",
            "#.....#",
            "#.....#",
            "#.....#",
            ".#...#.",
            "..###.."]
G_DISC = ["..###..",
          ".#####.",
          "#######",
          "#######",
          "#######",
          ".#####.",
          "..###.."]
G_PAUSE = ["##.##",
           "##.##",
           "##.##",
           "##.##",
           "##.##",
           "##.##",
           "##.##"]
G_LINES = ["#######",
           ".......",
           "#######",
           ".......",
           "#######"]
G_STOP = ["######",
          "######",
          "######",
          "######",
          "######",
          "######"]
G_DIAMOND = ["...#...",
             "..###..",
             ".#####.",
             "#######",
             ".#####.",
             "..###..",
             "...#..."]
G_DOUBLE_UP = ["...#...",
               "..###..",
               ".##.##.",
               "##...##",
               "...#...",
               "..###..",
               ".##.##.",
               "##...##"]
G_DOUBLE_DOWN = rot90(rot90(G_DOUBLE_UP))
G_DOUBLE_RIGHT = rot90(G_DOUBLE_UP)
G_DOUBLE_LEFT = rot90(G_DOUBLE_DOWN)
G_FIRST = ["#.....#",
           "#....##",
           "#...###",
           "#..####",
           "#...###",
           "#....##",
           "#.....#"]
G_LAST = [s[::-1] for s in G_FIRST]
G_GRID = ["###.###",
          "###.###",
          "###.###",
          ".......",
          "###.###",
          "###.###",
          "###.###"]
G_MIXED = ["#####",
           "#####",
           "#####"]

# Button glyphs handed out in id order to the stacked button strips.
BUTTON_GLYPHS = [G_UP, G_DOWN, G_LEFT, G_RIGHT, G_PLUS, G_MINUS, G_CROSS,
                 G_CHECK, G_BOX, G_CIRCLE, G_PAUSE, G_LINES, G_STOP,
                 G_DIAMOND, G_DOUBLE_UP, G_DOUBLE_DOWN, G_DOUBLE_LEFT,
                 G_DOUBLE_RIGHT, G_FIRST, G_LAST, G_GRID, G_DISC]
ICON_GLYPHS = [G_CHECK, G_CROSS, G_PLUS, G_MINUS, G_UP, G_DOWN, G_LEFT,
               G_RIGHT, G_BOX, G_DISC, G_DIAMOND, G_LINES, G_PAUSE, G_STOP,
               G_GRID, G_CIRCLE]


# ---------------------------------------------------------------- skin bitmaps

def bmp_size_grip():
    c = Canvas(10, 10, FACE)
    # Dot pairs on a 3-pixel lattice, only in the lower-right triangle.
    for j in (2, 5, 8):
        for i in (2, 5, 8):
            if i + j >= 10:
                c.set(i - 1, j - 1, GRIP_LIGHT)
                c.set(i, j, GRIP_DARK)
    return c


def caption_cell(c, x0, y0, glyph, darker):
    top, bottom = ((64, 75, 95), (43, 51, 67)) if not darker else ((38, 45, 60), (28, 34, 45))
    ink = EDITTEXT if not darker else TEXT
    c.vgrad(x0, y0, 15, 15, top, bottom)
    c.frame(x0, y0, 15, 15, BORDER)
    c.blit(x0 + 4, y0 + 4, glyph, ink)


def bmp_caption_buttons():
    close = ["##...##",
             "###.###",
             ".#####.",
             "..###..",
             ".#####.",
             "###.###",
             "##...##"]
    maximise = ["#######",
                "#######",
                "#.....#",
                "#.....#",
                "#.....#",
                "#.....#",
                "#######"]
    minimise = [".......",
                ".......",
                ".......",
                ".......",
                ".......",
                "#######",
                "#######"]
    restore = ["..#####",
               "..#####",
               "..#...#",
               "#####.#",
               "#####.#",
               "#...###",
               "#####.."]
    c = Canvas(30, 60)
    for r, g in enumerate((close, maximise, minimise, restore)):
        caption_cell(c, 0, r * 15, g, False)
        caption_cell(c, 15, r * 15, g, True)
    return c


def bmp_flat_column():
    return Canvas(1, 15, FACE)


def bmp_gradient_column(darker):
    c = Canvas(1, 20)
    if darker:
        c.column(0, 0, bar_ramp(20, (51, 60, 69), (30, 36, 48), hi=(66, 76, 90), lo=BORDER))
    else:
        c.column(0, 0, bar_ramp(20, (82, 91, 108), (51, 60, 69), hi=(104, 114, 132), lo=BORDER))
    return c


def bmp_edge_pieces():
    # Rows of a horizontal edge: dark line, light line, face.
    rows = [BORDER, BOXLIGHT, FACE]
    c = Canvas(9, 3)
    for y, col in enumerate(rows):
        c.fill(0, y, 9, 1, col)
    # Rounded start of the edge in the 6x3 piece.
    c.set(0, 0, BK)
    c.set(1, 0, mix(BK, BORDER, 0.5))
    c.set(0, 1, BORDER)
    c.set(0, 2, BORDER)
    c.set(1, 1, mix(BOXLIGHT, FACE, 0.5))
    return c


def bmp_button_caps():
    c = Canvas(12, 16)
    for k, darker in enumerate((False, True)):
        top, bottom = ((76, 87, 108), (46, 54, 70)) if not darker else ((46, 54, 70), (30, 36, 48))
        hi = mix(top, (255, 255, 255), 0.12)
        lo = shade(bottom, 0.7)
        face = ramp(16, top, bottom)
        lx, rx = 6 * k, 6 * k + 3
        # left cap: outline, highlight, face
        for y in range(16):
            c.set(lx, y, BORDER)
            c.set(lx + 1, y, hi if y < 15 else lo)
            c.set(lx + 2, y, face[y])
            c.set(rx, y, face[y])
            c.set(rx + 1, y, lo)
            c.set(rx + 2, y, BORDER)
        c.set(lx + 2, 0, hi)
        c.set(rx, 0, hi)
        c.set(lx + 2, 15, lo)
        c.set(rx, 15, lo)
        # round the outer corners
        for y in (0, 15):
            c.set(lx, y, BK)
            c.set(rx + 2, y, BK)
            c.set(lx + 1, y, BORDER)
            c.set(rx + 1, y, BORDER)
    return c


def bmp_frame_pieces(f):
    c = Canvas(12, 6, shade(BK, f))
    light = shade(BOXLIGHT, f)
    dark = shade(BOXSHADOW, f)
    face = shade(FACE, f)
    ink = shade(EDITTEXT, f)
    # 6x6 knob: bevelled square with a centre dot
    c.fill(0, 0, 6, 6, face)
    c.bevel(0, 0, 6, 6, light, dark)
    c.fill(2, 2, 2, 2, ink)
    c.set(0, 0, shade(BK, f))
    c.set(5, 5, shade(BK, f))
    # four 3x3 tiles: top edge, left edge (x 6); bottom edge, right edge (x 9)
    c.fill(6, 0, 3, 3, face)
    c.fill(6, 0, 3, 1, light)
    c.fill(6, 3, 3, 3, face)
    c.fill(6, 3, 1, 3, light)
    c.fill(9, 0, 3, 3, face)
    c.fill(9, 2, 3, 1, dark)
    c.fill(9, 3, 3, 3, face)
    c.fill(11, 3, 1, 3, dark)
    return c


# ---------------------------------------------------------------- registry bitmaps

STATE_COLOURS = [
    # top, bottom, outline, ink
    ((66, 77, 97), (43, 51, 67), BORDER, EDITTEXT),      # normal
    ((82, 96, 120), (54, 64, 84), BORDER, (206, 232, 232)),  # hot
    ((28, 34, 46), (40, 48, 63), BOXSHADOW, TEXT),       # pressed
]


def button_face(c, x0, y0, w, h, state):
    top, bottom, outline, ink = STATE_COLOURS[state]
    c.vgrad(x0, y0, w, h, top, bottom)
    c.frame(x0, y0, w, h, outline)
    if state == 2:
        c.bevel(x0 + 1, y0 + 1, w - 2, h - 2, BOXSHADOW, mix(bottom, BOXLIGHT, 0.4))
    else:
        c.bevel(x0 + 1, y0 + 1, w - 2, h - 2, mix(top, (255, 255, 255), 0.15), shade(bottom, 0.75))
    return ink


def bmp_button_strip(w, glyph, wide=False):
    """Three states (normal, hot, pressed) stacked, 29 pixels each."""
    c = Canvas(w, 87)
    for s in range(3):
        y0 = s * 29
        ink = button_face(c, 0, y0, w, 29, s)
        off = 1 if s == 2 else 0
        if wide:
            # text-line placeholder and a drop arrow at the right end
            c.fill(8 + off, y0 + 12 + off, w - 30, 1, ink)
            c.fill(8 + off, y0 + 15 + off, (w - 30) * 2 // 3, 1, ink)
            c.fill(w - 16, y0 + 5, 1, 19, shade(ink, 0.45))
            c.glyph_centred(w - 15 + off, y0 + off, 15, 29, G_DOWN_S, ink)
        else:
            c.glyph_centred(off, y0 + off, w, 29, glyph, ink, shadow=BOXSHADOW if s != 2 else None)
    return c


def bmp_icon(glyph):
    c = Canvas(16, 16)
    c.glyph_centred(0, 0, 16, 16, glyph, EDITTEXT, shadow=BOXSHADOW)
    return c


def bmp_pair(glyph):
    """Two 10x10 cells: normal and dimmed."""
    c = Canvas(20, 10)
    for k, ink in enumerate((EDITTEXT, DISABLED)):
        c.vgrad(10 * k, 0, 10, 10, (58, 68, 86), (43, 51, 67))
        c.frame(10 * k, 0, 10, 10, BORDER)
        c.glyph_centred(10 * k, 0, 10, 10, glyph, ink)
    return c


def bmp_segments():
    c = Canvas(40, 5)
    for k in range(4):
        t = k / 3
        top = mix((120, 150, 165), (166, 197, 197), t)
        c.vgrad(10 * k, 0, 10, 5, top, shade(top, 0.6))
        c.fill(10 * k + 9, 0, 1, 5, BAR_GAP)
    return c


def bmp_panel():
    c = Canvas(90, 66)
    c.frame(0, 0, 90, 66, BORDER)
    c.vgrad(1, 1, 88, 16, (82, 91, 108), (51, 60, 69))
    c.fill(1, 17, 88, 1, BORDER)
    c.fill(1, 18, 88, 47, BK)
    c.fill(6, 7, 30, 1, EDITTEXT)
    c.fill(6, 10, 20, 1, TEXT)
    # sunken well inside the body
    c.fill(6, 24, 78, 36, EDITBK)
    c.bevel(5, 23, 80, 38, BOXSHADOW, BOXLIGHT)
    return c


def bmp_grip_strip():
    c = Canvas(16, 5)
    c.vgrad(0, 0, 16, 5, (58, 68, 86), (38, 45, 60))
    for x in (3, 7, 11):
        c.set(x, 1, GRIP_LIGHT)
        c.set(x + 1, 2, GRIP_DARK)
        c.set(x + 1, 1, mix(GRIP_LIGHT, FACE, 0.5))
    return c


def bmp_checkboxes():
    # unchecked, checked, mixed; the same hot; then unchecked and checked disabled
    c = Canvas(104, 13)
    marks = [None, G_CHECK, G_MIXED]
    states = [(m, False, False) for m in marks] + [(m, True, False) for m in marks] + \
             [(None, False, True), (G_CHECK, False, True)]
    for k, (mark, hot, disabled) in enumerate(states):
        x0 = 13 * k
        c.fill(x0, 0, 13, 13, BK)
        c.frame(x0, 0, 13, 13, BORDER if not hot else TEXT)
        c.fill(x0 + 1, 1, 11, 11, EDITBK if not disabled else BK)
        c.bevel(x0 + 1, 1, 11, 11, BOXSHADOW, mix(EDITBK, BOXLIGHT, 0.5))
        if mark is not None:
            ink = DISABLED if disabled else (EDITTEXT if not hot else (206, 232, 232))
            c.glyph_centred(x0, 0, 13, 13, mark, ink)
    return c


def bmp_radios():
    # off, on, off disabled, on disabled
    c = Canvas(52, 13)
    for k in range(4):
        x0 = 13 * k
        on = k % 2 == 1
        disabled = k >= 2
        for y in range(13):
            for x in range(13):
                d2 = (x - 6) ** 2 + (y - 6) ** 2
                if d2 <= 36:
                    col = BORDER if d2 > 25 else (EDITBK if not disabled else BK)
                    if on and d2 <= 5:
                        col = DISABLED if disabled else EDITTEXT
                    c.set(x0 + x, y, col)
    return c


def bmp_dropdown():
    c = Canvas(10, 11)
    button_face(c, 0, 0, 10, 11, 0)
    c.glyph_centred(0, 0, 10, 11, G_DOWN_S, EDITTEXT)
    return c


def bmp_check():
    c = Canvas(15, 12)
    c.glyph_centred(0, 0, 15, 12, G_CHECK, EDITTEXT, shadow=BOXSHADOW)
    return c


def bmp_step_strip():
    """Three 15x14 states of a small step button."""
    c = Canvas(15, 42)
    for s in range(3):
        ink = button_face(c, 0, 14 * s, 15, 14, s)
        off = 1 if s == 2 else 0
        c.glyph_centred(off, 14 * s + off, 15, 14, G_UP_S, ink)
    return c


# ---------------------------------------------------------------- brush bitmaps

def bmp_bar_stripe():
    c = Canvas(3, 10)
    c.fill(0, 0, 2, 10, BAR_LIGHT)
    c.fill(2, 0, 1, 10, BAR_GAP)
    return c


def bmp_segment_fill():
    c = Canvas(72, 15)
    for k in range(6):
        c.vgrad(12 * k, 0, 10, 15, (150, 182, 186), (70, 98, 110))
        c.fill(12 * k, 0, 10, 1, (190, 218, 218))
        c.fill(12 * k + 10, 0, 2, 15, BAR_GAP)
    return c


def bmp_checker():
    c = Canvas(60, 18)
    for y in range(18):
        for x in range(60):
            c.set(x, y, BK if (x // 6 + y // 6) % 2 == 0 else (47, 56, 73))
    return c


def bmp_header_band():
    c = Canvas(48, 21)
    c.vgrad(0, 0, 48, 21, (70, 80, 100), (43, 51, 67))
    c.fill(0, 0, 48, 1, (96, 106, 126))
    c.fill(0, 20, 48, 1, BORDER)
    c.fill(46, 3, 1, 15, BORDER)
    c.fill(47, 3, 1, 15, BOXLIGHT)
    return c


GRADIENTS = {
    'raised': ((70, 80, 100), (43, 51, 67), (96, 106, 126), BORDER),
    'sunken': ((20, 27, 36), (34, 43, 56), BOXSHADOW, BOXLIGHT),
    'hot': ((88, 104, 128), (52, 62, 82), (120, 136, 160), BORDER),
    'pressed': ((30, 36, 48), (44, 52, 68), BOXSHADOW, (60, 70, 88)),
    'teal': ((150, 182, 186), (70, 98, 110), (190, 218, 218), BAR_GAP),
    'face': ((60, 70, 82), (46, 54, 64), (78, 88, 100), BORDER),
}


def grad_cols(kind, n):
    top, bottom, hi, lo = GRADIENTS[kind]
    return bar_ramp(n, top, bottom, hi, lo)


def vbar(kind, n):
    """1 x n: a gradient running down, for horizontal bars."""
    c = Canvas(1, n)
    c.column(0, 0, grad_cols(kind, n))
    return c


def hbar(kind, n):
    """n x 1: the same gradient running across, for vertical bars."""
    c = Canvas(n, 1)
    c.row(0, 0, grad_cols(kind, n))
    return c


# ---------------------------------------------------------------- bitmap table

def build_bitmaps():
    """id -> (canvas, bits per pixel), in the order Kestrel.rc lists them."""
    out = {}
    # theme skin
    out[1000] = bmp_size_grip()
    out[1001] = bmp_frame_pieces(0.65)
    out[1002] = bmp_flat_column()
    out[1003] = bmp_edge_pieces()
    out[1004] = bmp_button_caps()
    out[1005] = bmp_flat_column()
    out[1006] = bmp_gradient_column(False)
    out[1007] = bmp_frame_pieces(1.0)
    out[1008] = bmp_caption_buttons()
    out[1009] = bmp_gradient_column(True)
    # spare artwork kept in the module for hosts
    out[1026] = bmp_icon(G_CHECK)
    out[1027] = bmp_icon(G_CROSS)
    out[1028] = bmp_icon(G_PLUS)
    out[1030] = bmp_icon(G_MINUS)

    # brush registry
    out[10000] = bmp_bar_stripe()
    out[10003] = bmp_segment_fill()
    out[10004] = bmp_checker()
    out[10005] = vbar('raised', 10)
    out[10006] = hbar('raised', 10)
    out[10007] = vbar('sunken', 10)
    out[10008] = hbar('sunken', 10)
    out[10009] = vbar('hot', 10)
    out[10010] = hbar('hot', 14)
    out[10011] = bmp_header_band()
    out[10012] = vbar('raised', 17)
    out[10013] = vbar('face', 19)
    out[10014] = hbar('pressed', 15)
    out[10015] = hbar('raised', 17)
    out[10016] = vbar('raised', 21)
    out[10017] = vbar('teal', 15)
    out[10018] = hbar('teal', 15)
    out[10019] = hbar('face', 19)
    out[10020] = vbar('sunken', 19)
    out[10032] = vbar('raised', 11)
    out[10031] = vbar('teal', 5)
    out[10059] = vbar('raised', 15)
    out[10060] = vbar('hot', 15)
    out[10061] = vbar('pressed', 15)

    # bitmap registry
    out[10001] = bmp_pair(G_DOWN_S)
    out[10002] = bmp_segments()
    out[10021] = bmp_panel()
    out[10022] = bmp_grip_strip()
    out[10023] = bmp_checkboxes()
    out[10024] = bmp_radios()
    out[10033] = bmp_dropdown()
    strips = list(range(10034, 10052)) + [10062] + list(range(10064, 10070)) + [10076]
    for k, i in enumerate(strips):
        out[i] = bmp_button_strip(30, BUTTON_GLYPHS[k % len(BUTTON_GLYPHS)])
    out[10052] = bmp_check()
    for i, g in zip(range(10053, 10058), (G_UP_S, G_LEFT_S, G_RIGHT_S, G_PLUS, G_MINUS)):
        out[i] = bmp_pair(g)
    out[10058] = bmp_step_strip()
    out[10063] = bmp_button_strip(83, None, wide=True)
    icons = [10070, 10071, 10072, 10073, 10074, 10075] + list(range(10077, 10083))
    for k, i in enumerate(icons):
        out[i] = bmp_icon(ICON_GLYPHS[k % len(ICON_GLYPHS)])

    return {i: (c, 8 if i in (10017, 10018) else 24) for i, c in out.items()}


# ---------------------------------------------------------------- BMP encoding

def encode_bmp(c, bpp):
    if bpp == 24:
        stride = (c.w * 3 + 3) & ~3
        palette = b''
        rows = []
        for y in range(c.h - 1, -1, -1):
            line = bytearray()
            for r, g, b in c.px[y]:
                line += bytes((b, g, r))
            line += b'\0' * (stride - len(line))
            rows.append(bytes(line))
        clr_used = 0
    else:
        colours = []
        for y in range(c.h):
            for p in c.px[y]:
                if p not in colours:
                    colours.append(p)
        assert len(colours) <= 256
        index = {p: i for i, p in enumerate(colours)}
        colours += [(0, 0, 0)] * (256 - len(colours))
        palette = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
        stride = (c.w + 3) & ~3
        rows = []
        for y in range(c.h - 1, -1, -1):
            line = bytes(index[p] for p in c.px[y])
            rows.append(line + b'\0' * (stride - len(line)))
        clr_used = 256
    bits = b''.join(rows)
    offset = 14 + 40 + len(palette)
    fh = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    ih = struct.pack('<IiiHHIIiiII', 40, c.w, c.h, 1, bpp, 0, len(bits),
                     2835, 2835, clr_used, 0)
    return fh + ih + palette + bits


# ---------------------------------------------------------------- cursors

class CursorArt:
    """32x32 picture: None transparent, 0 black, 1 white."""

    def __init__(self):
        self.px = [[None] * 32 for _ in range(32)]

    def layer(self, cells):
        """Lay a white shape with a one-pixel black outline over what is there."""
        cells = set(cells)
        for x, y in cells:
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    q = (x + dx, y + dy)
                    if q not in cells and 0 <= q[0] < 32 and 0 <= q[1] < 32:
                        self.px[q[1]][q[0]] = 0
        for x, y in cells:
            self.px[y][x] = 1


def head_up(cx, apex, depth):
    """Solid triangle pointing up, apex at (cx, apex), widening 1 px per side per row."""
    return {(cx + dx, apex + k) for k in range(depth) for dx in range(-k, k + 1)}


def head_down(cx, apex, depth):
    return {(cx + dx, apex - k) for k in range(depth) for dx in range(-k, k + 1)}


def head_left(cy, apex, depth):
    return {(apex + k, cy + dy) for k in range(depth) for dy in range(-k, k + 1)}


def head_right(cy, apex, depth):
    return {(apex - k, cy + dy) for k in range(depth) for dy in range(-k, k + 1)}


def vshaft(cx, y0, y1, half=0):
    return {(cx + dx, y) for y in range(y0, y1 + 1) for dx in range(-half, half + 1)}


def hshaft(cy, x0, x1, half=0):
    return {(x, cy + dy) for x in range(x0, x1 + 1) for dy in range(-half, half + 1)}


def cursor_vertical(up, down, double):
    """Arrows along x = 15; the shaft always passes through (15, 15)."""
    a = CursorArt()
    top = 4 if up else 9
    bottom = 26 if down else 21
    shape = vshaft(15, top, bottom, 1)
    second = []
    if up:
        if double:
            shape |= head_up(15, 8, 6)
            second.append(head_up(15, 3, 6))
        else:
            shape |= head_up(15, 4, 6)
    if down:
        if double:
            shape |= head_down(15, 22, 6)
            second.append(head_down(15, 27, 6))
        else:
            shape |= head_down(15, 26, 6)
    a.layer(shape)
    for s in second:
        a.layer(s)
    return a


def cursor_move():
    """Four-way arrow centred on (8, 8)."""
    a = CursorArt()
    shape = vshaft(8, 2, 14) | hshaft(8, 2, 14)
    shape |= head_up(8, 1, 3) | head_down(8, 15, 3)
    shape |= head_left(8, 1, 3) | head_right(8, 15, 3)
    a.layer(shape)
    return a


def cursor_col_divider():
    """Vertical split bar with arrows to the left and right, centred on (15, 15)."""
    a = CursorArt()
    shape = hshaft(15, 5, 25, 0)
    shape |= head_left(15, 4, 5) | head_right(15, 26, 5)
    shape |= vshaft(14, 6, 24) | vshaft(16, 6, 24)
    a.layer(shape)
    # split the bar into two thin rails with a dark slot between them
    for y in range(6, 25):
        if y != 15:
            a.px[y][15] = 0
    return a


def cursor_row_divider():
    """Horizontal split bar with arrows up and down, centred on (15, 15)."""
    a = CursorArt()
    shape = vshaft(15, 5, 25, 0)
    shape |= head_up(15, 4, 5) | head_down(15, 26, 5)
    shape |= hshaft(14, 6, 24) | hshaft(16, 6, 24)
    a.layer(shape)
    for x in range(6, 25):
        if x != 15:
            a.px[15][x] = 0
    return a


def build_cursors():
    """id -> (art, hot spot)."""
    return {
        10025: (cursor_move(), (8, 8)),
        1011: (cursor_col_divider(), (15, 15)),
        1014: (cursor_vertical(True, False, False), (15, 15)),
        1015: (cursor_vertical(True, True, False), (15, 15)),
        1016: (cursor_vertical(False, True, False), (15, 15)),
        1017: (cursor_vertical(True, False, True), (15, 15)),
        1018: (cursor_vertical(True, True, True), (15, 15)),
        1019: (cursor_vertical(False, True, True), (15, 15)),
        1029: (cursor_row_divider(), (15, 15)),
    }


def encode_cur(art, hotspot):
    xor_rows, and_rows = [], []
    for y in range(31, -1, -1):
        xo = an = 0
        for x in range(32):
            p = art.px[y][x]
            bit = 1 << (31 - x)
            if p is None:
                an |= bit
            elif p == 1:
                xo |= bit
        xor_rows.append(struct.pack('>I', xo))
        and_rows.append(struct.pack('>I', an))
    bits = b''.join(xor_rows) + b''.join(and_rows)
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, len(bits), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + bits
    icondir = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', 32, 32, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return icondir + entry + image


# ---------------------------------------------------------------- output

def write_if_changed(path, data):
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return
    except FileNotFoundError:
        pass
    tmp = path + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(data)
    os.replace(tmp, path)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write('usage: gen_resources.py OUTDIR\n')
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    names = []
    for i, (canvas, bpp) in sorted(build_bitmaps().items()):
        name = 'bmp%d.bmp' % i
        write_if_changed(os.path.join(outdir, name), encode_bmp(canvas, bpp))
        names.append(name)
    for i, (art, hot) in sorted(build_cursors().items()):
        name = 'cur%d.cur' % i
        write_if_changed(os.path.join(outdir, name), encode_cur(art, hot))
        names.append(name)
    # The stamp is always rewritten so it is newer than the generator.
    stamp = os.path.join(outdir, 'resources.stamp')
    with open(stamp, 'w') as f:
        f.write('\n'.join(names) + '\n')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
