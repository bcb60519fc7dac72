#!/usr/bin/env python3
"""Draws the desktop icon, a dot-matrix "Z", as SVG and as PNG at the usual theme sizes.

Writes resources/icons/org.zemtra.Zemtra.svg and resources/icons/NxN/org.zemtra.Zemtra.png
(or the same names under the folder given as the one argument; the tests use that to check
that the files in the repository are up to date).
The glyph and the colours are those of the program's own window icon (ui/qt/app_icon.cpp)
and preview: lit dots light, unlit dots dark, on black. Pure Python (zlib + struct), and the
output is byte for byte the same on every run. Run it from anywhere:
    python3 scripts/make_icons.py
"""
import math
import struct
import sys
import zlib
from pathlib import Path

GLYPH = [
    "#######",
    ".....#.",
    "....#..",
    "...#...",
    "..#....",
    ".#.....",
    "#######",
]
LIGHT = (0x9C, 0xE0, 0xEF)   # the preview's lit dot (colour reference 0xEFE09C)
DARK = (0x49, 0x50, 0x28)    # the preview's unlit dot (colour reference 0x285049)
BLACK = (0x00, 0x00, 0x00)
SIZES = [16, 22, 24, 32, 48, 64, 128, 256]
NAME = "org.zemtra.Zemtra"

# Geometry on a unit square: a rounded black tile with the 7 x 7 grid inside it.
TILE_MARGIN = 0.0
TILE_RADIUS = 0.16
GRID_MARGIN = 0.08
DOT_FILL = 0.78             # dot diameter as a share of the grid pitch


def geometry(size):
    """Tile rectangle, corner radius, grid origin, pitch, dot half-size and dot shape."""
    tile0 = TILE_MARGIN * size
    tile1 = size - tile0
    radius = TILE_RADIUS * size
    if size <= 32:
        # Small icons snap to whole pixels: square dots, one-pixel gaps where there is room.
        pitch = (size - 1) // 7
        dot = pitch - 1 if pitch >= 3 else pitch
        # The grid is 7 dots and 6 gaps wide; start it on a whole pixel.
        origin = (size - (7 * pitch - (pitch - dot))) // 2 - (pitch - dot) / 2
        return tile0, tile1, radius, float(origin), float(pitch), dot / 2, True
    origin = GRID_MARGIN * size
    pitch = (size - 2 * origin) / 7
    return tile0, tile1, radius, origin, pitch, pitch * DOT_FILL / 2, False


def rounded_rect_coverage(px, py, x0, x1, radius):
    """Share of the pixel centred at (px, py) inside the rounded square x0..x1."""
    cx = min(max(px, x0 + radius), x1 - radius)
    cy = min(max(py, x0 + radius), x1 - radius)
    inside = max(abs(px - (x0 + x1) / 2), abs(py - (x0 + x1) / 2)) - (x1 - x0) / 2
    if abs(px - cx) > 0 and abs(py - cy) > 0:
        distance = math.hypot(px - cx, py - cy) - radius
    else:
        distance = inside
    return min(max(0.5 - distance, 0.0), 1.0)


def dot_shape_distance(px, py, cx, cy, r, square):
    """Signed distance from a pixel centre to a round dot, or to a square one when small."""
    if square:
        return max(abs(px - cx), abs(py - cy)) - r
    return math.hypot(px - cx, py - cy) - r


def blend(base, top, alpha):
    return tuple(b + (t - b) * alpha for b, t in zip(base, top))


def render(size):
    """RGBA rows of the icon at one size."""
    tile0, tile1, radius, origin, pitch, r, square = geometry(size)
    rows = []
    for y in range(size):
        row = bytearray()
        py = y + 0.5
        for x in range(size):
            px = x + 0.5
            colour = BLACK
            column = min(max(int((px - origin) // pitch), 0), 6)
            line = min(max(int((py - origin) // pitch), 0), 6)
            cx = origin + (column + 0.5) * pitch
            cy = origin + (line + 0.5) * pitch
            d = dot_shape_distance(px, py, cx, cy, r, square)
            dot_alpha = min(max(0.5 - d, 0.0), 1.0)
            lit = GLYPH[line][column] == "#"
            colour = blend(colour, LIGHT if lit else DARK, dot_alpha)
            alpha = rounded_rect_coverage(px, py, tile0, tile1, radius)
            row += bytes(round(c) for c in colour) + bytes([round(alpha * 255)])
        rows.append(bytes(row))
    return rows


def png_bytes(rows, size):
    """A minimal 8-bit RGBA PNG without ancillary chunks (so no time stamp)."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\x00" + r for r in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def svg_text():
    """The scalable icon on a 256-unit canvas, with the geometry of the large PNGs."""
    size = 256
    tile0, tile1, radius, origin, pitch, r, _ = geometry(size)
    hexes = {c: "#%02X%02X%02X" % c for c in (LIGHT, DARK, BLACK)}
    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<!-- Zemtra\'s icon: a dot-matrix "Z". Written by scripts/make_icons.py. -->',
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" height="{size}" '
        f'viewBox="0 0 {size} {size}">',
        f'  <rect x="{tile0:g}" y="{tile0:g}" width="{tile1 - tile0:g}" '
        f'height="{tile1 - tile0:g}" rx="{radius:g}" fill="{hexes[BLACK]}"/>',
    ]
    for line, text in enumerate(GLYPH):
        for column, mark in enumerate(text):
            cx = origin + (column + 0.5) * pitch
            cy = origin + (line + 0.5) * pitch
            fill = hexes[LIGHT if mark == "#" else DARK]
            lines.append(f'  <circle cx="{cx:.2f}" cy="{cy:.2f}" r="{r:.2f}" fill="{fill}"/>')
    lines.append("</svg>")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) > 1:
        out = Path(sys.argv[1])
    else:
        out = Path(__file__).resolve().parent.parent / "resources" / "icons"
    out.mkdir(parents=True, exist_ok=True)
    (out / f"{NAME}.svg").write_text(svg_text(), encoding="utf-8")
    for size in SIZES:
        folder = out / f"{size}x{size}"
        folder.mkdir(exist_ok=True)
        (folder / f"{NAME}.png").write_bytes(png_bytes(render(size), size))
    print(f"make_icons: wrote {out}")


if __name__ == "__main__":
    main()
