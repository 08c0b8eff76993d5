#!/usr/bin/env python3
"""Writes the program's 16 x 16, 16-colour glyphs into resources/, each on
purple, the transparent colour (its bottom-left pixel):
  toggle.bmp      two red arrows with a white outline chasing each other
                  clockwise round a circle (the lower one is the upper one
                  turned by half a turn)
  arrow_up.bmp    a black arrow pointing up (the list's move-up button)
  arrow_down.bmp  the same arrow pointing down"""
import struct
import sys

UPPER_ARROW = [
    "................",
    ".....WWWWW......",
    "....WRRRRRWW....",
    "...WRRWWWRRRW...",
    "...WRW...WRRW...",
    "...WW....WRRW...",
    "........WRRRRW..",
    ".........WRRW...",
    "..........WW....",
]
ARROW_UP = [
    "................",
    "................",
    "................",
    ".......K........",
    "......KKK.......",
    ".....KKKKK......",
    "....KKKKKKK.....",
    "...KKKKKKKKK....",
    "......KKK.......",
    "......KKK.......",
    "......KKK.......",
    "......KKK.......",
    "......KKK.......",
    "................",
    "................",
    "................",
]
COLOURS = {".": 0, "W": 1, "R": 2, "K": 3}
PALETTE = [(0x80, 0x00, 0x80), (0xFF, 0xFF, 0xFF), (0xFF, 0x00, 0x00), (0, 0, 0)] + [(0, 0, 0)] * 12
SIZE = 16


def draw_toggle():
    rows = [list(r) for r in UPPER_ARROW] + [list("." * SIZE) for _ in range(SIZE - len(UPPER_ARROW))]
    for y, row in enumerate(UPPER_ARROW):
        for x, c in enumerate(row):
            if c != ".":
                assert rows[SIZE - 1 - y][SIZE - 1 - x] == ".", "the arrows overlap"
                rows[SIZE - 1 - y][SIZE - 1 - x] = c
    assert rows[SIZE - 1][0] == "."
    return ["".join(r) for r in rows]


def write_bmp(path, art):
    image = bytearray()
    for row in reversed(art):
        for x in range(0, SIZE, 2):
            image.append((COLOURS[row[x]] << 4) | COLOURS[row[x + 1]])
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(image), 2835, 2835, 16, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + bytes(image))


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "resources"
    toggle = draw_toggle()
    down = list(reversed(ARROW_UP[:-1])) + ["." * SIZE]  # keep the bottom-left pixel clear
    for name, art in (("toggle", toggle), ("arrow_up", ARROW_UP), ("arrow_down", down)):
        assert len(art) == SIZE and all(len(r) == SIZE for r in art) and art[SIZE - 1][0] == "."
        write_bmp(f"{folder}/{name}.bmp", art)
        print(name)
        print("\n".join(art))
