#!/usr/bin/env python3
"""Writes the look-and-feel bitmaps of resources/lookandfeel from the pixel art below (run it after a change)."""
import os

from bmp_writer import write_bmp

os.chdir(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "lookandfeel"))

MONO = {".": (255, 255, 255), "#": (0, 0, 0)}
indicators = {
    "arrow": ["........", "..#.....", "..##....", "..###...", "..####..", "..###...", "..##....", "..#.....", "........"],
    "edit": ["........", ".###.##.", "...#....", "...#....", "...#....", "...#....", "...#....", ".###.##.", "........"],
    "insert": ["........", "...#....", ".#.#.#..", "..###...", "#######.", "..###...", ".#.#.#..", "...#....", "........"],
    "multidot": ["........", "........", "........", "...##...", "..####..", "..####..", "...##...", "........", "........"],
    "multiarrow": ["........", "#.......", "##......", "###.....", "####.##.", "###.####", "##..####", "#....##.", "........"],
    "filter": ["........", "#######.", ".#####..", "..###...", "...#....", "...#....", "...#....", "...##...", "........"],
}
for name, rows in indicators.items():
    write_bmp(f"cx_{name}.bmp", rows, MONO, 4)

# The sub-menu expand picture: a shaded button face (recoloured at run time by its red values) with
# black chevrons, on a fuchsia background taken from its top-left pixel.
shades = "abcdefghijklmn"
SHADE = {c: (255 - 6 * i, 255 - 6 * i, 255 - 6 * i) for i, c in enumerate(shades)}
SHADE.update({"#": (0, 0, 0), "~": (255, 0, 255)})
expand = []
for y in range(14):
    row = ""
    for x in range(14):
        if (x in (0, 13) and y in (0, 13)):
            row += "~"
        else:
            row += shades[y]
    expand.append(row)
for (x, y) in [(4, 3), (5, 4), (6, 5), (7, 4), (8, 3), (4, 7), (5, 8), (6, 9), (7, 8), (8, 7),
               (5, 3), (6, 4), (7, 3), (5, 7), (6, 8), (7, 7)]:
    expand[y] = expand[y][:x] + "#" + expand[y][x + 1:]
write_bmp("dx_submenuexpand.bmp", expand, SHADE, 24)

BOX = {".": (255, 255, 255), "#": (128, 128, 128), "-": (0, 0, 0)}
minus = ["#########", "#.......#", "#.......#", "#.......#", "#.-----.#", "#.......#", "#.......#", "#.......#", "#########"]
plus = [r if i not in (2, 3, 5, 6) else "#...-...#" for i, r in enumerate(minus)]
write_bmp("dx_expandbutton_minus.bmp", minus, BOX, 24)
write_bmp("dx_expandbutton_plus.bmp", plus, BOX, 24)
