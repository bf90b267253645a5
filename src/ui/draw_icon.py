#!/usr/bin/env python3
"""Draws the program's icon (two pages and an arrow: a file copied under a new name) and writes
renamecopy.ico with a 32x32 and a 16x16 image, 32-bit with alpha.

    python3 src/ui/draw_icon.py src/ui/renamecopy.ico
"""
import struct
import sys

SAMPLES = 4  # per axis, for smooth edges


def inside_page(x, y, left, top, right, bottom, fold):
    if not (left <= x < right and top <= y < bottom):
        return False
    # The folded top-right corner is cut off.
    return (x - (right - fold)) + (top - y) < 0 or x < right - fold or y >= top + fold


def shade(x, y):
    """Colour (r, g, b, a) at a point of the unit square, drawn at 32 units."""
    x, y = x * 32, y * 32
    # The arrow, in front: from the old page to the new one.
    if 13 <= y < 17 and 9 <= x < 20:
        return (230, 120, 20, 255)
    if 20 <= x < 26 and abs(y - 15) < (26 - x) * 0.9:
        return (230, 120, 20, 255)
    # The new page, front right.
    if inside_page(x, y, 15, 8, 30, 29, 5):
        edge = x < 16 or x >= 29 or y < 9 or y >= 28 or (x - 25) + (8 - y) > -1.5
        if edge:
            return (30, 90, 170, 255)
        if 26 >= y >= 18 and (y - 18) % 3 < 1 and 18 <= x < 27:
            return (120, 160, 210, 255)
        return (250, 250, 252, 255)
    # The old page, back left.
    if inside_page(x, y, 2, 3, 17, 24, 5):
        edge = x < 3 or x >= 16 or y < 4 or y >= 23 or (x - 12) + (3 - y) > -1.5
        if edge:
            return (110, 110, 120, 255)
        return (225, 228, 232, 255)
    return (0, 0, 0, 0)


def render(size):
    pixels = []
    for row in range(size):
        line = []
        for col in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    u = (col + (sx + 0.5) / SAMPLES) / size
                    v = (row + (sy + 0.5) / SAMPLES) / size
                    cr, cg, cb, ca = shade(u, v)
                    r += cr * ca
                    g += cg * ca
                    b += cb * ca
                    a += ca
            n = SAMPLES * SAMPLES
            if a > 0:
                line.append((round(r / a), round(g / a), round(b / a), round(a / n)))
            else:
                line.append((0, 0, 0, 0))
        pixels.append(line)
    return pixels


def bitmap(size):
    pixels = render(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(
        bytes((b, g, r, a)) for line in reversed(pixels) for (r, g, b, a) in line)
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for line in reversed(pixels):
        bits = bytearray(mask_row)
        for col, (_, _, _, a) in enumerate(line):
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + colour + bytes(mask)


def main(path):
    images = [bitmap(32), bitmap(16)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'renamecopy.ico')
