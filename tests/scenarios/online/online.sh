#!/usr/bin/env bash
# Tapestrique.exe with the real picture service on loopback, at the timer's own pace. The
# service has published one photograph: the first tick asks for the newest list and stores it,
# the next announces that picture in the notification above the task bar (new-image.png in
# docs/screenshots, the same picture on every run), whose close button marks it shown. The
# service then publishes five more; started again with the list six hours old, an hour gone
# and the automatic download on, the client takes the new list of six, announces one of them
# and opens it full screen, and its Save button puts it into the collection.
#   online.sh PROBE.exe HOST_TQTOOL SERVICE
source "${TQ_SOURCE_DIR:?}/tests/scenarios/online/online_scenario.sh"
ONLINE_PUBLISHED=1
online_begin online "$@"
first=$(basename "${ONLINE_PHOTOS[0]}" .jpg)

# Without the automatic download the announcement stays until its timer or the user ends it.
scenario_reg_add "$general_key" btNewImageNotificationsAutoDownload REG_BINARY 00
exe_start /hidden
started=$(date +%s)
exe_wait hidden
online_wait_announcement "New image available:" 160
echo "the announcement of '$(exe_value description)', $(($(date +%s) - started)) s after the start"

# The list as the service sent it: one picture, not shown yet, and announced.
[ "$(online_mask)" = 01 ] || scenario_fail "the not-shown mask is $(online_mask) after the list"
[ "$(scenario_reg_query "$newest_key" szNewestImage0IdString)" = "Nature/Samples/$first" ] ||
    scenario_fail "the list holds '$(scenario_reg_query "$newest_key" szNewestImage0IdString)'"
[ -z "$(scenario_reg_query "$newest_key" szNewestImage1IdString)" ] || scenario_fail "a second picture is listed"
[ "$(exe_value description)" = "$first" ] || scenario_fail "the announced picture is '$(exe_value description)'"

# Above the work area's bottom-right corner, 8 pixels from its right edge.
read -r x y width height <<<"$(exe_value rect)"
[ $((x + width)) -eq 1016 ] || scenario_fail "the notification's right edge is at $((x + width))"
sleep 1  # the thumbnail paints
scenario_screenshot "$SCENARIO_DIR/desktop-announcement.png"
scenario_crop "$SCENARIO_DIR/desktop-announcement.png" "$(exe_value rect)" "$SCENARIO_DIR/new-image.png"
colours=$("$TQ_CONVERT" "$SCENARIO_DIR/new-image.png" -format %k info:)
[ "$colours" -gt 200 ] || scenario_fail "the notification shows no thumbnail ($colours colours)"
mkdir -p "$TQ_SOURCE_DIR/docs/screenshots"
"$TQ_CONVERT" "$SCENARIO_DIR/new-image.png" -strip "$TQ_SOURCE_DIR/docs/screenshots/new-image.png" ||
    scenario_fail "cannot keep the screenshot"

# The close button: the notification slides out and its picture counts as shown.
scenario_click $(exe_value centre)
scenario_pointer 1 1
exe_probe announcement hidden 10 || scenario_fail "the close button left the notification shown"
mask_is() { [ "$(online_mask)" = "$1" ]; }
scenario_until 10 mask_is 00 || scenario_fail "the mask is $(online_mask) after the close, not 00"
echo "closed: '$first' shown, the mask 00"
exe_exit

# Five more pictures; six hours later the first tick takes the new list, whose first entry
# is new, and the second announces one of its pictures and downloads it at once.
online_publish_rest
scenario_reg_add "$general_key" btNewImageNotificationsAutoDownload REG_BINARY 01
scenario_reg_add "$variables_key" stLastCheckNewestImages REG_BINARY "$(systemtime_hex $(($(date +%s) - 21700)))"
scenario_reg_add "$variables_key" stLastPopupNewestImages REG_BINARY "$(systemtime_hex $(($(date +%s) - 3700)))"
exe_start /hidden
started=$(date +%s)
exe_wait hidden
EXE_PROBE_SECONDS=200 exe_probe picture-window 170 || {
    scenario_screenshot "$SCENARIO_DIR/no-download.png"
    scenario_fail "no downloaded picture within 170 s (the mask $(online_mask), the last announcement at" \
        "$(scenario_reg_query "$variables_key" stLastPopupNewestImages); no-download.png)"
}
title=$(exe_value picture)
[ "$(exe_value save)" = 1 ] || scenario_fail "the downloaded picture '$title' has no Save button"
# The list as the service sent it now: six pictures, the newest first.
for index in 0 1 2 3 4 5; do
    description=$(scenario_reg_query "$newest_key" "szNewestImage${index}Description")
    identifier=$(scenario_reg_query "$newest_key" "szNewestImage${index}IdString")
    [ "$identifier" = "Nature/Samples/$(basename "${ONLINE_PHOTOS[5 - index]}" .jpg)" ] &&
        [ "$description" = "${identifier##*/}" ] || scenario_fail "picture $index of the list: '$identifier' '$description'"
done
[ -z "$(scenario_reg_query "$newest_key" szNewestImage6IdString)" ] || scenario_fail "a seventh picture is listed"
downloaded=$(online_index_of "$title")
[ -n "$downloaded" ] || scenario_fail "the downloaded picture '$title' is not in the list"
echo "'$title' downloaded and shown full screen, $(($(date +%s) - started)) s after the start"
sleep 1
scenario_screenshot "$SCENARIO_DIR/desktop-downloaded.png"
expected=$(printf '%02x' $((0x3f & ~(1 << downloaded))))
scenario_until 10 mask_is "$expected" || scenario_fail "the mask is $(online_mask) after the download, not $expected"
grep -q "GetTQIFile.php.*Image=$title " "$TQ_SERVICE_FOLDER/service.log" ||
    scenario_fail "the service saw no download of '$title'"
# Save puts it into the collection under its title.
close_centre=$(exe_value centre)
scenario_click $(exe_value save_centre)
saved() { [ -f "$(tq_installed_folder "$WINEPREFIX")/Images/$title.tqi" ]; }
scenario_until 10 saved || scenario_fail "Save did not put '$title' into the collection"
scenario_click $close_centre
exe_exit
online_end
echo "online: ok"
