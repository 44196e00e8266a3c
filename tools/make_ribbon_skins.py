#!/usr/bin/python3
"""Paints the ribbon's picture sheets and writes where every part lies in them.

Seven 32-bit PNG sheets: "RIBBONCOMMON" (121 x 379, the button faces and menu details the three
colour schemes share), "RIBBONBLUE", "RIBBONBLACK", "RIBBONSILVER" (93 x 438, each scheme's groups,
scroll buttons, separators and small glyphs) and "FORMBLUE", "FORMBLACK", "FORMSILVER" (50 x 292,
the form frame, caption buttons and application button). Each part is one or more frames of one
size, one under the other (or side by side where a part says so); a few parts have fixed places
(the application button, the caption glyph strips, the small and large button strips, the group
body), the others are packed into the free space. The places go to
toolkit/ribbon/dxRibbonSkinsSheets.h, which the skins cut their parts by.

Usage: tools/make_ribbon_skins.py [resources folder] (default resources), then commit the sheets
under resources/ribbon/ and the header; run it again after changing a part or a colour.
"""
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from skinpaint import (Picture, box, circle, darken, encode_png, lighten, mix, polygon, polyline,  # noqa: E402
                       rgb, rrect, segment, subtract, union)

HERE = os.path.dirname(os.path.abspath(__file__))
SHEET_SIZES = {"form": (50, 292), "common": (121, 379), "scheme": (93, 438)}


# ------------------------------------------------------------------------------------------------
# Palettes: the companion colours of each scheme's colour table, and a few of our own


class Scheme:
    def __init__(self, name, **colors):
        self.name = name
        for key, value in colors.items():
            setattr(self, key, value if isinstance(value, bool) else rgb(value))


SCHEMES = [
    Scheme("Blue", tab_row=0xBFDBFF, caption=0xA4C3EB, text=0x15428B, body_top=0xE3EDF9, body_bottom=0xC7D9F0,
           border=0x8DB2E3, band=0xC2D8F1, frame=0x6591CD, glyph=0x15428B, accent=0x3E6AAA, dark=False),
    Scheme("Black", tab_row=0x535353, caption=0x696969, text=0x464646, body_top=0xEBEBEB, body_bottom=0xC8C8C8,
           border=0x9A9A9A, band=0xB4B4B4, frame=0x2E2E2E, glyph=0xFFFFFF, accent=0xAED1FF, dark=True),
    Scheme("Silver", tab_row=0xD0D4DD, caption=0xAAAEB5, text=0x4C535C, body_top=0xF3F4F5, body_bottom=0xD9DCE1,
           border=0xA9AEB4, band=0xCDD2D8, frame=0x8A9099, glyph=0x4C535C, accent=0x356EAA, dark=False),
]

# The faces of buttons in their states, shared by the three schemes: top, bottom, border.
FACES = {
    "hot": (0xFFF7D4, 0xFFD86B, 0xDBCE99),
    "hot2": (0xFFFBEA, 0xFFE9A8, 0xE3D7AC),
    "pressed": (0xFBC68A, 0xF59B3C, 0xC2894B),
    "checked": (0xFFE2A8, 0xFFC466, 0xC9A15E),
    "checkedhot": (0xFFD49A, 0xF9AE4E, 0xB98A46),
    "grey": (0xF4F4F4, 0xD8D8D8, 0xB0B0B0),
}
WHITE, BLACK = np.ones(3), np.zeros(3)


def face(p, style, radius=2.5, x0=0.0, y0=0.0, x1=None, y1=None):
    """A rounded button face: a gradient with a lighter upper half, a border and an inner highlight."""
    x1 = p.w if x1 is None else x1
    y1 = p.h if y1 is None else y1
    top, bottom, border = (rgb(v) for v in FACES[style])
    p.paint(rrect(x0, y0, x1, y1, radius), border)
    mid = y0 + (y1 - y0) * 0.42
    upper = p.vertical(lighten(top, 0.3), top, y0, mid)
    lower = p.vertical(bottom, lighten(bottom, 0.35), mid, y1)
    gradient = np.where((np.arange(p.h)[:, None, None] + 0.5) < mid, upper, lower)
    p.paint(rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(radius - 1, 0)), lighten(top, 0.7))
    p.paint(rrect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, max(radius - 1.5, 0)), gradient)


