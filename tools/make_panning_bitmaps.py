#!/usr/bin/env python3
"""Writes the middle-button panning anchors of resources/panning (run it after a change): a 29 x 29
disc with a centre dot and arrows for the directions the control can scroll in."""
import os

from bmp_writer import write_bmp

SIZE, CENTRE = 29, 14
PALETTE = {".": (255, 255, 255), "o": (128, 128, 128), "d": (192, 192, 192), "#": (0, 0, 0)}


def arrow_cells(direction):
    """The cells of a small triangle near the rim pointing in direction (dx, dy)."""
    dx, dy = direction
    cells = set()
    for depth in range(4):          # 0 at the tip
        for side in range(-depth, depth + 1):
            along = CENTRE - 3 - depth  # distance of this row from the centre
            x = CENTRE + dx * along + (side if dx == 0 else 0)
            y = CENTRE + dy * along + (side if dy == 0 else 0)
            cells.add((x, y))
    return cells


def anchor(directions):
    marks = set().union(*(arrow_cells(d) for d in directions))
    rows = []
    for y in range(SIZE):
        row = ""
        for x in range(SIZE):
            r2 = (x - CENTRE) ** 2 + (y - CENTRE) ** 2
            if (x, y) in marks or r2 <= 2:
                row += "#"
            elif r2 <= 12 * 12:
                row += "d"
            elif r2 <= 14 * 14 + 6:
                row += "o"
            else:
                row += "."
        rows.append(row)
    return rows


os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "panning"))
HORIZONTAL, VERTICAL = [(-1, 0), (1, 0)], [(0, -1), (0, 1)]
write_bmp("fullscroll.bmp", anchor(HORIZONTAL + VERTICAL), PALETTE, 4)
write_bmp("horscroll.bmp", anchor(HORIZONTAL), PALETTE, 4)
write_bmp("verscroll.bmp", anchor(VERTICAL), PALETTE, 4)
