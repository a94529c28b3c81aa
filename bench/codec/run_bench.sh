#!/usr/bin/env bash
# The codec benchmark beside ImageMagick (one thread), Pillow and djpeg, on the same
# pictures: prints each tool's best time per operation and our speed-up over it.
#   bench/codec/run_bench.sh [BUILD_DIR]     (default build/host; builds codec_bench)
# A benchmark, never a test: figures depend on the machine.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
source "$repo/tools/tool_paths.sh"
build=${1:-$repo/build/host}
cmake --build "$build" --target codec_bench >/dev/null
bench=$build/bench/codec/codec_bench
im=$TQ_CONVERT
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export MAGICK_THREAD_LIMIT=1 OMP_NUM_THREADS=1

echo "== preparing a 6000x4000 photo and a 2560x1600 screen picture"
$im -size 1500x1000 -seed 4 plasma:fractal -resize '6000x4000!' -attenuate 0.3 +noise Gaussian -quality 92 \
    "$work/photo.jpg"
$im "$work/photo.jpg" -resize '2560x1600!' -quality 92 "$work/screen.jpg"
$im "$work/photo.jpg" "$work/photo.mpc"
$im "$work/screen.jpg" "$work/screen.mpc"

echo "== Tapestrique codec"
CODEC_BENCH_BMP=$work/out.bmp "$bench" "$work/photo.jpg" "$work/screen.jpg" | tee "$work/ours.txt"

# Best wall time in milliseconds of a command over a few runs.
best_ms() {
    local best=999999999 runs=${RUNS:-3}
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        local ms=$(((end - start) / 1000000))
        ((ms < best)) && best=$ms
    done
    echo "$best"
}

echo "== ImageMagick (MAGICK_THREAD_LIMIT=1; the time to load the picture is subtracted)"
photo_load=$(best_ms $im "$work/photo.mpc" null:)
screen_load=$(best_ms $im "$work/screen.mpc" null:)
{
    echo "jpeg-decode $(best_ms $im "$work/photo.jpg" null:)"
    for filter in lanczos:Lanczos bicubic:Catrom; do
        name=${filter%%:*}
        option=${filter#*:}
        echo "$name-2560x1600->2048x1280 $(($(best_ms $im "$work/screen.mpc" -filter "$option" -resize '2048x1280!' null:) - screen_load))"
        echo "$name-6000x4000->3840x2160 $(($(best_ms $im "$work/photo.mpc" -filter "$option" -resize '3840x2160!' null:) - photo_load))"
        echo "$name-6000x4000->1920x1080 $(($(best_ms $im "$work/photo.mpc" -filter "$option" -resize '1920x1080!' null:) - photo_load))"
    done
    echo "greyscale $(($(best_ms $im "$work/photo.mpc" -colorspace gray null:) - photo_load))"
} | tee "$work/magick.txt"

echo "== Pillow"
if "$TQ_PYTHON" -c 'import PIL' 2>/dev/null; then
    "$TQ_PYTHON" - "$work" <<'PY' | tee "$work/pillow.txt"
import sys, time
from PIL import Image
work = sys.argv[1]
def best(fn, runs=3):
    times = []
    for _ in range(runs):
        start = time.perf_counter(); fn(); times.append((time.perf_counter() - start) * 1000)
    return min(times)
def decode():
    with Image.open(work + "/photo.jpg") as im: im.load()
print("jpeg-decode %d" % best(decode))
photo = Image.open(work + "/photo.jpg"); photo.load()
screen = Image.open(work + "/screen.jpg"); screen.load()
for name, method in (("lanczos", Image.LANCZOS), ("bicubic", Image.BICUBIC)):
    print("%s-2560x1600->2048x1280 %d" % (name, best(lambda: screen.resize((2048, 1280), method))))
    print("%s-6000x4000->3840x2160 %d" % (name, best(lambda: photo.resize((3840, 2160), method))))
    print("%s-6000x4000->1920x1080 %d" % (name, best(lambda: photo.resize((1920, 1080), method))))
print("greyscale %d" % best(lambda: photo.convert("L")))
top = photo.crop((0, 0, 3840, 2160)); canvas = Image.new("RGB", (3840, 2160), (128, 96, 64))
print("overlay %d" % best(lambda: Image.blend(canvas, top, 0.5)))
print("bmp-write %d" % best(lambda: canvas.save(work + "/pil.bmp")))
PY
else
    echo "(python3-pil is missing)" | tee "$work/pillow.txt"
fi

echo "== djpeg"
if command -v djpeg >/dev/null; then
    djpeg_ms=$(RUNS=5 best_ms djpeg -outfile /dev/null "$work/photo.jpg")
    printf 'jpeg-decode %s\njpeg-decode-warm %s\n' "$djpeg_ms" "$djpeg_ms" | tee "$work/djpeg.txt"
else
    echo "(djpeg is missing)" | tee "$work/djpeg.txt"
fi

echo "== ratios (their time / our time; above 1 means we are faster)"
"$TQ_PYTHON" - "$work" <<'PY'
import sys
work = sys.argv[1]
ours = {}
for line in open(work + "/ours.txt"):
    parts = line.split()
    name = "-".join(parts[:-4]) if parts[0] in ("lanczos", "bicubic") else None
    key = {"jpeg": "jpeg-decode", "greyscale": "greyscale", "overlay": "overlay", "bmp": "bmp-write"}.get(parts[0])
    if "warm" in line:
        key = "jpeg-decode-warm"
    ours[name or key] = float(parts[-4])
def load(name):
    values = {}
    try:
        for line in open(work + "/" + name + ".txt"):
            parts = line.split()
            if len(parts) == 2 and parts[1].lstrip("-").isdigit():
                values[parts[0]] = max(float(parts[1]), 0.5)
    except OSError:
        pass
    return values
tools = [("ImageMagick", load("magick")), ("Pillow", load("pillow")), ("djpeg", load("djpeg"))]
print("%-34s %10s" % ("operation", "ours ms") + "".join("%14s" % t for t, _ in tools))
for key, ms in ours.items():
    row = "%-34s %10.1f" % (key, ms)
    for _, values in tools:
        row += "%14s" % ("%.1fx" % (values[key] / ms) if key in values else "-")
    print(row)
PY
