#!/usr/bin/env python3
"""Hand-built corpus files in variants ImageMagick does not write itself.

Each picture is a deterministic pattern; the expected result still comes from ImageMagick's
decode (make_corpus.sh), so these files check our readers against an independent decoder.
Usage: make_corpus_variants.py FOLDER
"""
import os
import struct
import sys

folder = sys.argv[1]


def save(name, data):
    with open(os.path.join(folder, name), 'wb') as file:
        file.write(bytes(data))


def pattern(x, y, modulus):
    return ((x // 3) ^ (y // 2) ^ (x * y // 7)) % modulus


def pcx_runs(raw):
    out = bytearray()
    i = 0
    while i < len(raw):
        run = 1
        while i + run < len(raw) and raw[i + run] == raw[i] and run < 63:
            run += 1
        if run > 1 or raw[i] >= 0xC0:
            out.append(0xC0 | run)
        out.append(raw[i])
        i += run
    return out


def pcx(name, version, bits, planes, width, height, index_of, palette16=None, trailing=None):
    bytes_per_line = ((width * bits + 15) // 16) * 2
    header = bytearray(128)
    header[0:4] = bytes([10, version, 1, bits])
    struct.pack_into('<HHHHHH', header, 4, 0, 0, width - 1, height - 1, 72, 72)
    if palette16:
        for i, colour in enumerate(palette16):
            header[16 + i * 3:19 + i * 3] = bytes(colour)
    header[65] = planes
    struct.pack_into('<HH', header, 66, bytes_per_line, 1)
    data = bytearray(header)
    for y in range(height):
        line = bytearray(bytes_per_line * planes)
        for x in range(width):
            index = index_of(x, y)
            for plane in range(planes):
                value = (index >> (plane * bits)) & ((1 << bits) - 1)
                offset = x * bits
                line[plane * bytes_per_line + offset // 8] |= value << (8 - bits - offset % 8)
        data += pcx_runs(line)
    if trailing:
        data.append(12)
        for colour in trailing:
            data += bytes(colour)
    save(name, data)


ega = [(0, 0, 0), (0, 0, 170), (0, 170, 0), (0, 170, 170), (170, 0, 0), (170, 0, 170), (170, 85, 0),
       (170, 170, 170), (85, 85, 85), (85, 85, 255), (85, 255, 85), (85, 255, 255), (255, 85, 85),
       (255, 85, 255), (255, 255, 85), (255, 255, 255)]
# (1-bit PCX is left to the unit tests: this ImageMagick shows a set bit as black, where the
# format's own convention, and our reader, show it white.)
pcx('pcx_planar_16_colours.pcx', 2, 1, 4, 45, 30, lambda x, y: pattern(x, y, 16), ega)
pcx('pcx_packed_16_colours.pcx', 5, 4, 1, 45, 30, lambda x, y: pattern(x, y, 16), ega)
pcx('pcx_8_bits_trailing_palette.pcx', 5, 8, 1, 50, 20, lambda x, y: (x * 5 + y * 3) % 256,
    trailing=[((i * 7) % 256, 255 - i, (i * 3) % 256) for i in range(256)])


def psd(name, mode, depth, channels, width, height, planes, colour_mode_data=b''):
    data = bytearray(b'8BPS')
    data += struct.pack('>H6xHIIHH', 1, channels, height, width, depth, mode)
    data += struct.pack('>I', len(colour_mode_data)) + colour_mode_data
    data += struct.pack('>II', 0, 0)
    data += struct.pack('>H', 0)
    for plane in planes:
        data += plane
    save(name, data)


width, height = 40, 24
# (Indexed PSD files are left to the unit tests: this ImageMagick refuses them, its own too.)
bitmap = bytearray()
for y in range(height):
    row = bytearray((width + 7) // 8)
    for x in range(width):
        if pattern(x, y, 2):
            row[x // 8] |= 0x80 >> (x % 8)
    bitmap += row
psd('psd_bitmap.psd', 0, 1, 1, width, height, [bytes(bitmap)])


def tga(name, image_type, bits, width, height, pixel, colour_map=None, map_bits=24, descriptor=0, footer=False):
    header = struct.pack('<BBBHHBHHHHBB', 0, 1 if colour_map else 0, image_type, 0,
                         len(colour_map) if colour_map else 0, map_bits if colour_map else 0,
                         0, 0, width, height, bits, descriptor)
    data = bytearray(header)
    if colour_map:
        for entry in colour_map:
            data += entry
    for y in range(height):
        for x in range(width):
            data += pixel(x, y)
    if footer:
        data += struct.pack('<II', 0, 0) + b'TRUEVISION-XFILE.\0'
    save(name, data)


def rgb555(r, g, b):
    return struct.pack('<H', (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))


tga('tga_15_bits_footer.tga', 2, 15, 33, 21, lambda x, y: rgb555(x * 7, y * 12, 255 - x * 7), footer=True)
tga('tga_colour_map_16_bits.tga', 1, 8, 33, 21, lambda x, y: bytes([pattern(x, y, 64)]),
    colour_map=[rgb555(i * 4, 255 - i * 4, (i * 37) % 256) for i in range(64)], map_bits=16)
tga('tga_top_down_footer.tga', 2, 24, 33, 21, lambda x, y: bytes([x * 7, y * 12, pattern(x, y, 256)]),
    descriptor=0x20, footer=True)


def gif_literal_lzw(stream, min_code_size=8):
    # Literal codes only, with a clear code before the table would widen them.
    clear = 1 << min_code_size
    size = min_code_size + 1
    codes = [clear]
    since = 0
    for index in stream:
        if since == (1 << size) - clear - 3:
            codes.append(clear)
            since = 0
        codes.append(index)
        since += 1
    codes.append(clear + 1)
    packed = bytearray()
    buffer = bits = 0
    for code in codes:
        buffer |= code << bits
        bits += size
        while bits >= 8:
            packed.append(buffer & 0xFF)
            buffer >>= 8
            bits -= 8
    if bits:
        packed.append(buffer)
    out = bytearray([min_code_size])
    for i in range(0, len(packed), 255):
        chunk = packed[i:i + 255]
        out += bytes([len(chunk)]) + chunk
    return out + b'\0'


# A file without a global table whose first frame sits off the origin with its own table.
gif = bytearray(b'GIF89a') + struct.pack('<HHBBB', 90, 60, 0, 0, 0)
frame_w, frame_h = 37, 23
gif += b'\x2c' + struct.pack('<HHHHB', 11, 13, frame_w, frame_h, 0x80 | 7)
for i in range(256):
    gif += bytes([(i * 3) % 256, (i * 5) % 256, 255 - i])
gif += gif_literal_lzw([pattern(x, y, 256) for y in range(frame_h) for x in range(frame_w)])
gif += b'\x3b'
save('gif_local_table_only.gif', gif)
