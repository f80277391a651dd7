#!/usr/bin/env python3
"""Draws a 32 x 32 icon for one sample program: a coloured tile with a shape."""
import math
import struct
import sys

SHAPES = ("circle", "triangle", "plus", "bars", "wave", "square")


def inside(shape, x, y):
    cx, cy = x - 15.5, y - 15.5
    if shape == "circle":
        return 6 <= math.hypot(cx, cy) <= 10
    if shape == "triangle":
        return y >= 7 and y <= 24 and abs(cx) <= (y - 7) * 0.55
    if shape == "plus":
        return (abs(cx) <= 2.5 and abs(cy) <= 10) or (abs(cy) <= 2.5 and abs(cx) <= 10)
    if shape == "bars":
        return 6 <= x <= 25 and y >= 24 - ((x - 6) // 5 + 1) * 4 and (x - 6) % 5 < 4 and y <= 25
    if shape == "wave":
        return abs(cy + 7 * math.sin(cx / 3.5)) <= 1.8 and abs(cx) <= 12
    return 8 <= x <= 23 and 8 <= y <= 23 and not (11 <= x <= 20 and 11 <= y <= 20)


def icon(colour, shape):
    r, g, b = colour
    rows = []
    for y in range(31, -1, -1):  # bottom-up
        row = b""
        for x in range(32):
            edge = x in (0, 31) or y in (0, 31)
            if inside(shape, x, y):
                px = (255, 255, 255)
            elif edge:
                px = (r // 2, g // 2, b // 2)
            else:
                shade = 1.0 - 0.25 * y / 31
                px = (int(r * shade), int(g * shade), int(b * shade))
            row += struct.pack("<BBBB", px[2], px[1], px[0], 255)
        rows.append(row)
    pixels = b"".join(rows)
    mask = b"\x00" * (4 * 32)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 1, 32, len(image), 22) + image


if __name__ == "__main__":
    out, index = sys.argv[1], int(sys.argv[2])
    colours = [(200, 60, 60), (40, 120, 200), (40, 150, 80), (210, 140, 30), (130, 70, 180), (60, 150, 160)]
    with open(out, "wb") as f:
        f.write(icon(colours[index % len(colours)], SHAPES[index % len(SHAPES)]))
