#!/usr/bin/env python3
"""Draws the toolkit's screen cursors and writes them as 32 x 32 monochrome .cur files into
resources/cursors/ (and, with --preview DIR, a PNG of each, enlarged, for looking at them).

Colour conventions, as the system's own cursors: the arrow pointer is white with a black outline;
every other glyph is black with a one-pixel white halo, so that it stays visible on any background.
Run it by hand after changing a drawing; the .cur files are committed."""
import argparse
import math
import os
import struct
import subprocess

SIZE = 32
T, B, W = None, 'b', 'w'

POINTER = [
    "#",
    "##",
    "#o#",
    "#oo#",
    "#ooo#",
    "#oooo#",
    "#ooooo#",
    "#oooooo#",
    "#ooooooo#",
    "#oooooooo#",
    "#ooooo#####",
    "#oo#oo#",
    "#o# #oo#",
    "##  #oo#",
    "#    #oo#",
    "     #oo#",
    "      #oo#",
    "      #oo#",
    "       ##",
]


class Grid:
    def __init__(self):
        self.px = [[T] * SIZE for _ in range(SIZE)]
        self.glyph = set()  # black pixels that get a white halo

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def ink(self, x, y):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.glyph.add((x, y))

    def stamp(self, art, ox, oy):
        for y, row in enumerate(art):
            for x, ch in enumerate(row):
                if ch == '#':
                    self.set(ox + x, oy + y, B)
                elif ch == 'o':
                    self.set(ox + x, oy + y, W)

    def fill(self, l, t, r, b):
        for y in range(t, b):
            for x in range(l, r):
                self.ink(x, y)

    def line(self, x0, y0, x1, y1, width=1):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            x = round(x0 + (x1 - x0) * i / steps)
            y = round(y0 + (y1 - y0) * i / steps)
            for dy in range(width):
                for dx in range(width):
                    self.ink(x + dx, y + dy)

    def disc(self, cx, cy, r):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r + r * 0.5:
                    self.ink(x, y)

    def ring(self, cx, cy, r, width):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if r - width + 0.5 <= d < r + 0.5:
                    self.ink(x, y)
                elif d < r - width + 0.5:
                    self.set(x, y, W)

    def triangle(self, cx, cy, direction, length=5):
        """Solid arrow head whose apex is (cx, cy), pointing up, down, left or right."""
        for i in range(length):
            for j in range(-i, i + 1):
                x, y = {'up': (cx + j, cy + i), 'down': (cx + j, cy - i),
                        'left': (cx + i, cy + j), 'right': (cx - i, cy + j)}[direction]
                self.ink(x, y)

    def dotted_rect(self, l, t, r, b):
        for x in range(l, r + 1):
            for y in (t, b):
                self.set(x, y, B if (x + y) % 2 == 0 else W)
        for y in range(t, b + 1):
            for x in (l, r):
                self.set(x, y, B if (x + y) % 2 == 0 else W)

    def framed_box(self, l, t, r, b):
        for y in range(t, b + 1):
            for x in range(l, r + 1):
                edge = x in (l, r) or y in (t, b)
                self.set(x, y, B if edge else W)

    def finish(self):
        for (x, y) in self.glyph:
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < SIZE and 0 <= ny < SIZE and (nx, ny) not in self.glyph:
                        if self.px[ny][nx] is T:
                            self.px[ny][nx] = W
        for (x, y) in self.glyph:
            self.px[y][x] = B
        return self.px


C = 15  # centre of the glyphs whose hot spot is their middle


def panning(*directions):
    g = Grid()
    g.disc(C, C, 2)
    apex = {'up': (C, 3), 'down': (C, 27), 'left': (3, C), 'right': (27, C)}
    for d in directions:
        g.triangle(*apex[d], d, 6)
    return g.finish(), (C, C)


def size_bar(vertical_bars):
    g = Grid()
    if vertical_bars:  # columns are resized: two upright bars, arrows left and right
        g.fill(13, 6, 15, 26)
        g.fill(17, 6, 19, 26)
        g.fill(6, 15, 13, 17)
        g.fill(19, 15, 26, 17)
        g.triangle(2, 16, 'left', 5)
        g.triangle(29, 16, 'right', 5)
        hot = (16, 16)
    else:  # rows are resized: two lying bars, arrows up and down
        g.fill(6, 13, 26, 15)
        g.fill(6, 17, 26, 19)
        g.fill(15, 6, 17, 13)
        g.fill(15, 19, 17, 26)
        g.triangle(16, 2, 'up', 5)
        g.triangle(16, 29, 'down', 5)
        hot = (16, 16)
    return g.finish(), hot


def drag(copy=False):
    g = Grid()
    g.stamp(POINTER, 0, 0)
    g.dotted_rect(8, 18, 22, 28)
    if copy:
        g.framed_box(17, 20, 27, 30)
        for i in range(-3, 4):
            g.set(22 + i, 25, B)
            g.set(22, 25 + i, B)
    return g.finish(), (0, 0)


def multi_drag():
    g = Grid()
    g.stamp(POINTER, 0, 0)
    g.framed_box(12, 16, 24, 24)
    g.framed_box(8, 20, 20, 28)
    return g.finish(), (0, 0)


def remove():
    g = Grid()
    g.stamp(POINTER, 0, 0)
    g.line(14, 16, 24, 26, 3)
    g.line(24, 16, 14, 26, 3)
    return g.finish(), (0, 0)


