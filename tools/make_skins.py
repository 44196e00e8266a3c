#!/usr/bin/python3
"""Paints the program's built-in skins and the default user skin and writes their skin streams.

Each skin is a palette (window, face, accent and caption colours) and a style (flat, soft or glossy,
with a corner radius); every element's image and glyph sheets are painted from them, and the stream
(version 1.02) holds the 11 skin colours and the 13 groups with every element and property the
program binds. Usage: tools/make_skins.py [output folder] (default resources/skins), then commit
the .skin files; run it again after changing a palette or a painting rule.
"""
import os
import struct
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from skinelements import CL_NONE, FAMILIES, Img, Palette, groups, skin_colors  # noqa: E402
from skinpaint import encode_png, rgb  # noqa: E402

VERSION = 1.02


# ------------------------------------------------------------------------------------------------
# The skins

class Skin:
    """A skin: its design family (the shapes, border weight, glyphs and caption treatment) and its
    four colours; the radius and the gloss follow from the family."""

    def __init__(self, name, dark, family, window, face, accent, caption, menu_grips=True):
        self.name, self.dark, self.family, self.menu_grips = name, dark, family, menu_grips
        self.radius = FAMILIES[family]["radius"]
        self.window, self.face, self.accent, self.caption = rgb(window), rgb(face), rgb(accent), rgb(caption)


# Five skins to a family, light and dark ones in each; within a family the colours keep every two
# skins well apart (make_skins checks it before it writes anything).
SKINS = [
    # light
    Skin("Linen", False, "bevel", 0xFFFDF6, 0xE4D8BE, 0x8A5A2B, 0x7C4A22, menu_grips=False),
    Skin("Harbor", False, "glass", 0xFFFFFF, 0xD3E3F6, 0x1F5FAE, 0x1D58A6),
    Skin("Meadow", False, "bevel", 0xF7FFF0, 0xBFE3A4, 0x3A8A22, 0x2E7A1E),
    Skin("Glacier", False, "flat", 0xF0FAFD, 0xC4E5F0, 0x07799C, 0x0A6A88, menu_grips=False),
    Skin("Apricot", False, "round", 0xFFF9F1, 0xFAD8B0, 0xC65A12, 0xFFCF99),
    Skin("Lilac", False, "round", 0xFBF7FF, 0xDDCDF2, 0x7446BE, 0x6A40AA),
    Skin("Sandstone", False, "round", 0xEEE4D2, 0xC9AD84, 0x8F5228, 0x9E7648, menu_grips=False),
    Skin("Porcelain", False, "flat", 0xFFFFFF, 0xE9EDF2, 0x1F6FD1, 0xF3F5F8, menu_grips=False),
    Skin("Coral", False, "glass", 0xFFF7F5, 0xF6D2CA, 0xC03A33, 0xB3332D),
    Skin("Sage", False, "flat", 0xF3F6F0, 0xC6D4BE, 0x4A7A53, 0x5A775C, menu_grips=False),
    # dark
    Skin("Midnight", True, "glass", 0x131B2E, 0x25375C, 0x4C8DF0, 0x1C3D7A),
    Skin("Graphite", True, "flat", 0x1E1E1E, 0x3D3D3D, 0x9DB6D6, 0x2C2C2C, menu_grips=False),
    Skin("Ember", True, "round", 0x2B1811, 0x5C2C1A, 0xFF8A3D, 0x70270F),
    Skin("Forest", True, "round", 0x13261A, 0x2A4C33, 0x7BD47F, 0x1C4026),
    Skin("Plum", True, "bevel", 0x2A1630, 0x542E61, 0xE08AF0, 0x5E2570),
    Skin("Slate", True, "bevel", 0x29333F, 0x4C5B6C, 0x6FB3E0, 0x3A4B5E, menu_grips=False),
    Skin("Espresso", True, "bevel", 0x2A1E16, 0x5A4331, 0xD9A45F, 0x4A3020),
    Skin("Obsidian", True, "glass", 0x0B0C0E, 0x25282C, 0x2BD0E0, 0x17191C),
    Skin("Twilight", True, "glass", 0x2A1F47, 0x55468E, 0xB59CFF, 0x4A2A8E),
    Skin("Deepsea", True, "flat", 0x0C2A33, 0x1B4A58, 0x2FC4B2, 0x0B4150, menu_grips=False),
]
# The user skin a user starts from: neutral greys, nothing of a colour family, in the bevelled shapes.
USER_SKIN = Skin("UserSkin", False, "bevel", 0xF4F4F4, 0xD0D0D0, 0x5E5E5E, 0x8C8C8C, menu_grips=False)


