#!/usr/bin/env python3
"""Turns a character-grid drawing into .ico data: 16 colours, 4 bits per
pixel, with an AND mask. The drawing file holds one or more images, each a
square grid of characters, separated by blank lines; lines starting with #
are comments. Usage: make_ico.py drawing.txt out.ico"""
import struct
import sys

# Character -> index into the 16-colour palette; '.' is transparent.
PALETTE = [  # (R, G, B), the standard 16 colours
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
COLOURS = {'K': 0, 'r': 1, 'g': 7, 'G': 8, 'R': 9, 'Y': 11, 'B': 12, 'W': 15, '.': 0}


def read_images(path):
    images, current = [], []
    for raw in open(path, encoding='ascii').read().splitlines():
        line = raw.rstrip()
        if line.startswith('#'):
            continue
        if not line:
            if current:
                images.append(current)
                current = []
            continue
        current.append(line)
    if current:
        images.append(current)
    for grid in images:
        size = len(grid)
        if any(len(row) != size for row in grid):
            sys.exit(f'{path}: every image must be a square grid ({size} rows)')
        bad = {c for row in grid for c in row if c not in COLOURS}
        if bad:
            sys.exit(f'{path}: unknown characters {sorted(bad)}')
    return images


def padded(row_bytes):
    return row_bytes + b'\0' * (-len(row_bytes) % 4)


def encode(grid):
    size = len(grid)
    xor_rows, and_rows = [], []
    for row in reversed(grid):  # bitmaps are stored bottom-up
        nibbles = [COLOURS[c] for c in row]
        xor_rows.append(padded(bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))))
        bits = [1 if c == '.' else 0 for c in row]
        and_rows.append(padded(bytes(
            sum(bits[i + j] << (7 - j) for j in range(8) if i + j < size) for i in range(0, size, 8))))
    pixels = b''.join(xor_rows) + b''.join(and_rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + pixels


def main():
    source, target = sys.argv[1], sys.argv[2]
    images = [encode(grid) for grid in read_images(source)]
    sizes = [len(grid) for grid in read_images(source)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    out += b''.join(images)
    with open(target, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main()
