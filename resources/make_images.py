#!/usr/bin/env python3
"""Draws Kestrune's toolbar and row image strips and its program icon, and writes them
as 24-bit BMP strips (black is transparent), a PNG icon and a Windows ICO file.

Standard library only. Every picture is made of a few geometric shapes, rendered with
4 x 4 supersampling. Run it from anywhere; it writes next to itself:

    images/FORMP3_IMAGELIST.bmp     six 24 x 24 toolbar images in one strip
    images/FORMP3_IMAGELISTIN.bmp   three 16 x 16 list-row images in one strip
    icons/kestrune.png              the program icon, 128 x 128
    icons/hicolor/NxN/kestrune.png  the program icon for Linux desktops, 16 to 256
    icons/kestrune.ico              the program icon for Windows: 16, 32, 48 and 256
    help/images/*.png               the buttons and row marks, for the help pages

With --preview FOLDER it also writes enlarged PNG previews there for a visual check.
"""

import argparse
import math
import os
import struct
import zlib

SUPERSAMPLING = 4

# ---------------------------------------------------------------------------
# Shapes: each answers whether a point (in design units) lies inside it.


class Shape:
    def bbox(self):
        raise NotImplementedError

    def contains(self, x, y):
        raise NotImplementedError


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r


class Ellipse(Shape):
    """An ellipse turned by `angle` degrees (clockwise on screen, y points down)."""

    def __init__(self, cx, cy, rx, ry, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.cos = math.cos(math.radians(angle))
        self.sin = math.sin(math.radians(angle))

    def bbox(self):
        r = max(self.rx, self.ry)
        return (self.cx - r, self.cy - r, self.cx + r, self.cy + r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.cos + dy * self.sin
        v = -dx * self.sin + dy * self.cos
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


class Polygon(Shape):
    def __init__(self, points):
        self.points = points

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside


def Rect(x0, y0, x1, y1):
    return Polygon([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


class RoundRect(Shape):
    def __init__(self, x0, y0, x1, y1, radius):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, radius

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)

    def contains(self, x, y):
        if not (self.x0 <= x <= self.x1 and self.y0 <= y <= self.y1):
            return False
        qx = min(max(x, self.x0 + self.r), self.x1 - self.r)
        qy = min(max(y, self.y0 + self.r), self.y1 - self.r)
        return (x - qx) ** 2 + (y - qy) ** 2 <= self.r * self.r


class Stroke(Shape):
    """A line of the given width with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0, self.x1, self.y1 = x0, y0, x1, y1
        self.half = width / 2.0

    def bbox(self):
        h = self.half
        return (min(self.x0, self.x1) - h, min(self.y0, self.y1) - h,
                max(self.x0, self.x1) + h, max(self.y0, self.y1) + h)

    def contains(self, x, y):
        dx, dy = self.x1 - self.x0, self.y1 - self.y0
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else ((x - self.x0) * dx + (y - self.y0) * dy) / length2
        t = min(max(t, 0.0), 1.0)
        px, py = self.x0 + t * dx, self.y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= self.half * self.half


class Arc(Shape):
    """A ring sector from angle `start` to `end` (degrees, clockwise from 3 o'clock)."""

    def __init__(self, cx, cy, r, width, start, end):
        self.cx, self.cy, self.r, self.half = cx, cy, r, width / 2.0
        self.start, self.sweep = start, end - start

    def bbox(self):
        e = self.r + self.half
        return (self.cx - e, self.cy - e, self.cx + e, self.cy + e)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        if abs(math.hypot(dx, dy) - self.r) > self.half:
            return False
        angle = math.degrees(math.atan2(dy, dx))
        return (angle - self.start) % 360.0 <= self.sweep


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)


class Difference(Shape):
    def __init__(self, shape, hole):
        self.shape, self.hole = shape, hole

    def bbox(self):
        return self.shape.bbox()

    def contains(self, x, y):
        return self.shape.contains(x, y) and not self.hole.contains(x, y)


class Dilate(Shape):
    """The shape grown by `width` in every direction; used to draw outlines."""

    def __init__(self, shape, width):
        self.shape, self.width = shape, width
        self.offsets = [(0.0, 0.0)]
        for radius, count in ((width, 16), (width / 2.0, 8)):
            for k in range(count):
                a = 2.0 * math.pi * k / count
                self.offsets.append((radius * math.cos(a), radius * math.sin(a)))

    def bbox(self):
        x0, y0, x1, y1 = self.shape.bbox()
        w = self.width
        return (x0 - w, y0 - w, x1 + w, y1 + w)

    def contains(self, x, y):
        return any(self.shape.contains(x + dx, y + dy) for dx, dy in self.offsets)


# ---------------------------------------------------------------------------
# Canvas: supersampled premultiplied RGBA, drawn in design units.


class Canvas:
    def __init__(self, width, height, design_width=None):
        self.width, self.height = width, height
        self.sw, self.sh = width * SUPERSAMPLING, height * SUPERSAMPLING
        self.step = (design_width or width) / float(self.sw)
        self.data = [0.0] * (self.sw * self.sh * 4)

    def fill(self, shape, colour, opacity=1.0):
        x0, y0, x1, y1 = shape.bbox()
        i0 = max(0, int(x0 / self.step) - 1)
        i1 = min(self.sw, int(x1 / self.step) + 2)
        j0 = max(0, int(y0 / self.step) - 1)
        j1 = min(self.sh, int(y1 / self.step) + 2)
        r, g, b = (c / 255.0 * opacity for c in colour)
        keep = 1.0 - opacity
        d = self.data
        for j in range(j0, j1):
            y = (j + 0.5) * self.step
            for i in range(i0, i1):
                if shape.contains((i + 0.5) * self.step, y):
                    k = (j * self.sw + i) * 4
                    d[k] = r + d[k] * keep
                    d[k + 1] = g + d[k + 1] * keep
                    d[k + 2] = b + d[k + 2] * keep
                    d[k + 3] = opacity + d[k + 3] * keep

    def outlined(self, shape, colour, outline, width):
        self.fill(Dilate(shape, width), outline)
        self.fill(shape, colour)

    def pixels(self):
        """Rows of (r, g, b, a) with r, g, b in 0..255 (not premultiplied), a in 0..1."""
        n = SUPERSAMPLING * SUPERSAMPLING
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                acc = [0.0, 0.0, 0.0, 0.0]
                for sy in range(SUPERSAMPLING):
                    base = ((y * SUPERSAMPLING + sy) * self.sw + x * SUPERSAMPLING) * 4
                    for sx in range(SUPERSAMPLING):
                        k = base + sx * 4
                        for c in range(4):
                            acc[c] += self.data[k + c]
                a = acc[3] / n
                if a <= 0.0:
                    row.append((0, 0, 0, 0.0))
                else:
                    row.append(tuple(min(255, round(acc[c] / n / a * 255)) for c in range(3))
                               + (min(a, 1.0),))
            rows.append(row)
        return rows


def side_by_side(images):
    return [sum((img[y] for img in images), []) for y in range(len(images[0]))]


def keyed_on_black(rows):
    """Hard-edged pixels for a strip whose black means transparent: a pixel at least half
    covered is opaque, and a drawn colour never comes out as pure black."""
    out = []
    for row in rows:
        line = []
        for r, g, b, a in row:
            if a < 0.5:
                line.append((0, 0, 0))
            else:
                line.append((r, g, b) if (r, g, b) != (0, 0, 0) else (1, 1, 1))
        out.append(line)
    return out


# ---------------------------------------------------------------------------
# Palette and recurring motifs.

OUTLINE = (40, 44, 52)
WHITE = (255, 255, 255)
PAPER_SHADE = (214, 222, 232)
TEXT_LINE = (150, 170, 200)
BLUE = (36, 104, 214)
BLUE_LIGHT = (96, 160, 240)
NAVY = (20, 50, 120)
GREEN = (40, 170, 60)
GREEN_DARK = (20, 100, 30)
RED = (220, 40, 40)
RED_DARK = (130, 16, 16)
YELLOW = (252, 206, 80)
YELLOW_DARK = (214, 156, 30)
ORANGE = (240, 130, 30)
GREY = (150, 150, 158)
STEEL = (170, 178, 190)
STEEL_DARK = (90, 98, 110)
ICON_BACK = (166, 202, 240)


def beamed_notes(x, y, k, ky=None):
    """Two quavers joined by a beam, in a box about 12k wide and 12ky high at (x, y);
    a ky smaller than k gives squashed notes."""
    ky = ky or k
    return Union(
        Ellipse(x + 2.6 * k, y + 10.0 * ky, 2.7 * k, 1.9 * ky, -25 * ky / k),
        Ellipse(x + 9.6 * k, y + 8.8 * ky, 2.7 * k, 1.9 * ky, -25 * ky / k),
        Rect(x + 4.2 * k, y + 1.6 * ky, x + 4.2 * k + 1.2 * ky, y + 9.8 * ky),
        Rect(x + 12.4 * k - 1.2 * ky, y + 0.4 * ky, x + 12.4 * k, y + 8.6 * ky),
        Polygon([(x + 4.2 * k, y + 1.6 * ky), (x + 12.4 * k, y + 0.0 * ky),
                 (x + 12.4 * k, y + 2.6 * ky), (x + 4.2 * k, y + 4.2 * ky)]),
    )


def quaver(x, y, k):
    """One note with a flag, in a box about 9k wide and 12k high at (x, y)."""
    return Union(
        Ellipse(x + 3.0 * k, y + 9.8 * k, 3.0 * k, 2.1 * k, -25),
        Rect(x + 4.9 * k, y + 0.3 * k, x + 6.1 * k, y + 9.6 * k),
        Polygon([(x + 4.9 * k, y + 0.3 * k), (x + 6.1 * k, y + 0.3 * k), (x + 7.0 * k, y + 2.0 * k),
                 (x + 9.0 * k, y + 3.6 * k), (x + 9.6 * k, y + 6.4 * k), (x + 8.6 * k, y + 8.6 * k),
                 (x + 8.5 * k, y + 6.2 * k), (x + 7.4 * k, y + 4.6 * k), (x + 6.1 * k, y + 4.0 * k)]),
    )


def plus(cx, cy, size, bar):
    h, b = size / 2.0, bar / 2.0
    return Union(Rect(cx - h, cy - b, cx + h, cy + b), Rect(cx - b, cy - h, cx + b, cy + h))


def cross(cx, cy, size, width):
    h = size / 2.0
    return Union(Stroke(cx - h, cy - h, cx + h, cy + h, width),
                 Stroke(cx - h, cy + h, cx + h, cy - h, width))


def tick(cx, cy, size, width):
    h = size / 2.0
    return Union(Stroke(cx - h, cy, cx - h * 0.25, cy + h * 0.7, width),
                 Stroke(cx - h * 0.25, cy + h * 0.7, cx + h, cy - h * 0.8, width))


def sheet(x0, y0, x1, y1, fold):
    """A page with its top-right corner folded; returns (page, fold triangle)."""
    page = Polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    corner = Polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    return page, corner


def arrow_down(cx, top, bottom, shaft, head):
    """A downward arrow whose tip is at `bottom`; an upward one when bottom < top."""
    direction = 1.0 if bottom > top else -1.0
    neck = bottom - direction * head * 0.9
    return Union(
        Rect(cx - shaft / 2.0, min(top, neck), cx + shaft / 2.0, max(top, neck)),
        Polygon([(cx - head / 2.0 - shaft / 2.0, neck), (cx + head / 2.0 + shaft / 2.0, neck),
                 (cx, bottom)]),
    )


# ---------------------------------------------------------------------------
# The toolbar strip: 0 help, 1 new list, 2 delete row, 3 compress, 4 unused, 5 add files.


def draw_help():
    c = Canvas(24, 24)
    c.outlined(Circle(12, 12, 10.4), BLUE, NAVY, 1.0)
    c.fill(Circle(11.2, 10.6, 8.0), BLUE_LIGHT, 0.35)
    question = Union(
        Arc(12, 8.8, 3.6, 2.8, 180, 430),
        Stroke(13.2, 12.2, 12.0, 13.6, 2.8),
        Stroke(12.0, 13.6, 12.0, 14.6, 2.8),
        Circle(12, 18.6, 1.7),
    )
    c.fill(question, WHITE)
    return c.pixels()


def draw_new_list():
    c = Canvas(24, 24)
    page, corner = sheet(4, 1.5, 19, 22.5, 5)
    c.outlined(page, WHITE, OUTLINE, 1.0)
    c.outlined(corner, PAPER_SHADE, OUTLINE, 0.7)
    for y in (9.5, 12.5, 15.5):
        c.fill(Rect(7, y - 0.6, 14, y + 0.6), TEXT_LINE)
    c.outlined(plus(17.5, 17.5, 9.0, 3.2), GREEN, GREEN_DARK, 1.0)
    return c.pixels()


def draw_delete_row():
    c = Canvas(24, 24)
    page, corner = sheet(2.5, 1.5, 17.5, 22.5, 5)
    c.outlined(page, WHITE, OUTLINE, 1.0)
    c.outlined(corner, PAPER_SHADE, OUTLINE, 0.7)
    for y in (6.5, 10.0, 13.5):
        c.fill(Rect(5, y - 0.6, 12, y + 0.6), TEXT_LINE)
    c.outlined(cross(16.5, 16.5, 7.5, 3.0), RED, RED_DARK, 1.0)
    return c.pixels()


def draw_compress():
    c = Canvas(24, 24)
    # A press: the upper jaw pushed down by an arrow onto a squat note on the base.
    c.outlined(arrow_down(12, 0.4, 8.6, 3.4, 5.6), ORANGE, (150, 70, 10), 0.9)
    c.outlined(RoundRect(2, 8.6, 22, 11.0, 1), STEEL, STEEL_DARK, 0.8)
    c.outlined(beamed_notes(4.6, 11.8, 1.18, 0.68), BLUE, NAVY, 0.8)
    c.outlined(RoundRect(2, 20.4, 22, 23, 1), STEEL, STEEL_DARK, 0.8)
    return c.pixels()


def draw_unused():
    return Canvas(24, 24).pixels()


def draw_add_files():
    c = Canvas(24, 24)
    back = Polygon([(1.5, 4), (8.5, 4), (10.5, 6.5), (20.5, 6.5), (20.5, 20.5), (1.5, 20.5)])
    c.outlined(back, YELLOW_DARK, OUTLINE, 1.0)
    front = Polygon([(1.5, 20.5), (4.0, 10), (22.5, 10), (20.5, 20.5)])
    c.outlined(front, YELLOW, OUTLINE, 1.0)
    c.outlined(beamed_notes(4.0, 10.8, 0.76), BLUE, NAVY, 0.7)
    c.outlined(plus(18.5, 18.5, 8.0, 3.0), GREEN, GREEN_DARK, 1.0)
    return c.pixels()


# ---------------------------------------------------------------------------
# The row strip: 0 created (not analysed), 1 analysed, 2 unused.


def draw_row_created():
    c = Canvas(16, 16)
    c.outlined(quaver(1.5, 1.5, 1.05), GREY, (70, 70, 76), 0.8)
    c.outlined(cross(12.0, 12.0, 4.4, 2.0), RED, RED_DARK, 0.8)
    return c.pixels()


def draw_row_analysed():
    c = Canvas(16, 16)
    c.outlined(quaver(1.5, 1.5, 1.05), BLUE, NAVY, 0.8)
    c.outlined(tick(12.0, 11.6, 6.0, 2.0), GREEN, GREEN_DARK, 0.8)
    return c.pixels()


def draw_row_unused():
    return Canvas(16, 16).pixels()


# ---------------------------------------------------------------------------
# The program icon, designed on a 128-unit square and rendered at any size.


def draw_icon(size):
    c = Canvas(size, size, 128)
    c.outlined(RoundRect(6, 6, 122, 122, 22), ICON_BACK, (70, 110, 170), 3.0)
    c.fill(RoundRect(12, 12, 116, 60, 18), WHITE, 0.25)
    # The press: a jaw pushed down by an arrow onto a pair of notes, on a base.
    c.outlined(arrow_down(64, 14, 46, 14, 26), ORANGE, (150, 70, 10), 3.0)
    c.outlined(RoundRect(20, 46, 108, 56, 4), STEEL, STEEL_DARK, 3.0)
    c.outlined(beamed_notes(28, 62, 6.0, 2.9), BLUE, NAVY, 3.0)
    c.outlined(RoundRect(20, 100, 108, 110, 4), STEEL, STEEL_DARK, 3.0)
    return c.pixels()


# ---------------------------------------------------------------------------
# File writers.


def write_bmp24(path, rows):
    """Bottom-up 24-bit BI_RGB bitmap."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(body), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + body)


def rgba_bytes(rows):
    return [bytes(v for r, g, b, a in row for v in (r, g, b, round(a * 255))) for row in rows]


def png_bytes(rows):
    height, width = len(rows), len(rows[0])

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    raw = b"".join(b"\x00" + line for line in rgba_bytes(rows))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def ico_dib_bytes(rows):
    """An icon image as a 32-bit DIB with its AND mask, readable by every Windows."""
    size = len(rows)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            colour += bytes((b, g, r, round(a * 255)))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return info + colour + mask


def write_ico(path, images):
    """images: list of (size, bytes) in the order they are stored."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory, data = b"", b""
    for size, blob in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                                 offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(header + directory + data)


def write_cut_outs(folder, strip, size, names):
    """Each named image of a strip as its own PNG, black turned transparent."""
    os.makedirs(folder, exist_ok=True)
    for index, name in enumerate(names):
        if name is None:
            continue
        rows = [[(r, g, b, 0.0 if (r, g, b) == (0, 0, 0) else 1.0)
                 for r, g, b in row[index * size:(index + 1) * size]] for row in strip]
        with open(os.path.join(folder, name + ".png"), "wb") as f:
            f.write(png_bytes(rows))


def write_preview(path, rows, scale, background):
    """An enlarged copy of a strip or icon over a plain background, for looking at."""
    out = []
    for row in rows:
        line = []
        for px in row:
            if len(px) == 3:
                colour = background if px == (0, 0, 0) else px
            else:
                r, g, b, a = px
                colour = tuple(round(v * a + bg * (1 - a)) for v, bg in zip((r, g, b), background))
            line.extend([colour + (1.0,)] * scale)
        out.extend([line] * scale)
    with open(path, "wb") as f:
        f.write(png_bytes(out))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="FOLDER",
                        help="also write enlarged previews into FOLDER")
    args = parser.parse_args()

    here = os.path.dirname(os.path.abspath(__file__))
    os.makedirs(os.path.join(here, "images"), exist_ok=True)
    os.makedirs(os.path.join(here, "icons"), exist_ok=True)

    toolbar = keyed_on_black(side_by_side(
        [draw_help(), draw_new_list(), draw_delete_row(), draw_compress(), draw_unused(),
         draw_add_files()]))
    rows = keyed_on_black(side_by_side(
        [draw_row_created(), draw_row_analysed(), draw_row_unused()]))
    write_bmp24(os.path.join(here, "images", "FORMP3_IMAGELIST.bmp"), toolbar)
    write_bmp24(os.path.join(here, "images", "FORMP3_IMAGELISTIN.bmp"), rows)

    help_images = os.path.join(here, "help", "images")
    write_cut_outs(help_images, toolbar, 24,
                   ["help", "new_list", "delete_row", "compress", None, "add_files"])
    write_cut_outs(help_images, rows, 16, ["row_created", "row_analysed", None])

    icons = {size: draw_icon(size) for size in (16, 24, 32, 48, 64, 128, 256)}
    with open(os.path.join(here, "icons", "kestrune.png"), "wb") as f:
        f.write(png_bytes(icons[128]))
    for size, icon in icons.items():
        folder = os.path.join(here, "icons", "hicolor", "%dx%d" % (size, size))
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "kestrune.png"), "wb") as f:
            f.write(png_bytes(icon))
    write_ico(os.path.join(here, "icons", "kestrune.ico"),
              [(16, ico_dib_bytes(icons[16])), (32, ico_dib_bytes(icons[32])),
               (48, ico_dib_bytes(icons[48])), (256, png_bytes(icons[256]))])

    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        panel = (212, 208, 200)
        write_preview(os.path.join(args.preview, "toolbar.png"), toolbar, 8, panel)
        write_preview(os.path.join(args.preview, "rows.png"), rows, 8, (255, 255, 255))
        write_preview(os.path.join(args.preview, "toolbar_1x.png"), toolbar, 1, panel)
        for size in (16, 32, 48, 128):
            write_preview(os.path.join(args.preview, "icon%d.png" % size), icons[size],
                          max(1, 256 // size), (255, 255, 255))


if __name__ == "__main__":
    main()
