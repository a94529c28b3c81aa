#!/usr/bin/env bash
# A skinned window made from "SkinDefault" on a Wine desktop: its face and buttons as the
# skin's pictures, hover moving from button to button, a pressed and focused button, the Tab
# walk, a filtered name field and a transparent bitmap control.
# The probe checks the screen; the scenario keeps a screenshot of each stage
# (build/windows/scenarios/skinned_window/skinned_window_*.png).
#   usage: skinned_window.sh PROBE.exe TAPESTRIQUE.DAT
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
probe=$1
dat=$2
scenario_begin skinned_window
[ -f "$dat" ] || scenario_fail "no $dat"
stages=$SCENARIO_DIR/stages
mkdir -p "$stages"

scenario_run -t 200 "$probe" "$(scenario_path "$dat")" "$(scenario_path "$stages")" &
runner=$!
for stage in default hover pressed rename; do
    waited=0
    while [ ! -s "$stages/$stage.ready" ] && kill -0 "$runner" 2>/dev/null && [ "$waited" -lt 600 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    [ -s "$stages/$stage.ready" ] || break
    read -r x y width height <"$stages/$stage.ready"
    scenario_screenshot "$SCENARIO_DIR/desktop_$stage.png"
    "$TQ_CONVERT" "$SCENARIO_DIR/desktop_$stage.png" -crop "${width}x${height}+${x}+${y}" +repage \
        "$SCENARIO_DIR/skinned_window_$stage.png" || scenario_fail "cannot crop $stage"
    touch "$stages/$stage.done"
done
wait "$runner"
status=$?
grep -aE "^(ok|FAIL)|failures" "$SCENARIO_DIR/programs.log" || true
[ "$status" -eq 0 ] || scenario_fail "probe exit status $status"
echo "skinned_window scenario: ok"
