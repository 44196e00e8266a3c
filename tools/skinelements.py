"""The elements of a skin, painted from its palette: every group and element the program binds.

`groups(palette)` answers the 13 groups as (name, elements, properties); tools/make_skins.py writes
them into the skin stream.
"""
import numpy as np

from skinpaint import (Picture, box, circle, contrast_ratio, darken, grey, intersect, lighten, luminance, mix, polygon,
                       polyline, relative_luminance, ring, rrect, segment, sheet, subtract, tcolor, union)

CL_NONE = 0x1FFFFFFF
CL_DEFAULT = 0x20000000

# States, as the stream numbers them.
N, HOT, PRESSED, DISABLED, ACTIVE, FOCUSED, DROPPED, CHECKED, HOTCHECK, ACTIVEDISABLED, CHECKPRESSED = range(11)
BUTTON = (N, HOT, PRESSED, DISABLED)
STRETCH, TILE, NORESIZE = 0, 1, 2


# The design families: what a skin's shapes look like, whatever its colours. flat: square, one
# colour to a face, hairline borders, line chevrons, a thin scroll thumb, solid captions; bevel:
# square with raised and sunken edges, triangle glyphs, sunken check boxes, captions shaded across;
# glass: small radius, glossy halves, triangle glyphs, gloss captions; round: large radius, pill
# buttons and scroll thumbs, round check boxes, thick chevrons, rounded captions.
FAMILIES = {
    "flat": {"radius": 0, "gloss": 0.0, "glyphs": "chevron"},
    "bevel": {"radius": 0, "gloss": 0.3, "glyphs": "triangle"},
    "glass": {"radius": 3, "gloss": 1.0, "glyphs": "triangle"},
    "round": {"radius": 7, "gloss": 0.5, "glyphs": "round-chevron"},
}

# Text on its background: 4.5:1 for what is read, 3:1 for an inactive caption, 2:1 for disabled
# text; the skins aim a little higher so that stretching and anti-aliasing keep them above.
READ, INACTIVE, FADED = 4.8, 3.3, 2.3


def readable(fg, backgrounds, ratio):
    """fg moved towards black or white until it reaches the ratio against every background."""
    bgs = np.asarray(backgrounds, dtype=float).reshape(-1, 3)
    lums = relative_luminance(bgs)
    target = np.zeros(3) if (np.max(lums) + 0.05) / 0.05 >= 1.05 / (np.min(lums) + 0.05) else np.ones(3)
    for t in np.linspace(0, 1, 51):
        c = mix(fg, target, t)
        if contrast_ratio(c, bgs).min() >= ratio:
            return c
    return target


def fit_fill(fill, text, ratio):
    """A fill moved away from the text's lightness until the text reads on it."""
    away = np.zeros(3) if relative_luminance(text) > 0.3 else np.ones(3)
    for t in np.linspace(0, 1, 51):
        c = mix(fill, away, t)
        if contrast_ratio(c, text) >= ratio:
            return c
    return away


class Palette:
    """Every colour the elements are painted with, derived from the skin's four and its family."""

    def __init__(self, s):
        self.skin = s
        self.dark = s.dark
        self.family = s.family
        self.window, self.accent = s.window, s.accent
        black, white = np.zeros(3), np.ones(3)
        if s.dark:
            self.text = mix(white, s.accent, 0.08) * 0.94
            self.border = lighten(s.face, 0.16) if s.family == "flat" else darken(s.face, 0.45)
            self.light_edge = lighten(s.face, 0.14)
            self.bar = lighten(s.window, 0.05)
        else:
            self.text = mix(black, s.accent, 0.18) * 0.55 + 0.06
            self.border = mix(s.face, self.text, 0.38)
            self.light_edge = lighten(s.face, 0.7)
            self.bar = mix(s.window, s.face, 0.6)
        self.face = fit_fill(s.face, self.text, READ + 0.6)
        self.content = mix(s.window, self.face, 0.45)  # the form's client area
        self.disabled_text = readable(mix(self.text, s.window, 0.55), [s.window, self.face, self.content], FADED)
        selection = s.accent if not s.dark else mix(s.window, s.accent, 0.55)
        self.selection_text = np.full(3, 0.98)
        self.selection = fit_fill(selection, self.selection_text, READ)
        self.caption, self.caption_text = tune_caption(self, s.caption, True)
        self.caption_inactive = mix(self.caption, grey(s.window, 0.6), 0.55)
        self.caption_inactive, self.caption_text_inactive = tune_caption(self, self.caption_inactive, False)

    def gloss(self):
        return FAMILIES[self.family]["gloss"]

    def face_colors(self, state, tone="face"):
        """(top, bottom, border) of a control face in a state; tone "accent" for selected looks."""
        a, f = self.accent, self.face
        g = self.gloss()
        if tone == "accent":
            f = mix(self.face, a, 0.35 if not self.dark else 0.45)
        elif tone == "bar":
            f = self.bar
        border = self.border
        if state == HOT:
            f = mix(f, a, 0.22 if not self.dark else 0.3)
            border = mix(self.border, a, 0.6 if self.family != "flat" else 1.0)
        elif state in (PRESSED, CHECKED, CHECKPRESSED):
            f = darken(mix(f, a, 0.42), 0.06) if not self.dark else mix(f, a, 0.5)
            border = darken(a, 0.25) if not self.dark else darken(a, 0.35)
            if self.family == "flat":
                border = a
        elif state == DISABLED:
            f = grey(mix(f, self.window, 0.5), 0.6)
            border = mix(self.border, self.window, 0.5)
        if self.dark:
            top, bottom = lighten(f, 0.04 + 0.08 * g), darken(f, 0.08 * g)
        else:
            top, bottom = lighten(f, 0.2 + 0.45 * g), darken(f, 0.03 + 0.06 * g)
        if self.family == "flat":
            top = bottom = f
        if state == PRESSED:
            top, bottom = bottom, top
        if state != DISABLED:  # the text drawn on a face reads in every state, under the gloss too
            ratio = READ + 0.5 + (1.2 * g if self.dark else 0.0)
            top, bottom = fit_fill(top, self.text, ratio), fit_fill(bottom, self.text, ratio)
        return top, bottom, border

    def glyph_color(self, state, on=None):
        if state == DISABLED:
            return self.disabled_text
        if on is not None:
            return contrast(on)
        return self.text


def contrast(c):
    return np.array([0.1, 0.1, 0.12]) if luminance(c) > 0.55 else np.array([0.98, 0.98, 0.98])


def tune_caption(p, c, active):
    """A caption colour and its text colour such that the text reads on every pixel the caption
    picture paints behind it: the caption darkens (or lightens) until it does."""
    ratio = READ if active else INACTIVE
    for _ in range(40):
        text = contrast(c) if active else mix(contrast(c), c, 0.3)
        band = text_band(caption_pic(p, 60, 30, c, active))
        if contrast_ratio(text, band).min() >= ratio:
            return c, text
        if active or luminance(text) > 0.5:
            c = darken(c, 0.06) if luminance(text) > 0.5 else lighten(c, 0.06)
        else:
            text = readable(text, band, ratio)
            return c, text
    return c, readable(text, text_band(caption_pic(p, 60, 30, c, active)), ratio)


def text_band(pic, background=None):
    """The colours behind a line of centred text: the middle half of the height over the middle
    four fifths of the width, composed over the window's colour where the picture is clear."""
    h, w = pic.h, pic.w
    px = pic.px[h // 4: h - h // 4, w // 10: w - w // 10]
    under = np.ones(3) if background is None else background
    return (px[..., :3] + under * (1 - px[..., 3:4])).reshape(-1, 3)


# ------------------------------------------------------------------------------------------------
# The stream's records

class Img:
    def __init__(self, pixels=None, states=(N,), margins=(0, 0, 0, 0), stretch=STRETCH, vertical=False,
                 gradient=None):
        self.pixels, self.states, self.margins, self.stretch, self.vertical = pixels, states, margins, stretch, vertical
        self.gradient = gradient  # (begin TColor, end TColor, mode) or None


class Element:
    def __init__(self, name, image=None, glyph=None, color=CL_DEFAULT, alpha=255, image_count=1,
                 content=(0, 0, 0, 0), borders=None, text=CL_DEFAULT, min_size=(0, 0), props=()):
        self.name, self.image, self.glyph, self.color, self.alpha = name, image, glyph, color, alpha
        self.image_count, self.content, self.text, self.min_size, self.props = image_count, content, text, min_size, props
        self.borders = borders or [(CL_NONE, 1)] * 4


def color_prop(name, c):
    return ("TdxSkinColor", name, c if isinstance(c, int) else tcolor(c))


def int_prop(name, v):
    return ("TdxSkinIntegerProperty", name, v)


def bool_prop(name, v):
    return ("TdxSkinBooleanProperty", name, v)


# ------------------------------------------------------------------------------------------------
# Pictures


def open_bounds(w, h, radius, open_side):
    """The shape's bounds, pushed beyond the open side so that it shows neither border nor corners."""
    grow = radius + 2
    return (-grow if open_side == "left" else 0, -grow if open_side == "top" else 0,
            w + grow if open_side == "right" else w, h + grow if open_side == "bottom" else h)


def face(p, w, h, state, tone="face", radius=None, open_side=None):
    """A control face: border, a fill running top to bottom, and the style's gloss and inner edge.
    open_side ("bottom", "top", "left", "right") leaves that side without border or rounding."""
    r = p.skin.radius if radius is None else radius
    top, bottom, border = p.face_colors(state, tone)
    x0, y0, x1, y1 = open_bounds(w, h, r, open_side)
    pic = Picture(w, h)
    outer = rrect(x0, y0, x1, y1, r)
    inner = rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(r - 1, 0))
    pic.paint(outer, border)
    pic.paint(inner, pic.vertical(top, bottom))
    g = p.gloss()
    if p.family == "bevel":
        bevel_edges(p, pic, (x0, y0, x1, y1), state in (PRESSED, CHECKED, CHECKPRESSED))
    elif state != DISABLED:
        if g > 0.9:
            pic.paint(intersect(inner, box(-9, -9, w + 9, h * 0.46)), np.ones(3), alpha=0.3 if not p.dark else 0.1)
        if g > 0:
            edge = subtract(inner, rrect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, max(r - 2, 0)))
            pic.paint(intersect(edge, box(-9, -9, w + 9, h * 0.6)), p.light_edge, alpha=0.55 if not p.dark else 0.35)
    return pic


