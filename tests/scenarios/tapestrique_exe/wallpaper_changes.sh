#!/usr/bin/env bash
# Tapestrique.exe on its own: a damaged installation stops it with its dialog; started hidden
# it lives in the tray, changes the wallpaper on its hotkey and, with an interval of a minute,
# by its timer, and opens its menu on the tray icon (kept as tray-menu.png in
# build/windows/scenarios/tapestrique_exe_wallpaper/), whose Exit ends it.
#   wallpaper_changes.sh PROBE.exe HOST_TQTOOL
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
exe_begin tapestrique_exe_wallpaper "$1" "$2"
install_key='HKLM\Software\Quillmere\Tapestrique\Install'
wallpaper_key="$EXE_KEYS\\Settings\\Wallpaper"

# A damaged installation shows the installation dialog and ends with 0 once it is closed.
expect_install_dialog() { # what is damaged
    exe_start
    exe_probe install-dialog 60 || scenario_fail "$1: no installation dialog"
    [ "$(exe_value close)" = Close ] && [ "$(exe_value link)" = 1 ] ||
        scenario_fail "$1: the dialog has no Close button or no download link"
    scenario_screenshot "$SCENARIO_DIR/install-dialog.png"
    scenario_click $(exe_value centre)
    scenario_pointer 1 1
    scenario_wait_exit "$EXE_PID" 30
    local status=$?
    [ "$status" -eq 0 ] || scenario_fail "$1: Tapestrique.exe ended with $status after the dialog"
    echo "$1: the installation dialog, then exit code 0"
}
scenario_reg_delete "$install_key" InstallDir
expect_install_dialog "no InstallDir"
scenario_reg_add "$install_key" InstallDir REG_SZ "$(tq_installed_windows_folder)"
scenario_reg_add "$install_key" InstallVersion REG_SZ 1.0.02
expect_install_dialog "InstallVersion 1.0.02"
scenario_reg_add "$install_key" InstallVersion REG_SZ 1.0.01

# Alphabetical changes every minute, the last one 20 seconds ago: nothing is due at the start,
# the current picture is applied again, and the timer's first tick is due.
scenario_reg_add "$wallpaper_key" btChangeWallpaper REG_BINARY 03
scenario_reg_add "$wallpaper_key" dwChangeWallpaperHours REG_BINARY 00000000
scenario_reg_add "$wallpaper_key" dwChangeWallpaperMinutes REG_BINARY 01000000
scenario_reg_add "$wallpaper_key" btWallpaperImagesSelectionMode REG_BINARY 00
scenario_reg_add "$EXE_KEYS\\Variables" szCurrentWallpaper REG_SZ "Aqua"
stamp=$(systemtime_hex $(($(date +%s) - 20)))
scenario_reg_add "$EXE_KEYS\\Variables" stLastWallpaperChange REG_BINARY "$stamp"

# /HIDDEN in capitals: the tray icon without the window, once the start-up is over.
exe_start /HIDDEN
started=$(date +%s)
exe_wait hidden
scenario_until 30 exe_wallpaper_file >/dev/null || scenario_fail "no wallpaper file after the start"
file=$(exe_wallpaper_file)
sleep 1
exe_probe state
[ "$(exe_value visible)" = 0 ] && [ "$(exe_value tray)" = 1 ] ||
    scenario_fail "/HIDDEN: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
[ "$(exe_current_wallpaper)" = "Aqua" ] || scenario_fail "the start changed the wallpaper"
echo "/HIDDEN: in the tray only, the current picture applied again"

# Pixels that differ by more than 6% between the wallpaper file and the desktop above the task bar.
differing_from_desktop() { # screenshot
    "$TQ_CONVERT" "$file" -crop 1024x720+0+0 +repage "$SCENARIO_DIR/file.png" &&
        "$TQ_CONVERT" "$1" -crop 1024x720+0+0 +repage "$SCENARIO_DIR/shown.png" || return 1
    "$TQ_COMPARE" -metric AE -fuzz 6% "$SCENARIO_DIR/file.png" "$SCENARIO_DIR/shown.png" null: 2>&1
}
# Waits for the next picture to be current, its file written and shown on the desktop.
expect_change_to() { # picture how
    local file_before
    file_before=$(md5sum <"$file")
    current_is() { [ "$(exe_current_wallpaper)" = "$1" ]; }
    scenario_until "${3:-20}" current_is "$1" || scenario_fail "$2: the current picture is '$(exe_current_wallpaper)'"
    file_changed() { [ "$(md5sum <"$file")" != "$file_before" ]; }
    scenario_until 20 file_changed || scenario_fail "$2: the wallpaper file was not written again"
    sleep 2
    scenario_screenshot "$SCENARIO_DIR/desktop-$1.png"
    local differing
    differing=$(differing_from_desktop "$SCENARIO_DIR/desktop-$1.png")
    [ "${differing%%.*}" -lt 2000 ] 2>/dev/null ||
        scenario_fail "$2: the desktop differs from the wallpaper file in $differing pixels"
    echo "$2: '$1' is the wallpaper, $(($(date +%s) - started)) s after the start"
}

# The hotkey changes to the next picture; a change by hand leaves the time stamp.
scenario_key ctrl+alt+c
expect_change_to "Fresh Flower" "Ctrl+Alt+C"
[ "$(scenario_reg_query "$EXE_KEYS\\Variables" stLastWallpaperChange)" = "$stamp" ] ||
    scenario_fail "the change by hotkey wrote the time stamp"

# Without any input the timer changes to the next picture within two ticks and stamps the
# change 10 seconds before it.
expect_change_to "Green Meadow" "the timer" 130
written=$(scenario_reg_query "$EXE_KEYS\\Variables" stLastWallpaperChange)
age=$(($(date +%s) - $(systemtime_seconds "$written")))
[ "$age" -ge 9 ] && [ "$age" -le 40 ] || scenario_fail "the timer's change is stamped $age seconds ago ($written)"

# A right click on the tray icon (the only one, at the task bar's right end) opens the menu,
# kept as tray-menu.png, and its last item, E&xit, ends the program. (The click picks it: the
# menu of a program without a visible window gets no keys on this desktop.)
scenario_click -r 1014 760
exe_probe menu 10 || {
    scenario_screenshot "$SCENARIO_DIR/no-tray-menu.png"
    scenario_fail "no menu on a right click of the tray icon (no-tray-menu.png)"
}
sleep 0.5
scenario_screenshot "$SCENARIO_DIR/desktop-tray-menu.png"
scenario_crop "$SCENARIO_DIR/desktop-tray-menu.png" "$(exe_value menu)" "$SCENARIO_DIR/tray-menu.png"
read -r menu_x menu_y menu_width menu_height <<<"$(exe_value menu)"
scenario_click $((menu_x + menu_width / 2)) $((menu_y + menu_height - 10))
exe_expect_exit
echo "tapestrique_exe_wallpaper: ok"
