#!/usr/bin/env bash
# The screensaver's figures, never a test (they depend on the machine):
#  - the time to prepare one picture for the screen, for pictures of three sizes (host);
#  - the peak working set of Tapestrique.scr under Wine, full screen with transitions, over a
#    collection of 10 and of 500 pictures: the ring bounds it whatever the collection's size.
#   bench/screensaver/run_bench.sh [SECONDS]   (default 30 per collection, or BENCH_SECONDS; the
#       collections' sizes BENCH_PICTURES, default "10 500"; needs the host and windows builds)
set -u
repo=$(cd "$(dirname "$0")/../.." && pwd)
seconds=${1:-${BENCH_SECONDS:-30}}
read -ra collections <<<"${BENCH_PICTURES:-10 500}"
export TQ_SOURCE_DIR=$repo TQ_BINARY_DIR=$repo/build/windows
tqtool=$repo/build/host/tools/tqtool/tqtool
cmake --build "$repo/build/host" --target slide_preparation_bench tqtool >/dev/null || exit 1
source "$repo/tests/scenarios/screensaver/screensaver_common.sh"
scenario_begin bench_screensaver

# Photographs' sizes: plasma and grain, so the JPEG files carry detail. The plasma is drawn at a
# quarter of the size and enlarged (drawing it whole takes ImageMagick half a minute); the grain
# is added at full size.
for size in 1024x768 3000x2000 6000x4000; do
    width=${size%x*} height=${size#*x}
    "$TQ_CONVERT" -size "$((width / 4))x$((height / 4))" -seed 7 plasma:steelblue-sienna -resize "$size!" \
        -attenuate 0.3 +noise Gaussian -quality 90 \
        "$SCENARIO_DIR/$size.jpg" && "$tqtool" tqi-pack "$SCENARIO_DIR/$size.jpg" "Picture $size" "$SCENARIO_DIR/$size.tqi" >/dev/null ||
        scenario_fail "cannot make the $size picture"
done
"$repo/build/host/bench/screensaver/slide_preparation_bench" 1920 1080 "$SCENARIO_DIR"/{1024x768,3000x2000,6000x4000}.tqi

# Peak resident memory of the screensaver's process while it runs over COUNT pictures.
peak_working_set() { # count
    local folder=$SCENARIO_DIR/collection-$1 i
    mkdir -p "$folder"
    for i in $(seq 1 "$1"); do
        "$tqtool" tqi-pack "$SCENARIO_DIR/3000x2000.jpg" "Picture $i" "$folder/Picture $i.tqi" >/dev/null
    done
    rm -f "$(tq_installed_folder "$WINEPREFIX")"/Images/*.tqi
    cp "$folder"/*.tqi "$(tq_installed_folder "$WINEPREFIX")/Images/"
    scenario_start "$SCREENSAVER"
    local pid="" peak=0 rss waited=0
    while [ -z "$pid" ] && [ "$waited" -lt 100 ]; do
        pid=$(pgrep -f 'Tapestrique\.scr' | head -1)
        sleep 0.1
        waited=$((waited + 1))
    done
    [ -n "$pid" ] || scenario_fail "the screensaver did not start"
    for _ in $(seq 1 $((seconds * 4))); do
        rss=$(ps -o rss= -p "$pid" 2>/dev/null) || break
        [ "$rss" -gt "$peak" ] && peak=$rss
        sleep 0.25
    done
    xdotool key Escape
    wait_screensaver_exit "$pid" 20 || scenario_fail "the screensaver did not end"
    echo "  $1 pictures of 3000 x 2000: peak working set $((peak / 1024)) MB"
}
install_screensaver
set_screensaver_binary dwScreensaverSecondsBetweenChanges 02000000
echo "Tapestrique.scr full screen (1024 x 768) under Wine, ${seconds} s each, a change every 2 s:"
for count in "${collections[@]}"; do peak_working_set "$count"; done