def bevel_edges(p, pic, bounds, sunken):
    """The raised (or sunken) look: a light line along the top and left inside the border, a
    shadow along the bottom and right."""
    x0, y0, x1, y1 = bounds
    light = lighten(p.face, 0.6) if not p.dark else lighten(p.face, 0.2)
    shadow = darken(p.face, 0.22) if not p.dark else darken(p.face, 0.4)
    if sunken:
        light, shadow = shadow, light
    pic.paint(box(x0 + 1, y0 + 1, x1 - 1, y0 + 2), light)
    pic.paint(box(x0 + 1, y0 + 1, x0 + 2, y1 - 1), light)
    pic.paint(box(x0 + 1, y1 - 2, x1 - 1, y1 - 1), shadow)
    pic.paint(box(x1 - 2, y0 + 1, x1 - 1, y1 - 1), shadow)


def panel(w, h, top, bottom, border=None, radius=0, open_side=None, border_alpha=1.0):
    pic = Picture(w, h)
    x0, y0, x1, y1 = open_bounds(w, h, radius, open_side)
    outer = rrect(x0, y0, x1, y1, radius)
    if border is None:
        pic.paint(outer, pic.vertical(top, bottom))
    else:
        pic.paint(outer, border, alpha=border_alpha)
        pic.paint(rrect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, max(radius - 1, 0)), pic.vertical(top, bottom))
    return pic


def line_pic(w, h, color, vertical, light=None):
    """A separator: a line across the picture's middle, with a lighter line beside it."""
    pic = Picture(w, h)
    if vertical:
        x = w // 2 - (1 if light is not None else 0)
        pic.paint(box(x, 0, x + 1, h), color)
        if light is not None:
            pic.paint(box(x + 1, 0, x + 2, h), light)
    else:
        y = h // 2 - (1 if light is not None else 0)
        pic.paint(box(0, y, w, y + 1), color)
        if light is not None:
            pic.paint(box(0, y + 1, w, y + 2), light)
    return pic


# Glyph shapes in a w x h box, as signed distance functions.

GLYPHS = {"style": "triangle"}  # the glyph style of the skin being painted (groups() sets it)


def arrow(w, h, direction, size=None):
    """A direction glyph in the style of the skin's family: a triangle or a chevron."""
    style = GLYPHS["style"]
    if style != "triangle":
        return chevron(w, h, direction, (size or min(w, h) * 0.28) * 1.05, 1.3 if style == "chevron" else 2.1)
    s = size or min(w, h) * 0.28
    cx, cy = w / 2, h / 2
    pts = {"down": [(cx - s, cy - s / 2), (cx + s, cy - s / 2), (cx, cy + s / 2 + 0.5)],
           "up": [(cx - s, cy + s / 2), (cx + s, cy + s / 2), (cx, cy - s / 2 - 0.5)],
           "right": [(cx - s / 2, cy - s), (cx - s / 2, cy + s), (cx + s / 2 + 0.5, cy)],
           "left": [(cx + s / 2, cy - s), (cx + s / 2, cy + s), (cx - s / 2 - 0.5, cy)]}[direction]
    return polygon(pts)


def chevron(w, h, direction, size=None, width=1.5):
    s = size or min(w, h) * 0.22
    cx, cy = w / 2, h / 2
    pts = {"down": [(cx - s, cy - s / 2), (cx, cy + s / 2), (cx + s, cy - s / 2)],
           "up": [(cx - s, cy + s / 2), (cx, cy - s / 2), (cx + s, cy + s / 2)],
           "right": [(cx - s / 2, cy - s), (cx + s / 2, cy), (cx - s / 2, cy + s)],
           "left": [(cx + s / 2, cy - s), (cx - s / 2, cy), (cx + s / 2, cy + s)]}[direction]
    return polyline(pts, width)


def double_chevron(w, h, direction):
    d = 2.2
    offsets = {"down": (0, d), "up": (0, -d), "right": (d, 0), "left": (-d, 0)}[direction]
    a = chevron(w, h, direction, width=1.4)
    return union(lambda x, y: a(x + offsets[0], y + offsets[1]), lambda x, y: a(x - offsets[0], y - offsets[1]))


def check_mark(w, h):
    return polyline([(w * 0.22, h * 0.52), (w * 0.42, h * 0.72), (w * 0.78, h * 0.3)], max(1.6, w * 0.13))


def cross(w, h, size=None, width=1.6):
    s = size or min(w, h) * 0.28
    cx, cy = w / 2, h / 2
    return union(segment(cx - s, cy - s, cx + s, cy + s, width), segment(cx - s, cy + s, cx + s, cy - s, width))


def plus(w, h, size=None, width=1.4):
    s = size or min(w, h) * 0.3
    cx, cy = w / 2, h / 2
    return union(box(cx - s, cy - width / 2, cx + s, cy + width / 2), box(cx - width / 2, cy - s, cx + width / 2, cy + s))


def minus(w, h, size=None, width=1.4):
    s = size or min(w, h) * 0.3
    cx, cy = w / 2, h / 2
    return box(cx - s, cy - width / 2, cx + s, cy + width / 2)


def outline(x0, y0, x1, y1, width=1.0, top=1.0):
    return subtract(box(x0, y0, x1, y1), box(x0 + width, y0 + top, x1 - width, y1 - width))


def caption_glyph(kind, w, h):
    s = min(w, h)
    x0, y0 = (w - s) / 2, (h - s) / 2
    if kind == "close":
        return cross(w, h, s * 0.3, max(1.5, s * 0.14))
    if kind == "minimize":
        return box(x0 + s * 0.22, y0 + s * 0.64, x0 + s * 0.78, y0 + s * 0.64 + max(2, s * 0.13))
    if kind == "maximize":
        return outline(x0 + s * 0.22, y0 + s * 0.22, x0 + s * 0.78, y0 + s * 0.78, 1.2, 2.2)
    if kind == "restore":
        back = outline(x0 + s * 0.36, y0 + s * 0.16, x0 + s * 0.84, y0 + s * 0.64, 1.1, 2)
        front = box(x0 + s * 0.16, y0 + s * 0.36, x0 + s * 0.64, y0 + s * 0.84)
        return union(subtract(back, front), outline(x0 + s * 0.16, y0 + s * 0.36, x0 + s * 0.64, y0 + s * 0.84, 1.1, 2))
    # help: a question mark, an arc over a short stem and a dot
    cx, cy, r = w / 2, y0 + s * 0.34, s * 0.17
    arc = [(cx + r * np.cos(t), cy - r * np.sin(t)) for t in np.radians(np.linspace(160, -60, 9))]
    return union(polyline(arc + [(cx, cy + r * 1.35), (cx, y0 + s * 0.62)], 1.6), circle(cx, y0 + s * 0.8, 1.1))


def glyph(w, h, shape, color, alpha=1.0):
    pic = Picture(w, h)
    pic.paint(shape, color, alpha)
    return pic


def dots(w, h, color, light, positions):
    pic = Picture(w, h)
    for (x, y) in positions:
        pic.paint(box(x + 1, y + 1, x + 3, y + 3), light)
        pic.paint(box(x, y, x + 2, y + 2), color)
    return pic


# ------------------------------------------------------------------------------------------------
# Elements


def states_sheet(painter, states, image_count=1, vertical=False):
    """The sheet of painter(image, state) for every image and, within it, every state."""
    return sheet([painter(i, s) for i in range(image_count) for s in states], vertical)


def tc(c):
    return c if isinstance(c, int) else tcolor(c)


