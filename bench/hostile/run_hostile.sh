#!/usr/bin/env bash
# Hostile files against the tools that read them (make_hostile_files.py writes them, after the
# recipes of the faults they once exposed): for each case the exit code, the peak resident
# memory and the time, beside the size of the picture the file describes. The goals: no case
# takes more than 10 seconds of processor time (the wall-clock time beside it depends on what
# else the machine does), and no decoder holds more than its picture (plus its palette
# picture where the format has one) and a working set of 64 MB, over what the tool needs to
# start. Figures, not a test: it prints and always exits 0 when it could run.
#
# usage: run_hostile.sh [TQTOOL [PATTERN]]   (default: the host build's tqtool; PATTERN picks the
#                                           cases whose names match it, as grep -E reads it;
#                                           HOSTILE_CASES gives it to `make hostile`)
set -uo pipefail
source "$(dirname "$0")/../../tools/build_env.sh"
tqtool=${1:-$build_root/host/tools/tqtool/tqtool}
pattern=${2:-${HOSTILE_CASES:-.}}
[ -x "$tqtool" ] || { echo "run_hostile: no tqtool at $tqtool (tools/build.sh host)" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=$work/files
mkdir -p "$files" "$work/collection"
"$TQ_PYTHON" "$repo_root/bench/hostile/make_hostile_files.py" "$files" || exit 1
ln -s /dev/null "$work/discard.ppm"  # decoded pictures are written nowhere
ln -s /dev/null "$work/discard.bmp"
ln -s /dev/null "$work/discard.jpg"

# Peak resident memory (MB), processor and wall-clock seconds of one command; sets rss, cpu,
# wall and code.
measure() {
    /usr/bin/time -f '%M %U %S %e' -o "$work/time" "$@" >/dev/null 2>"$work/stderr"
    code=$?
    local kilobytes user system
    read -r kilobytes user system wall < <(tail -n 1 "$work/time")
    rss=$((kilobytes / 1024))
    cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }')
}

measure "$tqtool" --help
baseline=$rss

# name | the fault | megabytes of picture (and palette) it may decode to | command
cases=(
    "tqi payload declared 60000|1|0|tqi-extract $files/tqi_declares_more.tqi $work/discard.jpg"
    "arithmetic 16x16 as 26000x27000|2|0|decode $files/jpeg_arithmetic_giant.jpg $work/discard.ppm"
    "arithmetic photo cut at 2/3|2|0|decode $files/jpeg_arithmetic_cut.jpg $work/discard.ppm"
    "progressive 16000^2, 5700 scans|3|0|decode $files/jpeg_scans_16000.jpg $work/discard.ppm"
    "compose 8000^2, 1500 scans (.tqi)|3|6|compose $files/tqi_scans_8000.tqi 1920 1080 3 $work/discard.bmp"
    "skin picture height INT32_MIN|4|0|skin-dump $files/skin_int_min_height.tqs"
    "tqi title with a NUL|5|0|tqi-info $files/tqi_title_with_nul.tqi"
    "TIFF G4 23000^2, one strip|6|1587|decode $files/tiff_g4_23000.tif $work/discard.ppm"
    "GIF 20000^2 of 150 KB|6|1600|decode $files/gif_20000.gif $work/discard.ppm"
    "RLE BMP 12 KB as 30000x23000|6|0|decode $files/bmp_rle_12k.bmp $work/discard.ppm"
    "PSD PackBits 30000x23500|6|2115|decode $files/psd_packbits_30000.psd $work/discard.ppm"
    "PNG 1-bit 40000x17500 of 85 KB|6|2100|decode $files/png_1bit_40000.png $work/discard.ppm"
    "PCX claiming twice its runs|6|0|decode $files/pcx_runs_claiming_twice.pcx $work/discard.ppm"
    "import JPEG claiming 20000^2|7|0|import --collection $work/collection $files/import_jpeg_claiming_20000.jpg"
    "import PNG 16000^2 of 31 KB|7|0|import --collection $work/collection $files/import_png_16000.png"
)

printf '%-36s %5s %5s %9s %9s %7s %9s  %s\n' case fault exit "peak MB" "goal MB" "cpu s" "wall s" verdict
for entry in "${cases[@]}"; do
    IFS='|' read -r name fault picture command <<<"$entry"
    grep -qE "$pattern" <<<"$name" || continue
    # shellcheck disable=SC2086 # the command's words are split on purpose
    measure "$tqtool" $command
    goal=$((picture + 64 + baseline))
    verdict=within
    if [ "$rss" -gt "$goal" ]; then verdict="OVER memory"; fi
    if awk -v c="$cpu" 'BEGIN { exit !(c > 10) }'; then verdict="$verdict, OVER time"; fi
    printf '%-36s %5s %5s %9s %9s %7s %9s  %s\n' "$name" "$fault" "$code" "$rss" "$goal" "$cpu" "$wall" "$verdict"
done
echo "(tqtool alone: $baseline MB; goal: the picture + 64 MB + that; exit 3 is a refusal, 1 a refused import)"
