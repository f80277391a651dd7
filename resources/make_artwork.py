#!/usr/bin/env python3
"""Draws the launcher's pictures, icon and cursors and writes them in the
exact formats the program uses:

  background.bmp    529 x 397, 16 bits per pixel (X1R5G5B5)
  smallpicture.bmp   81 x 65, 256 colours
  SorvelL.ico        32 x 32, 16 colours
  arrow1.cur         32 x 32, two colours, hot spot at the arrow's tip
  point.cur          32 x 32, two colours, hot spot at the finger's tip

and each of them drawn again 1.5 and 2 times as large, for screens of 144
and 192 DPI (the sizes rounded as the launcher rounds its layout):

  background_200.png                          1058 x 794 (at 144 DPI the
                                              launcher scales it down)
  smallpicture_150.png, smallpicture_200.png  122 x 98, 162 x 130
  SorvelL_150.ico, SorvelL_200.ico            48 x 48, 64 x 64, 16 colours
  arrow1_150.cur, arrow1_200.cur, point_150.cur, point_200.cur
                                              48 x 48, 64 x 64, two colours

The larger pictures are PNG files of 8-bit RGB, which keeps the program
small; the background keeps 64 levels of each colour, which its smooth
gradient shows no differently and which compresses far better.

Everything is drawn from geometry in this script (no image library): run
`python3 make_artwork.py [output folder]` to make the files again (a few
minutes).
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------------------
# Drawing on a float RGB canvas with anti-aliased shapes (signed distances).


class Canvas:
    """Pixels of a picture drawn at `scale` times its 1x size. Shapes, boxes and
    lines are given in the coordinates of the 1x picture."""

    def __init__(self, width, height, colour=(0.0, 0.0, 0.0), scale=1):
        self.scale = scale
        self.width = scaled(width, scale)
        self.height = scaled(height, scale)
        self.pixels = [[list(colour) for _ in range(self.width)] for _ in range(self.height)]

    def blend(self, x, y, colour, alpha):
        if alpha <= 0.0:
            return
        alpha = min(alpha, 1.0)
        pixel = self.pixels[y][x]
        for i in range(3):
            pixel[i] += (colour[i] - pixel[i]) * alpha

    def shade(self, distance, colour, alpha=1.0, box=None):
        """Fills where distance(x, y) < 0, with a one-pixel soft edge."""
        s = self.scale
        x0, y0, x1, y1 = (v * s for v in box) if box else (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                d = distance((x + 0.5) / s, (y + 0.5) / s) * s
                coverage = 0.5 - d
                if coverage > 0.0:
                    self.blend(x, y, colour, min(coverage, 1.0) * alpha)

    def gradient(self, top, bottom, left_tint=None):
        for y in range(self.height):
            t = y / (self.height - 1)
            row = [top[i] + (bottom[i] - top[i]) * t for i in range(3)]
            for x in range(self.width):
                colour = row
                if left_tint:
                    s = (1.0 - x / (self.width - 1)) ** 2
                    colour = [row[i] + (left_tint[i] - row[i]) * s * 0.35 for i in range(3)]
                self.pixels[y][x] = list(colour)

    def at_1x(self, p):
        """The 1x coordinate of the centre of pixel p, shifted so that a 1x
        canvas gives p itself."""
        return (p + 0.5) / self.scale - 0.5

    def rule(self, p, period, offset=0):
        """How much of pixel p lies on the one-pixel lines offset, offset +
        period, ... of the 1x picture, and the 1x position of that line."""
        s = self.scale
        a, b = p / s, (p + 1) / s
        start = offset + math.floor((a - offset) / period) * period
        best = (0.0, start)
        for line in (start, start + period):
            cover = max(0.0, min(b, line + 1) - max(a, line)) * s
            if cover > best[0]:
                best = (min(cover, 1.0), line)
        return best


def scaled(length, scale):
    """A 1x length at `scale`, rounded half away from zero, as the launcher
    scales its layout."""
    return int(math.floor(length * scale + 0.5))


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def segment(ax, ay, bx, by, width):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy

    def distance(x, y):
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2

    return distance


def polygon(points):
    """Signed distance to a convex or concave polygon (negative inside)."""
    n = len(points)

    def distance(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            best = min(best, math.hypot(x - ax - t * dx, y - ay - t * dy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / (by - ay):
                inside = not inside
        return -best if inside else best

    return distance


def outline(points, width):
    """The edges of a polygon as a stroke."""
    edges = [segment(*points[i], *points[(i + 1) % len(points)], width) for i in range(len(points))]
    return lambda x, y: min(e(x, y) for e in edges)


def half_disc(cx, cy, r):
    """The upper half of a disc (a protractor's shape)."""
    return lambda x, y: max(math.hypot(x - cx, y - cy) - r, y - cy)


def graph(f, slope, width):
    """The curve y = f(x) as a stroke."""
    return lambda x, y: abs(y - f(x)) / math.sqrt(1.0 + slope(x) ** 2) - width / 2


def bounds(points, margin=2):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return (min(xs) - margin, min(ys) - margin, max(xs) + margin, max(ys) + margin)


def rgb(hex_colour):
    return tuple(int(hex_colour[i : i + 2], 16) / 255.0 for i in (0, 2, 4))


# ---------------------------------------------------------------------------
# The background picture: graph paper at dusk, with the figures of school
# geometry and a curve or two.


def draw_background(scale=1):
    w, h = 529, 397
    c = Canvas(w, h, scale=scale)
    c.gradient(rgb("1b2a5a"), rgb("3f8f9a"), left_tint=rgb("5a3f8a"))

    # Graph paper: fine lines every 12 pixels, stronger every 48.
    fine, strong = rgb("cfe6ff"), rgb("e8f4ff")
    rows = [c.rule(y, 12) for y in range(c.height)]
    for x in range(c.width):
        across = c.rule(x, 12)
        for y in range(c.height):
            down = rows[y]
            if across[0] > 0 or down[0] > 0:
                major = (across[0] > 0 and across[1] % 48 == 0) or (down[0] > 0 and down[1] % 48 == 0)
                cover = max(across[0], down[0])
                c.blend(x, y, strong if major else fine, (0.22 if major else 0.08) * cover)

    # Coordinate axes with arrow heads.
    axis = rgb("f4f1de")
    ox, oy = 72, 300
    c.shade(segment(20, oy, w - 18, oy, 1.6), axis, 0.75, (18, oy - 3, w, oy + 3))
    c.shade(segment(ox, h - 14, ox, 18, 1.6), axis, 0.75, (ox - 3, 14, ox + 3, h))
    c.shade(polygon([(w - 10, oy), (w - 22, oy - 5), (w - 22, oy + 5)]), axis, 0.8,
            (w - 24, oy - 7, w - 8, oy + 7))
    c.shade(polygon([(ox, 10), (ox - 5, 22), (ox + 5, 22)]), axis, 0.8, (ox - 7, 8, ox + 7, 24))
    for k in range(1, 10):
        x = ox + 48 * k
        if x < w - 24:
            c.shade(segment(x, oy - 4, x, oy + 4, 1.2), axis, 0.6, (x - 2, oy - 6, x + 2, oy + 6))
    for k in range(1, 6):
        y = oy - 48 * k
        if y > 24:
            c.shade(segment(ox - 4, y, ox + 4, y, 1.2), axis, 0.6, (ox - 6, y - 2, ox + 6, y + 2))

    # A parabola and a sine wave over the axes.
    c.shade(graph(lambda x: oy - 230 + 0.0040 * (x - 300) ** 2,
                  lambda x: 0.0080 * (x - 300), 2.6), rgb("ffd166"), 0.85)
    c.shade(graph(lambda x: oy - 60 + 34 * math.sin((x - ox) / 30.0),
                  lambda x: 34 / 30.0 * math.cos((x - ox) / 30.0), 2.2), rgb("ef476f"), 0.8)

    # Pythagoras: a right triangle with the squares on its sides.
    a = (300.0, 205.0)   # right angle
    b = (372.0, 205.0)
    d = (300.0, 151.0)
    sq_b = [a, b, (b[0], b[1] + 72), (a[0], a[1] + 72)]
    sq_a = [a, d, (d[0] - 54, d[1]), (a[0] - 54, a[1])]
    ux, uy = b[0] - d[0], b[1] - d[1]
    sq_c = [d, b, (b[0] + uy, b[1] - ux), (d[0] + uy, d[1] - ux)]
    for square, colour in ((sq_b, "06d6a0"), (sq_a, "118ab2"), (sq_c, "ffd166")):
        c.shade(polygon(square), rgb(colour), 0.28, bounds(square))
        c.shade(outline(square, 1.4), rgb("ffffff"), 0.7, bounds(square))
    triangle = [a, b, d]
    c.shade(polygon(triangle), rgb("ffffff"), 0.35, bounds(triangle))
    c.shade(outline(triangle, 2.0), rgb("ffffff"), 0.95, bounds(triangle))
    mark = [(a[0], a[1] - 10), (a[0] + 10, a[1] - 10), (a[0] + 10, a[1])]
    c.shade(segment(*mark[0], *mark[1], 1.2), rgb("ffffff"), 0.9, bounds(mark))
    c.shade(segment(*mark[1], *mark[2], 1.2), rgb("ffffff"), 0.9, bounds(mark))

    # A circle with its radius and a marked angle.
    cx, cy, r = 150.0, 120.0, 62.0
    c.shade(circle(cx, cy, r), rgb("8ecae6"), 0.18, (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2))
    c.shade(ring(cx, cy, r, 2.2), rgb("e0fbfc"), 0.9, (cx - r - 3, cy - r - 3, cx + r + 3, cy + r + 3))
    angle = math.radians(35)
    px, py = cx + r * math.cos(angle), cy - r * math.sin(angle)
    c.shade(segment(cx, cy, px, py, 1.6), rgb("e0fbfc"), 0.9, bounds([(cx, cy), (px, py)]))
    c.shade(segment(cx, cy, cx + r, cy, 1.6), rgb("e0fbfc"), 0.9, bounds([(cx, cy), (cx + r, cy)]))
    arc = lambda x, y: max(abs(math.hypot(x - cx, y - cy) - 18) - 0.8,
                           -(math.atan2(cy - y, x - cx)), math.atan2(cy - y, x - cx) - angle)
    c.shade(arc, rgb("ffd166"), 0.95, (cx, cy - 20, cx + 20, cy + 2))
    c.shade(circle(cx, cy, 3.0), rgb("ffffff"), 1.0, (cx - 4, cy - 4, cx + 4, cy + 4))
    c.shade(circle(px, py, 3.0), rgb("ffd166"), 1.0, (px - 4, py - 4, px + 4, py + 4))

    # An equilateral triangle and a regular hexagon, outlined.
    tri = [(455 + 40 * math.cos(math.radians(90 + 120 * k)), 92 - 40 * math.sin(math.radians(90 + 120 * k)))
           for k in range(3)]
    c.shade(polygon(tri), rgb("ef476f"), 0.22, bounds(tri))
    c.shade(outline(tri, 1.8), rgb("ffc8d5"), 0.85, bounds(tri))
    hexagon = [(460 + 30 * math.cos(math.radians(60 * k)), 300 - 30 * math.sin(math.radians(60 * k)))
               for k in range(6)]
    c.shade(polygon(hexagon), rgb("06d6a0"), 0.2, bounds(hexagon))
    c.shade(outline(hexagon, 1.6), rgb("c7f9e5"), 0.85, bounds(hexagon))

    # Scattered points like marked coordinates.
    for x, y, colour in ((120, 252, "ffd166"), (168, 204, "ef476f"), (216, 156, "06d6a0"),
                         (408, 348, "8ecae6"), (264, 348, "ffffff")):
        c.shade(circle(x, y, 3.2), rgb(colour), 1.0, (x - 5, y - 5, x + 5, y + 5))

    # A soft light from the top left.
    for y in range(c.height):
        for x in range(c.width):
            glow = max(0.0, 1.0 - math.hypot(c.at_1x(x) - 40, c.at_1x(y) - 20) / 360.0)
            c.blend(x, y, (1.0, 1.0, 1.0), 0.16 * glow * glow)
    return c


# ---------------------------------------------------------------------------
# The small picture: a protractor and a pair of compasses on squared paper.


def draw_small_picture(scale=1):
    w, h = 81, 65
    c = Canvas(w, h, scale=scale)
    c.gradient(rgb("fdf6e3"), rgb("e9dcc0"))
    rows = [c.rule(y, 8, 4)[0] for y in range(c.height)]
    for x in range(c.width):
        across = c.rule(x, 8, 4)[0]
        for y in range(c.height):
            if across > 0 or rows[y] > 0:
                c.blend(x, y, rgb("8ab6d6"), 0.35 * max(across, rows[y]))

    # Protractor: a translucent half disc with a scale.
    cx, cy, r = 40.0, 58.0, 34.0
    box = (cx - r - 2, cy - r - 2, cx + r + 2, cy + 2)
    c.shade(half_disc(cx, cy, r), rgb("ffd166"), 0.55, box)
    c.shade(lambda x, y: max(abs(math.hypot(x - cx, y - cy) - r) - 0.7, y - cy), rgb("b5651d"), 1.0, box)
    c.shade(segment(cx - r, cy, cx + r, cy, 1.3), rgb("b5651d"), 1.0, box)
    c.shade(lambda x, y: max(abs(math.hypot(x - cx, y - cy) - 14) - 0.5, y - cy), rgb("b5651d"), 0.7, box)
    for k in range(0, 19):
        a = math.radians(10 * k)
        inner = r - (6 if k % 3 == 0 else 3.5)
        ax, ay = cx + inner * math.cos(a), cy - inner * math.sin(a)
        bx, by = cx + r * math.cos(a), cy - r * math.sin(a)
        c.shade(segment(ax, ay, bx, by, 0.9), rgb("7a3e0f"), 0.95, bounds([(ax, ay), (bx, by)]))

    # Compasses: two legs from a hinge, one with a pencil lead, drawing an arc.
    hx, hy = 52.0, 6.0
    needle, pencil = (40.0, 57.0), (71.0, 50.0)
    c.shade(lambda x, y: max(abs(math.hypot(x - needle[0], y - needle[1]) - 32) - 0.8,
                             -(x - 56), y - 54), rgb("d1495b"), 0.95, (52, 18, 81, 56))
    c.shade(segment(hx, hy, needle[0], needle[1] - 2, 3.0), rgb("5c677d"), 1.0, (36, 2, 56, 60))
    c.shade(segment(hx, hy, needle[0], needle[1] - 2, 1.2), rgb("c9d1dc"), 0.9, (36, 2, 56, 60))
    c.shade(segment(needle[0] + 0.0, needle[1] - 3, needle[0], needle[1] + 1, 1.0), rgb("1d1d1d"), 1.0,
            (37, 50, 43, 60))
    c.shade(segment(hx, hy, pencil[0] - 1.5, pencil[1] - 6, 3.0), rgb("5c677d"), 1.0, (48, 2, 76, 54))
    c.shade(segment(hx, hy, pencil[0] - 1.5, pencil[1] - 6, 1.2), rgb("c9d1dc"), 0.9, (48, 2, 76, 54))
    c.shade(segment(pencil[0] - 1.8, pencil[1] - 7, pencil[0], pencil[1], 2.2), rgb("ffb703"), 1.0,
            (66, 40, 76, 54))
    c.shade(segment(pencil[0] - 0.6, pencil[1] - 2.4, pencil[0], pencil[1], 1.2), rgb("2b2d42"), 1.0,
            (66, 44, 76, 54))
    c.shade(circle(hx, hy, 4.0), rgb("2b2d42"), 1.0, (46, 0, 58, 12))
    c.shade(circle(hx, hy, 1.8), rgb("edf2f4"), 1.0, (46, 0, 58, 12))
    c.shade(segment(hx, hy - 4, hx, 0, 2.4), rgb("2b2d42"), 1.0, (48, 0, 56, 4))
    return c


# ---------------------------------------------------------------------------
# Colour reduction.


def to_bytes(colour):
    return tuple(max(0, min(255, int(round(v * 255)))) for v in colour)


def median_cut(colours, count):
    """Reduces a list of RGB byte tuples to a palette of at most `count`."""
    boxes = [list(set(colours))]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(p[i] for p in b) - min(p[i] for p in b) for i in range(3)) if len(b) > 1 else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        channel = max(range(3), key=lambda i: max(p[i] for p in box) - min(p[i] for p in box))
        box.sort(key=lambda p: p[channel])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    palette = []
    for box in boxes:
        palette.append(tuple(sum(p[i] for p in box) // len(box) for i in range(3)))
    return palette


def nearest(palette, colour, cache):
    index = cache.get(colour)
    if index is None:
        index = min(range(len(palette)),
                    key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))
        cache[colour] = index
    return index


# ---------------------------------------------------------------------------
# File formats (all little-endian, rows bottom-up, rows padded to 4 bytes).

BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def info_header(width, height, bits, colours_used=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       colours_used, 0)


def bmp_file(info_and_bits, header_size):
    offset = 14 + header_size
    return struct.pack("<2sIHHI", b"BM", 14 + len(info_and_bits), 0, 0, offset) + info_and_bits


def bmp16(canvas):
    """16 bits per pixel, 5 bits per channel, ordered dithering against banding."""
    stride = (canvas.width * 2 + 3) // 4 * 4
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for x in range(canvas.width):
            threshold = (BAYER4[y % 4][x % 4] + 0.5) / 16.0
            parts = []
            for v in canvas.pixels[y][x]:
                level = max(0.0, min(1.0, v)) * 31.0
                base = int(level)
                parts.append(min(31, base + (1 if level - base > threshold else 0)))
            r, g, b = parts
            row += struct.pack("<H", (r << 10) | (g << 5) | b)
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    bits = b"".join(rows)
    header = info_header(canvas.width, canvas.height, 16, 0, len(bits))
    return bmp_file(header + bits, 40)


def bmp8(canvas):
    """256 colours: a median-cut palette of the picture's own colours."""
    colours = [to_bytes(p) for row in canvas.pixels for p in row]
    palette = median_cut(colours, 256)
    palette += [(0, 0, 0)] * (256 - len(palette))
    cache = {}
    stride = (canvas.width + 3) // 4 * 4
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytes(nearest(palette, to_bytes(p), cache) for p in canvas.pixels[y])
        rows.append(row + b"\0" * (stride - len(row)))
    bits = b"".join(rows)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = info_header(canvas.width, canvas.height, 8, 256, len(bits))
    return bmp_file(header + table + bits, 40 + len(table))


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def filtered_row(row, above):
    """The row under the PNG filter that leaves the smallest differences."""
    best = None
    for kind in range(5):
        out = bytearray([kind])
        for i, value in enumerate(row):
            a = row[i - 3] if i >= 3 else 0
            b = above[i]
            c = above[i - 3] if i >= 3 else 0
            guess = (0, a, b, (a + b) // 2, paeth(a, b, c))[kind]
            out.append((value - guess) & 0xFF)
        cost = sum(v if v < 128 else 256 - v for v in out[1:])
        if best is None or cost < best[0]:
            best = (cost, out)
    return bytes(best[1])


def png_rgb(canvas, levels=256):
    """8-bit RGB, each channel rounded to `levels` levels."""
    top = levels - 1
    rows, above = [], bytes(canvas.width * 3)
    for pixels in canvas.pixels:
        row = bytes(int(round(round(max(0.0, min(1.0, v)) * top) * 255 / top))
                    for p in pixels for v in p)
        rows.append(filtered_row(row, above))
        above = row

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) + chunk(b"IEND", b""))


