#!/usr/bin/env bash
# tqtool decode and resize end to end: every BMP, PNG and TIFF variant ImageMagick writes
# decodes to exactly ImageMagick's own pixels, JPEG comes close, resize gives the asked
# size, and failures exit with the codec's error code.
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
data=$2
im=$TQ_CONVERT
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Pictures made now at an odd size, next to the kept small ones.
picture=(-size 301x203 -seed 11 plasma:fractal -depth 8)
$im "${picture[@]}" "$work/fresh_v5.bmp"
$im "${picture[@]}" -type palette -compress rle "bmp3:$work/fresh_rle.bmp"
$im "${picture[@]}" -interlace PNG "$work/fresh.png"
$im "${picture[@]}" -compress lzw -define tiff:tile-geometry=64x64 "$work/fresh.tif"
$im "${picture[@]}" -quality 85 "$work/fresh.jpg"

checked=0
for file in "$data"/bmp_*.bmp "$data"/png_*.png "$data"/tiff_*.tif "$data"/jpeg_*.jpg "$work"/fresh*; do
    name=$(basename "$file")
    case $name in
    bmp_os2.bmp) continue ;;  # OS/2 headers are refused
    esac
    "$tqtool" decode "$file" "$work/ours.ppm" >"$work/info"
    $im "$file[0]" -depth 8 "ppm:$work/theirs.ppm"
    case $name in
    *.jpg | *jpeg* | png_grey16.png | tiff_grey16.tif | tiff_palette.tif)
        # Lossy, or quantised differently there: same size, every byte within 2.
        "$TQ_PYTHON" - "$work/ours.ppm" "$work/theirs.ppm" "$name" <<'PY'
import sys
a = open(sys.argv[1], 'rb').read(); b = open(sys.argv[2], 'rb').read()
assert len(a) == len(b), sys.argv[3]
worst = max(abs(x - y) for x, y in zip(a, b))
assert worst <= 2, "%s differs by %d" % (sys.argv[3], worst)
PY
        ;;
    *) cmp "$work/ours.ppm" "$work/theirs.ppm" || { echo "pixels differ: $name"; exit 1; } ;;
    esac
    checked=$((checked + 1))
done
[ "$checked" -ge 40 ]

# Output formats by extension, read back by ImageMagick.
"$tqtool" decode "$work/fresh.png" "$work/out.bmp" >/dev/null
"$tqtool" decode "$work/fresh.png" "$work/out.jpg" >/dev/null
[ "$("$TQ_IDENTIFY" -format '%w %h' "$work/out.bmp")" = "301 203" ]
[ "$("$TQ_IDENTIFY" -format '%m %w %h' "$work/out.jpg")" = "JPEG 301 203" ]
info=$("$tqtool" decode "$work/fresh.png" "$work/x.ppm")
grep -qx "format: 4" <<<"$info"

# Resize with the bicubic resampler and with Lanczos.
out=$("$tqtool" resize "$work/fresh.jpg" 150 77 -1 "$work/small.bmp")
grep -qx "width: 150" <<<"$out"
[ "$("$TQ_IDENTIFY" -format '%w %h' "$work/small.bmp")" = "150 77" ]
"$tqtool" resize "$work/fresh.jpg" 640 480 8 "$work/big.ppm" >/dev/null
[ "$("$TQ_IDENTIFY" -format '%w %h' "$work/big.ppm")" = "640 480" ]

# Failures carry the codec's error code.
set +e
"$tqtool" decode "$data/broken_text.xyz" "$work/a.ppm" 2>/dev/null; unknown=$?
"$tqtool" decode "$data/broken_png_cut.png" "$work/a.ppm" 2>/dev/null; cut=$?
"$tqtool" decode "$data/bmp_os2.bmp" "$work/a.ppm" 2>/dev/null; os2=$?
"$tqtool" decode "$work/absent.png" "$work/a.ppm" 2>/dev/null; absent=$?
"$tqtool" resize "$work/fresh.png" 2 50 8 "$work/a.ppm" 2>/dev/null; narrow=$?
"$tqtool" resize "$work/fresh.png" 20 20 14 "$work/a.ppm" 2>/dev/null; badfilter=$?
"$tqtool" decode "$work/fresh.png" "$work/a.gif" >/dev/null 2>&1; badout=$?
set -e
[ "$unknown" -eq 2 ] && [ "$cut" -eq 3 ] && [ "$os2" -eq 6 ] && [ "$absent" -eq 2 ]
[ "$narrow" -eq 68 ] && [ "$badfilter" -eq 5 ] && [ "$badout" -eq 125 ]
echo "tqtool decode and resize: ok ($checked files)"
