"""Draws the range slider's part pictures (resources/windows/seek_*.bmp) and the clip editor's play and
pause pictures (clip_*.bmp), 24-bit."""
import os
import sys

sys.path.insert(0, os.path.dirname(__file__))
from bmp_writer import write_bmp  # noqa: E402

OUT = os.path.join(os.path.dirname(__file__), "..", "resources", "windows")

PALETTE = {
    "k": (32, 32, 36),     # outline
    "d": (70, 72, 78),     # groove
    "m": (112, 116, 124),  # frame face
    "l": (196, 200, 206),  # light face
    "w": (240, 242, 245),  # highlight
    "b": (58, 120, 200),   # selection
    "c": (110, 164, 230),  # selection highlight
    "o": (240, 140, 30),   # marker
    "r": (150, 80, 10),    # marker edge
}


def client():
    # The frame's face: a soft vertical shade.
    shades = "wwllllllllllllllllllmmm"
    return [shades[y] * 8 for y in range(23)]


def track():
    rows = ["k" * 16]
    rows += ["k" + "d" * 14 + "k" for _ in range(14)]
    rows += ["k" * 16]
    return rows


def selection():
    rows = ["k" * 16, "c" * 16]
    rows += ["b" * 16 for _ in range(12)]
    rows += ["c" * 16, "k" * 16]
    return rows


def thumb(mirror):
    # A bracket: the inner edge (the one that marks the value) is the straight dark line.
    rows = ["kkkkkkk"] + ["kwlllmk" for _ in range(17)] + ["kkkkkkk"]
    rows = [r[:-2] + "kk" if i not in (0, 18) else r for i, r in enumerate(rows)]
    return [r[::-1] for r in rows] if mirror else rows


def marker():
    rows = ["rrrrrrrrrr", "rooooooooor"[:10], "rroooooorr", "rrroooorrr"]
    rows += ["rrrrooorrr"[:10] for _ in range(1)]
    rows += ["kkkrookkkk"[:10] for _ in range(17)]
    return [(r + "k" * 10)[:10] for r in rows][:22]


def play_button(kind):
    # A round-cornered dark key with a white triangle (play) or two white bars (pause).
    rows = []
    for y in range(22):
        row = ""
        for x in range(22):
            corner = (x in (0, 21) and y in (0, 1, 20, 21)) or (y in (0, 21) and x in (1, 20))
            if corner:
                row += "l"
            elif x in (0, 21) or y in (0, 21):
                row += "k"
            elif kind == "play" and 7 <= x <= 16 and abs(y - 10.5) <= (x - 6) * 0.55:
                row += "w"
            elif kind == "pause" and 6 <= y <= 15 and (6 <= x <= 9 or 12 <= x <= 15):
                row += "w"
            else:
                row += "d"
        rows.append(row)
    return rows


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, rows in (("seek_client", client()), ("seek_track", track()), ("seek_sel", selection()),
                       ("seek_start", thumb(False)), ("seek_end", thumb(True)), ("seek_position", marker()),
                       ("clip_play", play_button("play")), ("clip_pause", play_button("pause"))):
        write_bmp(os.path.join(OUT, name + ".bmp"), rows, PALETTE, 24)


if __name__ == "__main__":
    main()
