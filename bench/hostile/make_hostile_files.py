#!/usr/bin/env python3
"""Writes the hostile files of run_hostile.sh into FOLDER: small files that describe giant
pictures, declare more than they hold, or repeat their work, each after the recipe of the
fault it once exposed. Needs ImageMagick's convert and libjpeg's jpegtran.

usage: make_hostile_files.py FOLDER
"""
import os
import struct
import subprocess
import sys
import zlib

folder = sys.argv[1]


def path(name):
    return os.path.join(folder, name)


def write(name, data):
    with open(path(name), "wb") as out:
        out.write(data)


def run(*command):
    subprocess.run(command, check=True)


def picture_file(title, width, height, payload, declared=None):
    """A .tqi file; `declared` overrides the payload size its header states."""
    stream = zlib.compress(payload, 1)
    name = title.encode("latin-1")
    return (b"TapestriqueImage v1.00\0" + struct.pack("<I", len(name)) + name +
            struct.pack("<IIII", width, height, len(stream), len(payload) if declared is None else declared) + stream)


def with_frame_size(jpeg, width, height):
    """Rewrites the size in the first start-of-frame header."""
    data = bytearray(jpeg)
    at = next(i for i in range(len(data) - 1)
              if data[i] == 0xFF and data[i + 1] in (0xC0, 0xC1, 0xC2, 0xC9, 0xCA))
    data[at + 5:at + 9] = struct.pack(">HH", height, width)
    return bytes(data)


def repeat_last_scan(jpeg, times):
    """The last scan (start-of-scan marker up to the end-of-image marker) repeated."""
    last = jpeg.rfind(b"\xff\xda")
    scan = jpeg[last:-2]
    return jpeg[:-2] + scan * times + b"\xff\xd9"


def read(name):
    with open(path(name), "rb") as source:
        return source.read()


# A small real JPEG: the payload of the picture files and the base of the JPEG cases.
run("convert", "-size", "64x48", "plasma:fractal", "-seed", "3", "-quality", "85", path("photo.jpg"))
photo = read("photo.jpg")

# Fault 1: a picture file whose stream inflates to 1 KB but declares 60,000 bytes.
write("tqi_declares_more.tqi", picture_file("Short", 64, 48, photo, declared=60000))

