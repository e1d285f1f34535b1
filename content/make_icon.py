#!/usr/bin/env python3
"""Writes SysReport.ico: a blue tile with an orange stripe and a white "Z",
at 16x16 and 32x32, 32 bits per pixel. Run it again only to change the
picture; the .ico it writes is checked in."""
import struct
import sys
from pathlib import Path

BLUE = (0x00, 0x00, 0xFF)
ORANGE = (0xFF, 0x99, 0x33)
WHITE = (0xFF, 0xFF, 0xFF)


def pixel(x, y, n):
    """Colour of pixel (x, y), y from the top, of an n-by-n icon; None is
    transparent."""
    edge = n // 16  # one pixel at 16, two at 32
    if x < edge or y < edge or x >= n - edge or y >= n - edge:
        # Round the tile's corners by leaving them transparent.
        corner = (x < edge or x >= n - edge) and (y < 2 * edge or y >= n - 2 * edge)
        return None if corner else BLUE
    if x < 4 * edge:
        return ORANGE
    # The letter Z in the area right of the stripe.
    left, right = 6 * edge, n - 3 * edge
    top, bottom = 4 * edge, n - 4 * edge
    bar = 2 * edge
    if left <= x < right and (top <= y < top + bar or bottom - bar <= y < bottom):
        return WHITE
    if top + bar <= y < bottom - bar:
        # Diagonal from the top right to the bottom left.
        t = (y - top - bar) / max(1, bottom - top - 2 * bar - 1)
        cx = right - bar - t * (right - left - bar)
        if cx <= x < cx + bar + edge and left <= x < right:
            return WHITE
    return BLUE


def image(n):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_rows = []
    for y in reversed(range(n)):
        row = bytearray()
        bits = 0
        mask = bytearray()
        for x in range(n):
            c = pixel(x, y, n)
            if c is None:
                row += bytes((0, 0, 0, 0))
                bits |= 0x80 >> (x % 8)
            else:
                row += bytes((c[2], c[1], c[0], 0xFF))
            if x % 8 == 7:
                mask.append(bits)
                bits = 0
        while len(mask) % 4:
            mask.append(0)
        rows.append(bytes(row))
        mask_rows.append(bytes(mask))
    return header + b"".join(rows) + b"".join(mask_rows)


def icon(sizes):
    images = [image(n) for n in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    target = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("SysReport.ico")
    target.write_bytes(icon([16, 32]))
