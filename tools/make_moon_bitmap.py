#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the pictures of the full Moon: resources/moon141.png, 113 x 113,
from the lunar map data/moon/moon_map_512.png (what the 240-pixel screen
shows), and resources/moon_large.png, 512 x 512, from the larger map
data/moon/moon_map_1024.png (for pictures shown larger than 113 pixels).

Each picture is its map's near side in orthographic view, filling the square,
on black. For the centre of pixel (i, j) of a picture of n x n pixels the
unit-disc coordinates are nx = (i + 0.5 - r) / r to the right and
ny = (r - j - 0.5) / r upwards, with r = n / 2; inside the disc latitude = asin(ny) and longitude =
asin(nx / cos(latitude)), and the map (equirectangular, longitude -180° at
its left edge, latitude +90° at its top) is read there bilinearly, wrapping
in longitude. Pixels whose centre lies outside the disc are black.

Only the standard library is used (zlib for the PNG streams), and the output
is the same byte for byte on every run. With --check the files are compared
with what would be written instead (exit status 1 when one differs).
"""
import math
import pathlib
import struct
import sys
import zlib

ROOT = pathlib.Path(__file__).resolve().parent.parent
# (picture, its size in pixels, the map it is made from)
PICTURES = (
    (ROOT / "resources" / "moon141.png", 113, ROOT / "data" / "moon" / "moon_map_512.png"),
    (ROOT / "resources" / "moon_large.png", 512, ROOT / "data" / "moon" / "moon_map_1024.png"),
)


def provenance(map_path):
    return ("The near side of the Moon in orthographic view, made by tools/make_moon_bitmap.py from "
            f"data/moon/{map_path.name} (USGS Astrogeology and Clementine maps, public domain).")


def read_grey_png(path):
    """Width, height and rows (bytes) of an 8-bit greyscale, non-interlaced PNG."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
    if header is None or header[2:] != (8, 0, 0, 0, 0):
        raise SystemExit(f"{path}: expected an 8-bit greyscale PNG without interlacing")
    width, height = header[0], header[1]
    raw = zlib.decompress(idat)
    rows, prev, stride = [], bytearray(width), width + 1
    for y in range(height):
        kind, line = raw[y * stride], bytearray(raw[y * stride + 1:(y + 1) * stride])
        for x in range(width):
            a = line[x - 1] if x else 0
            b = prev[x]
            c = prev[x - 1] if x else 0
            if kind == 1:
                line[x] = (line[x] + a) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + b) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[x] = (line[x] + pred) & 0xFF
            elif kind != 0:
                raise SystemExit(f"{path}: unknown row filter {kind}")
        rows.append(bytes(line))
        prev = line
    return width, height, rows


def rgb_png(width, height, rows, comment):
    """An 8-bit RGB PNG of the rows (each width * 3 bytes), filter 0, zlib level 9."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"tEXt", b"Comment\x00" + comment.encode("latin-1")) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def moon_picture(size, map_path):
    width, height, rows = read_grey_png(map_path)

    def sample(lon, lat):
        # Map pixel centres lie at half-integer positions.
        fx = (lon + math.pi) / (2 * math.pi) * width - 0.5
        fy = (math.pi / 2 - lat) / math.pi * height - 0.5
        fy = min(max(fy, 0.0), height - 1.0)
        x0, y0 = math.floor(fx), min(int(fy), height - 2)
        tx, ty = fx - x0, fy - y0
        x1 = (x0 + 1) % width
        x0 %= width
        top = rows[y0][x0] * (1 - tx) + rows[y0][x1] * tx
        bottom = rows[y0 + 1][x0] * (1 - tx) + rows[y0 + 1][x1] * tx
        return top * (1 - ty) + bottom * ty

    r = size / 2
    out = []
    for j in range(size):
        row = bytearray()
        for i in range(size):
            nx, ny = (i + 0.5 - r) / r, (r - j - 0.5) / r
            grey = 0
            if nx * nx + ny * ny <= 1.0:
                lat = math.asin(ny)
                lon = math.asin(max(-1.0, min(1.0, nx / math.cos(lat))))
                grey = int(min(255.0, sample(lon, lat)) + 0.5)
            row += bytes((grey, grey, grey))
        out.append(bytes(row))
    return rgb_png(size, size, out, provenance(map_path))


def main():
    check = "--check" in sys.argv[1:]
    status = 0
    for out, size, map_path in PICTURES:
        png = moon_picture(size, map_path)
        if check:
            same = out.exists() and out.read_bytes() == png
            print(f"{out}: {'up to date' if same else 'differs from the map'}")
            status |= 0 if same else 1
        else:
            out.write_bytes(png)
    return status


if __name__ == "__main__":
    sys.exit(main())
