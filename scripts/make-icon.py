#!/usr/bin/env python3
"""Draws the program's icon, shell/win/program/tolvane.ico: a blue tile with
a white T over an orange parcel, at 16, 32 and 48 pixels, 32-bit colour with
an alpha channel (plus the AND mask that XP's icon loader wants).
Run it again after changing the drawing; the .ico is committed."""
import struct, sys, os

def pixel(size, x, y):
    """RGBA of pixel (x, y), y downwards, for an icon of `size` pixels."""
    u, v = (x + 0.5) / size, (y + 0.5) / size
    # rounded tile
    r = 0.18
    cx = min(max(u, r), 1 - r); cy = min(max(v, r), 1 - r)
    if (u - cx) ** 2 + (v - cy) ** 2 > r * r:
        return (0, 0, 0, 0)
    # orange parcel in the lower half, with a darker band across
    if 0.22 <= u <= 0.78 and 0.56 <= v <= 0.86:
        if 0.68 <= v <= 0.74:
            return (196, 106, 20, 255)
        return (245, 152, 40, 255)
    # white T in the upper half
    if (0.18 <= u <= 0.82 and 0.14 <= v <= 0.28) or (0.41 <= u <= 0.59 and 0.14 <= v <= 0.52):
        return (255, 255, 255, 255)
    # blue, a little lighter at the top
    shade = int(40 * (1 - v))
    return (30 + shade, 90 + shade, 180 + shade, 255)

def image(size):
    rows = []
    for y in reversed(range(size)):  # BMP rows go bottom-up
        rows.append(b"".join(struct.pack("BBBB", b, g, r, a)
                             for (r, g, b, a) in (pixel(size, x, y) for x in range(size))))
    xor = b"".join(rows)
    mask_row = ((size + 31) // 32) * 4
    and_rows = []
    for y in reversed(range(size)):
        bits = 0
        row = bytearray(mask_row)
        for x in range(size):
            if pixel(size, x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        and_rows.append(bytes(row))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(b"".join(and_rows)), 0, 0, 0, 0)
    return header + xor + b"".join(and_rows)

def main(path):
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(out)
    os.replace(tmp, path)

if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "shell", "win", "program", "tolvane.ico"))