# Fault 2: an arithmetic-coded 16 x 16 picture whose frame header claims 26000 x 27000, and
# the first two thirds of an arithmetic-coded photo.
run("convert", "-size", "16x16", "xc:gray50", path("tiny.jpg"))
run("jpegtran", "-arithmetic", "-outfile", path("tiny_arithmetic.jpg"), path("tiny.jpg"))
write("jpeg_arithmetic_giant.jpg", with_frame_size(read("tiny_arithmetic.jpg"), 26000, 27000))
run("convert", "-size", "1600x1200", "plasma:fractal", "-seed", "7", "-quality", "90", path("big_photo.jpg"))
run("jpegtran", "-arithmetic", "-outfile", path("big_arithmetic.jpg"), path("big_photo.jpg"))
arithmetic = read("big_arithmetic.jpg")
write("jpeg_arithmetic_cut.jpg", arithmetic[:len(arithmetic) * 2 // 3])

# Fault 3: a progressive grey picture whose last scan is repeated 5,700 times over a frame of
# 16000 x 16000, and its 8000 x 8000 variant packed in a picture file for composing.
run("convert", "-size", "16x16", "gradient:black-white", "-colorspace", "gray", "-interlace", "JPEG",
    path("tiny_progressive.jpg"))
progressive = read("tiny_progressive.jpg")
write("jpeg_scans_16000.jpg", repeat_last_scan(with_frame_size(progressive, 16000, 16000), 5700))
scans_8000 = repeat_last_scan(with_frame_size(progressive, 8000, 8000), 1500)
write("tqi_scans_8000.tqi", picture_file("Scans", 8000, 8000, scans_8000))

# Fault 4: a skin whose background is a BMP picture with a height of INT32_MIN.
run("convert", "-size", "40x30", "xc:navy", "BMP3:" + path("back.bmp"))
bmp = bytearray(read("back.bmp"))
bmp[22:26] = struct.pack("<I", 0x80000000)
block = zlib.compress(bytes(bmp))
write("skin_int_min_height.tqs", b"TapestriqueSkin v1.00\0" + struct.pack("<I", 4) + b"Tall" +
      struct.pack("<II", len(block), len(bmp)) + block + struct.pack("<I", 0))

# Fault 5: a title with a NUL inside.
write("tqi_title_with_nul.tqi", picture_file("Sun\0set", 64, 48, photo))


# Fault 6: decoders that once held much more than their picture.
def g4_white_page(width, height):
    """A TIFF of one strip, Group 4 fax, min-is-white: every row one bit (no change)."""
    rows = bytes([0xFF]) * (height // 8) + (bytes([(0xFF << (8 - height % 8)) & 0xFF]) if height % 8 else b"")
    data = rows + b"\x00\x10\x01"  # the end-of-facsimile block
    entries = [(256, 4, width), (257, 4, height), (258, 3, 1), (259, 3, 4), (262, 3, 0), (273, 4, 0),
               (277, 3, 1), (278, 4, height), (279, 4, len(data))]
    ifd_size = 2 + 12 * len(entries) + 4
    offset = 8 + ifd_size
    ifd = struct.pack("<H", len(entries))
    for tag, kind, value in entries:
        value = offset if tag == 273 else value
        ifd += struct.pack("<HHI", tag, kind, 1) + (struct.pack("<HH", value, 0) if kind == 3 else struct.pack("<I", value))
    return b"II*\x00" + struct.pack("<I", 8) + ifd + struct.pack("<I", 0) + data


write("tiff_g4_23000.tif", g4_white_page(23000, 23000))


def gif_of_one_colour(width, height):
    """The most compressed GIF of a uniform picture: LZW strings grown to the full table and
    then its longest string over and over (no clear code)."""
    codes = []
    size = 3
    codes.append((4, size))  # clear
    codes.append((0, size))
    pixels = 1
    next_code = 6
    total = width * height
    while next_code < 4096 and pixels + next_code - 4 <= total:
        codes.append((next_code, size))
        pixels += next_code - 4
        next_code += 1
        if next_code == 1 << size and size < 12:
            size += 1
    while pixels + 4091 <= total:
        codes.append((4095, 12))
        pixels += 4091
    while pixels < total:
        codes.append((0, size))
        pixels += 1
    codes.append((5, size))  # end
    # Codes are packed from the least significant bit of each byte on.
    bits = "".join(format(code, "0%db" % width_bits)[::-1] for code, width_bits in codes)
    bits += "0" * (-len(bits) % 8)
    stream = bytes(int(bits[i:i + 8][::-1], 2) for i in range(0, len(bits), 8))
    blocks = b"".join(bytes([len(stream[i:i + 255])]) + stream[i:i + 255] for i in range(0, len(stream), 255))
    return (b"GIF89a" + struct.pack("<HHBBB", width, height, 0x80, 0, 0) + b"\x00\x00\x00\xff\xff\xff" +
            b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) + b"\x02" + blocks + b"\x00\x3b")


write("gif_20000.gif", gif_of_one_colour(20000, 20000))


def rle_bmp_of_line_ends(width, height, data_bytes):
    """An 8-bit run-length BMP whose data is nothing but line ends, then the end of bitmap."""
    data = b"\x00\x00" * (data_bytes // 2 - 1) + b"\x00\x01"
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 2, 0)
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00"
    offset = 14 + len(header) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + header + palette + data


write("bmp_rle_12k.bmp", rle_bmp_of_line_ends(30000, 23000, 12 * 1024))


def packbits_psd(width, height):
    """A bitmap-mode Photoshop file whose rows are PackBits runs of 128 bytes."""
    row_bytes = (width + 7) // 8
    row = b""
    left = row_bytes
    while left:
        run = min(128, left)
        row += bytes([257 - run, 0x00])
        left -= run
    header = b"8BPS" + struct.pack(">H6xHIIHH", 1, 1, height, width, 1, 0)
    sections = struct.pack(">III", 0, 0, 0) + struct.pack(">H", 1)
    return header + sections + struct.pack(">H", len(row)) * height + row * height


write("psd_packbits_30000.psd", packbits_psd(30000, 23500))


def png_of_zeros(width, height, bit_depth, colour_type):
    """A PNG of one colour, its rows of zeros deflated at the best level."""
    channels = {0: 1, 2: 3}[colour_type]
    row = b"\x00" * (1 + (width * channels * bit_depth + 7) // 8)
    compressor = zlib.compressobj(9)
    data = b"".join(compressor.compress(row) for _ in range(height)) + compressor.flush()

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    ihdr = struct.pack(">IIBBBBB", width, height, bit_depth, colour_type, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


write("png_1bit_40000.png", png_of_zeros(40000, 17500, 1, 0))


def pcx_of_runs(width, height):
    """An 8-bit PCX whose runs (63 bytes for two) cover half the rows it claims: enough data
    for a bound of 63 bytes per byte, not for the true 63 per two."""
    data_bytes = (width * height + 62) // 63 + 1
    header = bytearray(128)
    header[0:4] = bytes([10, 5, 1, 8])
    header[4:12] = struct.pack("<HHHH", 0, 0, width - 1, height - 1)
    header[65] = 1
    header[66:68] = struct.pack("<H", width)
    return bytes(header) + b"\xff\x00" * (data_bytes // 2 + 1)


write("pcx_runs_claiming_twice.pcx", pcx_of_runs(8000, 8000))

# Fault 7: pictures the import must refuse from their headers, before decoding them: a JPEG
# whose frame claims 20000 x 20000 over a few kilobytes, and a true 16000 x 16000 PNG.
write("import_jpeg_claiming_20000.jpg", with_frame_size(photo, 20000, 20000))
write("import_png_16000.png", png_of_zeros(16000, 16000, 1, 0))

for helper in ("photo.jpg", "tiny.jpg", "tiny_arithmetic.jpg", "big_photo.jpg", "big_arithmetic.jpg",
               "tiny_progressive.jpg", "back.bmp"):
    os.remove(path(helper))
