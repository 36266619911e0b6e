#!/usr/bin/env python3
"""Draws the program's pictures as PNG files beside this script.

resistor.png  the 192 x 57 resistor on which the band stripes are painted (24-bit)
mainicon.png  the 32 x 32 program icon, 16 colours with transparency
okglyph.png   the OK button's tick: an 18 x 18 cell, then its disabled form (16 colours,
              olive transparent)
icons/NxN/velto03.png  the icon at the sizes a Linux desktop asks for, scaled from
              mainicon.png pixel by pixel

Run it again after changing a drawing; it needs only the Python standard library.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


def rgb(hex_colour):
    return tuple(int(hex_colour[i:i + 2], 16) for i in (1, 3, 5))


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(name, width, height, colour_type, depth, rows, extra=b""):
    raw = b"".join(b"\x00" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 0)
    with open(os.path.join(HERE, name), "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra
                  + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_rgb(name, pixels):
    rows = [b"".join(bytes(p) for p in row) for row in pixels]
    write_png(name, len(pixels[0]), len(pixels), 2, 8, rows)


def write_palette(name, pixels, palette, transparent):
    """pixels hold palette indices; index `transparent` is see-through."""
    assert len(palette) <= 16
    rows = []
    for row in pixels:
        packed = bytearray()
        for x in range(0, len(row), 2):
            packed.append(row[x] << 4 | (row[x + 1] if x + 1 < len(row) else 0))
        rows.append(bytes(packed))
    plte = chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    trns = chunk(b"tRNS", bytes(0 if i == transparent else 255 for i in range(len(palette))))
    write_png(name, len(pixels[0]), len(pixels), 3, 4, rows, plte + trns)


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def body_colour(row):
    """The body's shading: light along its top (row 14) to dark along its bottom (row 41)."""
    stops = [(14, rgb("#DCDDC1")), (23, rgb("#C6C89B")), (32, rgb("#C2C596")), (41, rgb("#B4B77B"))]
    for (r0, c0), (r1, c1) in zip(stops, stops[1:]):
        if row <= r1:
            return blend(c0, c1, max(0, row - r0) / (r1 - r0))
    return stops[-1][1]


def body_rows(column):
    """The rows the resistor's body covers in a column, or None off the body."""
    if 18 <= column <= 20 or column == 173:
        return 26, 29                      # body-coloured lead ends
    left_taper = {21: (24, 31), 22: (22, 33), 23: (20, 35), 24: (18, 37), 25: (16, 39)}
    right_taper = {172: (25, 30), 171: (23, 32), 170: (21, 34), 169: (19, 36), 168: (17, 38),
                   167: (15, 40)}
    if column in left_taper:
        return left_taper[column]
    if column in right_taper:
        return right_taper[column]
    if 26 <= column <= 44 or 148 <= column <= 166:
        return 14, 41                      # end caps at full width
    if 45 <= column <= 47 or 145 <= column <= 147:
        return 15, 40                      # shoulders down to the middle section
    if 48 <= column <= 144:
        return 16, 39                      # middle section, under the stripes
    return None


def resistor():
    slate, lead = rgb("#515860"), rgb("#B5B5B5")
    pixels = [[slate] * 192 for _ in range(57)]
    for x in range(192):
        rows = body_rows(x)
        if rows:
            for y in range(rows[0], rows[1] + 1):
                pixels[y][x] = body_colour(y)
        elif x <= 17 or x >= 174:
            for y in range(26, 30):
                pixels[y][x] = lead
    write_rgb("resistor.png", pixels)


def main_icon():
    palette = [rgb(c) for c in ("#000000", "#C0C0C0", "#FFFF00", "#FF0000", "#0000FF", "#FFFFFF",
                                "#FF00FF")]
    clear, body, yellow, red, blue, white, magenta = range(7)
    pixels = [[clear] * 32 for _ in range(32)]
    for x in range(32):
        for y in (15, 16):
            pixels[y][x] = body                               # leads, edge to edge
    for x in range(6, 26):
        top, bottom = (11, 20) if x <= 9 or x >= 22 else (12, 19)   # wider end caps
        for y in range(top, bottom + 1):
            pixels[y][x] = body
    for y in range(11, 21):
        pixels[y][8] = yellow
    for x, colour in ((12, red), (14, blue), (16, white), (18, magenta)):
        for y in range(12, 20):
            pixels[y][x] = colour
    write_palette("mainicon.png", pixels, palette, clear)
    scaled_icons(pixels, palette, clear)


def tick_mask():
    """The tick's body: a short stroke down to its foot, a long one up to the right."""
    strokes = [((3.0, 9.0), (7.0, 13.0)), ((7.0, 13.0), (15.0, 3.0))]

    def distance(px, py, a, b):
        (ax, ay), (bx, by) = a, b
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
        return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5

    return [[any(distance(x, y, a, b) <= 1.3 for a, b in strokes) for x in range(18)] for y in range(18)]


def ok_glyph():
    palette = [rgb(c) for c in ("#808000", "#008000", "#00FF00", "#000080", "#808080", "#FFFFFF")]
    olive, green, lime, navy, grey, white = range(6)
    body = tick_mask()

    def inside(x, y):
        return 0 <= x < 18 and 0 <= y < 18 and body[y][x]

    pixels = [[olive] * 36 for _ in range(18)]
    for y in range(18):
        for x in range(18):
            if body[y][x]:
                pixels[y][x] = green
                edge = not all(inside(x + dx, y + dy) for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
                if edge:
                    pixels[y][18 + x] = grey                      # disabled: grey outline
                    if 18 + x + 1 < 36 and y + 1 < 18 and not inside(x + 1, y + 1):
                        pixels[y + 1][18 + x + 1] = white         # with white relief
            elif inside(x + 1, y + 1) or inside(x + 1, y) or inside(x, y + 1):
                pixels[y][x] = lime                               # lit upper-left edge
            elif inside(x - 1, y - 1) or inside(x - 1, y) or inside(x, y - 1):
                pixels[y][x] = navy                               # shadow lower right
    write_palette("okglyph.png", pixels, palette, olive)


def scaled_icons(indices, palette, transparent):
    """The icon at each desktop size, nearest pixel, as 8-bit RGBA."""
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        rows = []
        for y in range(size):
            row = bytearray()
            for x in range(size):
                index = indices[y * 32 // size][x * 32 // size]
                row += bytes(palette[index]) + (b"\x00" if index == transparent else b"\xff")
            rows.append(bytes(row))
        folder = os.path.join(HERE, "icons", "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "velto03.png"), size, size, 6, 8, rows)


if __name__ == "__main__":
    resistor()
    main_icon()
    ok_glyph()