class Writer:
    def __init__(self):
        self.parts = []

    def int32(self, v):
        self.parts.append(struct.pack("<i", v if v < 0x80000000 else v - 0x100000000))

    def byte(self, v):
        self.parts.append(struct.pack("<B", v))

    def string(self, s):
        data = s.encode("cp1252")
        self.int32(len(data))
        self.parts.append(data)

    def props(self, props):
        self.int32(len(props))
        for cls, name, value in props:
            self.string(cls)
            self.string(name)
            if cls == "TdxSkinBooleanProperty":
                self.byte(1 if value else 0)
            else:
                self.int32(value)

    def image(self, img):
        img = img or Img(states=())
        for m in img.margins:
            self.int32(m)
        self.byte(1 if img.vertical else 0)
        bits = sum(1 << s for s in img.states)
        self.parts.append(struct.pack("<H", bits))
        self.byte(img.stretch)
        begin, end, mode = img.gradient or (CL_NONE, CL_NONE, 0)
        self.int32(begin)
        self.int32(end)
        self.byte(mode)
        png = encode_png(img.pixels) if img.pixels is not None else b""
        self.int32(len(png))
        self.parts.append(png)

    def element(self, e):
        self.string(e.name)
        self.int32(e.color)
        self.byte(e.alpha)
        self.int32(e.image_count)
        for v in e.content:
            self.int32(v)
        self.image(e.glyph)
        self.image(e.image)
        for side, (color, thin) in zip(("Left", "Top", "Right", "Bottom"), e.borders):
            self.string("TdxSkinBorder")
            self.string(side)
            self.int32(color)
            self.int32(thin)
        self.int32(e.text)
        self.int32(e.min_size[0])
        self.int32(e.min_size[1])
        self.props(list(e.props))

    def skin(self, name, colors, groups):
        self.string("dxSkin")
        self.parts.append(struct.pack("<d", VERSION))
        self.string(name)
        self.int32(len(colors))
        for cname, value in colors:
            self.string("TdxSkinColor")
            self.string(cname)
            self.int32(value)
        self.props([])
        self.int32(len(groups))
        for gname, elements, props in groups:
            self.string(gname)
            self.int32(len(elements))
            for e in elements:
                self.element(e)
            self.props(list(props))
        return b"".join(self.parts)


def skin_stream(skin):
    palette = Palette(skin)
    return Writer().skin(skin.name, skin_colors(palette), groups(palette))


def lab(c):
    """CIE L*a*b* (D65) of an sRGB colour given as three floats."""
    lin = np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    xyz = np.array([[0.4124, 0.3576, 0.1805], [0.2126, 0.7152, 0.0722], [0.0193, 0.1192, 0.9505]]) @ lin
    f = np.cbrt(xyz / np.array([0.95047, 1.0, 1.08883]))
    f = np.where(xyz / np.array([0.95047, 1.0, 1.08883]) > 0.008856, f,
                 7.787 * xyz / np.array([0.95047, 1.0, 1.08883]) + 16 / 116)
    return np.array([116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])])


def delta_e(a, b):
    """CIEDE2000 colour difference of two sRGB colours (1 is about the smallest visible one)."""
    (l1, a1, b1), (l2, a2, b2) = lab(a), lab(b)
    c_mean = (np.hypot(a1, b1) + np.hypot(a2, b2)) / 2
    g = 0.5 * (1 - np.sqrt(c_mean ** 7 / (c_mean ** 7 + 25 ** 7)))
    a1, a2 = a1 * (1 + g), a2 * (1 + g)
    c1, c2 = np.hypot(a1, b1), np.hypot(a2, b2)
    h1, h2 = np.degrees(np.arctan2(b1, a1)) % 360, np.degrees(np.arctan2(b2, a2)) % 360
    dl, dc = l2 - l1, c2 - c1
    dh = 0 if c1 * c2 == 0 else (h2 - h1 if abs(h2 - h1) <= 180 else h2 - h1 - 360 * np.sign(h2 - h1))
    dH = 2 * np.sqrt(c1 * c2) * np.sin(np.radians(dh / 2))
    l_mean, c_mean = (l1 + l2) / 2, (c1 + c2) / 2
    h_mean = h1 + h2 if c1 * c2 == 0 else ((h1 + h2) / 2 if abs(h1 - h2) <= 180 else (h1 + h2 + 360) / 2 % 360)
    t = (1 - 0.17 * np.cos(np.radians(h_mean - 30)) + 0.24 * np.cos(np.radians(2 * h_mean)) +
         0.32 * np.cos(np.radians(3 * h_mean + 6)) - 0.2 * np.cos(np.radians(4 * h_mean - 63)))
    sl = 1 + 0.015 * (l_mean - 50) ** 2 / np.sqrt(20 + (l_mean - 50) ** 2)
    sc, sh = 1 + 0.045 * c_mean, 1 + 0.015 * c_mean * t
    rt = (-2 * np.sqrt(c_mean ** 7 / (c_mean ** 7 + 25 ** 7)) *
          np.sin(np.radians(60 * np.exp(-(((h_mean - 275) / 25) ** 2)))))
    return float(np.sqrt((dl / sl) ** 2 + (dc / sc) ** 2 + (dH / sh) ** 2 + rt * (dc / sc) * (dH / sh)))


DISTINCT = 10.0  # ΔE that two skins of one family keep on at least two of their four main colours


def check_distinct(skins):
    """Every two skins of one family differ by ΔE 10 on two of window, content, button face and
    caption. Answers (the smallest second-largest difference within a family, over all pairs)."""
    palettes = [(s, Palette(s)) for s in skins]
    within, overall = [], []
    for i, (a, pa) in enumerate(palettes):
        for b, pb in palettes[i + 1:]:
            d = sorted((delta_e(x, y) for x, y in ((pa.window, pb.window), (pa.content, pb.content),
                                                       (pa.face, pb.face), (pa.caption, pb.caption))), reverse=True)
            overall.append((d[1], a.name, b.name))
            if a.family == b.family:
                within.append((d[1], a.name, b.name))
                if d[1] < DISTINCT:
                    raise SystemExit(f"{a.name} and {b.name} ({a.family}) differ by ΔE {d[1]:.1f} only")
    return min(within), min(overall)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "skins")
    os.makedirs(out, exist_ok=True)
    within, overall = check_distinct(SKINS + [USER_SKIN])
    print("second-largest ΔE2000 of window, content, face, caption: within a family %.1f (%s, %s); "
          "over all pairs %.1f (%s, %s)" % (within + overall))
    for skin in SKINS + [USER_SKIN]:
        data = skin_stream(skin)
        with open(os.path.join(out, skin.name + ".skin"), "wb") as f:
            f.write(data)
        print(f"{skin.name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
