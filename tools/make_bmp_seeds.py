#!/usr/bin/env python3
"""Writes small Windows bitmaps of every depth and compression the loader
accepts, as seeds for the bitmap-loading fuzz target.

Usage: make_bmp_seeds.py OUTPUT_DIR
"""
import os
import struct
import sys


def file_header(total, offset):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, offset)


def info_header(width, height, bits, compression=0, image_size=0, colors=0, size=40):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, bits, compression,
                         image_size, 2835, 2835, colors, 0)
    return header + b"\0" * (size - 40)


def bitmap(width, height, bits, rows, palette=b"", compression=0, masks=b"", header_size=40,
           colors=0):
    info = info_header(width, height, bits, compression, len(rows), colors, header_size)
    offset = 14 + len(info) + len(masks) + len(palette)
    return file_header(offset + len(rows), offset) + info + masks + palette + rows


def pad(row):
    return row + b"\0" * (-len(row) % 4)


def seeds():
    w, h = 5, 3
    gray4 = b"".join(bytes((v, v, v, 0)) for v in (0, 85, 170, 255))
    yield "rgb24.bmp", bitmap(w, h, 24, b"".join(
        pad(b"".join(bytes((x * 50, y * 80, 200, )) for x in range(w))) for y in range(h)))
    yield "rgb24_topdown.bmp", bitmap(w, -h, 24, b"".join(
        pad(b"".join(bytes((0, x * 50, y * 80)) for x in range(w))) for y in range(h)))
    yield "rgb32.bmp", bitmap(w, h, 32, b"".join(
        struct.pack("<I", (x * 40) << 16 | y * 90) for y in range(h) for x in range(w)))
    yield "rgb16_555.bmp", bitmap(w, h, 16, b"".join(
        pad(b"".join(struct.pack("<H", (x * 6) << 10 | y * 9) for x in range(w))) for y in range(h)))
    yield "rgb16_565.bmp", bitmap(w, h, 16, b"".join(
        pad(b"".join(struct.pack("<H", (x * 6) << 11 | y * 20 << 5 | 7) for x in range(w))) for y in range(h)),
        compression=3, masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F))
    yield "rgb32_fields.bmp", bitmap(w, h, 32, b"".join(
        struct.pack("<I", x * 0x10203 + y) for y in range(h) for x in range(w)),
        compression=3, masks=struct.pack("<III", 0xFF0000, 0x00FF00, 0x0000FF))
    yield "pal8.bmp", bitmap(w, h, 8, b"".join(pad(bytes((x + y) % 4 for x in range(w))) for y in range(h)),
                             gray4, colors=4)
    yield "pal4.bmp", bitmap(w, h, 4, b"".join(pad(bytes((1 << 4 | 2, 3 << 4, 2 << 4))) for _ in range(h)),
                             gray4, colors=4)
    yield "pal1.bmp", bitmap(w, h, 1, b"".join(pad(bytes((0b10110000,))) for _ in range(h)),
                             b"\0\0\0\0\xff\xff\xff\0", colors=2)
    yield "rle8.bmp", bitmap(w, h, 8, bytes((5, 1, 0, 0, 2, 2, 0, 3, 3, 0, 1, 0, 0, 1)), gray4,
                             compression=1, colors=4)
    yield "rle4.bmp", bitmap(w, h, 4, bytes((5, 0x12, 0, 0, 0, 2, 1, 1, 0, 0, 4, 0x33, 0, 1)), gray4,
                             compression=2, colors=4)
    core = struct.pack("<IHHHH", 12, w, h, 1, 24)
    rows = b"".join(pad(bytes((9, 99, 199)) * w) for _ in range(h))
    yield "core24.bmp", file_header(26 + len(rows), 26) + core + rows


def write_seeds(make):
    """Writes every (name, bytes) of make() into the folder named on the
    command line (default: the current one)."""
    out = sys.argv[1] if len(sys.argv) > 1 else "."
    os.makedirs(out, exist_ok=True)
    for name, data in make():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    write_seeds(seeds)
