#!/usr/bin/env python3
"""Draws the program's icon: a simply supported beam with a point load and
its bending-moment curve, on a blue tile. Writes the hicolor theme's PNGs
(16, 32, 48 and 128 px) and the scalable SVG under resources/icons/hicolor.
Python 3 standard library only; run from anywhere:
    python3 tools/make_icons.py
"""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons",
                    "hicolor")
SIZES = (16, 32, 48, 128)
UNIT = 128.0  # the artwork is drawn on a 128 × 128 canvas

TILE = (0x2B, 0x5A, 0x8C)
WHITE = (0xFF, 0xFF, 0xFF)
LOAD = (0xE8, 0x41, 0x2C)
CURVE = (0xFF, 0xC8, 0x3C)


def moment_curve():
    """The parabola of M under the load, below the beam, as a polyline."""
    points = []
    for i in range(17):
        t = i / 16.0
        x = 20 + 88 * t
        points.append((x, 80 + 30 * math.sin(math.pi * t)))
    return points


# The shapes, back to front: (kind, colour, geometry).
SHAPES = [
    ("roundrect", TILE, (4, 4, 124, 124, 22)),
    ("polyline", CURVE, (moment_curve(), 7)),
    ("rect", WHITE, (12, 66, 116, 76)),
    ("polygon", WHITE, [(20, 76), (10, 94), (30, 94)]),
    ("polygon", WHITE, [(108, 76), (98, 94), (118, 94)]),
    ("rect", LOAD, (59, 14, 69, 42)),
    ("polygon", LOAD, [(48, 40), (80, 40), (64, 62)]),
]


def in_roundrect(x, y, g):
    x0, y0, x1, y1, r = g
    if not (x0 <= x <= x1 and y0 <= y <= y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_rect(x, y, g):
    x0, y0, x1, y1 = g
    return x0 <= x <= x1 and y0 <= y <= y1


def in_polygon(x, y, pts):
    inside = False
    n = len(pts)
    for i in range(n):
        (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % n]
        if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
            inside = not inside
    return inside


def near_polyline(x, y, g):
    pts, width = g
    half = width / 2.0
    for (xa, ya), (xb, yb) in zip(pts, pts[1:]):
        dx, dy = xb - xa, yb - ya
        t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / (dx * dx + dy * dy)))
        if (x - xa - t * dx) ** 2 + (y - ya - t * dy) ** 2 <= half * half:
            return True
    return False


TESTS = {"roundrect": in_roundrect, "rect": in_rect, "polygon": in_polygon,
         "polyline": near_polyline}


def render(size, samples=4):
    """RGBA rows of the icon at size × size, each pixel averaged over
    samples × samples points."""
    scale = UNIT / size
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    colour = None
                    for kind, rgb, geometry in SHAPES:
                        if TESTS[kind](x, y, geometry):
                            colour = rgb
                    if colour:
                        for c in range(3):
                            acc[c] += colour[c]
                        acc[3] += 1
            n = samples * samples
            alpha = acc[3] / n
            if acc[3]:
                row += bytes(round(acc[c] / acc[3]) for c in range(3))
            else:
                row += b"\0\0\0"
            row.append(round(alpha * 255))
        rows.append(bytes(row))
    return rows


def png(size, rows):
    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data +
                struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + r for r in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def hex_colour(rgb):
    return "#%02x%02x%02x" % rgb


def svg():
    body = []
    for kind, rgb, g in SHAPES:
        fill = hex_colour(rgb)
        if kind == "roundrect":
            x0, y0, x1, y1, r = g
            body.append('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
                        % (x0, y0, x1 - x0, y1 - y0, r, fill))
        elif kind == "rect":
            x0, y0, x1, y1 = g
            body.append('<rect x="%g" y="%g" width="%g" height="%g" fill="%s"/>'
                        % (x0, y0, x1 - x0, y1 - y0, fill))
        elif kind == "polygon":
            body.append('<polygon points="%s" fill="%s"/>'
                        % (" ".join("%g,%g" % p for p in g), fill))
        else:
            pts, width = g
            body.append('<polyline points="%s" fill="none" stroke="%s" stroke-width="%g" '
                        'stroke-linecap="round" stroke-linejoin="round"/>'
                        % (" ".join("%.2f,%.2f" % p for p in pts), fill, width))
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" '
            'viewBox="0 0 128 128">\n  <title>Vantrel</title>\n  ' +
            "\n  ".join(body) + "\n</svg>\n")


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(data)


def main():
    for size in SIZES:
        write(os.path.join(ROOT, "%dx%d" % (size, size), "apps", "vantrel.png"),
              png(size, render(size)))
    write(os.path.join(ROOT, "scalable", "apps", "vantrel.svg"), svg().encode("utf-8"))


if __name__ == "__main__":
    main()
