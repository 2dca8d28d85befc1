#!/usr/bin/env python3
"""bmptopng.py IN.bmp OUT.png: a 24-bit BMP (as browserdriver captures it) written as PNG."""
import struct
import sys
import zlib


def main(source, target):
    data = open(source, 'rb').read()
    offset = struct.unpack_from('<I', data, 10)[0]
    width, height = struct.unpack_from('<ii', data, 18)
    if struct.unpack_from('<H', data, 28)[0] != 24:
        sys.exit('only 24-bit bitmaps')
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        at = offset + (height - 1 - y if height > 0 else y) * stride
        bgr = data[at:at + width * 3]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(b'\0' + bytes(rgb))

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0)
    with open(target, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
                  chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b''))


if __name__ == '__main__':
    main(*sys.argv[1:3])
