#!/usr/bin/env python3
"""Draws the launcher's "kitbem" icon, an open box that an arrow drops into, in the 16 colours
of the Windows palette, and writes it as windows/kitbem.ico (32 x 32 and 16 x 16, 4 bits per pixel) for
the Windows build and as linux/kitbem.png (32 x 32) for the Linux build.

Run from anywhere: python3 setup/icon/make_kitbem_icon.py; the files land in setup/windows and setup/linux.
"""
import os
import struct
import zlib

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, GRAY, YELLOW, AQUA, TEAL, WHITE = 0, 3, 8, 11, 14, 6, 15
CLEAR = None


def inside_polygon(x, y, points):
    """Even-odd test of the point (x, y) against a polygon given in a 32-unit square."""
    hit = False
    j = len(points) - 1
    for i, (xi, yi) in enumerate(points):
        xj, yj = points[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            hit = not hit
        j = i
    return hit


# Shapes in a 32-unit square, painted in order: (colour, polygon).
SHAPES = [
    # back flap of the open box
    (OLIVE, [(6, 12), (26, 12), (29, 8), (9, 8)]),
    # the arrow's shaft and head, dropping into the box
    (TEAL, [(13, 1), (19, 1), (19, 10), (24, 10), (16, 19), (8, 10), (13, 10)]),
    (AQUA, [(14, 2), (18, 2), (18, 11), (21.5, 11), (16, 17.5), (10.5, 11), (14, 11)]),
    # front of the box, and its left and right flaps folded open
    (BLACK, [(5, 14), (27, 14), (27, 31), (5, 31)]),
    (YELLOW, [(6, 15), (26, 15), (26, 30), (6, 30)]),
    (OLIVE, [(6, 26), (26, 26), (26, 30), (6, 30)]),
    (BLACK, [(5, 14), (1, 20), (7, 20), (8.5, 14)]),
    (YELLOW, [(5.5, 15), (2.5, 19), (6.5, 19), (7.5, 15)]),
    (BLACK, [(27, 14), (31, 20), (25, 20), (23.5, 14)]),
    (YELLOW, [(26.5, 15), (29.5, 19), (25.5, 19), (24.5, 15)]),
    # a label on the front
    (WHITE, [(11, 19), (21, 19), (21, 23), (11, 23)]),
    (GRAY, [(12, 20.5), (20, 20.5), (20, 21.5), (12, 21.5)]),
]


# The same picture drawn by hand for 16 x 16, where the shapes above come out ragged.
SMALL = [
    "................",
    "......CAAC......",
    "......CAAC......",
    "......CAAC......",
    "...OOCCAACCOO...",
    "....CAAAAAAC....",
    ".....CAAAAC.....",
    "......CAAC......",
    ".KKKKKKCCKKKKKK.",
    ".KYYYYYYYYYYYYK.",
    ".KYYWWWWWWWWYYK.",
    ".KYYWGGGGGGWYYK.",
    ".KYYWWWWWWWWYYK.",
    ".KYYYYYYYYYYYYK.",
    ".KOOOOOOOOOOOOK.",
    ".KKKKKKKKKKKKKK.",
]
SMALL_COLOURS = {".": CLEAR, "K": BLACK, "Y": YELLOW, "O": OLIVE, "C": TEAL, "A": AQUA,
                 "W": WHITE, "G": GRAY}


def draw_small():
    return [[SMALL_COLOURS[c] for c in row] for row in SMALL]


def draw(size):
    """Rows of palette indexes (or CLEAR), top row first, sampled at pixel centres."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = (px + 0.5) * scale, (py + 0.5) * scale
            colour = CLEAR
            for shape_colour, points in SHAPES:
                if inside_polygon(x, y, points):
                    colour = shape_colour
            row.append(colour)
        rows.append(row)
    return rows


def ico_image(rows):
    size = len(rows)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         (xor_stride + and_stride) * size, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_bits = b""
    and_bits = b""
    for row in reversed(rows):  # bottom-up
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, colour in enumerate(row):
            index = 0 if colour is CLEAR else colour
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            if colour is CLEAR:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_bits += bytes(line)
        and_bits += bytes(mask)
    return header + palette + xor_bits + and_bits


def write_ico(path, images):
    count = len(images)
    offset = 6 + 16 * count
    directory = struct.pack("<HHH", 0, 1, count)
    data = b""
    for rows in images:
        body = ico_image(rows)
        size = len(rows)
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(body),
                                 offset + len(data))
        data += body
    with open(path, "wb") as out:
        out.write(directory + data)


def write_png(path, rows):
    size = len(rows)
    raw = b""
    for row in rows:
        raw += b"\x00"
        for colour in row:
            raw += bytes((0, 0, 0, 0)) if colour is CLEAR else bytes(PALETTE[colour] + (255,))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n" +
           chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
           chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
    with open(path, "wb") as out:
        out.write(png)


def main():
    setup = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    big, small = draw(32), draw_small()
    write_ico(os.path.join(setup, "windows", "kitbem.ico"), [big, small])
    write_png(os.path.join(setup, "linux", "kitbem.png"), big)


if __name__ == "__main__":
    main()
