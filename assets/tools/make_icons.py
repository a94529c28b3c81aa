#!/usr/bin/env python3
"""Writes the program icons (16, 32, 48 and 256 pixels) and the two cursors for the
resource compiler.

usage: make_icons.py OUTDIR   -> tapestrique.ico, tapestrique32.ico, hand.cur, normal.cur

The two icon files hold the same pictures in a different order: an icon loaded at its
"resource size" comes out at the size of its first picture, so tapestrique.ico starts with
16 pixels (the small icon, ICONTAPESTRIQUE16X16) and tapestrique32.ico with 32 pixels.

Small sizes are stored as 32-bit DIBs with an AND mask (readable by every Windows
version); the 256-pixel image is stored as PNG, as modern systems expect."""

import io
import os
import struct
import sys

from PIL import Image

import artwork as art


def dib(image):
    """BITMAPINFOHEADER + bottom-up BGRA rows + 1-bit AND mask (height counted twice)."""
    width, height = image.size
    pixels = image.load()
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        for x in range(width):
            r, g, b, a = pixels[x, y]
            rows += bytes((b, g, r, a))
    mask_stride = ((width + 31) // 32) * 4
    mask = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(width):
            if pixels[x, y][3] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(rows) + bytes(mask)


def png(image):
    out = io.BytesIO()
    image.save(out, "PNG", optimize=False)
    return out.getvalue()


def icon_file(images, kind=1, hotspots=None):
    """An .ico (kind 1) or .cur (kind 2) file; cursors carry their hot spots in the directory."""
    count = len(images)
    data = []
    for image in images:
        data.append(png(image) if image.size[0] >= 256 else dib(image))
    out = struct.pack("<HHH", 0, kind, count)
    offset = 6 + 16 * count
    for i, image in enumerate(images):
        width, height = image.size
        if kind == 1:
            planes, bits = 1, 32
        else:
            planes, bits = hotspots[i]
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, planes, bits, len(data[i]), offset)
        offset += len(data[i])
    return out + b"".join(data)


def arrow_cursor():
    def paint(d, s):
        points = [(1, 1), (1, 22), (6, 17.5), (10, 26), (13.5, 24.5), (9.5, 16.5), (16, 16.5)]
        d.polygon([(s(x), s(y)) for x, y in points], fill=(255, 255, 255, 255), outline=(0, 0, 0, 255))
        d.line([(s(x), s(y)) for x, y in points + [points[0]]], fill=(0, 0, 0, 255), width=int(s(1.2)))
    return art.shapes((32, 32), paint)


def hand_cursor():
    def paint(d, s):
        black, white = (0, 0, 0, 255), (255, 255, 255, 255)
        # palm and fingers, index finger raised
        palm = [(7, 13), (8, 12), (10, 13), (10, 3), (11.5, 1.5), (13, 1.5), (14, 3), (14, 11), (15.5, 10),
                (17, 10.5), (17.5, 12), (19, 11), (20.5, 11.5), (21, 13), (22.5, 12.5), (24, 13.5), (24, 21),
                (22, 26), (22, 29), (11, 29), (11, 26), (6, 19), (5.5, 16), (6, 14)]
        d.polygon([(s(x), s(y)) for x, y in palm], fill=white)
        d.line([(s(x), s(y)) for x, y in palm + [palm[0]]], fill=black, width=int(s(1.2)))
        for x in (14, 17.5, 21):
            d.line([(s(x), s(13)), (s(x), s(18))], fill=black, width=int(s(1)))
    return art.shapes((32, 32), paint)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_icons.py OUTDIR")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, sizes in (("tapestrique.ico", (16, 32, 48, 256)), ("tapestrique32.ico", (32, 48, 256, 16))):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(icon_file([art.app_icon(size) for size in sizes]))
    with open(os.path.join(folder, "normal.cur"), "wb") as f:
        f.write(icon_file([arrow_cursor()], kind=2, hotspots=[(1, 1)]))
    with open(os.path.join(folder, "hand.cur"), "wb") as f:
        f.write(icon_file([hand_cursor()], kind=2, hotspots=[(12, 1)]))


if __name__ == "__main__":
    main()
