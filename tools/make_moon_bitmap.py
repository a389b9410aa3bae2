#!/usr/bin/env python3
"""Writes resources/moon141.png, the 113 x 113 picture of the full Moon, from
the lunar map data/moon/moon_map_512.png.

The picture is the map's near side in orthographic view, filling the square,
on black. For the centre of pixel (i, j) the unit-disc coordinates are
nx = (i + 0.5 - r) / r to the right and ny = (r - j - 0.5) / r upwards, with
r = 113 / 2; inside the disc latitude = asin(ny) and longitude =
asin(nx / cos(latitude)), and the map (equirectangular, longitude -180° at
its left edge, latitude +90° at its top) is read there bilinearly, wrapping
in longitude. Pixels whose centre lies outside the disc are black.

Only the standard library is used (zlib for the PNG streams), and the output
is the same byte for byte on every run. With --check the file is compared
with what would be written instead (exit status 1 when it differs).
"""
import math
import pathlib
import struct
import sys
import zlib

SIZE = 113
ROOT = pathlib.Path(__file__).resolve().parent.parent
MAP = ROOT / "data" / "moon" / "moon_map_512.png"
OUT = ROOT / "resources" / "moon141.png"
PROVENANCE = ("The near side of the Moon in orthographic view, made by tools/make_moon_bitmap.py from "
              "data/moon/moon_map_512.png (USGS Astrogeology and Clementine maps, public domain).")


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


def rgb_png(width, height, rows):
    """An 8-bit RGB PNG of the rows (each width * 3 bytes), filter 0, zlib level 9."""
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\x00" + row for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"tEXt", b"Comment\x00" + PROVENANCE.encode("latin-1")) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def moon_picture():
    width, height, rows = read_grey_png(MAP)

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

    r = SIZE / 2
    out = []
    for j in range(SIZE):
        row = bytearray()
        for i in range(SIZE):
            nx, ny = (i + 0.5 - r) / r, (r - j - 0.5) / r
            grey = 0
            if nx * nx + ny * ny <= 1.0:
                lat = math.asin(ny)
                lon = math.asin(max(-1.0, min(1.0, nx / math.cos(lat))))
                grey = int(min(255.0, sample(lon, lat)) + 0.5)
            row += bytes((grey, grey, grey))
        out.append(bytes(row))
    return rgb_png(SIZE, SIZE, out)


def main():
    png = moon_picture()
    if "--check" in sys.argv[1:]:
        same = OUT.exists() and OUT.read_bytes() == png
        print(f"{OUT}: {'up to date' if same else 'differs from the map'}")
        return 0 if same else 1
    OUT.write_bytes(png)
    return 0


if __name__ == "__main__":
    sys.exit(main())