def scheme_face(p, s, level, radius=2.5):
    """A face in the scheme's own colours: level 0 normal, 1 hot, 2 pressed."""
    top = [s.body_top, lighten(s.body_top, 0.5), s.band][level]
    bottom = [s.body_bottom, lighten(s.body_bottom, 0.3), darken(s.band, 0.1)][level]
    p.paint(rrect(0, 0, p.w, p.h, radius), s.border if level == 0 else darken(s.border, 0.15))
    p.paint(rrect(1, 1, p.w - 1, p.h - 1, max(radius - 1, 0)), p.vertical(top, bottom))


def column_line(p, x, color, top=0.0, bottom=None, fade=True):
    """A one-pixel vertical line that fades out at both ends."""
    bottom = p.h if bottom is None else bottom
    ys = (np.arange(p.h) + 0.5 - top) / max(bottom - top, 1)
    alpha = np.clip(np.minimum(ys, 1 - ys) * 4, 0, 1) if fade else ((ys >= 0) & (ys <= 1)).astype(float)
    p.px[:, x, :3] = color * alpha[:, None]
    p.px[:, x, 3] = alpha


def down_arrow(cx, cy, size):
    return polygon([(cx - size, cy - size / 2), (cx + size, cy - size / 2), (cx, cy + size / 2)])


def right_arrow(cx, cy, size):
    return polygon([(cx - size / 2, cy - size), (cx - size / 2, cy + size), (cx + size / 2, cy)])


# ------------------------------------------------------------------------------------------------
# Form sheet


def caption_colors(s, inactive):
    top, bottom = lighten(s.caption, 0.55), s.caption
    if inactive:
        top, bottom = mix(top, np.full(3, 0.93), 0.6), mix(bottom, np.full(3, 0.85), 0.6)
    return top, bottom


def paint_caption(p, s, frame, rounded=True):
    top, bottom = caption_colors(s, frame == 1)
    edge = darken(s.caption, 0.35) if frame == 0 else mix(darken(s.caption, 0.2), np.full(3, 0.6), 0.5)
    if rounded:
        p.paint(rrect(0, 0, p.w, p.h + 8, 5), edge)
        p.paint(rrect(1, 1, p.w - 1, p.h + 8, 4), p.vertical(top, bottom))
    else:
        p.paint(box(0, 0, p.w, p.h), p.vertical(top, bottom))
        p.paint(box(0, 0, p.w, 1), edge)
    p.paint(box(0, p.h - 1, p.w, p.h), darken(bottom, 0.12))


def paint_caption_edge(p, s, frame, left):
    top, bottom = caption_colors(s, frame == 1)
    p.paint(box(0, 0, p.w, p.h), p.vertical(top, bottom))
    edge = darken(s.caption, 0.35) if frame == 0 else darken(s.caption, 0.15)
    x = 0 if left else p.w - 1
    p.paint(box(x, 0, x + 1, p.h), edge)


def paint_border(p, s, frame, left):
    top, bottom = caption_colors(s, frame == 1)
    p.paint(box(0, 0, p.w, p.h), p.horizontal(bottom, top) if left else p.horizontal(top, bottom))
    x = 0 if left else p.w - 1
    p.paint(box(x, 0, x + 1, p.h), darken(s.caption, 0.35 if frame == 0 else 0.15))


def paint_bottom(p, s, frame):
    top, bottom = caption_colors(s, frame % 2 == 1)
    edge = darken(s.caption, 0.35 if frame % 2 == 0 else 0.15)
    p.paint(rrect(0, -6, p.w, p.h, 3), edge)
    p.paint(rrect(1, -6, p.w - 1, p.h - 1, 2), p.vertical(bottom, top))


def paint_caption_button_background(p, s, frame):
    face(p, ["hot", "pressed", "hot2"][frame], 3)


GLYPHS = {
    "minimize": lambda: box(1.5, 6, 7.5, 8),
    "maximize": lambda: subtract(box(1, 1, 8, 8), box(2, 3, 7, 7)),
    "restore": lambda: union(subtract(box(3, 1, 8, 6), box(4, 2.5, 7, 5)), subtract(box(1, 3, 6, 8), box(2, 4.5, 5, 7))),
    "close": lambda: union(segment(1.5, 1.5, 7.5, 7.5, 1.8), segment(7.5, 1.5, 1.5, 7.5, 1.8)),
    "help": lambda: union(polyline([(2.5, 3), (3.5, 1.5), (5.5, 1.5), (6.5, 3), (4.5, 5), (4.5, 6)], 1.4),
                          circle(4.5, 7.6, 0.8)),
}


