#!/usr/bin/env python3
"""Draws the program's icon, Tavrik.ico: a 32x32 and a 16x16 image, 16 colours each.

A sheet of paper whose lines are rows of bytes, with a green arrow across it:
binary data turned into source text. Run it again after changing the drawing.
"""
import struct
import sys
from pathlib import Path

# The 16 colours of the standard palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_BLUE, DARK_GREEN, GREY, DARK_GREY, GREEN, WHITE, BLUE = 0, 4, 2, 7, 8, 10, 15, 12
CLEAR = None


def draw(size):
    s = size / 32.0
    px = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y1 * s), int(y0 * s) + 1)):
            for x in range(int(x0 * s), max(int(x1 * s), int(x0 * s) + 1)):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = colour

    # The sheet with a folded corner and a shadow.
    rect(7, 3, 27, 31, DARK_GREY)
    rect(5, 1, 25, 29, BLACK)
    rect(6, 2, 24, 28, WHITE)
    for i in range(int(6 * s)):
        for j in range(int(6 * s) - i):
            x, y = int(24 * s) - 1 - j, int(2 * s) + i
            px[y][x] = CLEAR if j < int(6 * s) - i - 1 else BLACK
    # Rows of bytes.
    rows = [6, 10, 14, 18, 22] if size >= 32 else [6, 12, 18, 24]
    for n, y in enumerate(rows):
        x = 8
        while x + 3 <= (19 if n == 0 else 22):
            rect(x, y, x + 3, y + 2, DARK_BLUE if (x + n) % 2 else BLUE)
            x += 5 if size >= 32 else 6
    # The arrow.
    rect(2, 22, 18, 26, DARK_GREEN)
    rect(3, 23, 17, 25, GREEN)
    for i in range(int(7 * s)):
        y0, y1 = int(24 * s) - (int(7 * s) - i), int(24 * s) + (int(7 * s) - i)
        for y in range(y0, y1):
            x = int(17 * s) + i
            if 0 <= x < size and 0 <= y < size:
                px[y][x] = DARK_GREEN if y in (y0, y1 - 1) or i == int(7 * s) - 1 else GREEN
    return px


def image(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor, mask = b'', b''
    for row in reversed(px):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, colour in enumerate(row):
            value = 0 if colour is CLEAR else colour
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if colour is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += bytes(line)
        mask += bytes(bits)
    return header + palette + xor + mask


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name('Tavrik.ico')
    images = [image(draw(32)), image(draw(16))]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, img in zip((32, 16), images):
        data += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(img), offset)
        offset += len(img)
    out.write_bytes(data + b''.join(images))


if __name__ == '__main__':
    main()
