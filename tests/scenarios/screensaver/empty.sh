#!/usr/bin/env bash
# Tapestrique.scr with nothing to show, and with a damaged installation:
#  - an empty collection full screen: the no-images picture centred on black;
#  - an empty collection in a test preview: the window announces itself to the probe;
#  - a damaged installation: full screen shows the install dialog (and ends when it closes),
#    a preview shows nothing and ends at once.
#   usage: empty.sh PREVIEW_PROBE.exe
set -u
probe=$1
source "$TQ_SOURCE_DIR/tests/scenarios/screensaver/screensaver_common.sh"

scenario_begin screensaver_empty
install_screensaver

# --- Full screen: the 484 x 121 picture (white and coloured on black) in the middle, black around it.
scenario_start "$SCREENSAVER"
pid=$!
scenario_wait_window '"Tapestrique screensaver"' 30 || scenario_fail "no screensaver window"
sleep 2
shot=$SCENARIO_DIR/no-images.png
scenario_screenshot "$shot"
"$TQ_CONVERT" "$shot" -crop 484x121+270+323 +repage "$SCENARIO_DIR/middle.png"
"$TQ_CONVERT" "$shot" -fill black -draw 'rectangle 270,323 753,443' "$SCENARIO_DIR/around.png"
middle=$(mean_colour "$SCENARIO_DIR/middle.png")
around=$(mean_colour "$SCENARIO_DIR/around.png")
[ "$(colour_distance "$middle" "0 0 0")" -gt 8 ] || scenario_fail "no picture in the middle (mean $middle)"
[ "$(colour_distance "$around" "0 0 0")" -le 1 ] || scenario_fail "not black around the picture (mean $around)"
xdotool click 1
wait_screensaver_exit "$pid" 10 || scenario_fail "a click did not end the screensaver"

# --- Test preview: the announcement comes, with nothing to show.
result=$SCENARIO_DIR/probe.txt
scenario_run -t 90 "$probe" "$SCREENSAVER" "$(scenario_path "$result")" t 1 || scenario_fail "the probe failed ($?)"
tr -d '\r' <"$result" >"$SCENARIO_DIR/test-preview.txt"
grep -q '^child .* 152 112 TapestriqueScr_WndClass$' "$SCENARIO_DIR/test-preview.txt" &&
    grep -qx 'announced 1' "$SCENARIO_DIR/test-preview.txt" && grep -q '^ended 1' "$SCENARIO_DIR/test-preview.txt" ||
    scenario_fail "the test preview did not announce itself: $(tr '\n' ' ' <"$SCENARIO_DIR/test-preview.txt")"

# --- A damaged installation.
scenario_reg_add 'HKLM\Software\Quillmere\Tapestrique\Install' InstallVersion REG_SZ 1.0.02
scenario_run -t 90 "$probe" "$SCREENSAVER" "$(scenario_path "$result")" p 0 || scenario_fail "the probe failed ($?)"
tr -d '\r' <"$result" >"$SCENARIO_DIR/damaged-preview.txt"
grep -qx 'child none' "$SCENARIO_DIR/damaged-preview.txt" && grep -q '^ended 1' "$SCENARIO_DIR/damaged-preview.txt" ||
    scenario_fail "a damaged installation's preview showed something: $(tr '\n' ' ' <"$SCENARIO_DIR/damaged-preview.txt")"
scenario_start "$SCREENSAVER"
pid=$!
scenario_wait_window '"Tapestrique"' 30 || scenario_fail "no install dialog"
scenario_screenshot "$SCENARIO_DIR/install-dialog.png"
screensaver_window_exists && scenario_fail "the screensaver ran on a damaged installation"
# Escape closes it once it has the keyboard, which a busy machine may give it late.
for _ in 1 2 3; do
    xdotool key Escape
    wait_screensaver_exit "$pid" 10 && break
done
kill -0 "$pid" 2>/dev/null && scenario_fail "the install dialog did not close"
echo "screensaver_empty: no-images picture (mean $middle), announcement, install dialog: ok"
