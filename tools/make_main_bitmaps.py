"""Draws the main window's pictures (resources/windows/main_*.bmp): the nine 32 x 32 command
pictures of the command strip and the glyphs of "Browse", "Advance" and "Convert". Fuchsia is the
transparent colour."""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from bmp_writer import write_rgb_bmp  # noqa: E402

OUT = os.path.join(os.path.dirname(__file__), "..", "resources", "windows")
KEY = (255, 0, 255)
INK = (40, 44, 52)
FILM = (70, 78, 92)
HOLE = (220, 226, 236)
GREEN, DGREEN = (60, 170, 70), (30, 110, 40)
RED, DRED = (215, 60, 50), (140, 30, 25)
BLUE, DBLUE = (50, 120, 210), (25, 70, 150)
YELLOW, ORANGE = (250, 205, 60), (225, 140, 30)
WHITE = (255, 255, 255)
GREY, DGREY = (170, 176, 186), (110, 116, 126)


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[KEY] * w for _ in range(h)]

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self.dot(x, y, c)

    def ring(self, cx, cy, r, width, c):
        for y in range(self.h):
            for x in range(self.w):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                if r - width <= d <= r:
                    self.dot(x, y, c)

    def line(self, x0, y0, x1, y1, width, c):
        for y in range(self.h):
            for x in range(self.w):
                px, py = x + 0.5, y + 0.5
                dx, dy = x1 - x0, y1 - y0
                t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / float(dx * dx + dy * dy)))
                if math.hypot(px - (x0 + t * dx), py - (y0 + t * dy)) <= width / 2.0:
                    self.dot(x, y, c)

    def badge(self, cx, cy, r, face, edge):
        self.disc(cx, cy, r, edge)
        self.disc(cx, cy, r - 1.5, face)


def film(c):
    c.rect(3, 4, 22, 27, INK)
    c.rect(4, 5, 21, 26, FILM)
    c.rect(8, 8, 17, 23, (120, 170, 225))
    for y in range(6, 26, 4):
        c.rect(5, y, 6, y + 1, HOLE)
        c.rect(19, y, 20, y + 1, HOLE)


def add(c):
    film(c)
    c.badge(23, 23, 8.5, GREEN, DGREEN)
    c.rect(22, 18, 24, 28, WHITE)
    c.rect(18, 22, 28, 24, WHITE)


def delete(c):
    film(c)
    c.badge(23, 23, 8.5, RED, DRED)
    c.line(19.5, 19.5, 26.5, 26.5, 2.6, WHITE)
    c.line(26.5, 19.5, 19.5, 26.5, 2.6, WHITE)


def clear(c):
    c.rect(6, 6, 25, 9, DGREY)
    c.rect(12, 3, 19, 6, DGREY)
    c.rect(13, 4, 18, 5, KEY)
    c.rect(7, 10, 24, 29, INK)
    c.rect(8, 11, 23, 28, GREY)
    for x in (11, 15, 19):
        c.rect(x, 13, x + 1, 26, DGREY)


def effect(c):
    for k in range(8):
        a = k * math.pi / 4
        c.line(16 + 9 * math.cos(a), 16 + 9 * math.sin(a), 16 + 14 * math.cos(a), 16 + 14 * math.sin(a), 2.4, ORANGE)
    c.badge(16, 16, 7.5, YELLOW, ORANGE)


def trim(c):
    c.line(9, 4, 22, 21, 3.0, DGREY)
    c.line(23, 4, 10, 21, 3.0, GREY)
    c.ring(9, 24, 5.5, 2.2, RED)
    c.ring(23, 24, 5.5, 2.2, RED)
    c.disc(16, 13, 1.5, INK)


def crop(c):
    c.rect(8, 2, 10, 23, DBLUE)
    c.rect(2, 21, 23, 23, DBLUE)
    c.rect(21, 8, 23, 29, BLUE)
    c.rect(8, 8, 29, 10, BLUE)
    c.rect(12, 12, 19, 19, (150, 195, 240))


def gear(c):
    for k in range(8):
        a = k * math.pi / 4
        c.line(16 + 8 * math.cos(a), 16 + 8 * math.sin(a), 16 + 13 * math.cos(a), 16 + 13 * math.sin(a), 4.5, DGREY)
    c.disc(16, 16, 10, DGREY)
    c.disc(16, 16, 4, KEY)


def text_badge(c, glyph):
    c.badge(16, 16, 14, BLUE, DBLUE)
    rows = GLYPHS[glyph]
    x0, y0 = 16 - len(rows[0]) * 3 // 2, 16 - len(rows) * 3 // 2
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch == "#":
                c.rect(x0 + i * 3, y0 + j * 3, x0 + i * 3 + 2, y0 + j * 3 + 2, WHITE)


GLYPHS = {
    "?": [".##.", "#..#", "...#", "..#.", ".#..", "....", ".#.."],
    "i": ["#", ".", "#", "#", "#", "#", "#"],
}


def folder(c):
    c.rect(1, 3, 6, 5, ORANGE)
    c.rect(1, 5, 14, 13, ORANGE)
    c.rect(2, 6, 13, 12, YELLOW)


def sliders(c):
    for y, x in ((3, 10), (8, 4), (13, 8)):
        c.rect(1, y, 14, y, DGREY)
        c.rect(x - 1, y - 2, x + 1, y + 2, BLUE)


def convert(c):
    c.badge(24, 24, 21, GREEN, DGREEN)
    c.rect(12, 20, 26, 28, WHITE)
    for i in range(13):
        c.rect(26 + i, 11 + i, 26 + i, 37 - i, WHITE)


def save(name, size, draw):
    c = Canvas(*size)
    draw(c)
    write_rgb_bmp(os.path.join(OUT, name), c.px)


COMMANDS = [add, delete, clear, effect, trim, crop, gear, lambda c: text_badge(c, "?"), lambda c: text_badge(c, "i")]

if __name__ == "__main__":
    for index, draw in enumerate(COMMANDS):
        save("main_command%d.bmp" % index, (32, 32), draw)
    save("main_browse.bmp", (16, 16), folder)
    save("main_advance.bmp", (16, 16), sliders)
    save("main_convert.bmp", (48, 48), convert)
