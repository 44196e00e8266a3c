#!/usr/bin/env python3
"""Draws the framed track bar's thumb bitmaps and its two slide cursors into resources/framed/.

Each thumb exists plain, hot, disabled and as a mask. Masks are 1 bit per pixel: white where the
background shows, black under the thumb; the state images are black where the background shows
(the bar ANDs the mask and ORs the image). The classic families are 16-colour pictures drawn in the
key colours that the bar replaces at load time (silver face, grey shadow, olive dark shadow, yellow
light, white highlight, red/maroon/fuchsia for the hot colours); the XP families are 24-bit and
loaded as drawn. Run it by hand after changing a drawing; the files are committed."""
import argparse
import os
import struct

from make_cursors import Grid, cur_bytes

# Key colours (r, g, b) of the classic families.
NONE = (0, 0, 0)
FACE, SHADOW, DARK, LIGHT, HIGH = (192, 192, 192), (128, 128, 128), (128, 128, 0), (255, 255, 0), (255, 255, 255)
HOT1, HOT2, HOT3 = (255, 0, 0), (128, 0, 0), (255, 0, 255)
CLASSIC_PALETTE = [NONE, (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
                   (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
                   (255, 0, 255), (0, 255, 255), (255, 255, 255)]


# ---------------------------------------------------------------------------------------------
# Outlines: each returns, for a thumb w x h pointing up (toward the ticks), the set of covered
# pixels; the vertical variants are the same shapes turned to point left.
def box(w, h):
    return {(x, y) for y in range(h) for x in range(w)}


def pointer(w, h):
    """A box whose top ends in a point; the point is w // 2 rows high."""
    mid, tip = w // 2, w // 2
    covered = set()
    for y in range(h):
        half = mid if y >= tip else y
        for x in range(mid - half, mid + half + 1):
            covered.add((x, y))
    return covered


def flip_vertical(shape, h):
    return {(x, h - 1 - y) for (x, y) in shape}


def to_left(shape):
    """Turns an up-pointing shape w x h into a left-pointing one h x w."""
    return {(y, x) for (x, y) in shape}


def edges(shape):
    """The shape's outer edge pixels, split into upper-left and lower-right."""
    upper, lower = set(), set()
    for (x, y) in shape:
        if (x - 1, y) not in shape or (x, y - 1) not in shape or (x - 1, y - 1) not in shape:
            upper.add((x, y))
        if (x + 1, y) not in shape or (x, y + 1) not in shape or (x + 1, y + 1) not in shape:
            lower.add((x, y))
    return upper, lower


def bevel(shape, face, outer_hi, inner_hi, outer_lo, inner_lo):
    colours = {p: face for p in shape}
    up1, lo1 = edges(shape)
    inner = shape - up1 - lo1
    up2, lo2 = edges(inner)
    for p in up2:
        colours[p] = inner_hi
    for p in lo2:
        colours[p] = inner_lo
    for p in up1:
        colours[p] = outer_hi
    for p in lo1:
        colours[p] = outer_lo
    return colours


def classic_states(shape, mixer_line=None):
    plain = bevel(shape, FACE, HIGH, LIGHT, DARK, SHADOW)
    hot = bevel(shape, HOT3, HIGH, HOT1, DARK, HOT2)
    disabled = bevel(shape, FACE, HIGH, FACE, SHADOW, FACE)
    if mixer_line:
        for p in mixer_line:
            plain[p], hot[p], disabled[p] = DARK, HOT2, SHADOW
    return plain, hot, disabled


def flat_states(shape):
    up, lo = edges(shape)
    rim = up | lo
    plain = {p: (SHADOW if p in rim else FACE) for p in shape}
    hot = {p: (HOT2 if p in rim else HOT3) for p in shape}
    disabled = {p: (SHADOW if p in rim else FACE) for p in shape}
    return plain, hot, disabled


def xp_states(shape, w, h, vertical):
    """Soft blue-grey thumbs with a rounded look and a coloured rim."""
    up, lo = edges(shape)
    rim = up | lo

    def shade(p, top, bottom, rim_colour):
        if p in rim:
            return rim_colour
        t = (p[0] / max(w - 1, 1)) if vertical else (p[1] / max(h - 1, 1))
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
    plain = {p: shade(p, (250, 251, 252), (214, 218, 226), (112, 128, 152)) for p in shape}
    hot = {p: shade(p, (255, 246, 228), (250, 206, 140), (206, 128, 40)) for p in shape}
    disabled = {p: shade(p, (244, 244, 244), (226, 226, 226), (176, 176, 176)) for p in shape}
    return plain, hot, disabled


# ---------------------------------------------------------------------------------------------
# .bmp writers (rows bottom-up, each padded to 4 bytes).
def bmp(width, height, bits, palette, rows):
    row_size = ((width * bits + 31) // 32) * 4
    pixels = b"".join(row.ljust(row_size, b"\0") for row in reversed(rows))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, len(palette), 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + len(header) + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + table + pixels


def classic_bmp(colours, w, h):
    rows = []
    for y in range(h):
        row, nibbles = b"", [CLASSIC_PALETTE.index(colours.get((x, y), NONE)) for x in range(w)]
        for i in range(0, w, 2):
            row += bytes([(nibbles[i] << 4) | (nibbles[i + 1] if i + 1 < w else 0)])
        rows.append(row)
    return bmp(w, h, 4, CLASSIC_PALETTE, rows)


def true_colour_bmp(colours, w, h):
    rows = [b"".join(bytes(reversed(colours.get((x, y), NONE))) for x in range(w)) for y in range(h)]
    return bmp(w, h, 24, [], rows)


def mask_bmp(shape, w, h):
    rows = []
    for y in range(h):
        bits = [0 if (x, y) in shape else 1 for x in range(w)]
        row = b""
        for i in range(0, w, 8):
            byte = 0
            for j, bit in enumerate(bits[i:i + 8]):
                byte |= bit << (7 - j)
            row += bytes([byte])
        rows.append(row)
    return bmp(w, h, 1, [(0, 0, 0), (255, 255, 255)], rows)


# ---------------------------------------------------------------------------------------------
def families():
    """(resource name, width, height, shape, kind) of every thumb; shapes as drawn, in place."""
    ptr_up = pointer(11, 21)
    ptr_down = flip_vertical(ptr_up, 21)
    mixer = box(21, 16)
    mixer_line = {(10, y) for y in range(3, 13)}
    yield "RZTRKBAR_H_BOX", 11, 21, box(11, 21), "classic", None
    yield "RZTRKBAR_V_BOX", 21, 11, box(21, 11), "classic", None
    yield "RZTRKBAR_H_MIXER", 21, 16, mixer, "classic", mixer_line
    yield "RZTRKBAR_V_MIXER", 16, 21, to_left(mixer), "classic", {(y, x) for (x, y) in mixer_line}
    yield "RZTRKBAR_H_PTR", 11, 21, ptr_up, "classic", None
    yield "RZTRKBAR_V_PTR", 21, 11, to_left(ptr_up), "classic", None
    yield "RZTRKBAR_WIN95", 11, 21, ptr_down, "classic", None
    yield "RZTRKBAR_H_FLAT", 10, 20, box(10, 20), "flat", None
    yield "RZTRKBAR_V_FLAT", 20, 10, box(20, 10), "flat", None
    yield "RZTRKBAR_H_XPPTR", 11, 21, ptr_up, "xp", None
    yield "RZTRKBAR_V_XPPTR", 21, 11, to_left(ptr_up), "xp", None
    yield "RZTRKBAR_H_XPBOX", 11, 21, box(11, 21), "xp", None
    yield "RZTRKBAR_V_XPBOX", 21, 11, box(21, 11), "xp", None


def slide_cursor(vertical):
    """The arrow pointer with a small double-headed arrow below and right of it; hot spot (0, 0)."""
    g = Grid()
    from make_cursors import POINTER
    g.stamp(POINTER, 0, 0)
    if vertical:
        g.line(20, 14, 20, 26)
        g.triangle(20, 12, 'up', 4)
        g.triangle(20, 28, 'down', 4)
    else:
        g.line(14, 22, 26, 22)
        g.triangle(12, 22, 'left', 4)
        g.triangle(28, 22, 'right', 4)
    return g.finish(), (0, 0)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(here, "..", "resources", "framed"))
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for name, w, h, shape, kind, line in families():
        vertical = "_V_" in name
        if kind == "classic":
            states, write = classic_states(shape, line), classic_bmp
        elif kind == "flat":
            states, write = flat_states(shape), classic_bmp
        else:
            states, write = xp_states(shape, w, h, vertical), true_colour_bmp
        stem = name.lower()
        for suffix, colours in zip(("", "_hot", "_disabled"), states):
            with open(os.path.join(args.out, stem + suffix + ".bmp"), "wb") as f:
                f.write(write(colours, w, h))
        with open(os.path.join(args.out, stem + "_mask.bmp"), "wb") as f:
            f.write(mask_bmp(shape, w, h))
    for stem, vertical in (("rztrkbar_h_cursor", False), ("rztrkbar_v_cursor", True)):
        px, hot = slide_cursor(vertical)
        with open(os.path.join(args.out, stem + ".cur"), "wb") as f:
            f.write(cur_bytes(px, hot))


if __name__ == "__main__":
    main()