def no_drop():
    g = Grid()
    g.ring(C, C, 10, 3)
    g.line(8, 8, 20, 20, 3)
    return g.finish(), (C, C)


def colour_picker():
    g = Grid()
    g.line(1, 30, 7, 24, 1)          # the tip
    g.line(2, 30, 8, 24, 1)
    for i in range(10):             # the glass body, hollow
        x, y = 8 + i, 23 - i
        g.set(x, y, W)
        g.set(x + 1, y, W)
    g.line(7, 22, 17, 12, 1)
    g.line(9, 24, 19, 14, 1)
    g.line(15, 10, 21, 16, 2)        # the collar
    g.disc(23, 8, 4)                 # the bulb
    return g.finish(), (1, 30)


def mouse_wheel():
    g = Grid()
    g.ring(C, C, 5, 2)
    g.disc(C, C, 1)
    g.triangle(C, 3, 'up', 5)
    g.triangle(C, 27, 'down', 5)
    return g.finish(), (C, C)


def bar_drag(kind):
    """An item link carried by the mouse: the pointer over a small button; copy adds a plus, no-drop a
    barred ring instead of the button."""
    g = Grid()
    g.stamp(POINTER, 0, 0)
    if kind == 'nodrop':
        g.ring(21, 22, 6, 2)
        g.line(17, 18, 25, 26, 2)
    else:
        g.framed_box(9, 19, 23, 27)
        g.fill(12, 22, 20, 24)
    if kind == 'copy':
        g.framed_box(20, 24, 30, 31)
        for i in range(-2, 3):
            g.set(25 + i, 27, B)
            g.set(25, 27 + i, B)
    return g.finish(), (0, 0)


def edit_sizing():
    """The width of an edit item is dragged: a bar with arrows left and right."""
    g = Grid()
    g.fill(15, 8, 17, 24)
    g.fill(7, 15, 25, 17)
    g.triangle(3, 16, 'left', 5)
    g.triangle(28, 16, 'right', 5)
    return g.finish(), (16, 16)


CURSORS = [
    ("CX_DRAGCOPYCURSOR", "dragcopy", lambda: drag(copy=True)),
    ("CX_FULLSCROLLCURSOR", "fullscroll", lambda: panning('up', 'down', 'left', 'right')),
    ("CX_HORSCROLLCURSOR", "horscroll", lambda: panning('left', 'right')),
    ("CX_VERSCROLLCURSOR", "verscroll", lambda: panning('up', 'down')),
    ("CX_UPSCROLLCURSOR", "upscroll", lambda: panning('up')),
    ("CX_RIGHTSCROLLCURSOR", "rightscroll", lambda: panning('right')),
    ("CX_DOWNSCROLLCURSOR", "downscroll", lambda: panning('down')),
    ("CX_LEFTSCROLLCURSOR", "leftscroll", lambda: panning('left')),
    ("CX_REMOVECURSOR", "remove", remove),
    ("CX_VERTSIZECURSOR", "vertsize", lambda: size_bar(False)),
    ("CX_HORZSIZECURSOR", "horzsize", lambda: size_bar(True)),
    ("CX_MULTIDRAGCURSOR", "multidrag", multi_drag),
    ("CX_NODROPCURSOR", "nodrop", no_drop),
    ("CX_DRAGCURSOR", "drag", lambda: drag(copy=False)),
    ("CX_COLORPICKERCURSOR", "colorpicker", colour_picker),
    ("CXEDIT_MOUSEWHEEL", "mousewheel", mouse_wheel),
    ("DXBARDRAGCURSOR", "bardrag", lambda: bar_drag('move')),
    ("DXBARDRAGCOPYCURSOR", "bardragcopy", lambda: bar_drag('copy')),
    ("DXBARDRAGNODROPCURSOR", "bardragnodrop", lambda: bar_drag('nodrop')),
    ("DXBAREDITSIZINGCURSOR", "bareditsizing", edit_sizing),
]


def mask_rows(px, bit_of):
    data = b""
    for y in reversed(range(SIZE)):  # DIB rows bottom-up
        row = 0
        for x in range(SIZE):
            if bit_of(px[y][x]):
                row |= 1 << (31 - x)
        data += struct.pack(">I", row)
    return data


def cur_bytes(px, hot):
    xor = mask_rows(px, lambda c: c == W)
    and_ = mask_rows(px, lambda c: c is T)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hot[0], hot[1], len(image), 6 + 16)
    return directory + entry + image


def preview(px, hot, path):
    scale = 8
    pixels = bytearray()
    for y in range(SIZE * scale):
        for x in range(SIZE * scale):
            c = px[y // scale][x // scale]
            if (x // scale, y // scale) == hot:
                rgb = (255, 0, 0) if c is not B else (200, 0, 0)
            elif c is T:
                rgb = (128, 160, 200) if ((x // scale + y // scale) % 2) else (112, 144, 184)
            else:
                rgb = (0, 0, 0) if c == B else (255, 255, 255)
            pixels += bytes(rgb)
    ppm = path[:-4] + ".ppm"
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (SIZE * scale, SIZE * scale) + bytes(pixels))
    subprocess.run(["convert", ppm, path], check=True)
    os.remove(ppm)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "..", "resources", "cursors"))
    parser.add_argument("--preview")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, stem, draw in CURSORS:
        px, hot = draw()
        with open(os.path.join(args.out, stem + ".cur"), "wb") as f:
            f.write(cur_bytes(px, hot))
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            preview(px, hot, os.path.join(args.preview, stem + ".png"))


if __name__ == "__main__":
    main()
