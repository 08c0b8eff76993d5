#!/usr/bin/env python3
"""Writes the about box's artwork into resources/:
  about_clip.bin     the ANIME_DATA resource: a 4-byte little-endian length
                     followed by an uncompressed 24-bit RIFF AVI clip, 75 x 67
                     pixels, 75 frames at 15 frames per second, no sound: a
                     simple beam bending under a load that travels from the
                     left support to the right one, with its bending-moment
                     diagram underneath
  about_still.bmp    75 x 67, 16 colours: the same beam with the load at
                     midspan, shown before and after the clip plays
  about_program.bmp  156 x 75, 256 colours: the program's name over a beam
                     under a uniform load with its moment parabola, on
                     magenta, the transparent colour (its bottom-left pixel)
Run it from anywhere; it needs only the standard library."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources")

# The 16 colours of the still image (and of the clip's drawing).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, SILVER, GRAY, RED, LIME, YELLOW, BLUE, \
    FUCHSIA, AQUA, WHITE = VGA

CLIP_W, CLIP_H, FRAMES, FPS = 75, 67, 75, 15


class Image:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def polygon(self, points, colour):
        """Fills the pixels whose centres lie inside the polygon."""
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(self.height, int(max(ys)) + 1)):
            cy = y + 0.5
            xs = []
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 <= cy < y1) or (y1 <= cy < y0):
                    xs.append(x0 + (cy - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(round(a)), int(round(b))):
                    self.put(x, y, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)


# ---- the clip and the still image --------------------------------------

LEFT, RIGHT, AXIS = 8, 66, 24  # supports and the unloaded beam's axis
SPAN = RIGHT - LEFT
MOMENT_BASE, MOMENT_DEPTH = 49, 14


def deflection(x, a):
    """Downward deflection in pixels at x of the beam loaded at a; 6 pixels
    at midspan for a load at midspan."""
    u, b = min(max(x - LEFT, 0), SPAN), SPAN - (a - LEFT)
    if u > a - LEFT:
        u, b = SPAN - u, a - LEFT
    value = b * u * (SPAN ** 2 - b ** 2 - u ** 2) / (6 * SPAN)
    return 6 * value / (SPAN ** 3 / 48)


def support(img, x):
    img.polygon([(x + 0.5, AXIS + 2), (x + 5.5, AXIS + 9), (x - 4.5, AXIS + 9)], NAVY)
    img.rect(x - 6, AXIS + 9, x + 7, AXIS + 10, GRAY)
    for hx in range(x - 6, x + 7, 3):
        img.line(hx + 2, AXIS + 10, hx, AXIS + 12, GRAY)


def scene(a):
    """The beam with a point load at x = a (pixels)."""
    img = Image(CLIP_W, CLIP_H, WHITE)
    # Bending-moment diagram: a triangle peaking under the load.
    peak = MOMENT_DEPTH * 4 * (a - LEFT) * (RIGHT - a) / SPAN ** 2
    img.polygon([(LEFT + 0.5, MOMENT_BASE), (a + 0.5, MOMENT_BASE + peak),
                 (RIGHT + 0.5, MOMENT_BASE)], AQUA)
    img.line(LEFT, MOMENT_BASE, RIGHT, MOMENT_BASE, TEAL)
    img.line(LEFT, MOMENT_BASE, round(a), round(MOMENT_BASE + peak), TEAL)
    img.line(round(a), round(MOMENT_BASE + peak), RIGHT, MOMENT_BASE, TEAL)
    support(img, LEFT)
    support(img, RIGHT)
    for x in range(LEFT - 3, RIGHT + 4):
        y = AXIS + round(deflection(x, a))
        img.rect(x, y - 1, x + 1, y + 2, BLUE)
    # The load: a red arrow standing on the beam.
    top = AXIS + round(deflection(a, a)) - 2
    ax = round(a)
    img.rect(ax - 1, top - 16, ax + 1, top - 4, RED)
    img.polygon([(ax - 4, top - 5), (ax + 4, top - 5), (ax, top + 0.5)], RED)
    return img


def clip_frames():
    for i in range(FRAMES):
        yield scene(LEFT + 2 + (SPAN - 4) * i / (FRAMES - 1))


# ---- the program image ------------------------------------------------------

GLYPHS = {
    "V": ["X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    "n": [".....", ".....", "XXXX.", "X...X", "X...X", "X...X", "X...X"],
    "t": [".X...", ".X...", "XXXX.", ".X...", ".X...", ".X..X", "..XX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "e": [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."],
    "l": [".XX..", "..X..", "..X..", "..X..", "..X..", "..X..", ".XXX."],
}


def blend(c0, c1, t):
    return tuple(round(a + (b - a) * t) for a, b in zip(c0, c1))


def program_image():
    img = Image(156, 75, FUCHSIA)
    scale, x = 3, 15
    for ch in "Vantrel":
        for gy, row in enumerate(GLYPHS[ch]):
            for gx, bit in enumerate(row):
                if bit == "X":
                    for dy in range(scale):
                        y = 3 + gy * scale + dy
                        colour = blend((0, 0, 160), (0, 150, 200), (y - 3) / 21)
                        img.rect(x + gx * scale + 1, y + 1, x + gx * scale + scale + 1, y + 2,
                                 (96, 96, 96))
                        img.rect(x + gx * scale, y, x + gx * scale + scale, y + 1, colour)
        x += 6 * scale
    # A beam under a uniform load, and its moment parabola in a gradient.
    left, right, axis = 14, 142, 40
    for ax in range(left + 4, right - 1, 8):
        img.rect(ax, axis - 9, ax + 1, axis - 4, (200, 0, 0))
        img.polygon([(ax - 2, axis - 4), (ax + 3, axis - 4), (ax + 0.5, axis - 1)], (200, 0, 0))
    img.rect(left, axis - 10, right + 1, axis - 9, (200, 0, 0))
    for px in range(left, right + 1):
        t = (px - left) / (right - left)
        depth = 4 * t * (1 - t) * 24
        for py in range(axis + 3, axis + 3 + round(depth)):
            img.put(px, py, blend((150, 230, 255), (0, 90, 200), (py - axis - 3) / 24))
    img.rect(left - 4, axis - 1, right + 5, axis + 2, (0, 0, 128))
    for sx in (left, right):
        img.polygon([(sx + 0.5, axis + 2), (sx + 5.5, axis + 9), (sx - 4.5, axis + 9)],
                    (0, 0, 128))
    img.put(0, 74, FUCHSIA)
    return img


# ---- file formats -------------------------------------------------------


def bmp(img, bits):
    """An uncompressed palette BMP of 4 or 8 bits per pixel."""
    palette = []
    for row in img.pixels:
        for c in row:
            if c not in palette:
                palette.append(c)
    if bits == 4:
        palette = VGA[:] + [c for c in palette if c not in VGA]
    assert len(palette) <= (1 << bits), "too many colours"
    palette += [(0, 0, 0)] * ((1 << bits) - len(palette))
    index = {c: i for i, c in enumerate(palette)}
    stride = (img.width * bits + 31) // 32 * 4
    rows = b""
    for row in reversed(img.pixels):
        if bits == 8:
            data = bytes(index[c] for c in row)
        else:
            ids = [index[c] for c in row] + [0]
            data = bytes((ids[i] << 4) | ids[i + 1] for i in range(0, img.width, 2))
        rows += data + b"\0" * (stride - len(data))
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    return (b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", 40, img.width, img.height, 1, bits, 0, len(rows),
                        3780, 3780, 1 << bits, 0) + pal + rows)


def chunk(fourcc, data):
    return fourcc + struct.pack("<I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def avi(frames, width=CLIP_W, height=CLIP_H, fps=FPS, top_down=False, stream=0):
    """An uncompressed 24-bit RIFF AVI of the frames (Images of width x
    height), rows bottom-up unless top_down; the video is stream number
    stream, after that many empty audio stream headers."""
    stride = (width * 3 + 3) // 4 * 4
    size = stride * height
    bodies = []
    for img in frames:
        rows = b""
        for row in (img.pixels if top_down else reversed(img.pixels)):
            data = b"".join(struct.pack("<BBB", b, g, r) for r, g, b in row)
            rows += data + b"\0" * (stride - len(data))
        bodies.append(rows)
    avih = struct.pack("<14I", round(1e6 / fps), size * fps, 0, 0x10, len(bodies), 0, stream + 1,
                       size, width, height, 0, 0, 0, 0)
    audio = b"auds" + b"\0" * 52
    strh = (b"vids" + b"DIB " + struct.pack("<IHHIIIIIIII", 0, 0, 0, 0, 1, fps, 0, len(bodies),
                                             size, 0xFFFFFFFF, 0) +
            struct.pack("<hhhh", 0, 0, width, height))
    strf = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, 24, 0, size,
                       0, 0, 0, 0)
    lists = b"".join(chunk(b"LIST", b"strl" + chunk(b"strh", audio)) for _ in range(stream))
    hdrl = chunk(b"LIST", b"hdrl" + chunk(b"avih", avih) + lists +
                 chunk(b"LIST", b"strl" + chunk(b"strh", strh) + chunk(b"strf", strf)))
    name = b"%02ddb" % stream
    movi_body, index, at = b"movi", b"", 4
    for body in bodies:
        index += name + struct.pack("<III", 0x10, at, len(body))
        movi_body += chunk(name, body)
        at += 8 + len(body) + len(body) % 2
    riff = b"AVI " + hdrl + chunk(b"LIST", movi_body) + chunk(b"idx1", index)
    return b"RIFF" + struct.pack("<I", len(riff)) + riff


def write(name, data):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)


def main():
    clip = avi(clip_frames())
    write("about_clip.bin", struct.pack("<i", len(clip)) + clip)
    write("about_still.bmp", bmp(scene((LEFT + RIGHT) / 2), 4))
    write("about_program.bmp", bmp(program_image(), 8))


if __name__ == "__main__":
    main()
