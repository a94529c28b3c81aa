#!/usr/bin/env bash
# Tapestrique.exe as a user starts, hides and ends it: the first start on a registry that holds
# only the installation, second starts that hand over to the running program, the three ways
# to hide the main window, the way to end it, and the main window in each language (kept as
# build/windows/scenarios/tapestrique_exe_instances/main-window-<language>.png).
#   instances.sh PROBE.exe HOST_TQTOOL
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
exe_begin tapestrique_exe_instances "$1" "$2"

# The first start shows the window, with its tray icon.
exe_start
exe_wait shown
[ "$(exe_value tray)" = 1 ] || scenario_fail "no tray icon after the first start"
[ "$(exe_value count)" = "6 images" ] || scenario_fail "the count label reads '$(exe_value count)'"
echo "first start: window and tray icon"

# Escape hides the window. A second start with a picture file hands the file over and ends:
# the running program shows the picture, closed with its own Close button, and its main window
# stays hidden.
scenario_key Escape
exe_wait hidden 10
scenario_run -t 30 "$EXE_PROGRAM" "/file:$(tq_installed_windows_folder)\\Images\\Wood.tqi" ||
    scenario_fail "a second start with /file: ended with $?"
exe_probe processes Tapestrique.exe
[ "$(exe_value processes)" = 1 ] || scenario_fail "$(exe_value processes) Tapestrique.exe processes run"
exe_probe picture-window 20 || scenario_fail "the picture named by the second start is not shown"
[ "$(exe_value picture)" = Wood ] || scenario_fail "the picture window is titled '$(exe_value picture)'"
sleep 0.5
scenario_screenshot "$SCENARIO_DIR/picture-from-second-start.png"
scenario_click $(exe_value centre)
scenario_pointer 1 1
exe_wait hidden 10
[ "$(exe_value picture)" = 0 ] || scenario_fail "the picture's Close button left it open"
echo "second start with a picture: handed over"

# A second start without arguments opens the running program's window.
scenario_run -t 30 "$EXE_PROGRAM" || scenario_fail "a second start ended with $?"
exe_wait shown 20

# "Enable screensaver" makes this screensaver the system's (the desktop's values and system.ini)
# and takes it back; btEnableScreensaver follows the system at the change notification.
screensaver_is() { # ScreenSaveActive btEnableScreensaver
    [ "$(scenario_reg_query 'HKCU\Control Panel\Desktop' ScreenSaveActive)" = "$1" ] &&
        [ "$(scenario_reg_query "$EXE_KEYS\Settings\Screensaver" btEnableScreensaver)" = "$2" ]
}
exe_probe command screensaver
scenario_until 20 screensaver_is 1 01 || scenario_fail "enabling the screensaver did not reach the system and back"
grep -qi '^scrnsave.exe=.*tapestrique\.scr' "$(scenario_windows_dir)/system.ini" ||
    grep -qi '^scrnsave.exe=.*TAPEST~1\.SCR' "$(scenario_windows_dir)/system.ini" ||
    scenario_fail "system.ini does not name the screensaver"
exe_probe command screensaver
scenario_until 20 screensaver_is 0 00 || scenario_fail "disabling the screensaver did not reach the system and back"
if grep -qi '^scrnsave.exe=' "$(scenario_windows_dir)/system.ini"; then scenario_fail "system.ini still names a screensaver"; fi
echo "screensaver switch: ok"

# The close button and the system close command hide it too; the menu's Exit ends the program.
exe_probe control-centre 122 || scenario_fail "no close button"
scenario_click $(exe_value centre)
scenario_pointer 1 1
exe_wait hidden 10
exe_probe command open
exe_wait shown 10
exe_probe system-close
exe_wait hidden 10
exe_exit
echo "hiding and ending: ok"

# Each language, and an unknown one, which keeps English: the window shows the same picture
# each time, with the count and details labels in that language.
scenario_reg_add "$EXE_KEYS\\Settings\\Wallpaper" btChangeWallpaper REG_BINARY 00
for language in EN CA ES FR de; do
    scenario_reg_add "$EXE_KEYS\\Variables" szLanguage REG_SZ $language
    scenario_reg_add "$EXE_KEYS\\Variables" szCurrentWallpaper REG_SZ "Lady Bird"
    exe_start
    exe_wait shown
    count=$(exe_value count)
    details=$(exe_value details)
    rect=$(exe_value rect)
    sleep 1 # the window fades in
    scenario_screenshot "$SCENARIO_DIR/desktop-$language.png"
    scenario_crop "$SCENARIO_DIR/desktop-$language.png" "$rect" "$SCENARIO_DIR/main-window-${language,,}.png"
    exe_exit
    case $language in
        CA) expected="6 imatges" unit="K)" ;;
        ES) expected=$'6 im\xe1genes' unit="K)" ;;
        FR) expected="6 images" unit="Ko)" ;;
        *) expected="6 images" unit="K)" ;;
    esac
    [ "$count" = "$expected" ] || scenario_fail "$language: the count label reads '$count'"
    [[ $details == "("*"$unit" ]] || scenario_fail "$language: the details label reads '$details'"
    echo "$language: '$count', '$details'" | iconv -f CP1252 -t UTF-8
done
differing=$("$TQ_COMPARE" -metric AE "$SCENARIO_DIR/main-window-en.png" "$SCENARIO_DIR/main-window-de.png" null: 2>&1)
[ "$differing" = 0 ] || scenario_fail "with the language 'de' the window differs from English in $differing pixels"

# The first start wrote what its defaults ask for, the Run entry that starts it hidden with
# Windows; settings are written only when they change, so the untouched ones stay absent.
run=$(scenario_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Tapestrique)
[ "$run" = '"C:\Program Files\Tapestrique\Tapestrique.exe" /hidden' ] || scenario_fail "the Run entry is '$run'"
if scenario_reg_query "$EXE_KEYS\Settings\General" btKeyboardShortcutChangeWallpaper >/dev/null; then
    scenario_fail "a setting that never changed was written"
fi
echo "tapestrique_exe_instances: ok"
