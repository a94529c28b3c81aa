#!/usr/bin/env bash
# Regenerates the small test pictures of this folder with ImageMagick (run by hand; the
# files are kept in the tree so that the Windows tests need no ImageMagick). Every variant
# of BMP, PNG, TIFF and JPEG that ImageMagick writes, plus broken files.
set -euo pipefail
cd "$(dirname "$0")"
source ../../../tools/tool_paths.sh
im=$TQ_CONVERT
base=(-size 23x17 -seed 3 plasma:fractal -depth 8)
alpha=(-size 23x17 -seed 3 plasma:fractal \( -size 23x17 gradient:white-black \) -alpha off -compose copy_opacity -composite -depth 8)

# BMP
$im "${base[@]}" bmp_v5_24.bmp
$im "${base[@]}" bmp3:bmp_24.bmp
$im "${base[@]}" -type palette bmp3:bmp_8.bmp
$im "${base[@]}" -colors 16 bmp3:bmp_4.bmp
$im "${base[@]}" -type bilevel bmp3:bmp_1.bmp
$im "${base[@]}" -type palette -compress rle bmp3:bmp_rle8.bmp
$im "${base[@]}" -define bmp:subtype=RGB565 bmp_565.bmp
$im "${base[@]}" -define bmp:subtype=RGB555 bmp_555.bmp
$im "${alpha[@]}" bmp_v5_32.bmp
$im "${base[@]}" bmp2:bmp_os2.bmp

# PNG
$im "${base[@]}" png24:png_rgb8.png
$im "${alpha[@]}" png32:png_rgba8.png
$im "${base[@]}" -depth 16 png48:png_rgb16.png
$im "${alpha[@]}" -depth 16 png64:png_rgba16.png
$im "${base[@]}" -colors 200 png8:png_palette8.png
$im "${base[@]}" -colors 4 -define png:bit-depth=2 png8:png_palette2.png
$im "${base[@]}" -colors 4 -fill white -opaque "$($im "${base[@]}" -colors 4 -format '%[pixel:p{0,0}]' info:)" \
    -transparent white png8:png_palette_trns.png
$im "${base[@]}" -type bilevel png_grey1.png
$im "${base[@]}" -colorspace gray -depth 4 -define png:color-type=0 -define png:bit-depth=4 png_grey4.png
$im "${base[@]}" -colorspace gray -define png:color-type=0 -define png:bit-depth=8 png_grey8.png
$im "${base[@]}" -colorspace gray -depth 16 -define png:color-type=0 png_grey16.png
$im "${alpha[@]}" -colorspace gray -define png:color-type=4 png_grey_alpha.png
$im "${base[@]}" -interlace PNG png24:png_interlaced.png

# TIFF
$im "${base[@]}" -compress none tiff_none.tif
$im "${base[@]}" -compress lzw tiff_lzw.tif
$im "${base[@]}" -compress zip tiff_zip.tif
$im "${base[@]}" -compress rle tiff_packbits.tif
$im "${base[@]}" -compress jpeg -quality 90 tiff_jpeg.tif
$im "${base[@]}" -colorspace gray tiff_grey8.tif
$im "${base[@]}" -colorspace gray -depth 16 tiff_grey16.tif
$im "${base[@]}" -depth 16 tiff_rgb16.tif
$im "${base[@]}" -type bilevel -compress group4 tiff_group4.tif
$im "${base[@]}" -type palette tiff_palette.tif
$im "${alpha[@]}" tiff_rgba.tif
$im "${base[@]}" -define tiff:tile-geometry=16x16 tiff_tiled.tif
$im "${base[@]}" -interlace plane tiff_planar.tif
$im "${base[@]}" -define tiff:endian=msb tiff_big_endian.tif

# JPEG
$im "${base[@]}" -quality 90 -sampling-factor 2x2 jpeg_420.jpg
$im "${base[@]}" -quality 90 -sampling-factor 1x1 jpeg_444.jpg
$im "${base[@]}" -colorspace gray -quality 90 jpeg_grey.jpg
$im "${base[@]}" -quality 90 -interlace JPEG jpeg_progressive.jpg
$im "${base[@]}" -colorspace cmyk -quality 90 jpeg_cmyk.jpg

# Broken files
head -c 300 png_rgb8.png > broken_png_cut.png
head -c 200 tiff_lzw.tif > broken_tiff_cut.tif
head -c 400 jpeg_420.jpg > broken_jpeg_cut.jpg
head -c 100 bmp_24.bmp > broken_bmp_cut.bmp
printf 'this is not a picture at all, just some words.\n' > broken_text.png
printf 'this is not a picture at all, just some words.\n' > broken_text.xyz
