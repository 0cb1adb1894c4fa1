#!/usr/bin/env python3
"""Draws the program's icon: a dark oscilloscope screen with softened corners, a green grid and
one period of a green sine wave, 32 x 32 in 32-bit colour with an alpha channel."""
import math
import struct
import sys

SIZE = 32
RADIUS = 5.0


def coverage_inside_rounded_square(x, y):
    """Share of pixel (x, y) inside the rounded square, from 4 x 4 subsamples."""
    inside = 0
    for sy in range(4):
        for sx in range(4):
            px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
            cx = min(max(px, RADIUS), SIZE - RADIUS)
            cy = min(max(py, RADIUS), SIZE - RADIUS)
            inside += (px - cx) ** 2 + (py - cy) ** 2 <= RADIUS ** 2
    return inside / 16


def wave_intensity(x, y):
    """How close pixel (x, y) is to the sine trace, from 0 to 1."""
    best = 1e9
    for step in range(400):
        t = 3 + 26 * step / 399
        wy = 16 - 9 * math.sin(2 * math.pi * (t - 3) / 26)
        best = min(best, math.hypot(x + 0.5 - t, y + 0.5 - wy))
    return max(0.0, min(1.0, 1.6 - best))


def pixel(x, y):
    alpha = coverage_inside_rounded_square(x, y)
    red, green, blue = 16, 26, 22
    if 2 <= x <= 29 and 2 <= y <= 29 and (x % 6 == 4 or y % 6 == 4):
        red, green, blue = 28, 70, 44
    glow = wave_intensity(x, y)
    red = round(red + (90 - red) * glow)
    green = round(green + (240 - green) * glow)
    blue = round(blue + (110 - blue) * glow)
    return bytes((blue, green, red, round(255 * alpha)))


def main(path):
    rows = [b"".join(pixel(x, y) for x in range(SIZE)) for y in range(SIZE)]
    xor = b"".join(reversed(rows))  # bottom-up
    and_mask = bytes(4 * SIZE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 32, 0, len(xor) + len(and_mask),
                         0, 0, 0, 0)
    image = header + xor + and_mask
    icon = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32,
                                                      len(image), 22)
    with open(path, "wb") as out:
        out.write(icon + image)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "talvorne.ico")
