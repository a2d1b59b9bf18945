#!/usr/bin/env python3
"""Converts an uncompressed 24- or 32-bit BMP (as the gallery's screenshot writes) to PNG.

Standard library only, so it runs wherever the build does.
usage: bmp2png.py IN.bmp OUT.png [X Y WIDTH HEIGHT]
With a rectangle, writes only that part of the picture (clipped to it).
"""
import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    pixel_offset = struct.unpack_from("<I", data, 10)[0]
    header_size = struct.unpack_from("<I", data, 14)[0]
    if header_size < 40:
        raise ValueError(f"{path}: unsupported BMP header ({header_size} bytes)")
    width, height, _planes, bpp, compression = struct.unpack_from("<iiHHI", data, 18)
    if bpp not in (24, 32) or compression not in (0, 3):
        raise ValueError(f"{path}: only uncompressed 24/32-bit BMPs are supported "
                         f"(bpp={bpp}, compression={compression})")
    # A positive height means rows are stored bottom-up.
    bottom_up = height > 0
    height = abs(height)
    step = bpp // 8
    stride = (width * step + 3) & ~3
    rows = []
    for y in range(height):
        src_y = height - 1 - y if bottom_up else y
        start = pixel_offset + src_y * stride
        row = data[start:start + width * step]
        if len(row) < width * step:
            raise ValueError(f"{path}: truncated pixel data")
        # BGR(A) -> RGB
        rgb = bytearray(width * 3)
        rgb[0::3] = row[2::step]
        rgb[1::3] = row[1::step]
        rgb[2::3] = row[0::step]
        rows.append(bytes(rgb))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + row for row in rows)
    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(raw, 9))
           + chunk(b"IEND", b""))
    with open(path, "wb") as f:
        f.write(png)


def crop(width, height, rows, x, y, w, h):
    x0, y0 = max(0, x), max(0, y)
    x1, y1 = min(width, x + w), min(height, y + h)
    if x1 <= x0 or y1 <= y0:
        raise ValueError(f"crop {x},{y} {w}x{h} lies outside the {width}x{height} picture")
    return x1 - x0, y1 - y0, [row[x0 * 3:x1 * 3] for row in rows[y0:y1]]


def main(argv):
    if len(argv) not in (3, 7):
        sys.stderr.write(__doc__)
        return 2
    width, height, rows = read_bmp(argv[1])
    if len(argv) == 7:
        width, height, rows = crop(width, height, rows, *(int(v) for v in argv[3:7]))
    write_png(argv[2], width, height, rows)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
