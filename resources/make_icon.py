#!/usr/bin/env python3
"""Draws Velkaro's 32 x 32 icon, a small open start menu standing on a taskbar with
a green Start button, and writes it as a one-image 24-bit ICO (velkaro.ico) and as
the bare image data that the executable's icon resource holds (icon_image.bin)."""
import struct
import sys

W = H = 32
TASKBAR = (0x24, 0x5E, 0xDC)
START = (0x3C, 0xAA, 0x3C)
START_LIGHT = (0x8C, 0xE0, 0x8C)
MENU = (0xF4, 0xF4, 0xF0)
BAND = (0x1C, 0x3C, 0x9C)
LINE = (0x90, 0x98, 0xA8)
EDGE = (0x30, 0x30, 0x40)


def picture():
    px = [[(0, 0, 0)] * W for _ in range(H)]  # top-down rows
    transparent = [[False] * W for _ in range(H)]
    for y in range(H):
        for x in range(W):
            if y >= 29:
                px[y][x] = START if x < 14 else TASKBAR
                if x < 14 and y == 29:
                    px[y][x] = START_LIGHT
            elif x >= 25:
                transparent[y][x] = True
            elif y < 2:
                transparent[y][x] = True
            else:
                if x == 0 or x == 24 or y == 2 or y == 28:
                    px[y][x] = EDGE
                elif x <= 6:
                    px[y][x] = BAND
                elif y in (6, 10, 14, 18, 22) and 9 <= x <= 21:
                    px[y][x] = LINE
                else:
                    px[y][x] = MENU
    return px, transparent


def image_data():
    px, transparent = picture()
    header = struct.pack("<IiiHHIIiiII", 40, W, 2 * H, 1, 24, 0, W * H * 3, 0, 0, 0, 0)
    colour = b"".join(bytes(c for (r, g, b) in px[y] for c in (b, g, r)) for y in reversed(range(H)))
    mask = b""
    for y in reversed(range(H)):
        bits = 0
        for x in range(W):
            if transparent[y][x]:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    return header + colour + mask


def main(out_dir):
    data = image_data()
    assert len(data) == 3240
    ico = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 0, 0, 0, 0, len(data), 22) + data
    assert len(ico) == 3262
    with open(f"{out_dir}/velkaro.ico", "wb") as f:
        f.write(ico)
    with open(f"{out_dir}/icon_image.bin", "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else ".")