def paint_caption_glyph(kind):
    def paint(p, s, frame):
        # hot and pressed glyphs sit on the light button faces: dark in every scheme
        on_face = darken(s.glyph, 0.3) if not s.dark else rgb(0x202020)
        color = [s.glyph, on_face, WHITE if not s.dark else on_face, mix(s.glyph, np.full(3, 0.6), 0.6)][frame]
        shape = GLYPHS[kind]()
        halo = WHITE if not s.dark else BLACK
        if frame == 0:
            p.paint(lambda x, y: shape(x - 0.5, y - 0.5) - 0.3, halo, 0.35)
        p.paint(shape, color)
    return paint


def paint_tab_row_caption(p, s, frame):
    top, bottom = caption_colors(s, False)
    p.paint(box(0, 0, p.w, p.h), p.vertical(bottom, s.tab_row, 0, p.h * 0.6))


def paint_quick_access(kind):
    def paint(p, s, frame):
        top, bottom = caption_colors(s, frame == 1)
        fill = p.vertical(lighten(top, 0.1), darken(bottom, 0.05), 5, p.h - 5)
        edge = darken(s.caption, 0.4 if frame == 0 else 0.2)
        if kind == "wide":  # hugs the application button's round edge
            shape = subtract(box(0, 5, p.w, p.h - 5), circle(-6, p.h / 2, 13.5))
        elif kind == "narrow":
            shape = box(0, 5, p.w, p.h - 5)
        else:
            shape = rrect(-10, 5, p.w - 2, p.h - 5, 8)
        p.paint(shape, edge)
        p.paint(lambda x, y: shape(x, y) + 1, fill)
    return paint


def paint_application_button(p, s, frame):
    cx = cy = p.w / 2
    glow = [s.accent, rgb(0xFFD86B), rgb(0xF59B3C)][frame]
    p.paint(circle(cx, cy + 0.5, 20.5), BLACK, 0.25)
    p.paint(circle(cx, cy, 20), darken(s.frame if not s.dark else s.caption, 0.35))
    body = p.vertical(lighten(glow, 0.6), darken(glow, 0.25), 2, p.h - 2)
    p.paint(circle(cx, cy, 18.5), body)
    p.paint(lambda x, y: np.maximum(circle(cx, cy - 7, 15)(x, y), y - cy), WHITE, 0.35)
    # our emblem: a film frame with a play mark
    p.paint(rrect(cx - 9, cy - 7, cx + 9, cy + 7, 2), WHITE, 0.95)
    p.paint(rrect(cx - 7, cy - 5, cx + 7, cy + 5, 1), darken(glow, 0.45))
    p.paint(polygon([(cx - 2.5, cy - 3.5), (cx - 2.5, cy + 3.5), (cx + 4, cy)]), WHITE)


# ------------------------------------------------------------------------------------------------
# Common sheet


def faces_of(*styles, radius=2.5):
    def paint(p, s, frame):
        face(p, styles[frame], radius)
    return paint


def paint_glass(kind):
    def paint(p, s, frame):
        shape = {"wide": subtract(box(0, 5, p.w, p.h - 5), circle(-6, p.h / 2, 13.5)), "narrow": box(0, 5, p.w, p.h - 5),
                 "end": rrect(-10, 5, p.w - 2, p.h - 5, 8)}[kind]
        p.paint(shape, WHITE, 0.35)
        p.paint(lambda x, y: shape(x, y) + 1, WHITE, 0.2)
    return paint


def paint_help_glyph(p, s, frame):
    p.paint(circle(8, 8, 7.5), rgb(0x2D64B4))
    p.paint(circle(8, 8, 6.5), p.vertical(rgb(0x7FB2F0), rgb(0x2D64B4)))
    p.paint(polyline([(5.8, 6), (6.6, 4.3), (9.4, 4.3), (10.2, 6), (8, 8.5), (8, 9.8)], 1.7), WHITE)
    p.paint(circle(8, 12, 1.1), WHITE)


def paint_detach(p, s, frame):
    p.paint(rrect(0, 0, 5, 5, 1), rgb(0xA0A0A0) if frame == 0 else rgb(0xDBCE99))
    p.paint(box(1, 1, 4, 4), rgb(0xF0F0F0) if frame == 0 else rgb(0xFFE9A8))


def paint_check_frame(p, s, frame):
    p.paint(rrect(0, 0, p.w, p.h, 1.5), rgb(0xE3A14B) if frame == 0 else rgb(0xB8B8B8))
    p.paint(box(1, 1, p.w - 1, p.h - 1), rgb(0xFFE6A6) if frame == 0 else rgb(0xEFEFEF))


