#!/usr/bin/env python3
"""Draws the picture of the full Moon that the Moon page darkens by phase.

The picture is 113 x 113 pixels, 24 bits per pixel (PNG colour type 2), the
Moon's disc filling the square exactly (centre at 56.5, 56.5 pixel units,
radius 56.5) on black, north up and east to the left as seen in the sky.
The disc carries a bright highland ground, the large dark maria of the near
side as soft-edged ellipses, a few bright ray craters, a fine deterministic
grain and limb darkening towards the edge. Edge pixels are antialiased by
4 x 4 supersampling of the disc's coverage.

Everything here is drawn from the numbers below; nothing is read. The
output is reproducible byte for byte (no clock, no randomness: the grain is
an integer hash of the pixel position). The PNG carries its provenance in a
tEXt "Comment" chunk right after the header.

Usage: tools/make_moon_bitmap.py [OUTPUT]   (default: resources/moon141.png
next to this tools folder). Python 3 standard library only.
"""

import math
import os
import struct
import sys
import zlib

SIZE = 113                 # pixels per side
RADIUS = SIZE / 2.0        # disc radius, pixels: the disc fills the square
CENTRE = SIZE / 2.0        # disc centre, pixel units (pixel centres at i + 0.5)
SUBSAMPLES = 4             # per axis, for the antialiased rim

HIGHLAND = (214, 211, 203)  # bright ground, RGB
MARE = (104, 104, 106)      # darkest mare floor, RGB

# Maria: (x, y, semi-axis a, semi-axis b, rotation deg, depth 0..1) in disc
# units (x to the right, y downwards, the disc spans -1..1).
MARIA = [
    (-0.58, -0.05, 0.34, 0.62, 10.0, 0.80),  # Oceanus Procellarum
    (-0.30, -0.45, 0.30, 0.24, -15.0, 0.90),  # Mare Imbrium
    (0.10, -0.40, 0.18, 0.16, 0.0, 0.85),    # Mare Serenitatis
    (0.32, -0.08, 0.22, 0.17, 20.0, 0.85),   # Mare Tranquillitatis
    (0.70, -0.30, 0.12, 0.10, 0.0, 0.95),    # Mare Crisium
    (0.62, 0.18, 0.11, 0.19, -10.0, 0.70),   # Mare Fecunditatis
    (0.35, 0.30, 0.10, 0.09, 0.0, 0.70),     # Mare Nectaris
    (-0.20, 0.35, 0.20, 0.14, 0.0, 0.60),    # Mare Nubium
    (-0.58, 0.42, 0.11, 0.10, 0.0, 0.75),    # Mare Humorum
    (0.05, -0.70, 0.42, 0.09, -5.0, 0.50),    # Mare Frigoris
    (-0.05, 0.02, 0.10, 0.08, 0.0, 0.45),    # Sinus Medii
]

# Bright ray craters: (x, y, radius, strength) in disc units.
CRATERS = [
    (-0.12, 0.70, 0.045, 0.55),  # Tycho
    (-0.30, -0.12, 0.030, 0.45),  # Copernicus
    (-0.72, -0.10, 0.025, 0.50),  # Aristarchus
    (-0.48, -0.05, 0.020, 0.35),  # Kepler
]


def smoothstep(edge0, edge1, x):
    t = min(max((x - edge0) / (edge1 - edge0), 0.0), 1.0)
    return t * t * (3.0 - 2.0 * t)


def grain(ix, iy):
    """A deterministic value in [-1, 1] from an integer hash of the pixel."""
    h = (ix * 374761393 + iy * 668265263) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    h ^= h >> 16
    return (h & 0xFFFF) / 32767.5 - 1.0


def mare_depth(x, y):
    """How dark the ground is at (x, y) in disc units, 0 (highland) to 1."""
    depth = 0.0
    for mx, my, a, b, rot, strength in MARIA:
        c, s = math.cos(math.radians(rot)), math.sin(math.radians(rot))
        u = ((x - mx) * c + (y - my) * s) / a
        v = (-(x - mx) * s + (y - my) * c) / b
        d = math.sqrt(u * u + v * v)
        depth = max(depth, strength * (1.0 - smoothstep(0.5, 1.25, d)))
    return depth


def crater_light(x, y):
    """Extra brightness of the ray craters and their halos, 0 to 1."""
    light = 0.0
    for cx, cy, r, strength in CRATERS:
        d = math.hypot(x - cx, y - cy)
        core = 1.0 - smoothstep(0.6 * r, r, d)
        halo = 0.35 * (1.0 - smoothstep(r, 4.0 * r, d))
        light = max(light, strength * max(core, halo))
    return light


def coverage(ix, iy):
    """Fraction of pixel (ix, iy) inside the disc, by supersampling."""
    inside = 0
    for sy in range(SUBSAMPLES):
        for sx in range(SUBSAMPLES):
            px = ix + (sx + 0.5) / SUBSAMPLES - CENTRE
            py = iy + (sy + 0.5) / SUBSAMPLES - CENTRE
            if px * px + py * py <= RADIUS * RADIUS:
                inside += 1
    return inside / float(SUBSAMPLES * SUBSAMPLES)


def pixel(ix, iy):
    cover = coverage(ix, iy)
    if cover == 0.0:
        return (0, 0, 0)
    x = (ix + 0.5 - CENTRE) / RADIUS
    y = (iy + 0.5 - CENTRE) / RADIUS
    r2 = min(x * x + y * y, 1.0)
    mu = math.sqrt(1.0 - r2)                 # cosine of the viewing angle
    limb = 0.62 + 0.38 * math.sqrt(mu)       # limb darkening
    depth = mare_depth(x, y)
    light = crater_light(x, y)
    tone = 1.0 + 0.05 * grain(ix, iy)
    rgb = []
    for k in range(3):
        ground = HIGHLAND[k] + (MARE[k] - HIGHLAND[k]) * depth
        ground += (255 - ground) * light * 0.6
        value = ground * limb * tone * cover
        rgb.append(int(min(max(round(value), 0), 255)))
    return tuple(rgb)


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def make_png():
    rows = bytearray()
    for iy in range(SIZE):
        rows.append(0)  # filter type None
        for ix in range(SIZE):
            rows.extend(pixel(ix, iy))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)
    comment = (b"Comment\x00Generated by tools/make_moon_bitmap.py: a drawn full Moon, "
               b"113 x 113, 24-bit RGB on black; do not edit, run the tool again.")
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"tEXt", comment)
            + png_chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + png_chunk(b"IEND", b""))


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out = argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources", "moon141.png")
    data = make_png()
    tmp = out + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, out)
    print("wrote %s (%d bytes)" % (os.path.normpath(out), len(data)))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
