#!/usr/bin/env python3
"""Draws the launcher's icon (a white boat on calm water in a blue disc) and writes nubrel.ico.

Seven images: 16, 20, 24, 32, 40 and 48 pixels as 32-bit bitmaps, 256 pixels as PNG.
Run: python3 make_icon.py nubrel.ico
"""
import math
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 40, 48, 256]
SAMPLES = 4  # supersampling per axis for smooth edges


def shade(x, y):
    """Colour (r, g, b, a) at a point of the unit square, y growing downwards."""
    dx, dy = x - 0.5, y - 0.5
    if dx * dx + dy * dy > 0.47 * 0.47:
        return (0, 0, 0, 0)
    # Sky-to-sea gradient inside the disc.
    t = y
    r, g, b = int(40 + 20 * t), int(150 - 60 * t), int(230 - 40 * t)
    # Sail: a triangle from the mast to the boom.
    if 0.50 <= x <= 0.72 and 0.22 <= y <= 0.60 and (x - 0.50) <= (y - 0.22) * 0.58:
        return (255, 255, 255, 255)
    if 0.30 <= x < 0.48 and 0.32 <= y <= 0.60 and (0.48 - x) <= (y - 0.32) * 0.64:
        return (225, 240, 255, 255)
    # Hull: a band whose ends slope inwards.
    if 0.63 <= y <= 0.72:
        inset = (y - 0.63) * 1.3
        if 0.22 + inset <= x <= 0.78 - inset:
            return (250, 190, 60, 255)
    # Water line: a gentle wave below the hull.
    wave = 0.79 + 0.02 * math.sin(x * 4 * math.pi)
    if wave <= y <= wave + 0.045:
        return (235, 250, 255, 255)
    return (r, g, b, 255)


def render(size):
    """Rows of BGRA pixels, top row first, colours premultiplied by coverage."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = shade((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] // n
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((acc[2] // acc[3], acc[1] // acc[3], acc[0] // acc[3], alpha))
        rows.append(row)
    return rows


def bitmap_image(size, rows):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes(c for px in row for c in px) for row in reversed(rows))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def png_image(size, rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = b''.join(b'\x00' + bytes(c for (b, g, r, a) in row for c in (r, g, b, a)) for row in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def main(path):
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png_image(size, rows) if size >= 256 else bitmap_image(size, rows)))
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        dim = 0 if size >= 256 else size
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(data for _, data in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'nubrel.ico')
