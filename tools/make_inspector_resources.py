#!/usr/bin/env python3
"""Draws the property inspector's own pictures into resources/inspector/: the reversed arrow cursor
of its edits (the arrow pointer mirrored, pointing up and right, hot spot at its tip) and the two
9 x 9 expand boxes of the banded looks (32 bits with alpha: a light gradient box, lighter border
at top and left, dark at right and bottom, corners at alpha 64, a minus or a plus in the middle).
Run it by hand after changing a drawing; the files are committed."""
import os
import struct

from make_cursors import POINTER, SIZE, Grid, cur_bytes

OUT = os.path.join(os.path.dirname(__file__), "..", "resources", "inspector")


def reversed_arrow():
    g = Grid()
    g.stamp(POINTER, 0, 0)
    flipped = Grid()
    for y in range(SIZE):
        for x in range(SIZE):
            if g.px[y][x] is not None:
                flipped.set(SIZE - 1 - x, y, g.px[y][x])
    return flipped.px, (SIZE - 1, 0)


def expand_box(plus):
    light, dark = (160, 176, 192), (48, 72, 96)
    rows = []
    for y in range(9):
        row = []
        for x in range(9):
            shade = 255 - (y * 40) // 8  # white at the top to a light blue-grey at the bottom
            colour, alpha = (shade, shade, min(255, shade + 12)), 255
            if x == 8 or y == 8:
                colour = dark
            elif x == 0 or y == 0:
                colour = light
            if (x, y) in ((0, 0), (8, 0), (0, 8), (8, 8)):
                alpha = 64
            if y == 4 and 2 <= x <= 6:
                colour = dark
            if plus and x == 4 and 2 <= y <= 6:
                colour = dark
            row.append((colour, alpha))
        rows.append(row)
    return rows


def write_bmp32(path, rows):
    height, width = len(rows), len(rows[0])
    data = b""
    for row in reversed(rows):  # bottom-up
        for (r, g, b), a in row:
            data += bytes((b, g, r, a))  # straight alpha: the inspector blends it itself
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(path, "wb") as f:
        f.write(file_header + header + data)


def main():
    os.makedirs(OUT, exist_ok=True)
    px, hot = reversed_arrow()
    with open(os.path.join(OUT, "mirrored_arrow.cur"), "wb") as f:
        f.write(cur_bytes(px, hot))
    write_bmp32(os.path.join(OUT, "expand_box_plus.bmp"), expand_box(True))
    write_bmp32(os.path.join(OUT, "expand_box_minus.bmp"), expand_box(False))


if __name__ == "__main__":
    main()
