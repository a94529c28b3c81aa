#!/usr/bin/env bash
# The language switched at run time as a user switches it, on the settings sheet's first page,
# through Catalan, Spanish and French back to English: each switch rebuilds the main window
# (its list is a new one) in the new language and keeps the list, the selection and the count,
# and rebuilds the hidden new-image notification in that language at its place; back in
# English the window is the one it was, pixel for pixel. The window in each language goes to
# docs/screenshots/main-window-<code>.png.
#   language_switch.sh TAPESTRIQUE_PROBE.exe COLLECTION_PROBE.exe SETTINGS_PROBE.exe HOST_TQTOOL
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
source "$TQ_SOURCE_DIR/tests/scenarios/collection/collection_steps.sh"
exe_begin language_switch "$1" "$4"
COLLECTION_PROBE=$2
settings_probe=$3
shots=$TQ_SOURCE_DIR/docs/screenshots

# The sample in English without a change of wallpaper at the start, so that "Lady Bird" is the
# current picture; the user selects another one, which the start would not select again.
scenario_reg_add "$EXE_KEYS\\Settings\\Wallpaper" btChangeWallpaper REG_BINARY 00
scenario_reg_add "$EXE_KEYS\\Variables" szCurrentWallpaper REG_SZ "Lady Bird"
exe_start
exe_wait shown
select_title Storm
scenario_until 20 main_reads "6 images" || scenario_fail "the count label reads '$(exe_value count)'"
titles=$(exe_value titles)
list=$(exe_value list)
[ "$(exe_value selected)" = Storm ] || scenario_fail "'$(exe_value selected)' is selected, not Storm"
# Hidden and opened again, as from the tray: the window is activated and its list shows the focus
# around the selection, as after a switch, which hides and shows the window the same way.
exe_probe system-close
exe_wait hidden 10
exe_probe command open
exe_wait shown 10
sleep 1 # the preview is painted
exe_capture_main "$SCENARIO_DIR/main-window-start.png"
rect=$(exe_value rect)

for code in CA ES FR EN; do
    case $code in
        CA) count="6 imatges" unit="K)" headline="Imatge nova disponible:" ;;
        ES) count=$'6 im\xe1genes' unit="K)" headline="Nueva imagen disponible:" ;;
        FR) count="6 images" unit="Ko)" headline="Nouvelle image disponible :" ;;
        EN) count="6 images" unit="K)" headline="New image available:" ;;
    esac
    exe_choose_language "$settings_probe" "$code"
    # The window is shown again with a new list once the switch is over.
    rebuilt() { collection_probe main 5 && [ "$(exe_value list)" != "$list" ]; }
    scenario_until 30 rebuilt || scenario_fail "$code: the window was not rebuilt"
    list=$(exe_value list)
    [ "$(exe_value count)" = "$count" ] || scenario_fail "$code: the count label reads '$(exe_value count)'"
    [ "$(exe_value titles)" = "$titles" ] || scenario_fail "$code: the list holds $(exe_value titles)"
    [ "$(exe_value selected)" = Storm ] || scenario_fail "$code: '$(exe_value selected)' is selected, not Storm"
    [ "$(scenario_reg_query "$EXE_KEYS\\Variables" szLanguage)" = "$code" ] || scenario_fail "$code: szLanguage not written"
    # The notification, hidden all along: its headline in the new language, its bottom-right
    # corner 8 pixels left of the work area's right edge and on its bottom edge.
    exe_probe announcement hidden 5 || scenario_fail "$code: the notification is not there, or shown"
    [ "$(exe_value headline)" = "$headline" ] || scenario_fail "$code: the notification reads '$(exe_value headline)'"
    read -r x y width height <<<"$(exe_value rect)"
    read -r _ _ right bottom <<<"$(exe_value workarea)"
    [ $((x + width)) -eq $((right - 8)) ] && [ $((y + height)) -eq "$bottom" ] ||
        scenario_fail "$code: the notification is at $x $y $width $height in a work area to $right $bottom"
    sleep 1 # the window fades in
    exe_capture_main "$SCENARIO_DIR/main-window-${code,,}.png"
    [[ $(exe_value details) == "(1920x1280 - "*"$unit" ]] || scenario_fail "$code: the details label reads '$(exe_value details)'"
    "$TQ_CONVERT" "$SCENARIO_DIR/main-window-${code,,}.png" -strip "$shots/main-window-${code,,}.png" ||
        scenario_fail "cannot keep the $code window"
    echo "$code: '$count', rebuilt with the list, the selection, the count and the notification" | iconv -f CP1252 -t UTF-8
done

# Round trip: the English window again, at its place, as it was before the first switch.
[ "$(exe_value rect)" = "$rect" ] || scenario_fail "the window moved from $rect to $(exe_value rect)"
differing=$("$TQ_COMPARE" -metric AE "$SCENARIO_DIR/main-window-start.png" "$SCENARIO_DIR/main-window-en.png" null: 2>&1)
[ "$differing" = 0 ] || scenario_fail "back in English the window differs from the first in $differing pixels"
exe_exit
echo "language_switch: ok"
