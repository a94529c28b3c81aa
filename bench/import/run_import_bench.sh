#!/usr/bin/env bash
# The import benchmark on pictures made on the spot: a folder of 200 mixed photos (a third
# JPEG files, which the import stores unchanged, a third PNG and a third TIFF files, which it
# encodes as JPEG files of quality 100), sized from 1024 to 4000 pixels wide, plus a
# 12-megapixel photo (4000 x 3000) as JPEG and as PNG. The photos come from the desktop
# backgrounds of mate-backgrounds when they are installed, else ImageMagick draws them.
# A benchmark, never a test: it prints figures that depend on the machine.
#   bench/import/run_import_bench.sh [BUILD_DIR]     (default build/host; builds import_bench)
#   BENCH_PHOTOS (default 200) the size of the folder; a handful makes a quick check of the script.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
source "$repo/tools/tool_paths.sh"
build=${1:-$repo/build/host}
photos=${BENCH_PHOTOS:-200}
cmake --build "$build" --target import_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/sources" "$work/photos" "$work/bench"

mapfile -t sources < <(find /usr/share/backgrounds /usr/share/mate-background-properties -type f \
    \( -iname '*.jpg' -o -iname '*.png' \) 2>/dev/null | sort)
if [ ${#sources[@]} -lt 4 ]; then
    echo "== no desktop backgrounds: ImageMagick draws the photos"
    for seed in 1 2 3 4 5 6; do
        "$TQ_CONVERT" -size 1000x750 -seed "$seed" plasma:fractal -resize '4000x3000!' -attenuate 0.4 \
            +noise Gaussian -quality 92 "$work/sources/drawn$seed.jpg"
    done
    sources=("$work/sources"/*.jpg)
fi
echo "== making $photos photos from ${#sources[@]} sources"
"$TQ_PYTHON" - "$work" "$photos" "${sources[@]}" <<'PY'
import os, sys
from PIL import Image
work, count, sources = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
# Each source is decoded once, when first used; the sizes come from the headers.
decoded = {}
def decode(path):
    if path not in decoded:
        with Image.open(path) as image:
            decoded[path] = image.convert("RGB")
    return decoded[path]
def pixels(path):
    with Image.open(path) as image:
        return image.width * image.height
formats = ("jpg", "png", "tif")
for i in range(count):
    picture = decode(sources[i % len(sources)])
    width = 1024 + (i * 37) % 2977  # 1024 .. 4000
    height = max(64, min(4000, round(width * picture.height / picture.width)))
    resized = picture.resize((width, height), Image.BILINEAR)
    name = os.path.join(work, "photos", "photo%03d.%s" % (i, formats[i % 3]))
    if formats[i % 3] == "jpg":
        resized.save(name, quality=90)
    elif formats[i % 3] == "png":
        resized.save(name, compress_level=6)
    else:
        resized.save(name, compression="tiff_lzw")
largest = decode(max(sources, key=pixels))
photo = largest.resize((4000, 3000), Image.LANCZOS)
photo.save(os.path.join(work, "photo12.jpg"), quality=92)
photo.save(os.path.join(work, "photo12.png"))
PY
echo "== import ($(nproc) processors, one thread)"
"$build/bench/import/import_bench" "$work/photos" "$work/photo12.jpg" "$work/photo12.png" "$work/bench"
