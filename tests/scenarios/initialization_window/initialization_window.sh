#!/usr/bin/env bash
# The initialization window on a Wine desktop, driven by a main thread that never pumps: it
# must stand in the work area's top right corner, 8 pixels in, and show its skin with the
# progress so far. The screenshot is kept as build/windows/scenarios/initialization_window/
# initialization_window.png.
#   usage: initialization_window.sh INITIALIZATION_PROBE.exe TAPESTRIQUE.DAT
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
probe=$1
dat=$2
scenario_begin initialization_window
[ -f "$dat" ] || scenario_fail "no $dat"

rect=$SCENARIO_DIR/window.rect
scenario_run -t 60 "$probe" "$(scenario_path "$dat")" "$(scenario_path "$rect")" 4 &
runner=$!
waited=0
while [ ! -s "$rect" ] && [ "$waited" -lt 300 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
[ -s "$rect" ] || scenario_fail "the window did not open"
sleep 1
scenario_screenshot "$SCENARIO_DIR/desktop.png"
wait "$runner" || scenario_fail "probe exit status $?"

read -r x y width height <"$rect"
# The shell desktop is 1024 pixels wide with its task bar at the bottom: the work area's top
# right corner is the screen's.
[ $((x + width)) -eq 1016 ] && [ "$y" -eq 8 ] || scenario_fail "window at $x,$y size ${width}x$height"
"$TQ_CONVERT" "$SCENARIO_DIR/desktop.png" -crop "${width}x${height}+${x}+${y}" +repage \
    "$SCENARIO_DIR/initialization_window.png" || scenario_fail "cannot crop the window"
colours=$("$TQ_CONVERT" "$SCENARIO_DIR/initialization_window.png" -format %k info:)
[ "$colours" -gt 50 ] || scenario_fail "the window shows only $colours colours"
echo "initialization_window: ${width}x${height} at $x,$y, $colours colours: ok"
