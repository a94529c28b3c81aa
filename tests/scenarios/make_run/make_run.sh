#!/usr/bin/env bash
# `make run` as a new user without a display runs it: it sets up, builds, installs the sample
# collection into a Wine prefix of its own and starts Tapestrique.exe on a private Xvfb; the
# screenshot it leaves shows the main window in its skin, and Tapestrique ended with Exit
# and left nothing running (make run's own check fails the run when something is left).
#   make_run.sh     (TQ_SOURCE_DIR and TQ_BINARY_DIR come from CTest)
set -u
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
work=${TQ_BINARY_DIR:?}/scenarios/make_run
fail() {
    echo "make run: FAIL: $*" >&2
    exit 1
}
rm -rf "$work"
mkdir -p "$work"
trap 'rm -rf "$work/prefix"' EXIT

# A copy of the tests' prefix spares the minute that creating one takes; it is copied only
# while no server runs on it (scenario.sh does the same).
WINEPREFIX=$TQ_BINARY_DIR/wineprefix timeout 60 wineserver -k >/dev/null 2>&1
WINEPREFIX=$TQ_BINARY_DIR/wineprefix timeout 60 wineserver -w >/dev/null 2>&1
cp -a "$TQ_BINARY_DIR/wineprefix" "$work/prefix" || fail "cannot copy the Wine prefix"

screenshot=$TQ_SOURCE_DIR/out/run-screenshot.png
rm -f "$screenshot"
env -u DISPLAY TAPESTRIQUE_PREFIX="$work/prefix" make -C "$TQ_SOURCE_DIR" run </dev/null >"$work/make-run.log" 2>&1 || {
    tail -n 30 "$work/make-run.log"
    fail "make run failed (log: $work/make-run.log)"
}
[ -f "$work/prefix/drive_c/Program Files/Tapestrique/Tapestrique.dat" ] || fail "Tapestrique.dat is not installed"
[ -s "$screenshot" ] || fail "no screenshot"
cp "$screenshot" "$work/"

# The window make run photographed has the size of the skin's background, and at least half of
# its pixels are that background: the skinned main window, drawn, not a blank or black screen.
read -r width height x y < <(sed -nE 's/^main window: ([0-9]+)x([0-9]+) at ([0-9]+),([0-9]+)$/\1 \2 \3 \4/p' \
    "$work/make-run.log")
[ -n "${y:-}" ] || fail "make run did not report the main window"
background=$TQ_SOURCE_DIR/build/host/assets/generated/pictures/main/background.bmp
[ "$("$TQ_IDENTIFY" -format '%wx%h' "$background")" = "${width}x$height" ] ||
    fail "the main window is ${width}x$height, the skin's background $("$TQ_IDENTIFY" -format '%wx%h' "$background")"
"$TQ_CONVERT" "$screenshot" -crop "${width}x${height}+${x}+${y}" +repage "$work/main_window.png" ||
    fail "cannot crop the main window"
differing=$("$TQ_COMPARE" -metric AE -fuzz 6% "$work/main_window.png" "$background" null: 2>&1)
# (compare may write a large count as 1.5e+05)
awk -v differing="$differing" -v half=$((width * height / 2)) \
    'BEGIN { exit !(differing ~ /^[0-9.e+]+$/ && differing + 0 < half) }' ||
    fail "the main window differs from the skin's background in $differing of $((width * height)) pixels"
grep -q "^screenshot: " "$work/make-run.log" || fail "make run did not say where the screenshot is"
echo "make run: ok, the main window ${width}x$height at $x,$y; $differing pixels differ from the skin's background"