def paint_check_mark(p, s, frame):
    paint_check_frame(p, s, frame)
    p.paint(polyline([(5, 10), (8.5, 13.5), (15, 6)], 2.2), rgb(0x1E3F73) if frame == 0 else rgb(0x9A9A9A))


def paint_menu_frame(p, s, frame):
    p.paint(box(0, 0, 8, 8), rgb(0x868686))
    p.paint(box(1, 1, 7, 7), rgb(0xFAFAFA))


def paint_fill(color, right_line=None):
    def paint(p, s, frame):
        p.paint(box(0, 0, p.w, p.h), rgb(color))
        if right_line is not None:
            p.paint(box(p.w - 1, 0, p.w, p.h), rgb(right_line))
    return paint


def paint_small_glyph(p, s, frame):
    p.paint(polygon([(3, 1), (10, 1), (13, 4), (13, 15), (3, 15)]), rgb(0x7A869A))
    p.paint(polygon([(4, 2), (9.5, 2), (12, 4.5), (12, 14), (4, 14)]), p.vertical(WHITE, rgb(0xDCE6F4)))
    p.paint(polyline([(5.5, 7), (10.5, 7)], 1), rgb(0x7A869A))
    p.paint(polyline([(5.5, 10), (10.5, 10)], 1), rgb(0x7A869A))


def paint_progress(p, s, frame):
    p.paint(rrect(0, 0, p.w, p.h, 2), rgb(0x3C8C2E))
    p.paint(rrect(1, 1, p.w - 1, p.h - 1, 1), p.vertical(rgb(0xB6F0A0), rgb(0x4CB238)))


def paint_menu_scroll(p, s, frame):
    face(p, ["hot", "pressed"][frame], 1.5)


# ------------------------------------------------------------------------------------------------
# Scheme sheet


def paint_frame_button(p, s, frame):
    if frame in (0, 3):
        scheme_face(p, s, 0 if frame == 0 else 1, 3)
    else:
        face(p, {1: "hot", 2: "pressed", 4: "checked"}[frame], 3)


def paint_groups_area(p, s, frame):
    p.paint(rrect(0, 0, p.w, p.h, 4), s.border)
    p.paint(rrect(1, 1, p.w - 1, p.h - 1, 3), p.vertical(lighten(s.body_top, 0.5), s.body_bottom, 0, p.h))


def paint_tab_separator(p, s, frame):
    column_line(p, 0, darken(s.border, 0.2))


def paint_scroll(p, s, frame):
    scheme_face(p, s, frame, 2)


def paint_group_body(p, s, frame):
    top, bottom = (s.body_top, s.body_bottom) if frame == 0 else (lighten(s.body_top, 0.6), lighten(s.body_bottom, 0.3))
    p.paint(rrect(0, 0, p.w, p.h + 8, 3), s.border)
    p.paint(rrect(1, 1, p.w - 1, p.h + 8, 2), p.vertical(lighten(top, 0.4), bottom, 0, p.h))


def paint_group_caption(p, s, frame):
    band = s.band if frame == 0 else lighten(s.band, 0.35)
    p.paint(rrect(0, -8, p.w, p.h, 3), s.border)
    p.paint(rrect(1, -8, p.w - 1, p.h - 1, 2), p.vertical(lighten(band, 0.25), band))


def paint_mark(p, s, frame):
    color = s.text if frame == 0 else darken(s.text, 0.4)
    p.paint(box(1, 0.5, 6, 1.5), color)
    p.paint(down_arrow(3.5, 4.5, 2.6), color)


def paint_collapsed_group(p, s, frame):
    if frame in (1, 2, 3):
        top, bottom = [(lighten(s.body_top, 0.6), lighten(s.body_bottom, 0.3)), (rgb(0xFFE9A8), rgb(0xFFD86B)),
                       (s.band, s.body_top)][frame - 1]
    else:
        top, bottom = s.body_top, s.body_bottom
    p.paint(rrect(0, 0, p.w, p.h, 3), s.border)
    p.paint(rrect(1, 1, p.w - 1, p.h - 1, 2), p.vertical(lighten(top, 0.4), bottom))


def paint_collapsed_glyph_frame(p, s, frame):
    style = ["grey", "hot", "checked", "pressed"][frame]
    face(p, style, 3)


def paint_arrow(direction):
    def paint(p, s, frame):
        color = [s.text, mix(s.text, np.full(3, 0.6), 0.7), darken(s.text, 0.3)][frame] if frame < 3 else s.text
        if direction == "down":
            p.paint(down_arrow(p.w / 2, p.h / 2, p.w / 2 - 0.2), color)
        else:
            p.paint(right_arrow(p.w / 2, p.h / 2, p.h / 2 - 0.2), color)
    return paint


