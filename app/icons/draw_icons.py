#!/usr/bin/env python3
"""Draws the program's animation icons (resources 101 to 108) as .ico files.

101-104: the download window's icon: a tray with an arrow coming down into
it, at three heights (101-103, shown while data arrives) and at rest (104).
105-108: the kit search's pictures: a magnifying glass circling over a disk.

Each file holds a 16x16 and a 32x32 image, 32 bits a pixel with the mask
set where the image is transparent (systems without alpha use the mask).
Run from this folder: python3 draw_icons.py
"""

import math
import struct

SCALE = 4  # supersampling per axis


class Canvas:
    def __init__(self, size):
        self.size = size * SCALE
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * self.size for _ in range(self.size)]

    def fill(self, inside, colour):
        """Paints colour (r, g, b) over every sample where inside(x, y) holds;
        x and y run from 0 to 1 across the icon."""
        n = self.size
        for j in range(n):
            y = (j + 0.5) / n
            row = self.px[j]
            for i in range(n):
                if inside((i + 0.5) / n, y):
                    row[i] = (*colour, 1.0)

    def image(self, size):
        """Averages the samples down to size x size pixels (r, g, b, a)."""
        out = []
        for j in range(size):
            row = []
            for i in range(size):
                r = g = b = a = 0.0
                for dj in range(SCALE):
                    for di in range(SCALE):
                        pr, pg, pb, pa = self.px[j * SCALE + dj][i * SCALE + di]
                        r += pr * pa
                        g += pg * pa
                        b += pb * pa
                        a += pa
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append((round(r / a), round(g / a), round(b / a),
                                round(255 * a / SCALE ** 2)))
            out.append(row)
        return out


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def stroke(ax, ay, bx, by, width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= (width / 2) ** 2
    return inside


def polygon(points):
    def inside(x, y):
        crossings = False
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                crossings = not crossings
        return crossings
    return inside


OUTLINE = (40, 40, 48)
TRAY = (150, 156, 168)
TRAY_LIGHT = (214, 218, 226)
BLUE = (32, 96, 200)
BLUE_LIGHT = (90, 150, 235)
GREY = (128, 132, 140)
DISK = (200, 204, 212)
DISK_DARK = (96, 100, 110)
GLASS = (190, 225, 250)
HANDLE = (120, 70, 30)


def download(size, drop, colour, light):
    c = Canvas(size)
    # The tray: an open box at the bottom.
    c.fill(box(0.08, 0.62, 0.92, 0.94), OUTLINE)
    c.fill(box(0.14, 0.62, 0.86, 0.88), TRAY)
    c.fill(box(0.20, 0.62, 0.80, 0.76), TRAY_LIGHT)
    # The arrow, its head drop lower each frame.
    top = 0.04 + drop
    head = top + 0.36
    arrow = [(0.38, top), (0.62, top), (0.62, head), (0.80, head),
             (0.50, head + 0.26), (0.20, head), (0.38, head)]
    c.fill(polygon(arrow), OUTLINE)
    inner = [(0.43, top + 0.05), (0.57, top + 0.05), (0.57, head + 0.05),
             (0.68, head + 0.05), (0.50, head + 0.19), (0.32, head + 0.05),
             (0.43, head + 0.05)]
    c.fill(polygon(inner), colour)
    c.fill(box(0.45, top + 0.07, 0.50, head), light)
    return c


def search(size, angle):
    c = Canvas(size)
    # A disk seen from above, the glass passing over it.
    c.fill(disc(0.5, 0.5, 0.44), DISK_DARK)
    c.fill(disc(0.5, 0.5, 0.40), DISK)
    c.fill(disc(0.5, 0.5, 0.10), DISK_DARK)
    c.fill(disc(0.5, 0.5, 0.05), DISK)
    gx = 0.42 + 0.16 * math.cos(angle)
    gy = 0.42 + 0.16 * math.sin(angle)
    c.fill(stroke(gx + 0.14, gy + 0.14, gx + 0.36, gy + 0.36, 0.13), OUTLINE)
    c.fill(stroke(gx + 0.15, gy + 0.15, gx + 0.35, gy + 0.35, 0.08), HANDLE)
    c.fill(disc(gx, gy, 0.22), OUTLINE)
    c.fill(disc(gx, gy, 0.17), GLASS)
    c.fill(disc(gx - 0.06, gy - 0.06, 0.05), (245, 250, 255))
    return c


def ico(images):
    """An .ico file of the given images: lists of rows of (r, g, b, a)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for rows in images:
        n = len(rows)
        pixels, mask = b"", b""
        for row in reversed(rows):  # bottom-up
            bits = 0
            for i, (r, g, b, a) in enumerate(row):
                # Without alpha a pixel is either drawn or left to the mask.
                if a < 128:
                    r = g = b = a = 0
                    bits |= 0x80 >> (i % 8) << (8 * (i // 8))
                pixels += bytes((b, g, r, a))
            mask += bits.to_bytes(4 * ((n + 31) // 32), "little")
        blob = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(pixels) + len(mask),
                           0, 0, 0, 0) + pixels + mask
        entries += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(blob), offset)
        blobs += blob
        offset += len(blob)
    return header + entries + blobs


def save(name, draw):
    with open(name, "wb") as out:
        out.write(ico([draw(16).image(16), draw(32).image(32)]))


if __name__ == "__main__":
    for index, drop in enumerate((0.0, 0.08, 0.16)):
        save(f"download{index + 1}.ico", lambda s, d=drop: download(s, d, BLUE, BLUE_LIGHT))
    save("download-idle.ico", lambda s: download(s, 0.0, GREY, TRAY_LIGHT))
    for index in range(4):
        save(f"search{index + 1}.ico",
             lambda s, a=index * math.pi / 2: search(s, a))
