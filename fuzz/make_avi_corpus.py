#!/usr/bin/env python3
"""Writes the small seed clips of the AVI reader's fuzzer into fuzz/avi_corpus/:
tiny clips laid out like the about box's clip, one stored top-down, one
whose video is the second stream, and one cut short."""
import os
import sys

sys.dont_write_bytecode = True

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
import make_about_art as art  # noqa: E402


def frames(width, height, count):
    for i in range(count):
        img = art.Image(width, height, art.WHITE)
        img.put(i % width, i % height, art.RED)
        yield img


def main():
    out = os.path.join(HERE, "avi_corpus")
    os.makedirs(out, exist_ok=True)
    seeds = {
        "bottom_up.avi": art.avi(frames(3, 2, 3), 3, 2, 15),
        "top_down.avi": art.avi(frames(5, 3, 2), 5, 3, 10, top_down=True),
        "second_stream.avi": art.avi(frames(2, 2, 2), 2, 2, 15, stream=1),
    }
    seeds["cut_short.avi"] = seeds["bottom_up.avi"][:-40]
    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
