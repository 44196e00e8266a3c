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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from skinelements import CL_NONE, Img, Palette, groups, skin_colors  # noqa: E402
from skinpaint import encode_png, rgb  # noqa: E402

VERSION = 1.02


# ------------------------------------------------------------------------------------------------
# The skins

class Skin:
    def __init__(self, name, dark, style, window, face, accent, caption, radius, menu_grips=True):
        self.name, self.dark, self.style, self.radius, self.menu_grips = name, dark, style, radius, menu_grips
        self.window, self.face, self.accent, self.caption = rgb(window), rgb(face), rgb(accent), rgb(caption)


SKINS = [
    # light
    Skin("Linen", False, "flat", 0xFAF7F2, 0xECE4D6, 0xA8733A, 0xDDD0BA, 1, menu_grips=False),
    Skin("Harbor", False, "glossy", 0xFFFFFF, 0xDCE7F4, 0x2C6CB8, 0x3B7BC6, 3),
    Skin("Meadow", False, "soft", 0xFBFDF8, 0xE2EED8, 0x4B9638, 0x86BA66, 3),
    Skin("Glacier", False, "flat", 0xF7FBFD, 0xE2EEF5, 0x2593BD, 0xCBE3EF, 0, menu_grips=False),
    Skin("Apricot", False, "glossy", 0xFFFBF6, 0xFBE5CE, 0xD9731F, 0xEE9445, 4),
    Skin("Lilac", False, "soft", 0xFCFAFE, 0xEAE2F4, 0x8657BF, 0xB498DA, 3),
    Skin("Sandstone", False, "soft", 0xFBF6EE, 0xE9DAC1, 0xA3603A, 0xC69F77, 2, menu_grips=False),
    Skin("Porcelain", False, "flat", 0xFFFFFF, 0xEFEFEF, 0x3A7AD6, 0xF2F2F2, 2, menu_grips=False),
    Skin("Coral", False, "glossy", 0xFFFAF9, 0xFAE0DC, 0xD2504B, 0xE46E68, 3),
    Skin("Sage", False, "flat", 0xF7F9F6, 0xE1E7DF, 0x5A8666, 0xB5C6B3, 1, menu_grips=False),
    # dark
    Skin("Midnight", True, "glossy", 0x1B2333, 0x2B3852, 0x4C8DF0, 0x24416F, 3),
    Skin("Graphite", True, "flat", 0x262626, 0x3A3A3A, 0x8FA9CC, 0x303030, 1, menu_grips=False),
    Skin("Ember", True, "soft", 0x221C1A, 0x3B312C, 0xF08A24, 0x4A362B, 3),
    Skin("Forest", True, "soft", 0x1C2520, 0x2E3C33, 0x6CC070, 0x2F4A38, 3),
    Skin("Plum", True, "glossy", 0x231A26, 0x3B2C41, 0xC770D6, 0x4D3058, 4),
    Skin("Slate", True, "flat", 0x232A31, 0x35414C, 0x5CA8D6, 0x2C353E, 0, menu_grips=False),
    Skin("Espresso", True, "soft", 0x241D19, 0x3C312B, 0xD2A56A, 0x41342B, 2),
    Skin("Obsidian", True, "glossy", 0x121416, 0x25292D, 0x28C4D4, 0x1F2327, 3),
    Skin("Twilight", True, "soft", 0x201E2E, 0x34314A, 0x9E8CF0, 0x3B3662, 3),
    Skin("Deepsea", True, "flat", 0x14232A, 0x203741, 0x2FB3A6, 0x1C3943, 1, menu_grips=False),
]
# The user skin a user starts from: neutral greys, nothing of a colour family.
USER_SKIN = Skin("UserSkin", False, "flat", 0xFFFFFF, 0xE6E6E6, 0x6E6E6E, 0xD6D6D6, 0, menu_grips=False)


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


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "skins")
    os.makedirs(out, exist_ok=True)
    for skin in SKINS + [USER_SKIN]:
        data = skin_stream(skin)
        with open(os.path.join(out, skin.name + ".skin"), "wb") as f:
            f.write(data)
        print(f"{skin.name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
