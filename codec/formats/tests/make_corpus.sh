#!/usr/bin/env bash
# Regenerates the reader corpus (corpus/) and its expected results (corpus/expected.txt).
#
# The files come from ImageMagick's built-in pictures, written by ImageMagick itself, plus
# variants ImageMagick does not write (planar and 1-bit PCX, bitmap and indexed PSD, TGA
# footers, GIF frames off the origin), which make_corpus_variants.py builds by hand. Every
# expected result is ImageMagick's own decode of the file: width, height and a 64-bit FNV-1a
# hash of its 24-bit RGB pixels, rows top-down. A reader agrees with ImageMagick when it gives
# the same three values.
#
# Usage: make_corpus.sh [folder]   (default: the corpus/ folder beside this script)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../../tools/tool_paths.sh"
out=${1:-$here/corpus}
convert=$TQ_CONVERT
mkdir -p "$out"
rm -f "$out"/*.gif "$out"/*.pcx "$out"/*.psd "$out"/*.tga "$out"/*.wbmp
cd "$out"

rose=rose:
logo() { "$convert" logo: -resize "$1" "${@:2}"; }
plasma() { "$convert" -seed 7 -size 64x48 plasma:fractal "$@"; }

# GIF: both versions, interlaced, several frames with local palettes, transparency.
"$convert" $rose gif_rose.gif
"$convert" $rose gif87:gif_rose_87a.gif
logo 96x "gif_logo.gif"
plasma gif_plasma.gif
"$convert" $rose -interlace GIF gif_rose_interlaced.gif
"$convert" $rose -colors 7 gif_rose_7_colours.gif
"$convert" $rose -colors 2 gif_rose_2_colours.gif
"$convert" $rose -fuzz 10% -transparent "rgb(48,47,45)" gif_rose_transparent.gif
"$convert" -delay 10 $rose \( $rose -flip -resize 50% -modulate 100,100,30 \) \( logo: -resize 30x20 \) \
    -loop 0 gif_animated.gif
"$convert" \( logo: -resize 30x20 -repage 70x46+5+7 \) $rose gif_animated_first_frame_offset.gif

# PCX: 8-bit palette (ImageMagick writes version 5 with the trailing palette) and 24-bit.
"$convert" $rose pcx_rose_24.pcx
logo 80x pcx_logo_24.pcx
"$convert" $rose -colors 200 pcx_rose_8.pcx
plasma -colors 16 pcx_plasma_8.pcx

# PSD: RGB, grey, CMYK, 16-bit, an extra (opaque) alpha channel; raw and PackBits. A partly
# transparent merged picture is left out: this ImageMagick un-blends it in its own way.
"$convert" $rose psd_rose_rgb_packbits.psd
"$convert" $rose -compress none psd_rose_rgb_raw.psd
"$convert" $rose -colorspace gray psd_rose_grey.psd
"$convert" $rose -colorspace gray -compress none psd_rose_grey_raw.psd
"$convert" $rose -colorspace cmyk psd_rose_cmyk.psd
"$convert" $rose -colorspace cmyk -compress none psd_rose_cmyk_raw.psd
"$convert" $rose -depth 16 psd_rose_16.psd
"$convert" $rose -alpha set psd_rose_alpha_channel.psd
logo 90x psd_logo.psd

# TGA: every type, 16/24/32 bits, both row orders (ImageMagick's files are bottom-up unless
# told otherwise).
"$convert" $rose tga_rose_type2.tga
"$convert" $rose -compress RLE tga_rose_type10.tga
"$convert" $rose -type palette tga_rose_type1.tga
"$convert" $rose -type palette -compress RLE tga_rose_type9.tga
"$convert" $rose -colorspace gray tga_rose_type3.tga
"$convert" $rose -colorspace gray -compress RLE tga_rose_type11.tga
"$convert" $rose -depth 5 tga_rose_16_bits.tga
"$convert" $rose -alpha set -channel A -evaluate set 50% +channel tga_rose_32_bits.tga
"$convert" $rose -orient TopLeft tga_rose_top_down.tga
"$convert" $rose -orient TopLeft -compress RLE tga_rose_top_down_rle.tga
plasma -compress RLE tga_plasma_rle.tga

# WBMP.
"$convert" $rose -threshold 50% wbmp_rose.wbmp
logo 77x -threshold 50% wbmp_logo.wbmp

"$TQ_PYTHON" "$here/make_corpus_variants.py" "$out"

# Expected results: ImageMagick's decode of each file (its first frame; TGA rows in the order
# the header gives).
"$TQ_PYTHON" - "$convert" "$out" <<'PY'
import os, re, subprocess, sys
convert, folder = sys.argv[1], sys.argv[2]
lines = []
for name in sorted(os.listdir(folder)):
    if name.endswith(('.txt', '.md')):
        continue
    ppm = subprocess.run([convert, os.path.join(folder, name) + '[0]', '-auto-orient', '-depth', '8',
                          '-type', 'TrueColor', 'ppm:-'], check=True, capture_output=True).stdout
    match = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', ppm)
    width, height = int(match.group(1)), int(match.group(2))
    pixels = ppm[match.end():]
    assert len(pixels) == width * height * 3, name
    digest = 0xcbf29ce484222325
    for byte in pixels:
        digest = ((digest ^ byte) * 0x100000001b3) & 0xffffffffffffffff
    lines.append(f'{name} {width} {height} {digest:016x}')
with open(os.path.join(folder, 'expected.txt'), 'w') as manifest:
    manifest.write('# file width height fnv1a64-of-rgb (ImageMagick\'s decode; regenerate with make_corpus.sh)\n')
    manifest.write('\n'.join(lines) + '\n')
print(f'{len(lines)} files')
PY
