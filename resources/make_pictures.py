#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the program's pictures as PNG files beside this script.

resistor.png  the 192 x 57 resistor on which the band stripes are painted (24-bit)
mainicon.png  the 32 x 32 program icon, 16 colours with transparency
okglyph.png   the OK button's tick: an 18 x 18 cell, then its disabled form (16 colours,
              olive transparent)
icons/NxN/velto03.png  the icon drawn for each size a Linux desktop asks for, with all
              five bands distinct at every size; at 32 x 32 it is mainicon.png
icons/velto03.svg  the same drawing, scalable

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


ICON_COLOURS = {"body": "#C0C0C0", "yellow": "#FFFF00", "red": "#FF0000", "blue": "#0000FF",
                "white": "#FFFFFF", "magenta": "#FF00FF"}


def icon_shapes(size):
    """The icon at `size` pixels as rectangles (colour, left, top, right, bottom), drawn in
    order: leads, body with wider end caps, then the five bands, each band one pixel or
    more wide with body between. At 32 pixels this is MAINICON exactly."""
    band = max(1, size // 32)
    pitch = 2 * band
    centre = size // 2
    red = centre - 2 * pitch
    yellow = red - (2 * pitch if size >= 32 else pitch)
    left = yellow - (2 * band if size >= 32 else band)
    right = size - 1 - left
    cap = yellow + band - left                      # width of each end cap less one
    half = lambda eighths: max(1, int(eighths * size / 64 + 0.5))
    cap_rows, middle_rows, lead_rows = half(10), half(8), half(2)
    shapes = [("body", 0, centre - lead_rows, size - 1, centre + lead_rows - 1),
              ("body", left, centre - cap_rows, left + cap, centre + cap_rows - 1),
              ("body", right - cap, centre - cap_rows, right, centre + cap_rows - 1),
              ("body", left, centre - middle_rows, right, centre + middle_rows - 1),
              ("yellow", yellow, centre - cap_rows, yellow + band - 1, centre + cap_rows - 1)]
    for number, colour in enumerate(("red", "blue", "white", "magenta")):
        x = red + number * pitch
        shapes.append((colour, x, centre - middle_rows, x + band - 1, centre + middle_rows - 1))
    return shapes


def main_icon():
    names = ["clear"] + list(ICON_COLOURS)
    palette = [rgb("#000000")] + [rgb(ICON_COLOURS[name]) for name in names[1:]]
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        pixels = [[0] * size for _ in range(size)]
        for colour, x0, y0, x1, y1 in icon_shapes(size):
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    pixels[y][x] = names.index(colour)
        if size == 32:
            write_palette("mainicon.png", pixels, palette, 0)
        folder = os.path.join(HERE, "icons", "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        write_palette(os.path.join(folder, "velto03.png"), pixels, palette, 0)
    rects = "".join('  <rect x="%d" y="%d" width="%d" height="%d" fill="%s"/>\n'
                    % (x0, y0, x1 - x0 + 1, y1 - y0 + 1, ICON_COLOURS[colour])
                    for colour, x0, y0, x1, y1 in icon_shapes(32))
    with open(os.path.join(HERE, "icons", "velto03.svg"), "w") as out:
        out.write('<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32"'
                  ' shape-rendering="crispEdges">\n' + rects + "</svg>\n")


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


if __name__ == "__main__":
    resistor()
    main_icon()
    ok_glyph()
