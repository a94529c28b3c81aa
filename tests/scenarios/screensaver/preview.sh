#!/usr/bin/env bash
# Tapestrique.scr as a preview inside a window of a probe program (standing in for the
# system's screensaver settings): its window fills the probe's "monitor"; keys, clicks and
# mouse moves over it do not end it; a second, full-screen start ends at once with no window;
# when the monitor goes, the preview ends by itself. (Wine does not show the drawing of a
# child window whose parent belongs to another process, so what the preview shows is seen in
# the picture of a screen the size of the monitor instead, kept as the scenario's
# screensaver-preview.png for docs/screenshots/.)
#   usage: preview.sh PREVIEW_PROBE.exe HOST_TQTOOL
set -u
probe=$1
tqtool=$2
source "$TQ_SOURCE_DIR/tests/scenarios/screensaver/screensaver_common.sh"

scenario_begin screensaver_preview
make_collection "$tqtool" "Amber Evening" "#c03030" "Birch Meadow" "#30a040"
install_screensaver "$COLLECTION"/*.tqi
set_screensaver_binary dwScreensaverSecondsBetweenChanges 02000000

result=$SCENARIO_DIR/probe.txt
# The probe's line that starts with KEY, without the line end Windows gives it.
result_line() { tr -d '\r' <"$result" | grep "^$1"; }
scenario_run -t 90 "$probe" "$SCREENSAVER" "$(scenario_path "$result")" p 6 &
runner=$!
waited=0
until grep -q '^child' "$result" 2>/dev/null || [ "$waited" -ge 300 ]; do
    sleep 0.1
    waited=$((waited + 1))
done
read -r _ x y width height class < <(result_line child)
[ "$class" = TapestriqueScr_WndClass ] && [ "$width" = 152 ] && [ "$height" = 112 ] ||
    scenario_fail "no preview window of the monitor's size: $(result_line child)"

# Over the preview: a click, a key and a long move, none of which ends it.
sleep 2.5
scenario_screenshot "$SCENARIO_DIR/preview.png"
xdotool mousemove $((x + 20)) $((y + 20)) click 1 key a mousemove $((x + 140)) $((y + 100)) mousemove 10 10

wait "$runner" || scenario_fail "the probe failed ($?)"
result_line alive | grep -qx 'alive 1' || scenario_fail "the preview ended while the user worked over it"
result_line announced | grep -qx 'announced 0' || scenario_fail "a plain preview announced its window"
read -r _ code milliseconds window < <(result_line second)
[ "$code" = 0 ] && [ "$milliseconds" -lt 5000 ] && [ "$window" = 0 ] ||
    scenario_fail "a second copy did not end at once without a window: $(result_line second)"
result_line 'ended 1' >/dev/null || scenario_fail "the preview did not end with its monitor"
# What a preview of the monitor's size shows: the screensaver full screen on a desktop of that
# size composes its pictures at the same size, fitted and untitled, as a preview does.
set_screensaver_binary btScreensaverImagesShowTitles 00
scenario_start explorer /desktop=preview,${width}x$height "$SCREENSAVER"
scenario_wait_window 'preview - Wine desktop' 30 || scenario_fail "the small desktop did not appear"
sleep 4
small=$(xdotool search --name 'preview - Wine desktop' | head -1)
timeout 30 "$TQ_IMPORT" -display "$DISPLAY" -window "$small" "$SCENARIO_DIR/small-screen.png" ||
    scenario_fail "no screenshot of the small desktop"
mean=$(mean_colour "$SCENARIO_DIR/small-screen.png")
[ "$(colour_distance "$mean" "0 0 0")" -gt 20 ] || scenario_fail "the small screen shows no picture (mean $mean)"
"$TQ_CONVERT" "$SCENARIO_DIR/small-screen.png" -colors 64 "$SCENARIO_DIR/screensaver-preview.png"
echo "screensaver_preview: ${width}x$height preview at $x,$y; second copy ended in $milliseconds ms; a screen of its size shows $mean: ok"
