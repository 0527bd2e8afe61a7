#!/usr/bin/env python3
"""Draws the program's icon, quillmere.ico: a sheet of paper with a quill
stroke and numbered lines, at 16 x 16 and 32 x 32 pixels, 32-bit colour.

Run it from this folder to regenerate the icon:  python3 make_icon.py
"""
import struct

PAPER = (250, 250, 245, 255)
EDGE = (70, 90, 120, 255)
LINE = (120, 150, 200, 255)
INK = (200, 60, 40, 255)
CLEAR = (0, 0, 0, 0)


def draw(size):
    """Rows of RGBA pixels, top row first."""
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    box(5, 2, 27, 30, EDGE)    # the sheet's outline
    box(6, 3, 26, 29, PAPER)   # the sheet
    for row in range(4):        # numbered lines: a short mark, then the name
        top = 7 + row * 5
        box(8, top, 11, top + 2, INK)
        box(13, top, 24, top + 2, LINE)
    for step in range(12):      # the quill's stroke, corner to corner
        box(14 + step, 27 - step, 16 + step, 29 - step, INK)
    return pixels


def image(size):
    """One icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, AND mask."""
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b''.join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    sizes = (16, 32)
    images = [image(size) for size in sizes]
    offset = 6 + 16 * len(sizes)
    directory = struct.pack('<HHH', 0, 1, len(sizes))
    for size, data in zip(sizes, images):
        directory += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open('quillmere.ico', 'wb') as file:
        file.write(directory + b''.join(images))


if __name__ == '__main__':
    main()
