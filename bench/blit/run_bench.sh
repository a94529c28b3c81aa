#!/usr/bin/env bash
# The blit benchmark under Wine on a private Xvfb whose screen holds the whole window.
#   bench/blit/run_bench.sh [WIDTH HEIGHT [ROUNDS]]     (default 1920 1080 60; needs the windows build)
# A benchmark, never a test: figures depend on the machine.
set -euo pipefail
repo=$(cd "$(dirname "$0")/../.." && pwd)
build=$repo/build/windows
source "$repo/tests/harness/wine_env.sh"
width=${1:-1920}
height=${2:-1080}
rounds=${3:-60}
cmake --build "$build" --target blit_bench >/dev/null
tq_wine_setup "$build/wineprefix" || { echo "run_bench: no Wine prefix" >&2; exit 1; }
# The window must lie wholly on the screen, or the blits are clipped and measure less.
DISPLAY=$(tq_start_xvfb "$((width + 64))x$((height + 64))x24") || { echo "run_bench: cannot start Xvfb" >&2; exit 1; }
export DISPLAY
trap 'wineserver -k 2>/dev/null; tq_stop_xvfb' EXIT
wine "$build/bench/blit/blit_bench.exe" "$width" "$height" "$rounds"
