"""Anti-aliased painting of small RGBA pictures with numpy, and PNG encoding, for tools/make_skins.py.

Shapes are signed distance functions (negative inside) sampled 4 x 4 times per pixel; a picture is
premultiplied RGBA in floats until it is encoded.
"""
import struct
import zlib

import numpy as np

SUPERSAMPLING = 4


def rgb(value):
    """0xRRGGBB as three floats."""
    return np.array([(value >> 16) & 255, (value >> 8) & 255, value & 255], dtype=float) / 255.0


def mix(a, b, t):
    return a * (1.0 - t) + b * t


def lighten(c, t):
    return mix(c, np.ones(3), t)


def darken(c, t):
    return mix(c, np.zeros(3), t)


def luminance(c):
    return float(0.2126 * c[0] + 0.7152 * c[1] + 0.0722 * c[2])


def relative_luminance(c):
    """The luminance a contrast ratio is computed from: linear light of the sRGB channels."""
    lin = np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)
    return float(0.2126 * lin[..., 0] + 0.7152 * lin[..., 1] + 0.0722 * lin[..., 2]) if lin.ndim == 1 else \
        0.2126 * lin[..., 0] + 0.7152 * lin[..., 1] + 0.0722 * lin[..., 2]


def contrast_ratio(a, b):
    """(lighter + 0.05) / (darker + 0.05) of two colours, or of a colour and an array of them."""
    la, lb = relative_luminance(np.asarray(a)), relative_luminance(np.asarray(b))
    return (np.maximum(la, lb) + 0.05) / (np.minimum(la, lb) + 0.05)


def grey(c, t):
    """Moves a colour towards its own grey by t."""
    return mix(c, np.full(3, luminance(c)), t)


def tcolor(c):
    """A colour as the 32-bit 0x00BBGGRR value of the skin stream."""
    r, g, b = (int(round(float(v) * 255)) for v in np.clip(c, 0, 1))
    return r | (g << 8) | (b << 16)


class Picture:
    """A w x h picture, transparent at first."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = np.zeros((h, w, 4))
        n = SUPERSAMPLING
        ys, xs = np.mgrid[0:h * n, 0:w * n]
        self._x = (xs + 0.5) / n
        self._y = (ys + 0.5) / n

    def coverage(self, sdf):
        inside = (sdf(self._x, self._y) <= 0).astype(float)
        n = SUPERSAMPLING
        return inside.reshape(self.h, n, self.w, n).mean(axis=(1, 3))

    def paint(self, sdf, color, alpha=1.0):
        """Paints the shape with a colour: three floats, or an (h, w, 3) array such as a gradient."""
        a = self.coverage(sdf) * alpha
        col = np.broadcast_to(color, (self.h, self.w, 3))
        self.px[..., :3] = col * a[..., None] + self.px[..., :3] * (1 - a[..., None])
        self.px[..., 3] = a + self.px[..., 3] * (1 - a)

    def vertical(self, top, bottom, y0=0.0, y1=None):
        """A top-to-bottom gradient as a colour array."""
        y1 = self.h if y1 is None else y1
        t = np.clip((np.arange(self.h) + 0.5 - y0) / max(y1 - y0, 1e-6), 0, 1)[:, None, None]
        return np.broadcast_to(top * (1 - t) + bottom * t, (self.h, self.w, 3))

    def horizontal(self, left, right):
        t = ((np.arange(self.w) + 0.5) / self.w)[None, :, None]
        return np.broadcast_to(left * (1 - t) + right * t, (self.h, self.w, 3))

    def straight(self):
        """Straight (not premultiplied) 8-bit RGBA."""
        a = self.px[..., 3:4]
        c = np.where(a > 0, self.px[..., :3] / np.maximum(a, 1e-9), 0)
        out = np.concatenate([c, a], axis=2)
        return np.clip(np.round(out * 255), 0, 255).astype(np.uint8)


# ------------------------------------------------------------------------------------------------
# Shapes


def rrect(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2
    r = max(0.0, min(r, hx, hy))

    def sdf(x, y):
        qx = np.abs(x - cx) - (hx - r)
        qy = np.abs(y - cy) - (hy - r)
        outside = np.hypot(np.maximum(qx, 0), np.maximum(qy, 0))
        return outside + np.minimum(np.maximum(qx, qy), 0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: np.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: np.abs(np.hypot(x - cx, y - cy) - r) - width / 2


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = max(dx * dx + dy * dy, 1e-9)

    def sdf(x, y):
        t = np.clip(((x - ax) * dx + (y - ay) * dy) / length2, 0, 1)
        return np.hypot(x - (ax + t * dx), y - (ay + t * dy)) - width / 2
    return sdf


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return union(*parts)


def polygon(points):
    """A convex polygon, its points in either turning order."""
    pts = list(points)
    area = sum(pts[i][0] * pts[(i + 1) % len(pts)][1] - pts[(i + 1) % len(pts)][0] * pts[i][1]
               for i in range(len(pts)))
    if area < 0:
        pts.reverse()

    def sdf(x, y):
        d = None
        for i in range(len(pts)):
            (ax, ay), (bx, by) = pts[i], pts[(i + 1) % len(pts)]
            nx, ny = by - ay, -(bx - ax)
            n = np.hypot(nx, ny)
            side = ((x - ax) * nx + (y - ay) * ny) / n
            d = side if d is None else np.maximum(d, side)
        return d
    return sdf


def union(*sdfs):
    def sdf(x, y):
        d = sdfs[0](x, y)
        for s in sdfs[1:]:
            d = np.minimum(d, s(x, y))
        return d
    return sdf


def subtract(a, b):
    return lambda x, y: np.maximum(a(x, y), -b(x, y))


def intersect(a, b):
    return lambda x, y: np.maximum(a(x, y), b(x, y))


def box(x0, y0, x1, y1):
    return rrect(x0, y0, x1, y1, 0)


# ------------------------------------------------------------------------------------------------
# Sheets and PNG


def sheet(pictures, vertical=False):
    """Pictures of one size side by side (or one under the other) as one 8-bit RGBA array."""
    arrays = [p.straight() for p in pictures]
    return np.concatenate(arrays, axis=0 if vertical else 1)


def encode_png(pixels):
    """8-bit RGBA rows as a PNG file (colour type 6), each row with the filter that packs best."""
    h, w, _ = pixels.shape
    raw = bytearray()
    data = pixels.astype(np.int16)
    for y in range(h):
        row = data[y].reshape(-1)
        prev = data[y - 1].reshape(-1) if y > 0 else np.zeros_like(row)
        left = np.concatenate([np.zeros(4, dtype=np.int16), row[:-4]])
        candidates = [(0, row), (1, row - left), (2, row - prev)]
        ftype, best = min(candidates, key=lambda c: int(np.abs(((c[1] + 128) % 256) - 128).sum()))
        raw.append(ftype)
        raw += (best % 256).astype(np.uint8).tobytes()

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))