def and_mask(opaque):
    """1 bit per pixel, set where the picture is transparent."""
    size = len(opaque)
    stride = (size + 31) // 32 * 4
    out = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            if not opaque[y][x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def icon_image(indices, opaque, palette, bits):
    size = len(indices)
    per_byte = 8 // bits
    stride = (size * bits + 31) // 32 * 4
    xor = bytearray()
    for y in range(size - 1, -1, -1):
        row = bytearray(stride)
        for x in range(size):
            shift = 8 - bits * (x % per_byte + 1)
            row[x // per_byte] |= indices[y][x] << shift
        xor += row
    mask = and_mask(opaque)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = info_header(size, size * 2, bits, len(palette), len(xor) + len(mask))
    return header + table + bytes(xor) + mask


def icon_file(image, size, colours, kind, hotspot=None):
    """An .ico (kind 1) or .cur (kind 2) file holding one image."""
    if kind == 1:
        planes, bit_count = 1, 4
    else:
        planes, bit_count = hotspot
    directory = struct.pack("<HHH", 0, kind, 1)
    entry = struct.pack("<BBBBHHII", size, size, colours if colours < 256 else 0, 0, planes,
                        bit_count, len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------------------------
# The application icon: a protractor and a set square on a teal tile, in the
# sixteen standard colours.

VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, TEAL, GRAY, RED, YELLOW, AQUA, WHITE = 0, 1, 6, 8, 9, 11, 14, 15


def draw_icon(scale=1):
    size = scaled(32, scale)
    indices = [[0] * size for _ in range(size)]
    opaque = [[False] * size for _ in range(size)]

    def tile(x, y):
        # Rounded square 1..30.
        qx, qy = max(abs(x - 16) - 11, 0), max(abs(y - 16) - 11, 0)
        return math.hypot(qx, qy) - 4

    protractor = half_disc(16, 26, 13.5)
    square = polygon([(4.5, 3.5), (4.5, 21.5), (15.5, 21.5)])
    hole = polygon([(7.5, 11.5), (7.5, 18.5), (11.5, 18.5)])
    for y in range(size):
        for x in range(size):
            px, py = (x + 0.5) / scale, (y + 0.5) / scale
            t = tile(px, py)
            if t > 0:
                continue
            opaque[y][x] = True
            colour = TEAL
            if t > -1.2:
                colour = BLACK
            elif t > -2.2:
                colour = AQUA if px + py < 32 else GRAY
            p = protractor(px, py)
            if p < 0:
                colour = YELLOW if p < -1.0 else BLACK
                a = math.degrees(math.atan2(26 - py, px - 16))
                dist = math.hypot(px - 16, py - 26)
                if 10.2 < dist < 12.6 and 10 < a < 170 and (a % 30 < 4 or a % 30 > 26):
                    colour = BLACK
                if dist < 5.5:
                    colour = TEAL if dist < 4.6 else BLACK
            if abs(py - 26) < 0.6 and 2.5 < px < 29.5:
                colour = BLACK
            s, hl = square(px, py), hole(px, py)
            if s < 0 and hl > 0:
                colour = RED if s < -0.9 and hl > 0.9 else MAROON
            if int(px) == 16 and int(py) == 26:
                colour = WHITE
            indices[y][x] = colour
    image = icon_image(indices, opaque, VGA16, 4)
    return icon_file(image, size, 16, 1)


# ---------------------------------------------------------------------------
# Cursors: '#' black, 'o' white, anything else transparent.

ARROW = """
#
##
#o#
#oo#
#ooo#
#oooo#
#ooooo#
#oooooo#
#ooooooo#
#oooooooo#
#ooooooooo#
#oooooooooo#
#ooooooo#####
#ooo#oo#
#oo# #oo#
#o#  #oo#
##    #oo#
#     #oo#
       #oo#
       #oo#
        ##
"""

POINT = """
      ##
     #oo#
     #oo#
     #oo#
     #oo#
     #oo###
     #oo#oo###
     #oo#oo#oo##
     #oo#oo#oo#o#
 ### #oo#oo#oo#oo#
 #oo##oooooooo#oo#
 #ooo#oooooooooooo#
  #oo#oooooooooooo#
   #oooooooooooooo#
   #ooooooooooooooo#
    #oooooooooooooo#
    #ooooooooooooo#
     #oooooooooooo#
     #ooooooooooo#
      #oooooooooo#
      #oooooooooo#
      ############
"""


def cursor_file(art, hotspot, scale=1):
    """The cursor drawn from `art`, each of its pixels taken `scale` times
    (nearest neighbour: a cursor has no colours between black and white)."""
    size = scaled(32, scale)
    lines = art.strip("\n").split("\n")
    indices = [[0] * size for _ in range(size)]
    opaque = [[False] * size for _ in range(size)]
    for y in range(size):
        line = lines[int((y + 0.5) / scale)] if int((y + 0.5) / scale) < len(lines) else ""
        for x in range(size):
            source = int((x + 0.5) / scale)
            ch = line[source] if source < len(line) else " "
            if ch in "#o":
                opaque[y][x] = True
                indices[y][x] = 1 if ch == "o" else 0
    image = icon_image(indices, opaque, [(0, 0, 0), (255, 255, 255)], 1)
    return icon_file(image, size, 2, 2, tuple(int(v * scale) for v in hotspot))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    files = {
        "background.bmp": lambda: bmp16(draw_background()),
        "smallpicture.bmp": lambda: bmp8(draw_small_picture()),
        "SorvelL.ico": draw_icon,
        "arrow1.cur": lambda: cursor_file(ARROW, (0, 0)),
        "point.cur": lambda: cursor_file(POINT, (6, 0)),
    }
    files["background_200.png"] = lambda: png_rgb(draw_background(2), 64)
    for percent in (150, 200):
        scale = percent / 100
        files.update({
            f"smallpicture_{percent}.png": lambda s=scale: png_rgb(draw_small_picture(s)),
            f"SorvelL_{percent}.ico": lambda s=scale: draw_icon(s),
            f"arrow1_{percent}.cur": lambda s=scale: cursor_file(ARROW, (0, 0), s),
            f"point_{percent}.cur": lambda s=scale: cursor_file(POINT, (6, 0), s),
        })
    for name, draw in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(draw())


if __name__ == "__main__":
    main()
