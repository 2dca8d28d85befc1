#!/usr/bin/env python3
"""Writes ravo2-sample.ico: a yellow folder with a blue dot, 16x16 and 32x32, 32-bit colour."""
import struct
import sys


def pixel(x, y, size):
    """BGRA of the pixel at (x, y), y counted from the top."""
    s = size / 16.0
    inside_tab = 1 * s <= x < 7 * s and 2 * s <= y < 4 * s
    inside_body = 1 * s <= x < 15 * s and 4 * s <= y < 14 * s
    if not (inside_tab or inside_body):
        return (0, 0, 0, 0)
    edge = x < 1 * s + 1 or x >= 15 * s - 1 or y >= 14 * s - 1 or y < 2 * s + 1 or (
        inside_body and not inside_tab and y < 4 * s + 1)
    if edge:
        return (0x10, 0x70, 0xA0, 0xFF)
    cx, cy, r = 10 * s, 9.5 * s, 2.5 * s
    if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
        return (0xD0, 0x60, 0x20, 0xFF)
    return (0x40, 0xC8, 0xF8, 0xFF)


def image(size):
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = range(size - 1, -1, -1)  # bottom-up
    colour = b''.join(bytes(pixel(x, y, size)) for y in rows for x in range(size))
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for y in rows:
        bits = bytearray(mask_row)
        for x in range(size):
            if pixel(x, y, size)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main(path):
    images = [image(16), image(32)]
    offset = 6 + 16 * len(images)
    out = struct.pack('<HHH', 0, 1, len(images))
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'ravo2-sample.ico')