def paint_edit_button(p, s, frame):
    if frame == 0:
        scheme_face(p, s, 0, 1.5)
    elif frame == 1:
        face(p, "grey", 1.5)
    else:
        face(p, ["hot", "hot2", "pressed", "checked"][frame - 2], 1.5)


def paint_separator_strip(p, s, frame):
    column_line(p, p.w // 2, darken(s.border, 0.1 + 0.05 * (frame % 3)))
    if p.w > 2:
        column_line(p, p.w // 2 + 1, WHITE)


def paint_group_border(left):
    def paint(p, s, frame):
        p.paint(rrect(0 if left else -4, 0, p.w + (4 if left else 0), p.h, 2), s.border)
        p.paint(rrect(1 if left else -4, 1, p.w + (4 if left else -1), p.h - 1, 1), p.vertical(WHITE, s.body_top))
    return paint


def paint_splitter(p, s, frame):
    colors = [s.border, mix(s.border, WHITE, 0.5), rgb(0xDBCE99), rgb(0xC2894B), rgb(0xB0B0B0)]
    column_line(p, p.w - 1, colors[frame], fade=False)
    if p.w > 1:
        column_line(p, 0, WHITE, fade=False)


def paint_group_caption_glyph(p, s, frame):
    color = s.text if frame == 0 else darken(s.text, 0.4)
    p.paint(polyline([(2, 5), (2, 2), (5, 2)], 1), color)
    p.paint(polygon([(10.5, 10.5), (10.5, 5.5), (5.5, 10.5)]), color)
    p.paint(segment(4, 4, 8.5, 8.5, 1.1), color)


def paint_app_menu_frame(p, s, frame):
    p.paint(box(0, 0, 8, 8), darken(s.border, 0.3))
    p.paint(box(1, 1, 7, 7), p.vertical(s.body_top, s.body_bottom))


def paint_app_menu_band(p, s, frame):
    p.paint(box(0, 0, p.w, p.h), p.vertical(lighten(s.body_top, 0.3), s.body_bottom))
    p.paint(box(0, p.h - 1, p.w, p.h) if p.h < 20 else box(0, 0, p.w, 1), darken(s.border, 0.1))


def paint_expand_glyph(p, s, frame):
    for y in (4, 9):
        p.paint(polyline([(4, y), (8, y + 3.5), (12, y)], 1.6), s.text)


def paint_screen_tip(p, s, frame):
    p.paint(rrect(0, 0, p.w, p.h, 2), rgb(0x767676))
    p.paint(rrect(1, 1, p.w - 1, p.h - 1, 1), p.vertical(WHITE, rgb(0xE4E5F0)))


def paint_quick_access_button(p, s, frame):
    if frame > 0:
        face(p, ["hot", "pressed", "checked"][frame - 1], 2.5)


def paint_panel_separator(p, s, frame):
    column_line(p, 0, darken(s.border, 0.15), 2, p.h - 3, fade=False)
    if p.w > 1:
        column_line(p, 1, WHITE, 2, p.h - 3, fade=False)
    if p.w > 3:
        p.paint(box(2, 2, p.w, p.h - 3), p.vertical(s.body_top, s.body_bottom), 0.8)


def paint_caption_edge_part(p, s, frame):
    active = frame < 2
    p.paint(box(0, 2, p.w, p.h - 3), p.vertical(s.body_top if active else lighten(s.body_top, 0.4), s.body_bottom))
    p.paint(box(0 if frame % 2 == 0 else p.w - 1, 2, 1 if frame % 2 == 0 else p.w, p.h - 3), s.border)


def paint_scroll_strip(p, s, frame):
    if frame == 0:
        scheme_face(p, s, 0, 2.5)
    else:
        face(p, ["hot", "pressed", "grey"][frame - 1], 2.5)


def paint_narrow_frame(p, s, frame):
    p.paint(rrect(0, 0, p.w, p.h, 1.5), s.border)
    p.paint(box(1, 1, p.w - 2, p.h - 2), lighten(s.body_top, 0.5))


def paint_right_glyph(p, s, frame):
    p.paint(right_arrow(3.5, 3.5, 3), s.text)


def paint_wide_glyph(p, s, frame):
    p.paint(polygon([(1, 1), (17, 1), (9, 6)]), s.text)


def paint_small_frame(p, s, frame):
    p.paint(box(0, 0, p.w, p.h), s.border)
    p.paint(box(1, 1, p.w - 1, p.h - 1), WHITE)


# ------------------------------------------------------------------------------------------------
# The parts: first id, sheet, frame size, frame count, side by side, painter, fixed place (or None).
# Every part of a skin is here once; the frame counts are the largest frame a state maps to, plus 1.

PARTS = [
    # form sheet
    (10023, "form", 9, 9, 4, False, paint_caption_glyph("minimize"), (0, 0)),
    (10027, "form", 9, 9, 4, False, paint_caption_glyph("maximize"), (10, 0)),
    (10031, "form", 9, 9, 4, False, paint_caption_glyph("restore"), (20, 0)),
    (10035, "form", 9, 9, 4, False, paint_caption_glyph("close"), (30, 0)),
    (10039, "form", 9, 9, 4, False, paint_caption_glyph("help"), (40, 0)),
    (10067, "form", 42, 42, 3, False, paint_application_button, (0, 166)),
    (10020, "form", 25, 25, 3, False, paint_caption_button_background, (0, 37)),
    (10000, "form", 14, 31, 2, False, lambda p, s, f: paint_caption(p, s, f), (25, 37)),
    (10002, "form", 2, 31, 2, False, lambda p, s, f: paint_caption(p, s, f, rounded=False), (39, 37)),
    (10004, "form", 4, 31, 2, False, lambda p, s, f: paint_caption_edge(p, s, f, True), (41, 37)),
    (10006, "form", 4, 31, 2, False, lambda p, s, f: paint_caption_edge(p, s, f, False), (45, 37)),
    (10059, "form", 15, 26, 2, False, paint_quick_access("wide"), (0, 112)),
    (10061, "form", 7, 26, 2, False, paint_quick_access("narrow"), (15, 112)),
    (10063, "form", 18, 26, 2, False, paint_quick_access("end"), (25, 99)),
    (10054, "form", 2, 30, 1, False, paint_tab_row_caption, (43, 99)),
    (10008, "form", 4, 6, 2, False, lambda p, s, f: paint_border(p, s, f, True), (45, 99)),
    (10010, "form", 4, 6, 2, False, lambda p, s, f: paint_border(p, s, f, False), (45, 111)),
    (10012, "form", 2, 2, 2, False, lambda p, s, f: p.paint(box(0, 0, 2, 2), darken(s.caption, 0.35 - 0.2 * f)), (43, 129)),
    (10014, "form", 10, 4, 2, False, paint_bottom, (25, 151)),
    (10016, "form", 10, 4, 2, False, paint_bottom, (35, 151)),
    # common sheet
    (10317, "common", 42, 66, 5, False, faces_of("hot", "pressed", "checked", "checkedhot", "grey", radius=3), (0, 0)),
    (10290, "common", 22, 22, 5, False, faces_of("hot", "pressed", "checked", "checkedhot", "grey"), (99, 155)),
    (10299, "common", 29, 22, 7, False, faces_of("hot", "hot2", "pressed", "checked", "checkedhot", "pressed", "grey"),
     (84, 0)),
    (10308, "common", 12, 22, 7, False, faces_of("hot", "hot2", "pressed", "checked", "checkedhot", "pressed", "grey"),
     (84, 154)),
    (10326, "common", 42, 39, 5, False, faces_of("hot", "hot2", "pressed", "checked", "checkedhot", radius=3), (42, 0)),
    (10335, "common", 42, 27, 4, False, faces_of("hot", "hot2", "pressed", "checked", radius=3), (42, 195)),
    (10409, "common", 15, 14, 2, False, faces_of("hot", "pressed"), None),
    (10227, "common", 5, 5, 2, False, paint_detach, None),
    (10236, "common", 6, 6, 2, False, paint_check_frame, None),
    (10245, "common", 20, 20, 2, False, paint_check_mark, None),
    (10256, "common", 6, 12, 2, False, paint_menu_scroll, None),
    (10073, "common", 8, 8, 1, False, paint_menu_frame, None),
    (10074, "common", 3, 4, 1, False, paint_fill(0xFAFAFA), None),
    (10075, "common", 3, 4, 1, False, paint_fill(0xE9EEEE, 0xC5C5C5), None),
    (10077, "common", 2, 2, 1, False, paint_fill(0xC5C5C5), None),
    (10078, "common", 2, 2, 1, False, paint_fill(0xE2E4E7), None),
    (10052, "common", 16, 16, 1, False, paint_small_glyph, None),
    (10081, "common", 86, 8, 1, False, paint_progress, None),
    (10082, "common", 5, 8, 1, False, paint_progress, None),
    (10055, "common", 16, 26, 1, False, paint_glass("wide"), None),
    (10056, "common", 4, 26, 1, False, paint_glass("narrow"), None),
    (10057, "common", 18, 26, 1, False, paint_glass("end"), None),
    (10088, "common", 16, 16, 1, False, paint_help_glyph, None),
    # scheme sheet
    (10371, "scheme", 8, 68, 2, True, paint_group_body, (66, 350)),
    (10380, "scheme", 8, 17, 2, True, paint_group_caption, None),
    (10043, "scheme", 24, 23, 5, False, paint_frame_button, None),
    (10048, "scheme", 11, 92, 1, False, paint_groups_area, None),
    (10049, "scheme", 1, 22, 1, False, paint_tab_separator, None),
    (10425, "scheme", 9, 24, 3, False, paint_scroll, None),
    (10434, "scheme", 9, 24, 3, False, paint_scroll, None),
    (10443, "scheme", 8, 92, 3, False, paint_scroll, None),
    (10452, "scheme", 8, 92, 3, False, paint_scroll, None),
    (10389, "scheme", 7, 7, 2, False, paint_mark, None),
    (10398, "scheme", 7, 7, 2, False, paint_mark, None),
    (10263, "scheme", 7, 85, 4, False, paint_collapsed_group, None),
    (10272, "scheme", 10, 31, 4, False, paint_collapsed_glyph_frame, None),
    (10218, "scheme", 5, 4, 3, False, paint_arrow("down"), None),
    (10281, "scheme", 12, 20, 6, False, paint_edit_button, None),
    (10079, "scheme", 7, 4, 1, False, paint_arrow("down"), None),
    (10080, "scheme", 4, 7, 1, False, paint_arrow("right"), None),
    (10089, "scheme", 6, 22, 1, False, lambda p, s, f: scheme_face(p, s, 0, 2), None),
    (10344, "scheme", 3, 22, 9, False, paint_separator_strip, None),
    (10084, "scheme", 2, 22, 1, False, paint_group_border(True), None),
    (10085, "scheme", 2, 22, 1, False, paint_group_border(False), None),
    (10353, "scheme", 1, 22, 4, False, paint_splitter, None),
    (10362, "scheme", 2, 22, 5, False, paint_splitter, None),
    (10416, "scheme", 12, 12, 2, False, paint_group_caption_glyph, None),
    (10070, "scheme", 8, 8, 1, False, paint_app_menu_frame, None),
    (10071, "scheme", 2, 14, 1, False, paint_app_menu_band, None),
    (10072, "scheme", 2, 25, 1, False, paint_app_menu_band, None),
    (10076, "scheme", 16, 16, 1, False, paint_expand_glyph, None),
    (10254, "scheme", 4, 12, 1, False, lambda p, s, f: scheme_face(p, s, 0, 1), None),
    (10083, "scheme", 7, 7, 1, False, lambda p, s, f: scheme_face(p, s, 0, 2), None),
    (10086, "scheme", 5, 3, 1, False, lambda p, s, f: p.paint(down_arrow(2.5, 1.5, 2.5), s.text), None),
    (10087, "scheme", 6, 165, 1, False, paint_screen_tip, None),
    (10053, "scheme", 10, 26, 1, False, lambda p, s, f: scheme_face(p, s, 0, 3), None),
    (10058, "scheme", 6, 28, 1, False, lambda p, s, f: scheme_face(p, s, 0, 2), None),
    (10200, "scheme", 22, 22, 4, False, paint_quick_access_button, None),
    (10209, "scheme", 22, 22, 4, False, paint_quick_access_button, None),
    (10090, "scheme", 2, 22, 1, False, paint_panel_separator, None),
    (10093, "scheme", 2, 22, 1, False, paint_panel_separator, None),
    (10094, "scheme", 3, 22, 1, False, paint_panel_separator, None),
    (10095, "scheme", 5, 22, 1, False, paint_panel_separator, None),
    (10096, "scheme", 2, 22, 1, False, paint_panel_separator, None),
    (10100, "scheme", 4, 22, 4, False, paint_caption_edge_part, None),
    (10104, "scheme", 4, 22, 4, False, paint_caption_edge_part, None),
    (10108, "scheme", 4, 22, 4, False, paint_caption_edge_part, None),
    (10112, "scheme", 4, 22, 4, False, paint_caption_edge_part, None),
    (10461, "scheme", 15, 20, 4, False, paint_scroll_strip, None),
    (10470, "scheme", 15, 20, 4, False, paint_scroll_strip, None),
    (10479, "scheme", 15, 20, 4, False, paint_scroll_strip, None),
    (10120, "scheme", 4, 11, 1, False, paint_narrow_frame, None),
    (10121, "scheme", 4, 11, 1, False, paint_narrow_frame, None),
    (10122, "scheme", 7, 7, 1, False, paint_right_glyph, None),
    (10123, "scheme", 7, 7, 1, False, paint_right_glyph, None),
    (10124, "scheme", 18, 7, 1, False, paint_wide_glyph, None),
    (10125, "scheme", 4, 13, 1, False, paint_small_frame, None),
    (10126, "scheme", 4, 4, 1, False, paint_small_frame, None),
]


# ------------------------------------------------------------------------------------------------
# Packing and writing


def extent(part):
    _, _, w, h, frames, side, _, _ = part
    return (w * frames, h) if side else (w, h * frames)


def place_parts():
    """Every part's place: the fixed ones first, then the others, tallest first, at the first free spot."""
    places, used = {}, {name: np.zeros((h, w), bool) for name, (w, h) in SHEET_SIZES.items()}

    def take(sheet, x, y, w, h):
        grid = used[sheet]
        if x + w > grid.shape[1] or y + h > grid.shape[0] or grid[y:y + h, x:x + w].any():
            return False
        grid[y:y + h, x:x + w] = True
        return True

    for part in PARTS:
        if part[7] is not None:
            w, h = extent(part)
            assert take(part[1], *part[7], w, h), "fixed place taken: %d" % part[0]
            places[part[0]] = part[7]
    for part in sorted((p for p in PARTS if p[7] is None), key=lambda p: -extent(p)[1]):
        w, h = extent(part)
        grid = used[part[1]]
        spot = next(((x, y) for y in range(grid.shape[0] - h + 1) for x in range(grid.shape[1] - w + 1)
                     if take(part[1], x, y, w, h)), None)
        assert spot, "no room for part %d" % part[0]
        places[part[0]] = spot
    return places


def paint_sheet(sheet, scheme, places):
    w, h = SHEET_SIZES[sheet]
    pixels = np.zeros((h, w, 4), np.uint8)
    for part in PARTS:
        first, kind, fw, fh, frames, side, painter, _ = part
        if kind != sheet:
            continue
        x, y = places[first]
        for frame in range(frames):
            picture = Picture(fw, fh)
            painter(picture, scheme, frame)
            fx, fy = (x + frame * fw, y) if side else (x, y + frame * fh)
            pixels[fy:fy + fh, fx:fx + fw] = picture.straight()
    return pixels


def write_header(places, path):
    names = {"form": "rsfForm", "common": "rsfCommon", "scheme": "rsfScheme"}
    lines = ["// Generated by tools/make_ribbon_skins.py: where the first frame of each ribbon skin part lies in its",
             "// picture sheet, with the frame size and the number of frames painted (one under the other, or side",
             "// by side where the skin's part table says so). Run the script again instead of editing this file.",
             "#pragma once", "", "enum TdxRibbonSheetKind { rsfForm, rsfCommon, rsfScheme };", "",
             "struct TdxRibbonSheetFrame {", "  int FirstId;", "  TdxRibbonSheetKind Sheet;",
             "  int Left, Top, Width, Height, FrameCount;", "};", "",
             "inline constexpr TdxRibbonSheetFrame dxRibbonSheetFrames[] = {"]
    for first, kind, w, h, frames, _, _, _ in sorted(PARTS, key=lambda p: p[0]):
        x, y = places[first]
        lines.append("    {%d, %s, %d, %d, %d, %d, %d}," % (first, names[kind], x, y, w, h, frames))
    lines += ["};", ""]
    with open(path, "w") as f:
        f.write("\n".join(lines))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "resources")
    os.makedirs(os.path.join(out, "ribbon"), exist_ok=True)
    places = place_parts()
    with open(os.path.join(out, "ribbon", "ribboncommon.png"), "wb") as f:
        f.write(encode_png(paint_sheet("common", SCHEMES[0], places)))
    for scheme in SCHEMES:
        for sheet, prefix in (("scheme", "ribbon"), ("form", "form")):
            with open(os.path.join(out, "ribbon", "%s%s.png" % (prefix, scheme.name.lower())), "wb") as f:
                f.write(encode_png(paint_sheet(sheet, scheme, places)))
    write_header(places, os.path.join(HERE, "..", "toolkit", "ribbon", "dxRibbonSkinsSheets.h"))


if __name__ == "__main__":
    main()