def button(p, name, w=20, h=22, states=BUTTON, tone="face", radius=None, open_side=None, margins=None,
           content=(4, 3, 4, 3), text=None, glyph_shape=None, glyph_size=None, props=(), color=CL_DEFAULT,
           image_count=1, min_size=(0, 0)):
    r = p.skin.radius if radius is None else radius
    m = margins or (min(r + 2, (w - 1) // 2, (h - 1) // 2),) * 2 * 2
    image = Img(states_sheet(lambda i, s: face(p, w, h, s, tone, r, open_side), states, image_count), states, m)
    glyph_img = None
    if glyph_shape is not None:
        gw, gh = glyph_size or (w, h)
        glyph_img = Img(states_sheet(lambda i, s: glyph(gw, gh, glyph_shape(i, gw, gh), p.glyph_color(s)),
                                     states, image_count), states, stretch=NORESIZE)
    return Element(name, image, glyph_img, color=color, image_count=image_count, content=content,
                   text=tc(text if text is not None else p.text), props=props, min_size=min_size)


def glyph_element(p, name, shape, w=9, h=9, states=BUTTON, image_count=1, color_of=None):
    """An element that is only a glyph (drawn centred, unscaled)."""
    color_of = color_of or p.glyph_color
    pixels = states_sheet(lambda i, s: glyph(w, h, shape(i, w, h), color_of(s)), states, image_count)
    return Element(name, glyph=Img(pixels, states, stretch=NORESIZE), image_count=image_count, text=tc(p.text))


def panel_element(name, pic, margins, content=(0, 0, 0, 0), text=CL_DEFAULT, color=CL_DEFAULT, props=(),
                  stretch=STRETCH, states=(N,)):
    # margins never reach past the picture's middle, whatever the family's radius
    mx, my = (pic.w - 1) // 2, (pic.h - 1) // 2
    margins = (min(margins[0], mx), min(margins[1], my), min(margins[2], mx), min(margins[3], my))
    return Element(name, Img(sheet([pic]), states, margins, stretch), color=color, content=content, text=tc(text),
                   props=props)


def fill_element(name, color, border=None, thin=1, text=CL_DEFAULT, props=(), alpha=255):
    borders = [(tc(border), thin)] * 4 if border is not None else None
    return Element(name, color=tc(color), borders=borders, text=tc(text), props=props, alpha=alpha)


def line_element(p, name, vertical, length=12, color=None, light=None):
    w, h = (4, length) if vertical else (length, 4)
    pic = line_pic(w, h, p.border if color is None else color, vertical, light)
    m = (0, 2, 0, 2) if vertical else (2, 0, 2, 0)
    return panel_element(name, pic, m)


def bar_panel(p, name, w, h, vertical=False, radius=None, border=True, content=(2, 2, 2, 2), props=()):
    r = p.skin.radius if radius is None else radius
    top, bottom = (lighten(p.bar, 0.35), p.bar) if not p.dark else (lighten(p.bar, 0.05), p.bar)
    pic = Picture(w, h)
    fill = pic.horizontal(top, bottom) if vertical else pic.vertical(top, bottom)
    if border:
        pic.paint(rrect(0, 0, w, h, r), mix(p.bar, p.border, 0.6))
        pic.paint(rrect(1, 1, w - 1, h - 1, max(r - 1, 0)), fill)
    else:
        pic.paint(box(0, 0, w, h), fill)
    return panel_element(name, pic, (r + 2,) * 4, content, p.text, props=props)


def grip(p, name, vertical):
    light = p.light_edge if not p.dark else lighten(p.face, 0.25)
    color = mix(p.border, p.text, 0.3)
    if vertical:
        pic = dots(5, 14, color, light, [(1, y) for y in range(1, 13, 3)])
    else:
        pic = dots(14, 5, color, light, [(x, 1) for x in range(1, 13, 3)])
    return Element(name, Img(sheet([pic]), (N,), (0, 0, 0, 0), NORESIZE))


def box_frame(p, pic, shape, inner, state, checked, radius_pic=None):
    """The box of a check box or radio button in the family's manner; answers the mark's colour."""
    top, bottom, border = p.face_colors(state)
    on = checked and state != DISABLED
    if p.family == "bevel":
        # sunken: shadow above and left, light below and right, the window's colour inside
        shadow = darken(p.face, 0.35) if not p.dark else darken(p.face, 0.5)
        light = lighten(p.face, 0.6) if not p.dark else lighten(p.face, 0.2)
        pic.paint(shape, pic.vertical(shadow, light))
        pic.paint(inner, p.window if state != DISABLED else mix(p.window, p.face, 0.6))
        return p.text if state != DISABLED else p.disabled_text
    if on and p.family in ("flat", "round"):
        pic.paint(shape, darken(p.accent, 0.15))
        pic.paint(inner, p.accent)
        return contrast(p.accent)
    if p.family == "flat":
        pic.paint(shape, mix(border, p.text, 0.35))
        pic.paint(inner, p.window if state != DISABLED else mix(p.window, p.face, 0.6))
        return p.glyph_color(state)
    if on:
        top, bottom, border = lighten(p.accent, 0.2), p.accent, darken(p.accent, 0.3)
    pic.paint(shape, border)
    pic.paint(inner, pic.vertical(lighten(top, 0.3), bottom))
    if p.family == "glass" and state != DISABLED:
        pic.paint(intersect(inner, box(0, 0, 14, 7)), np.ones(3), 0.3 if not p.dark else 0.1)
    return p.glyph_color(state, p.accent if on else None)


def checkbox(p):
    r = {"flat": 0, "bevel": 0, "glass": 3, "round": 6.5}[p.family]

    def paint(image, state):
        pic = Picture(14, 14)
        mark = box_frame(p, pic, rrect(0.5, 0.5, 13.5, 13.5, r), rrect(1.5, 1.5, 12.5, 12.5, max(r - 1, 0)), state,
                         image == 1)
        if image == 1:
            pic.paint(check_mark(14, 14), mark)
        elif image == 2:
            pic.paint(rrect(4, 4, 10, 10, min(r, 3)), mix(p.accent, p.window, 0.3) if state != DISABLED else mark)
        return pic
    return Element("Checkbox", Img(states_sheet(paint, BUTTON, 3), BUTTON, stretch=NORESIZE), image_count=3)


def radio(p):
    def paint(image, state):
        pic = Picture(14, 14)
        mark = box_frame(p, pic, circle(7, 7, 6.5), circle(7, 7, 5.5), state, image == 1)
        if image == 1:
            dot = p.accent if p.family in ("bevel", "glass") and state != DISABLED else mark
            pic.paint(circle(7, 7, 3 if p.family != "round" else 2.4), dot)
            if p.family == "glass":
                pic.paint(circle(6.2, 6.2, 1.1), np.ones(3), 0.5)
        return pic
    return Element("RadioButton", Img(states_sheet(paint, BUTTON, 2), BUTTON, stretch=NORESIZE), image_count=2)


def frame_pic(p, w, h, active, side):
    """A window frame side: the caption's colour carried down, with the outer edge darker."""
    c = p.caption if active else p.caption_inactive
    pic = Picture(w, h)
    pic.paint(box(0, 0, w, h), c)
    edge = darken(c, 0.35) if not p.dark else darken(c, 0.5)
    if side == "left":
        pic.paint(box(0, 0, 1, h), edge)
    elif side == "right":
        pic.paint(box(w - 1, 0, w, h), edge)
    else:
        pic.paint(box(0, h - 1, w, h), edge)
    return pic


def caption_pic(p, w, h, c, active=True):
    """A caption of colour c, drawn in the family's manner: solid (flat), shaded from left to right
    (bevel), with a glossy upper half (glass), or softly shaded under large rounded corners (round)."""
    family = p.family
    r = {"flat": 0, "bevel": 0, "glass": p.skin.radius + 2, "round": p.skin.radius + 3}[family]
    edge = darken(c, 0.35) if not p.dark else darken(c, 0.5)
    pic = Picture(w, h)
    pic.paint(rrect(0, 0, w, h + r + 2, r), edge)
    inner = rrect(1, 1, w - 1, h + r + 2, max(r - 1, 0))
    if family == "flat":
        pic.paint(inner, c)
    elif family == "bevel":
        far = lighten(c, 0.28) if luminance(c) < 0.5 else darken(c, 0.12)
        pic.paint(inner, pic.horizontal(c, far if active else mix(c, far, 0.5)))
        pic.paint(box(1, 1, w - 1, 2), lighten(c, 0.35), 0.8)
    elif family == "glass":
        top, bottom = (lighten(c, 0.13), c) if p.dark else (lighten(c, 0.16), darken(c, 0.06))
        pic.paint(inner, pic.vertical(top, bottom))
        pic.paint(intersect(inner, box(0, 0, w, h * 0.5)), np.ones(3), 0.12 if not p.dark else 0.07)
        pic.paint(intersect(subtract(inner, rrect(2, 2, w - 2, h + r + 2, max(r - 2, 0))), box(0, 0, w, h)),
                  lighten(c, 0.5), 0.45)
    else:
        top, bottom = (lighten(c, 0.1), c) if p.dark else (lighten(c, 0.2), darken(c, 0.02))
        pic.paint(inner, pic.vertical(top, bottom))
    return pic


def caption_button(p, name, kind, size=18):
    states = (N, HOT, PRESSED, DISABLED, ACTIVEDISABLED)
    close = kind == "close"

    def back(i, s):
        pic = Picture(size, size)
        if s in (HOT, PRESSED):
            c = (np.array([0.85, 0.2, 0.17]) if close else lighten(p.caption, 0.3)) if s == HOT else \
                (np.array([0.62, 0.1, 0.08]) if close else darken(p.caption, 0.25))
            r = min(p.skin.radius + 1, 4)
            pic.paint(rrect(0, 0, size, size, r), darken(c, 0.2))
            pic.paint(rrect(1, 1, size - 1, size - 1, max(r - 1, 0)), pic.vertical(lighten(c, 0.15), c))
        return pic

    def fore(i, s):
        if s == ACTIVEDISABLED:
            color = p.caption_text_inactive
        elif s == DISABLED:
            color = mix(p.caption_text, p.caption, 0.6)
        elif s in (HOT, PRESSED) and close:
            color = np.ones(3)
        else:
            color = p.caption_text
        return glyph(size, size, caption_glyph(kind, size, size), color)
    return Element(name, Img(states_sheet(back, states), states, (3, 3, 3, 3)),
                   Img(states_sheet(fore, states), states, stretch=NORESIZE))


def scroll_button(p):
    directions = ("up", "down", "left", "right")
    back = states_sheet(lambda i, s: face(p, 16, 16, s, radius=min(p.skin.radius, 2)), BUTTON, 4)
    fore = states_sheet(lambda i, s: glyph(16, 16, arrow(16, 16, directions[i], 3.2), p.glyph_color(s)), BUTTON, 4)
    return Element("ScrollButton", Img(back, BUTTON, (3, 3, 3, 3)), Img(fore, BUTTON, stretch=NORESIZE),
                   image_count=4)


def scroll_thumb(p, name, vertical):
    """flat: a thin bar in the track's middle; round: a pill; bevel and glass: a full-width face
    with grip ridges."""
    w, h = (16, 24) if vertical else (24, 16)
    if p.family in ("flat", "round"):
        def paint(i, s):
            pic = Picture(w, h)
            c = {HOT: mix(p.border, p.accent, 0.5), PRESSED: p.accent}.get(s, mix(p.border, p.text, 0.25))
            if s == DISABLED:
                c = mix(c, p.window, 0.6)
            if p.family == "flat":
                pic.paint(box(5, 2, 11, h - 2) if vertical else box(2, 5, w - 2, 11), c)
            else:
                top, bottom, border = p.face_colors(s)
                shape = rrect(2, 1, 14, h - 1, 6) if vertical else rrect(1, 2, w - 1, 14, 6)
                pic.paint(shape, border)
                pic.paint(lambda x, y: shape(x, y) + 1.0, pic.horizontal(top, bottom) if vertical else
                          pic.vertical(top, bottom))
            return pic
        m = (4, 7, 4, 7) if vertical else (7, 4, 7, 4)
        return Element(name, Img(states_sheet(paint, BUTTON), BUTTON, m))
    r = min(p.skin.radius + 1, 4) if p.family == "glass" else 0
    image = states_sheet(lambda i, s: face(p, w, h, s, radius=r), BUTTON)
    light = p.light_edge if not p.dark else lighten(p.face, 0.3)
    ridge = [(5, y) for y in (8, 11, 14)] if vertical else [(x, 5) for x in (8, 11, 14)]
    ridges = Picture(w, h)
    for (x, y) in ridge:
        if vertical:
            ridges.paint(box(x, y, x + 6, y + 1), mix(p.border, p.text, 0.2))
            ridges.paint(box(x, y + 1, x + 6, y + 2), light)
        else:
            ridges.paint(box(x, y, x + 1, y + 6), mix(p.border, p.text, 0.2))
            ridges.paint(box(x + 1, y, x + 2, y + 6), light)
    return Element(name, Img(image, BUTTON, (r + 2,) * 4), Img(sheet([ridges]), (N,), stretch=NORESIZE))


def scroll_track(p, name, vertical):
    w, h = (16, 8) if vertical else (8, 16)

    def paint(i, s):
        c = mix(p.window, p.face, 0.6) if s != PRESSED else mix(p.face, p.border, 0.4)
        pic = Picture(w, h)
        pic.paint(box(0, 0, w, h), pic.horizontal(darken(c, 0.04), c) if vertical else pic.vertical(darken(c, 0.04), c))
        return pic
    return Element(name, Img(states_sheet(paint, BUTTON), BUTTON, (1, 1, 1, 1)))


def progress(p, vertical):
    w, h = (14, 14)
    r = min(p.skin.radius, 3)
    border = panel(w, h, mix(p.window, p.face, 0.5), p.window, p.border, r)
    chunk_w, chunk_h = (12, 10) if vertical else (10, 12)
    chunk = Picture(chunk_w, chunk_h)
    a = p.accent
    fill = chunk.horizontal(lighten(a, 0.3), a) if vertical else chunk.vertical(lighten(a, 0.35), a)
    if p.family == "flat":
        chunk.paint(box(0, 0, chunk_w, chunk_h), a)
    elif p.family == "round":
        chunk.paint(rrect(0, 0, chunk_w, chunk_h, 4.5), fill)
    else:
        chunk.paint(box(0, 0, chunk_w, chunk_h), fill)
    if p.family == "bevel":
        chunk.paint(box(0, 0, chunk_w, 1), lighten(a, 0.5))
        chunk.paint(box(0, 0, 1, chunk_h), lighten(a, 0.5))
        chunk.paint(box(0, chunk_h - 1, chunk_w, chunk_h), darken(a, 0.35))
        chunk.paint(box(chunk_w - 1, 0, chunk_w, chunk_h), darken(a, 0.35))
    if p.gloss() > 0.9:
        chunk.paint(box(0, 0, chunk_w * 0.45, chunk_h) if vertical else box(0, 0, chunk_w, chunk_h * 0.45),
                    np.ones(3), 0.3)
    suffix = "Vert" if vertical else ""
    return [panel_element("ProgressBorder" + suffix, border, (r + 2,) * 4, (2, 2, 2, 2)),
            panel_element("ProgressChunk" + suffix, chunk, (5, 5, 5, 5) if p.family == "round" else (1, 1, 1, 1))]


def track_bar(p):
    def track(vertical):
        w, h = (6, 12) if vertical else (12, 6)

        def paint(i, s):
            pic = Picture(w, h)
            selected, disabled = i in (1, 3), i >= 2
            c = p.accent if selected else mix(p.window, p.face, 0.3)
            if disabled:
                c = grey(mix(c, p.window, 0.5), 0.7)
            pic.paint(rrect(0, 0, w, h, 2.5), mix(p.border, p.window, 0.2 if not disabled else 0.6))
            pic.paint(rrect(1, 1, w - 1, h - 1, 1.5), c)
            return pic
        return Element("TrackBarTrack" + ("Vert" if vertical else ""), Img(states_sheet(paint, (N,), 4), (N,),
                                                                          (3, 3, 3, 3)), image_count=4)

    def thumb(name, vertical, point):
        w, h = (20, 11) if vertical else (11, 20)

        def paint(i, s):
            top, bottom, border = p.face_colors(s)
            pic = Picture(w, h)
            if point is None:
                shape = rrect(0.5, 0.5, w - 0.5, h - 0.5, 3)
            elif not vertical:
                tip = (w / 2, h - 0.5) if point == "down" else (w / 2, 0.5)
                body = (0.5, 0.5, w - 0.5, h - 6) if point == "down" else (0.5, 6, w - 0.5, h - 0.5)
                base = [(0.5, body[3] - 0.5), (w - 0.5, body[3] - 0.5)] if point == "down" else \
                    [(0.5, body[1] + 0.5), (w - 0.5, body[1] + 0.5)]
                shape = union(rrect(*body, 2), polygon(base + [tip]))
            else:
                tip = (w - 0.5, h / 2) if point == "down" else (0.5, h / 2)
                body = (0.5, 0.5, w - 6, h - 0.5) if point == "down" else (6, 0.5, w - 0.5, h - 0.5)
                base = [(body[2] - 0.5, 0.5), (body[2] - 0.5, h - 0.5)] if point == "down" else \
                    [(body[0] + 0.5, 0.5), (body[0] + 0.5, h - 0.5)]
                shape = union(rrect(*body, 2), polygon(base + [tip]))
            pic.paint(shape, border)
            pic.paint(lambda x, y: shape(x, y) + 1.0, pic.vertical(top, bottom) if not vertical else
                      pic.horizontal(top, bottom))
            return pic
        return Element(name, Img(states_sheet(paint, BUTTON), BUTTON, stretch=NORESIZE))
    return [thumb("TrackBarThumb", False, "down"), thumb("TrackBarThumbUp", False, "up"),
            thumb("TrackBarThumbBoth", False, None), thumb("TrackBarThumbVert", True, "down"),
            thumb("TrackBarThumbVertUp", True, "up"), thumb("TrackBarThumbVertBoth", True, None),
            track(False), track(True)]


def clock(p):
    s = 48
    face_pic = Picture(s, s)
    face_pic.paint(circle(s / 2, s / 2, s / 2 - 0.5), p.border)
    face_pic.paint(circle(s / 2, s / 2, s / 2 - 2), face_pic.vertical(p.window, mix(p.window, p.face, 0.7)))
    for k in range(12):
        a = k * np.pi / 6
        r0, r1 = (s / 2 - 7, s / 2 - 3.5) if k % 3 == 0 else (s / 2 - 5, s / 2 - 3.5)
        face_pic.paint(segment(s / 2 + r0 * np.sin(a), s / 2 - r0 * np.cos(a), s / 2 + r1 * np.sin(a),
                               s / 2 - r1 * np.cos(a), 1.6 if k % 3 == 0 else 1.0), p.text)
    glass = Picture(s, s)
    glass.paint(intersect(circle(s / 2, s / 2, s / 2 - 2), circle(s / 2, s * 0.1, s * 0.48)), np.ones(3), 0.22)
    return [Element("ClockFace", Img(sheet([face_pic]), (N,)), text=tc(p.text)),
            Element("ClockGlass", Img(sheet([glass]), (N,)))]


NAVIGATOR_SHAPES = [
    lambda w, h: union(box(2, 2, 3.5, h - 2), arrow(w, h, "left", 3)),
    lambda w, h: double_chevron(w, h, "left"),
    lambda w, h: arrow(w, h, "left", 3),
    lambda w, h: arrow(w, h, "right", 3),
    lambda w, h: double_chevron(w, h, "right"),
    lambda w, h: union(box(w - 3.5, 2, w - 2, h - 2), arrow(w, h, "right", 3)),
    lambda w, h: plus(w, h),
    lambda w, h: minus(w, h),
    lambda w, h: arrow(w, h, "up", 3),
    lambda w, h: check_mark(w, h),
    lambda w, h: cross(w, h),
    lambda w, h: intersect(ring(w / 2, h / 2, w * 0.3, 1.4), lambda x, y: -(x - w / 2) - (y - h / 2) * 0.3 + 0.5),
]


def navigator(p):
    shapes = NAVIGATOR_SHAPES
    vert = [lambda w, h: arrow(w, h, "up", 3), lambda w, h: arrow(w, h, "down", 3),
            lambda w, h: double_chevron(w, h, "up"), lambda w, h: double_chevron(w, h, "down")]
    out = []
    for name, table in (("Navigator", shapes), ("NavigatorVert", vert)):
        pixels = states_sheet(lambda i, s: glyph(11, 11, table[i](11, 11), p.glyph_color(s)), (N,), len(table))
        out.append(Element(name, Img(pixels, (N,), stretch=NORESIZE), image_count=len(table)))
    return out


def editor_glyphs(p):
    def el(name, shape):
        return glyph_element(p, name, lambda i, w, h: shape(w, h), 9, 9)
    return [el("ComboButtonGlyph", lambda w, h: arrow(w, h, "down", 3.2)),
            el("SpinUpGlyph", lambda w, h: arrow(w, h, "up", 2.8)),
            el("SpinDownGlyph", lambda w, h: arrow(w, h, "down", 2.8)),
            el("SpinLeftGlyph", lambda w, h: arrow(w, h, "left", 2.8)),
            el("SpinRightGlyph", lambda w, h: arrow(w, h, "right", 2.8))]


def indicator_images(p):
    shapes = [lambda w, h: arrow(w, h, "right", 3.5),
              lambda w, h: union(box(w / 2 - 0.6, 1.5, w / 2 + 0.6, h - 1.5), box(w / 2 - 2.5, 1, w / 2 + 2.5, 2.2),
                                 box(w / 2 - 2.5, h - 2.2, w / 2 + 2.5, h - 1)),
              lambda w, h: union(*[segment(w / 2 - 3.2 * np.cos(a), h / 2 - 3.2 * np.sin(a), w / 2 + 3.2 * np.cos(a),
                                           h / 2 + 3.2 * np.sin(a), 1.3) for a in (0, np.pi / 3, 2 * np.pi / 3)])]
    pixels = states_sheet(lambda i, s: glyph(9, 11, shapes[i](9, 11), p.text), (N,), 3)
    return Element("IndicatorImages", Img(pixels, (N,), stretch=NORESIZE), image_count=3)


def plus_minus(p):
    def paint(i, s):
        pic = Picture(11, 11)
        r = min(p.skin.radius, 2)
        pic.paint(rrect(0.5, 0.5, 10.5, 10.5, r), p.border)
        pic.paint(rrect(1.5, 1.5, 9.5, 9.5, max(r - 1, 0)), pic.vertical(lighten(p.face, 0.5 if not p.dark else 0.1),
                                                                          p.face))
        pic.paint(plus(11, 11, 2.6, 1.3) if i == 0 else minus(11, 11, 2.6, 1.3), p.text)
        return pic
    return Element("PlusMinus", Img(states_sheet(paint, (N,), 2), (N,), stretch=NORESIZE), image_count=2)


def size_grip(p, name="SizeGrip"):
    light = p.light_edge if not p.dark else lighten(p.face, 0.25)
    color = mix(p.border, p.text, 0.3)
    pos = [(x, y) for x in (2, 5, 8) for y in (2, 5, 8) if x + y >= 10]
    return Element(name, Img(sheet([dots(12, 12, color, light, pos)]), (N,), stretch=NORESIZE))


def splitter(p, name, horizontal):
    light = p.light_edge if not p.dark else lighten(p.face, 0.25)
    color = mix(p.border, p.text, 0.3)
    if horizontal:
        pic = dots(30, 5, color, light, [(x, 1) for x in range(6, 24, 4)])
    else:
        pic = dots(5, 30, color, light, [(1, y) for y in range(6, 24, 4)])
    pixels = sheet([pic, pic], vertical=False)
    return Element(name, Img(pixels, (N,), stretch=NORESIZE), image_count=2)


def tab(p, name, w=24, h=22, open_side="bottom", text_props=()):
    return button(p, name, w, h, BUTTON, open_side=open_side, content=(6, 3, 6, 2), props=text_props,
                  margins=(p.skin.radius + 2, p.skin.radius + 2, p.skin.radius + 2, 1) if open_side == "bottom"
                  else None)


def header(p, name):
    """flat: one colour with an accent underline when hot or pressed; bevel: raised cells; glass:
    a glossy upper half; round: shaded, with short rounded separators."""
    def paint(i, s):
        top, bottom, border = p.face_colors(s, "bar" if s == N else "face")
        pic = Picture(12, 20)
        pic.paint(box(0, 0, 12, 20), pic.vertical(top, bottom))
        if p.family == "flat":
            pic.paint(box(0, 18 if s != N else 19, 12, 20), p.accent if s != N else p.border)
            pic.paint(box(11, 0, 12, 20), mix(p.border, p.window, 0.3))
        elif p.family == "bevel":
            pic.paint(box(0, 19, 12, 20), darken(p.border, 0.2))
            pic.paint(box(11, 0, 12, 20), darken(p.border, 0.2))
            bevel_edges(p, pic, (-1, -1, 12, 20), s == PRESSED)
        else:
            if p.family == "glass" and s != DISABLED:
                pic.paint(box(0, 0, 12, 9), np.ones(3), 0.25 if not p.dark else 0.06)
            pic.paint(box(0, 19, 12, 20), p.border)
            pic.paint(rrect(10.5, 5, 11.5, 15, 0.5) if p.family == "round" else box(11, 3, 12, 17),
                      mix(p.border, p.window, 0.2))
        return pic
    states = (N, HOT, PRESSED)
    return Element(name, Img(states_sheet(paint, states), states, (2, 2, 2, 2)), content=(4, 2, 4, 2),
                   text=tc(p.text))


# ------------------------------------------------------------------------------------------------
# The groups


def bars_group(p):
    r = p.skin.radius
    menu_bar = bar_panel(p, "MainMenu", 16, 22, border=False, content=(2, 1, 2, 1))
    els = [
        bar_panel(p, "Bar", 16, 26, content=(3, 2, 3, 2)),
        button(p, "BarCustomize", 12, 26, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: arrow(w, h, "down", 2.5)),
        button(p, "BarCustomizeVertical", 26, 12, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: arrow(w, h, "right", 2.5)),
        grip(p, "BarDragGrip", True),
        grip(p, "BarDragGripVertical", False),
        line_element(p, "BarSeparator", True, 16, p.border, p.light_edge),
        bar_panel(p, "BarVertical", 26, 16, vertical=True, content=(2, 3, 2, 3)),
        line_element(p, "BarSeparatorVertical", False, 16, p.border, p.light_edge),
        fill_element("Dock", p.bar),
        panel_element("FloatBar", panel(16, 16, lighten(p.bar, 0.2), p.bar, p.border, r), (r + 2,) * 4, (2, 2, 2, 2)),
        fill_element("LinkStatic", CL_NONE, text=p.text),
        button(p, "LinkSelected", 16, 20, (N, HOT, PRESSED, CHECKED), tone="accent", content=(3, 2, 3, 2)),
        menu_bar,
    ]
    if p.skin.menu_grips:
        els += [button(p, "MainMenuCustomize", 12, 22, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
                       glyph_shape=lambda i, w, h: arrow(w, h, "down", 2.5)),
                grip(p, "MainMenuDrag", True)]
    strip = mix(p.window, p.face, 0.75)
    els += [
        button(p, "MainMenuLinkSelected", 16, 20, (N, HOT, PRESSED), tone="accent", content=(3, 2, 3, 2)),
        bar_panel(p, "MainMenuVertical", 22, 16, vertical=True, border=False, content=(1, 2, 1, 2)),
        panel_element("PopupMenu", panel(16, 16, p.window, p.window, p.border, min(r, 2)), (3, 3, 3, 3), (2, 2, 2, 2),
                      text=p.text),
        button(p, "PopupMenuCheck", 20, 20, (N, DISABLED), tone="accent", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: check_mark(w, h)),
        glyph_element(p, "PopupMenuExpandButton", lambda i, w, h: double_chevron(w, h, "down"), 11, 11),
        button(p, "PopupMenuLinkSelected", 16, 20, (N, HOT, PRESSED, DISABLED), tone="accent", content=(3, 2, 3, 2)),
        line_element(p, "PopupMenuSeparator", False, 16, mix(p.border, p.window, 0.3)),
        panel_element("PopupMenuSideStrip", panel(24, 8, strip, strip), (0, 0, 0, 0)),
        panel_element("PopupMenuSideStripNonRecent", panel(24, 8, darken(strip, 0.06), darken(strip, 0.06)),
                      (0, 0, 0, 0)),
        button(p, "PopupMenuDropDownButtonLabel", 16, 20, (N, HOT, PRESSED), tone="accent", content=(3, 2, 3, 2)),
        button(p, "PopupMenuDropDownButtonArrow", 14, 20, (N, HOT, PRESSED), tone="accent", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: arrow(w, h, "right", 2.5)),
        bar_panel(p, "StatusBar", 16, 22, border=False, content=(3, 2, 3, 2)),
        panel_element("ScreenTipWindow", panel(16, 16, p.window, mix(p.window, p.face, 0.6), p.border, min(r, 3)),
                      (4, 4, 4, 4), (6, 5, 6, 5), text=p.text,
                      props=(color_prop("ScreenTipItem", p.text), color_prop("ScreenTipTitleItem", p.text))),
        line_element(p, "ScreenTipSeparator", False, 16, mix(p.border, p.window, 0.4)),
    ]
    return "Bars", els, (color_prop("DisabledTextColor", p.disabled_text),)


def group_panels(p):
    r = p.skin.radius
    body, edge = mix(p.window, p.face, 0.25), mix(p.border, p.window, 0.25)
    cap_top, cap_bottom = lighten(p.face, 0.3 if not p.dark else 0.05), p.face
    els = [panel_element("GroupPanel", panel(16, 16, body, body, edge, r), (r + 2,) * 4, (3, 3, 3, 3)),
           fill_element("GroupPanelNoBorder", body)]
    # the body beside a caption leaves the caption's side open; the caption strip closes it
    for side, open_side in (("Top", "top"), ("Bottom", "bottom"), ("Left", "left"), ("Right", "right")):
        els.append(panel_element("GroupPanel" + side, panel(16, 16, body, body, edge, r, open_side), (r + 2,) * 4,
                                 (3, 3, 3, 3)))
    for side, open_side, vertical in (("Top", "bottom", False), ("Bottom", "top", False), ("Left", "right", True),
                                      ("Right", "left", True)):
        pic = Picture(16, 20) if not vertical else Picture(20, 16)
        pic.paint(rrect(*((0, 0, 16, 28) if open_side == "bottom" else (0, -8, 16, 20) if open_side == "top" else
                          (0, 0, 28, 16) if open_side == "right" else (-8, 0, 20, 16)), r), edge)
        inner = (1, 1, 15, 28) if open_side == "bottom" else (1, -8, 15, 19) if open_side == "top" else \
            (1, 1, 28, 15) if open_side == "right" else (-8, 1, 19, 15)
        fill = pic.vertical(cap_top, cap_bottom) if not vertical else pic.horizontal(cap_top, cap_bottom)
        pic.paint(rrect(*inner, max(r - 1, 0)), fill)
        els.append(panel_element("GroupPanelCaption" + side, pic, (r + 2,) * 4, (5, 3, 5, 3), text=p.text))
    return els


def common_group(p):
    els = [button(p, "Button", 20, 22, props=(color_prop("DisabledText", p.disabled_text),), min_size=(0, 0)),
           header(p, "Header"), header(p, "HeaderSpecial")]
    els += group_panels(p)
    els += [splitter(p, "Splitter", False), splitter(p, "SplitterHorz", True), size_grip(p), scroll_button(p),
            scroll_thumb(p, "ScrollThumbVert", True), scroll_thumb(p, "ScrollThumbHorz", False),
            scroll_track(p, "ScrollContentVert", True), scroll_track(p, "ScrollContentHorz", False)]
    return "Common", els, ()


def docking_group(p):
    r = p.skin.radius
    cap = p.caption
    caption_pic = Picture(16, 20)
    caption_pic.paint(rrect(0, 0, 16, 26, min(r, 3)), darken(cap, 0.3))
    caption_pic.paint(rrect(1, 1, 15, 26, max(min(r, 3) - 1, 0)), caption_pic.vertical(lighten(cap, 0.2), cap))
    inactive = Picture(16, 20)
    inactive.paint(rrect(0, 0, 16, 26, min(r, 3)), p.border)
    inactive.paint(rrect(1, 1, 15, 26, max(min(r, 3) - 1, 0)), inactive.vertical(lighten(p.face, 0.3), p.face))
    caption = Element("DockWindowCaption", Img(sheet([inactive, caption_pic]), (N, ACTIVE), (r + 2, r + 2, r + 2, 2)),
                      content=(4, 2, 4, 2), text=tc(p.caption_text),
                      props=(color_prop("InactiveCaptionTextColor", p.text),))
    glyph_shapes = [lambda w, h: cross(w, h, 2.6, 1.4),
                    lambda w, h: union(box(3, 1.5, 6, 5.5), box(1.5, 5.5, 7.5, 6.6), box(4, 6.6, 5, 8.5)),
                    lambda w, h: union(box(3.5, 3, 7.5, 6), box(7.5, 1.5, 8.6, 7.5), box(0.5, 4, 3.5, 5)),
                    lambda w, h: outline(1.5, 1.5, 7.5, 7.5, 1, 2)]
    glyphs = states_sheet(lambda i, s: glyph(9, 9, glyph_shapes[i](9, 9), p.glyph_color(s)), (N, HOT, PRESSED), 4)
    bar = mix(p.window, p.face, 0.7)
    els = [
        panel_element("DockWindowBorder", panel(12, 12, p.window, p.window, p.border, 0), (2, 2, 2, 2), (1, 1, 1, 1)),
        caption,
        fill_element("AutoHideBar", bar),
        panel_element("AutoHideBarLeft", panel(8, 8, bar, bar, p.border, 0, "left"), (2, 2, 2, 2)),
        panel_element("AutoHideBarRight", panel(8, 8, bar, bar, p.border, 0, "right"), (2, 2, 2, 2)),
        panel_element("AutoHideBarBottom", panel(8, 8, bar, bar, p.border, 0, "bottom"), (2, 2, 2, 2)),
        tab(p, "TabHeaderAutoHideBar", 20, 20, "top"),
        tab(p, "TabHeader", 20, 20, "top"),
        fill_element("TabHeaderBackground", mix(p.window, p.face, 0.6)),
        fill_element("TabHeaderLine", p.border),
        button(p, "DockWindowButton", 14, 14, (N, HOT, PRESSED), tone="face", radius=min(r, 2), content=(0, 0, 0, 0)),
        Element("DockWindowButtonGlyphs", glyph=Img(glyphs, (N, HOT, PRESSED), stretch=NORESIZE), image_count=4),
    ]
    props = (color_prop("TabHeaderTextColor", p.text), color_prop("TabHeaderTextColorActive", p.text),
             int_prop("ActiveTabHeaderDownGrow", 0), int_prop("ActiveTabHeaderHGrow", 2),
             int_prop("ActiveTabHeaderUpGrow", 2))
    return "Docking", els, props


def editors_group(p):
    r = p.skin.radius
    close = button(p, "CloseButton", 16, 16, radius=min(r, 2), content=(0, 0, 0, 0),
                   glyph_shape=lambda i, w, h: cross(w, h, 3, 1.5))
    editor = button(p, "EditorButton", 17, 18, radius=min(r, 2), margins=(3, 3, 3, 3), content=(2, 2, 2, 2))
    els = [checkbox(p), radio(p)] + clock(p) + [editor, close] + editor_glyphs(p) + navigator(p)
    els += progress(p, False) + progress(p, True) + track_bar(p)
    props = (color_prop("BackgroundColor", p.window), color_prop("BackgroundDisabledColor", mix(p.window, p.face, 0.5)),
             color_prop("TextColor", p.text), color_prop("TextDisabledColor", p.disabled_text))
    return "Editors", els, props


def form_group(p):
    frames = []
    for name, side, w, h in (("FormFrameLeft", "left", 4, 16), ("FormFrameRight", "right", 4, 16),
                             ("FormFrameBottom", "bottom", 16, 4)):
        pixels = sheet([frame_pic(p, w, h, True, side), frame_pic(p, w, h, False, side)])
        m = {"left": (1, 2, 0, 2), "right": (0, 2, 1, 2), "bottom": (2, 0, 2, 1)}[side]
        frames.append(Element(name, Img(pixels, (ACTIVE, ACTIVEDISABLED), m)))
    captions = []
    for name, h, delta in (("FormCaption", 30, 1), ("SmallFormCaption", 22, 0)):
        pixels = sheet([caption_pic(p, 40, h, p.caption), caption_pic(p, 40, h, p.caption_inactive, False)])
        m = p.skin.radius + 4
        props = (int_prop("FontDelta", delta),) if name == "FormCaption" else ()
        captions.append(Element(name, Img(pixels, (ACTIVE, ACTIVEDISABLED), (m, m, m, 2)),
                                content=(0, 5, 0, 4) if h > 24 else (0, 3, 0, 3), text=tc(p.caption_text),
                                props=props))
    buttons = [caption_button(p, "SmallFormButtonClose", "close", 14)]
    for kind in ("close", "minimize", "maximize", "restore", "help"):
        buttons.append(caption_button(p, "FormButton" + kind.capitalize(), kind))
    els = [fill_element("FormContent", p.content, text=p.text)] + buttons + frames + captions
    props = (color_prop("TextColorInactive", p.caption_text_inactive),
             color_prop("TextShadowColor", CL_DEFAULT if p.family != "glass" else darken(p.caption, 0.3)))
    return "Form", els, props


def grid_group(p):
    r = p.skin.radius
    fixed = mix(p.border, p.window, 0.2)
    panel_fill = mix(p.window, p.face, 0.8)
    filter_shape = lambda i, w, h: polygon([(1.5, 2), (w - 1.5, 2), (w / 2 + 1, h / 2), (w / 2 + 1, h - 1.5),
                                            (w / 2 - 1, h - 2.5), (w / 2 - 1, h / 2)])
    els = [
        line_element(p, "CardSeparator", True, 12, fixed),
        Element("GridGroupPanel", Img(sheet([panel(12, 12, panel_fill, mix(p.window, p.face, 0.95))]), (N,),
                                      (1, 1, 1, 1)), color=CL_NONE, text=tc(p.disabled_text)),
        panel_element("GroupRow", panel(12, 16, mix(p.window, p.face, 0.4), mix(p.window, p.face, 0.55)),
                      (1, 1, 1, 1), (4, 1, 4, 1), text=p.text),
        fill_element("GridLine", mix(p.border, p.window, 0.55)),
        fill_element("GridFixedLine", fixed),
        indicator_images(p),
        plus_minus(p),
        panel_element("FooterCell", panel(12, 16, p.window, p.window, mix(p.border, p.window, 0.3), min(r, 2)),
                      (3, 3, 3, 3), (3, 2, 3, 2), text=p.text),
        panel_element("FooterPanel", panel(12, 16, mix(p.window, p.face, 0.6), mix(p.window, p.face, 0.8)),
                      (1, 1, 1, 1), (2, 2, 2, 2), text=p.text),
        button(p, "FilterButton", 13, 13, radius=min(r, 2), content=(0, 0, 0, 0), glyph_shape=filter_shape,
               glyph_size=(13, 13)),
        button(p, "FilterButtonActive", 13, 13, tone="accent", radius=min(r, 2), content=(0, 0, 0, 0),
               glyph_shape=filter_shape, glyph_size=(13, 13)),
        panel_element("GridFilterPanel", panel(12, 16, mix(p.window, p.face, 0.5), p.face), (1, 1, 1, 1),
                      (4, 2, 4, 2), text=p.text),
    ]
    return "Grid", els, ()


def page_control_group(p):
    r = p.skin.radius
    tab_props = (color_prop("TextColor", p.text), color_prop("TextColorSelected", p.text),
                 color_prop("TextColorDisabled", p.disabled_text), color_prop("TextColorHot", p.text))
    els = [tab(p, "TabHeader", text_props=tab_props),
           button(p, "TabButtonHorz", 14, 16, radius=min(r, 2), content=(0, 0, 0, 0), image_count=2,
                  glyph_shape=lambda i, w, h: arrow(w, h, ("left", "right")[i], 2.6)),
           button(p, "TabButtonVert", 16, 14, radius=min(r, 2), content=(0, 0, 0, 0), image_count=2,
                  glyph_shape=lambda i, w, h: arrow(w, h, ("up", "down")[i], 2.6)),
           panel_element("TabPane", panel(16, 16, p.content, p.content, p.border, min(r, 2)), (r + 2,) * 4,
                         (2, 2, 2, 2))]
    props = (int_prop("RowIndentFar", 0), int_prop("RowIndentNear", 2), int_prop("SelectedHeaderDownGrow", 1),
             int_prop("SelectedHeaderHGrow", 2), int_prop("SelectedHeaderUpGrow", 2), int_prop("HeaderDownGrow", 0))
    return "PageControl", els, props


def scheduler_group(p):
    r = p.skin.radius
    area, sel = mix(p.window, p.face, 0.6), mix(p.face, p.accent, 0.4)
    appt = lighten(p.accent, 0.75) if not p.dark else mix(p.face, p.accent, 0.35)
    els = [
        fill_element("AllDayArea", area, text=p.text),
        fill_element("AllDayAreaSelected", sel, text=p.selection_text),
        panel_element("Appointment", panel(12, 12, lighten(appt, 0.3), appt, darken(p.accent, 0.2), min(r, 2)),
                      (3, 3, 3, 3), (3, 2, 3, 2), text=p.text,
                      props=(int_prop("BorderSize", 1), color_prop("SeparatorColor", mix(p.border, p.window, 0.3)))),
        fill_element("AppointmentRightBorder", darken(p.accent, 0.2)),
        fill_element("AppointmentMask", p.accent, alpha=64),
        panel_element("AppointmentBottomShadow", panel(8, 3, np.zeros(3), np.zeros(3)), (0, 0, 0, 0)),
        panel_element("AppointmentRightShadow", panel(3, 8, np.zeros(3), np.zeros(3)), (0, 0, 0, 0)),
        fill_element("CurrentTimeIndicator", p.accent),
        button(p, "MoreButton", 14, 12, radius=min(r, 2), content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: double_chevron(w, h, "down")),
        header(p, "TimeGridHeader"),
        button(p, "TimeGridHeaderSelected", 12, 20, (N, HOT, PRESSED), tone="accent", content=(4, 2, 4, 2)),
        fill_element("DefaultTimeLine", p.accent),
        panel_element("Ruler", panel(12, 12, p.face, mix(p.window, p.face, 0.5)), (1, 1, 1, 1), (2, 2, 2, 2),
                      text=p.text),
        button(p, "NavButtonPrev", 18, 40, radius=min(r, 2), open_side="left", content=(2, 4, 2, 4), min_size=(16, 0)),
        button(p, "NavButtonNext", 18, 40, radius=min(r, 2), open_side="right", content=(2, 4, 2, 4), min_size=(16, 0)),
        glyph_element(p, "NavButtonPrevArrow", lambda i, w, h: arrow(w, h, "left", 3), 9, 11),
        glyph_element(p, "NavButtonNextArrow", lambda i, w, h: arrow(w, h, "right", 3), 9, 11),
    ]
    return "Scheduler", els, (color_prop("NavigatorColor", mix(p.window, p.face, 0.7)),)


def vertical_grid_group(p):
    els = [panel_element("Category", panel(12, 16, lighten(p.face, 0.2 if not p.dark else 0.05), p.face), (1, 1, 1, 1),
                         (4, 2, 4, 2), text=p.text),
           fill_element("GridLine", mix(p.border, p.window, 0.55)),
           fill_element("BandBorder", mix(p.border, p.window, 0.2))]
    return "VerticalGrid", els, ()


def nav_bar_group(p):
    r = p.skin.radius
    client = mix(p.window, p.face, 0.3)
    els = [fill_element("Background", mix(p.window, p.face, 0.8)),
           button(p, "GroupOpenButton", 17, 17, radius=8, content=(0, 0, 0, 0),
                  glyph_shape=lambda i, w, h: double_chevron(w, h, "up")),
           button(p, "GroupCloseButton", 17, 17, radius=8, content=(0, 0, 0, 0),
                  glyph_shape=lambda i, w, h: double_chevron(w, h, "down")),
           panel_element("GroupClient", panel(12, 12, client, client, mix(p.border, p.window, 0.3), 0, "top"),
                         (2, 2, 2, 2), (2, 2, 2, 2)),
           button(p, "GroupHeader", 20, 24, (N, HOT, PRESSED), tone="bar", content=(6, 3, 6, 3)),
           button(p, "Item", 16, 20, (N, HOT, PRESSED, DISABLED), tone="accent", radius=min(r, 2),
                  content=(4, 2, 4, 2))]
    return "NavBar", els, ()


def nav_pane_group(p):
    r = p.skin.radius
    client = mix(p.window, p.face, 0.3)
    cap = Picture(16, 26)
    cap.paint(box(0, 0, 16, 26), cap.vertical(lighten(p.caption, 0.1), p.caption))
    els = [
        button(p, "CollapseButton", 18, 18, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: double_chevron(w, h, "left")),
        fill_element("CollapsedGroupClient", client),
        button(p, "ExpandButton", 18, 18, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: double_chevron(w, h, "right")),
        panel_element("PopupBorder", panel(12, 12, client, client, p.border, 0), (2, 2, 2, 2), (1, 1, 1, 1)),
        size_grip(p, "PopupSizeGrip"),
        button(p, "GroupButton", 20, 28, (N, HOT, PRESSED), tone="bar", radius=0, content=(8, 3, 8, 3)),
        button(p, "GroupButtonSelected", 20, 28, (N, HOT, PRESSED), tone="accent", radius=0, content=(8, 3, 8, 3)),
        panel_element("Caption", cap, (0, 0, 0, 0), (6, 2, 6, 2), text=p.caption_text,
                      props=(int_prop("Height", 26), int_prop("FontSize", 12))),
        fill_element("GroupClient", client),
        button(p, "Item", 16, 20, (N, HOT, PRESSED, DISABLED), tone="face", radius=min(r, 2), content=(4, 2, 4, 2)),
        button(p, "ItemSelected", 16, 20, (N, HOT, PRESSED, DISABLED), tone="accent", radius=min(r, 2),
               content=(4, 2, 4, 2)),
        bar_panel(p, "OverflowPanel", 16, 28, border=False, content=(2, 2, 2, 2)),
        button(p, "OverflowPanelItem", 22, 22, (N, HOT, PRESSED, CHECKED), tone="bar", content=(2, 2, 2, 2)),
        button(p, "OverflowPanelExpandItem", 16, 22, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: double_chevron(w, h, "right")),
        button(p, "ScrollUpButton", 16, 12, (N, HOT, PRESSED, DISABLED), content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: arrow(w, h, "up", 2.6)),
        button(p, "ScrollDownButton", 16, 12, (N, HOT, PRESSED, DISABLED), content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: arrow(w, h, "down", 2.6)),
        grip(p, "Splitter", False),
    ]
    return "NavPane", els, ()


def ribbon_group(p):
    r = p.skin.radius
    back = mix(p.window, p.face, 0.7)
    tab_back = bar_panel(p, "TabBackground", 16, 26, border=False)
    frame_els = []
    for prefix in ("Form", "Dialog"):
        for name, side, w, h in (("FrameLeft", "left", 4, 16), ("FrameRight", "right", 4, 16),
                                 ("FrameBottom", "bottom", 16, 4)):
            pixels = sheet([frame_pic(p, w, h, True, side), frame_pic(p, w, h, False, side)])
            m = {"left": (1, 2, 0, 2), "right": (0, 2, 1, 2), "bottom": (2, 0, 2, 1)}[side]
            frame_els.append((prefix + name, Element(prefix + name, Img(pixels, (ACTIVE, ACTIVEDISABLED), m))))
    frames = dict(frame_els)
    caption = Element("FormCaption", Img(sheet([caption_pic(p, 40, 30, p.caption), caption_pic(p, 40, 30, p.caption_inactive, False)]),
                                         (ACTIVE, ACTIVEDISABLED), (r + 4, r + 4, r + 4, 2)),
                      content=(0, 5, 0, 4), text=tc(p.caption_text),
                      props=(color_prop("TextColorInactive", p.caption_text_inactive),
                             color_prop("DocumentNameTextColor", mix(p.caption_text, p.caption, 0.3)),
                             int_prop("FontDelta", 1)))
    app_button = Picture(36, 36)
    app_button.paint(circle(18, 18, 17.5), darken(p.accent, 0.3))
    app_button.paint(circle(18, 18, 16.5), app_button.vertical(lighten(p.accent, 0.35), p.accent))
    app_button.paint(intersect(circle(18, 18, 16.5), box(0, 0, 36, 17)), np.ones(3), 0.25 * p.gloss() + 0.05)
    qat_props = (bool_prop("DisplayCustomizeButtonOutsideQAT", False), int_prop("IndentBeforeCustomizeButton", 2))
    small = dict(content=(3, 2, 3, 2))
    els = [
        Element("FormAppButton", Img(sheet([app_button]), (N,), stretch=NORESIZE), props=(int_prop("RightIndent", 4),)),
        panel_element("AppMenuBackground", panel(16, 16, p.window, p.window, p.border, min(r, 3)), (4, 4, 4, 4),
                      (3, 3, 3, 3)),
        panel_element("AppMenuBackgroundBottom", panel(16, 16, back, p.face, p.border, 0, "top"), (2, 2, 2, 2),
                      (3, 3, 3, 3)),
        button(p, "TabGroupCollapsed", 24, 60, (N, HOT, PRESSED), tone="bar", content=(3, 3, 3, 3)),
        panel_element("TabGroupCollapsedBox", panel(32, 32, lighten(p.face, 0.3), p.face, p.border, min(r, 3)),
                      (4, 4, 4, 4)),
        caption,
        frames["FormFrameBottom"], frames["DialogFrameBottom"], frames["FormFrameLeft"], frames["DialogFrameLeft"],
        frames["FormFrameRight"], frames["DialogFrameRight"],
        tab(p, "Tab", 24, 22, "bottom", (color_prop("TextColorSelected", p.text),)),
        panel_element("TabPanel", panel(16, 16, lighten(back, 0.3), back, p.border, min(r, 3)), (r + 2,) * 4,
                      (2, 2, 2, 2)),
        button(p, "TabGroupButton", 12, 12, (N, HOT, PRESSED), radius=min(r, 2), content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: arrow(w, h, "down", 2.4)),
        panel_element("TabGroup", panel(16, 60, back, darken(back, 0.03), mix(p.border, back, 0.4), min(r, 3)),
                      (r + 2,) * 4, (3, 3, 3, 16)),
        panel_element("TabGroupCaption", panel(16, 16, darken(back, 0.04), darken(back, 0.08)), (1, 1, 1, 1),
                      (2, 1, 2, 1), text=p.text),
        panel_element("DropDownGalleryBackground", panel(16, 16, p.window, p.window, p.border, 0), (2, 2, 2, 2),
                      (1, 1, 1, 1)),
        button(p, "InRibbonGalleryButtonDown", 15, 20, (N, HOT, PRESSED, DISABLED), radius=min(r, 2),
               content=(0, 0, 0, 0), glyph_shape=lambda i, w, h: arrow(w, h, "down", 2.4)),
        button(p, "InRibbonGalleryButtonDropDown", 15, 20, (N, HOT, PRESSED, DISABLED), radius=min(r, 2),
               content=(0, 0, 0, 0), glyph_shape=lambda i, w, h: union(arrow(w, h, "down", 2.4),
                                                                     box(w / 2 - 3, 5, w / 2 + 3, 6))),
        button(p, "InRibbonGalleryButtonUp", 15, 20, (N, HOT, PRESSED, DISABLED), radius=min(r, 2),
               content=(0, 0, 0, 0), glyph_shape=lambda i, w, h: arrow(w, h, "up", 2.4)),
        panel_element("DropDownGalleryGroupHeader", panel(16, 18, p.face, p.face), (1, 1, 1, 1), (4, 2, 4, 2),
                      text=p.text),
        panel_element("InRibbonGalleryPane", panel(16, 16, p.window, p.window, p.border, min(r, 2)), (3, 3, 3, 3)),
        panel_element("DropDownGallerySizePanel", panel(16, 12, back, p.face), (1, 1, 1, 1)),
        size_grip(p, "DropDownGallerySizeGrip"),
        tab_back,
        button(p, "Button", 20, 22, (N, HOT, PRESSED, DISABLED, CHECKED), tone="bar", **small),
        button(p, "SplitButtonLeft", 16, 22, (N, HOT, PRESSED, DISABLED), tone="bar", open_side="right", **small),
        button(p, "SplitButtonRight", 12, 22, (N, HOT, PRESSED, DISABLED), tone="bar", open_side="left",
               content=(0, 0, 0, 0)),
        button(p, "LargeButton", 36, 60, (N, HOT, PRESSED, DISABLED, CHECKED), tone="bar", **small),
        button(p, "LargeSplitButtonTop", 36, 36, (N, HOT, PRESSED, DISABLED), tone="bar", open_side="bottom", **small),
        button(p, "LargeSplitButtonBottom", 36, 24, (N, HOT, PRESSED, DISABLED), tone="bar", open_side="top", **small),
        glyph_element(p, "ButtonArrow", lambda i, w, h: arrow(w, h, "down", 2.4), 7, 7),
        panel_element("ButtonGroup", panel(16, 22, lighten(p.face, 0.3), p.face, p.border, min(r, 3)), (r + 2,) * 4,
                      (1, 1, 1, 1)),
        bar_panel(p, "StatusBarBackground", 16, 22, border=False, content=(3, 2, 3, 2)),
        button(p, "StatusBarButton", 16, 22, (N, HOT, PRESSED, DISABLED), tone="bar", radius=0, **small,
               props=(color_prop("TextColor", p.text), color_prop("TextColorHot", p.text),
                      color_prop("TextColorDisabled", p.disabled_text))),
        line_element(p, "StatusBarSeparator", True, 16, p.border, p.light_edge),
        panel_element("QATInRibbonBackground", panel(16, 22, mix(p.caption, p.window, 0.2), p.caption,
                                                     darken(p.caption, 0.2), min(r + 2, 8)), (6, 3, 6, 3), (3, 1, 3, 1),
                      props=qat_props + (int_prop("Offset", 2),)),
        panel_element("QATAboveBackground", panel(16, 22, mix(p.caption, p.window, 0.3), p.caption,
                                                  darken(p.caption, 0.2), min(r + 2, 8)), (6, 3, 6, 3), (3, 1, 3, 1),
                      props=qat_props),
        bar_panel(p, "QATBelowBackground", 16, 24, border=True, content=(3, 1, 3, 1)),
        glyph_element(p, "QATButtonGlyph", lambda i, w, h: union(arrow(w, h, "down", 2.4), box(1, 1, w - 1, 2)), 9, 9),
        button(p, "QATOverflow", 12, 22, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: double_chevron(w, h, "right")),
        button(p, "QATCustomizeButton", 12, 22, (N, HOT, PRESSED), tone="bar", content=(0, 0, 0, 0),
               glyph_shape=lambda i, w, h: union(arrow(w, h, "down", 2.4), box(w / 2 - 3, 6, w / 2 + 3, 7))),
        button(p, "ButtonGroupButton", 16, 22, (N, HOT, PRESSED, DISABLED, CHECKED), tone="bar", radius=0, **small),
        line_element(p, "ButtonGroupSeparator", True, 16, mix(p.border, p.face, 0.3), p.light_edge),
    ]
    props = (color_prop("AppMenuExtraPaneColor", mix(p.window, p.face, 0.5)),
             color_prop("ButtonDisabled", p.disabled_text), int_prop("TabHeaderDownGrow", 0))
    return "Ribbon", els, props


def clips_group(p):
    """The program's own: the clip list's background, the preview's frame and the range marker."""
    els = [fill_element("ListBackground", p.window, text=p.text),
           panel_element("PreviewFrame", panel(12, 12, np.zeros(3), np.zeros(3), p.border, 0), (2, 2, 2, 2),
                         (1, 1, 1, 1)),
           glyph_element(p, "RangeMarker", lambda i, w, h: polygon([(0.5, 0.5), (w - 0.5, 0.5), (w / 2, h - 0.5)]),
                         9, 8, color_of=lambda s: p.accent if s != DISABLED else p.disabled_text)]
    return "Clips", els, ()


GROUPS = (bars_group, common_group, docking_group, editors_group, form_group, grid_group, page_control_group,
          scheduler_group, vertical_grid_group, nav_bar_group, nav_pane_group, ribbon_group, clips_group)


def groups(p):
    GLYPHS["style"] = FAMILIES[p.family]["glyphs"]
    return [g(p) for g in GROUPS]


def skin_colors(p):
    """The 11 skin colours."""
    return [("ContainerBorderColor", tc(p.border)), ("ContainerHighlightBorderColor", tc(p.accent)),
            ("ContentColor", tc(p.window)), ("ContentEvenColor", tc(p.window)),
            ("ContentOddColor", tc(mix(p.window, p.face, 0.35))), ("DockControlHiddenBarTextColor", tc(p.text)),
            ("HeaderBackgroundColor", tc(p.face)), ("HeaderBackgroundTextColor", tc(p.text)),
            ("LayoutControlColor", tc(p.content)), ("SelectionColor", tc(p.selection)),
            ("SelectionTextColor", tc(p.selection_text))]
