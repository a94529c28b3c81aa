#!/usr/bin/env bash
# `make run` as a new user without a display runs it: it sets up, builds, installs the sample
# collection into a Wine prefix of its own, shows it on a private Xvfb, leaves a screenshot and
# ends everything it started (its own check fails the run when something is left).
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
env -u DISPLAY TAPESTRIQUE_PREFIX="$work/prefix" TAPESTRIQUE_SECONDS=30 make -C "$TQ_SOURCE_DIR" run \
    </dev/null >"$work/make-run.log" 2>&1 || {
    tail -n 30 "$work/make-run.log"
    fail "make run failed (log: $work/make-run.log)"
}
[ -f "$work/prefix/drive_c/Program Files/Tapestrique/Tapestrique.dat" ] || fail "Tapestrique.dat is not installed"
[ -s "$screenshot" ] || fail "no screenshot"
colours=$("$TQ_CONVERT" "$screenshot" -format %k info:)
[ "$colours" -gt 50 ] || fail "the screenshot shows only $colours colours"
cp "$screenshot" "$work/"
echo "make run: ok, the screenshot shows $colours colours"
