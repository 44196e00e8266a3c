"""Writes small Windows bitmaps from pixel art (shared by the resource tools)."""
import struct


def write_bmp(path, rows, palette, bits):
    """rows: strings top to bottom, one palette key per pixel; bits: 4 or 24."""
    h, w = len(rows), len(rows[0])
    keys = list(palette)
    if bits == 4:
        stride = ((w * 4 + 31) // 32) * 4
        body = b""
        for row in reversed(rows):
            nib = [keys.index(c) for c in row] + [0]
            line = bytes((nib[i] << 4) | (nib[i + 1] if i + 1 < w else 0) for i in range(0, w, 2))
            body += line.ljust(stride, b"\0")
        pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette.values())
        pal = pal.ljust(16 * 4, b"\0")
        colors = 16
    else:
        stride = ((w * 24 + 31) // 32) * 4
        body = b""
        for row in reversed(rows):
            line = b"".join(struct.pack("<BBB", palette[c][2], palette[c][1], palette[c][0]) for c in row)
            body += line.ljust(stride, b"\0")
        pal, colors = b"", 0
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, len(body), 2835, 2835, colors, 0)
    with open(path, "wb") as f:
        f.write(header + info + pal + body)


def write_rgb_bmp(path, pixels):
    """pixels: rows top to bottom of (r, g, b) tuples; written as a 24-bit bitmap."""
    h, w = len(pixels), len(pixels[0])
    stride = ((w * 24 + 31) // 32) * 4
    body = b""
    for row in reversed(pixels):
        line = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in row)
        body += line.ljust(stride, b"\0")
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)
