#!/usr/bin/env python3
"""Draws the program's icon and hand pointer and writes them as .ico, .cur and .png.

The icon is also drawn at the larger sizes of the desktop's icon theme, as AppIcon-SIZE.png.

Run it from anywhere: `python3 resources/make_images.py [OUTPUT_DIR]`. The output is
byte-for-byte reproducible, and the test suite checks that the committed files match it.
"""
import math
import struct
import sys
import zlib
from pathlib import Path

SIZE = 32
HOT_SPOT = (12, 1)  # the fingertip of the pointing hand
ICON_SIZES = (32, 48, 64, 128, 256)  # the sizes of the desktop's icon theme


def icon_colour(x, y):
    """The RGBA colour of the icon at (x, y), in the 32-pixel drawing's pixel units."""
    cx, cy = x - 15.5, y - 15.5
    r = math.hypot(cx, cy)
    if r > 15.5:
        return (0, 0, 0, 0)
    shade = int(40 + 6 * (15.5 - r))
    colour = (10, 30, min(255, 90 + shade), 255)
    if r > 14.3:
        colour = (230, 230, 240, 255)  # light rim
    # Three waves spreading from the pin's head towards the upper right.
    wx, wy = x - 16, y - 12
    wr = math.hypot(wx, wy)
    if wx > 0 and wy < 0 and any(abs(wr - k) < 0.6 for k in (8.5, 11.0, 13.5)):
        colour = (255, 214, 0, 255)
    # The pin: a round head and a point below it.
    hx, hy = x - 15.5, y - 12.5
    if math.hypot(hx, hy) <= 6.2 or (12.5 <= y <= 26 and abs(hx) <= (26 - y) * 0.45):
        colour = (220, 30, 40, 255)
        if math.hypot(hx, hy) <= 2.3:
            colour = (255, 255, 255, 255)
    return colour


def icon_pixels(size=SIZE):
    """RGBA rows of a location pin under radio waves on a round night-blue badge.

    At 32 pixels each pixel takes the drawing's colour at its own point, as the 8-bit .ico
    needs; larger sizes average 4 x 4 points a pixel, which smooths the edges."""
    samples = 1 if size == SIZE else 4
    step = SIZE / size
    offsets = [((i + 0.5) / samples) * step - 0.5 for i in range(samples)]
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            points = [icon_colour(x * step + dx, y * step + dy) for dy in offsets for dx in offsets]
            alpha = sum(p[3] for p in points)
            if alpha == 0:
                row.append((0, 0, 0, 0))
                continue
            # Colours weighted by their opacity, so the transparent outside does not darken the rim.
            row.append(tuple(round(sum(p[c] * p[3] for p in points) / alpha) for c in range(3))
                       + (round(alpha / len(points)),))
        rows.append(row)
    return rows


def hand_pixels():
    """Palette indices of a hand pointing up: 0 transparent, 1 black, 2 white."""
    rects = [
        (11, 2, 13, 11),  # index finger, its tip under the hot spot
        (15, 6, 17, 11),  # middle finger
        (19, 7, 21, 11),  # ring finger
        (23, 9, 24, 11),  # little finger
        (7, 12, 24, 24),  # palm
        (3, 13, 6, 18),  # thumb
        (9, 25, 21, 29),  # wrist
    ]
    inside = {(x, y) for x0, y0, x1, y1 in rects for x in range(x0, x1 + 1) for y in range(y0, y1 + 1)}
    rows = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            if (x, y) in inside:
                row.append(2)
            elif any((x + dx, y + dy) in inside for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                row.append(1)
            else:
                row.append(0)
        rows.append(row)
    return rows


def dib(indices, palette, bits):
    """A BITMAPINFOHEADER image of palette indices with its AND mask (index 0 is transparent)."""
    colours = 1 << bits
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    pal += b"\0" * 4 * (colours - len(palette))
    xor = bytearray()
    mask = bytearray()
    for row in reversed(indices):  # bottom-up
        if bits == 8:
            xor += bytes(row)
        else:
            xor += bytes((row[i] << 4) | row[i + 1] for i in range(0, SIZE, 2))
        m = 0
        for x, index in enumerate(row):
            m = (m << 1) | (1 if index == 0 else 0)
        mask += m.to_bytes(4, "big")
    return header + pal + bytes(xor) + bytes(mask)


def directory(kind, colour_count, word1, word2, image):
    head = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, colour_count, 0, word1, word2, len(image), 6 + 16)
    return head + entry + image


def make_icon(rows):
    palette = [(0, 0, 0)]  # index 0: the transparent background
    indices = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            if a == 0:
                line.append(0)
                continue
            if (r, g, b) not in palette[1:]:
                palette.append((r, g, b))
            line.append(palette.index((r, g, b), 1))
        indices.append(line)
    assert len(palette) <= 256
    # One image of 8 bits per pixel; its entry gives 255 in the colour-count byte.
    return directory(1, 255, 1, 8, dib(indices, palette, 8))


def make_cursor(indices):
    palette = [(0, 0, 0), (0, 0, 0), (255, 255, 255)]
    return directory(2, 16, HOT_SPOT[0], HOT_SPOT[1], dib(indices, palette, 4))


def make_png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", *p) for p in row) for row in rows)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    out.mkdir(parents=True, exist_ok=True)
    rows = icon_pixels()
    (out / "AppIcon.ico").write_bytes(make_icon(rows))
    (out / "HandPointer.cur").write_bytes(make_cursor(hand_pixels()))
    # The desktop's icons: the 32-pixel one is the .ico's picture.
    for size in ICON_SIZES:
        (out / f"AppIcon-{size}.png").write_bytes(make_png(rows if size == SIZE else icon_pixels(size)))


if __name__ == "__main__":
    main()
