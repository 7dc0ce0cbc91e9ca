#!/usr/bin/env python3
"""Draws KvInst's icon, a parcel with a down arrow over it, as a 32x32 icon
with a 256-colour palette, and writes it to KvInst.ico beside this script."""
import os
import struct

SIZE = 32

# Palette index -> (red, green, blue). Index 0 stays black for unused entries.
COLOURS = {
    1: (0x00, 0x00, 0x00),  # outline
    2: (0xC8, 0x8C, 0x46),  # parcel front
    3: (0xE6, 0xB4, 0x6E),  # parcel lid
    4: (0x96, 0x64, 0x2D),  # parcel side
    5: (0xF0, 0xDC, 0xA0),  # tape
    6: (0x1E, 0x5A, 0xD2),  # arrow
    7: (0x78, 0xAA, 0xFF),  # arrow highlight
}
TRANSPARENT = None


def draw():
    pixels = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                pixels[y][x] = colour

    # Parcel: front face, with the lid above it and the side to its right
    # drawn as parallelograms that recede up and to the right.
    fill(4, 17, 23, 30, 2)
    for depth in range(1, 5):
        fill(4 + depth, 17 - depth, 23 + depth, 17 - depth, 3)
        fill(23 + depth, 17 - depth, 23 + depth, 30 - depth, 4)
    fill(12, 17, 15, 30, 5)  # tape across the front
    # Outline of the front face.
    for x in range(4, 24):
        pixels[17][x] = pixels[30][x] = 1
    for y in range(17, 31):
        pixels[y][4] = pixels[y][23] = 1

    # Down arrow over the parcel: shaft, then a head that narrows to a point.
    fill(13, 1, 18, 9, 6)
    fill(14, 1, 14, 9, 7)
    for row in range(6):
        fill(10 + row, 10 + row, 21 - row, 10 + row, 6)
    return pixels


def icon_bytes(pixels):
    palette = b"".join(
        struct.pack("<BBBB", *reversed(COLOURS.get(i, (0, 0, 0))), 0) for i in range(256))
    # Rows bottom-up; transparent pixels are index 0 under a set mask bit.
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        xor += bytes(0 if p is TRANSPARENT else p for p in row)
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p is TRANSPARENT else 0)
        mask += struct.pack(">I", bits)  # 32 pixels: exactly one DWORD per row
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(xor) + len(mask), 0, 0, 256, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    # Width, height, colour count (0: 256 or more), reserved, planes, bits, size, offset.
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return directory + entry + image


def main():
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "KvInst.ico")
    with open(target, "wb") as out:
        out.write(icon_bytes(draw()))


if __name__ == "__main__":
    main()
