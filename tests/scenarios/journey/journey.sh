#!/usr/bin/env bash
# A new user's first session with Tapestrique on a Wine desktop: the first start after the
# installation with its welcome; three photographs imported from My Pictures with the import
# button and the open-file dialog; one set as the wallpaper, which the desktop then shows; the
# next one by the hotkey; the current picture renamed and another deleted; French chosen on the
# settings sheet; and Exit: the window and the tray icon gone, the program ended, nothing of it
# left running. Pictures of the way go to docs/screenshots/journey-*.png.
#   journey.sh TAPESTRIQUE_PROBE.exe COLLECTION_PROBE.exe SETTINGS_PROBE.exe INSTALLER.exe
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
source "$TQ_SOURCE_DIR/tests/scenarios/collection/collection_steps.sh"
exe_prepare journey "$1"
COLLECTION_PROBE=$2
settings_probe=$3
installer=$4
shots=$TQ_SOURCE_DIR/docs/screenshots
started=$(date +%s)

# The installation as a user makes it, with the installer (silent here), and an empty collection.
tq_install_with_installer "$WINEPREFIX" "$installer" || scenario_fail "the installer failed"
images="$(tq_installed_folder "$WINEPREFIX")/Images"

# My Pictures holds three nature photographs of mate-backgrounds, all 16:10. The prefix links
# the folder to the home folder; this one is a folder of the prefix of its own.
photos=/usr/share/backgrounds/mate/nature
declare -A photo_of=([Dune]=Dune.jpg [Garden]=Garden.jpg ["Yellow Flower"]=YellowFlower.jpg)
my_pictures=$WINEPREFIX/drive_c/users/${USER:-$(id -un)}/Pictures
[ -L "$my_pictures" ] && rm "$my_pictures"
mkdir -p "$my_pictures"
for title in "${!photo_of[@]}"; do
    cp "$photos/${photo_of[$title]}" "$my_pictures/$title.jpg" || scenario_fail "no photograph $title"
done

keep_shot() { # picture.png name [resize]
    "$TQ_CONVERT" "$1" ${3:+-resize "$3"} -strip "$shots/journey-$2.png" || scenario_fail "cannot keep $2"
}
current_wallpaper_is() { [ "$(exe_current_wallpaper)" = "$1" ]; }
wallpaper_file() { compgen -G "$(scenario_windows_dir)/Tapestrique - *.bmp"; }
wallpaper_stamp() {
    local file
    file=$(wallpaper_file) && md5sum <"$file"
}
wallpaper_rewritten() { # since the stamp in $stamp
    local now
    now=$(wallpaper_stamp) && [ "$now" != "$stamp" ]
}

# Pixels of the desktop that differ by more than 8 % from the photograph of TITLE as the
# wallpaper lays it out by default: fitted to the 1024 x 768 screen, 1024 x 640 from y = 64.
# The title in the top right corner and the task bar stay out of the comparison.
differing_from_photo() { # title screenshot
    "$TQ_CONVERT" "$photos/${photo_of[$1]}" -resize '1024x640!' -crop 1024x600+0+20 +repage "$SCENARIO_DIR/expected.png" &&
        "$TQ_CONVERT" "$2" -crop 1024x600+0+84 +repage "$SCENARIO_DIR/shown.png" || return 1
    "$TQ_COMPARE" -metric AE -fuzz 8% "$SCENARIO_DIR/expected.png" "$SCENARIO_DIR/shown.png" null: 2>&1
}
# Waits for the wallpaper file to be written again since $stamp, then checks that the desktop
# shows TITLE.
expect_desktop_shows() { # title what
    scenario_until 30 wallpaper_rewritten || scenario_fail "$2: no wallpaper file was written"
    sleep 2 # the desktop repaints
    scenario_screenshot "$SCENARIO_DIR/desktop-$1.png"
    local differing
    differing=$(differing_from_photo "$1" "$SCENARIO_DIR/desktop-$1.png")
    # Resampling leaves a few thousand pixels apart; another photograph differs almost everywhere.
    [ "${differing%%.*}" -lt 30000 ] 2>/dev/null ||
        scenario_fail "$2: the desktop differs from the photograph '$1' in $differing pixels"
    echo "$2: the desktop shows '$1' ($differing pixels differ)"
}

# --- The first start: the welcome, accepted as it stands, over the main window ---
exe_start /firstrun
expect_dialog "the welcome" 1094 "Welcome to Tapestrique!"
answer 1
collection_probe no-dialog 10 || scenario_fail "the welcome stays"
expect_main "the first start" "0 images"
exe_probe state
[ "$(exe_value tray)" = 1 ] || scenario_fail "no tray icon"
# The welcome's defaults make this screensaver the system's, named by its short path (Wine's
# short form of Tapestrique.scr is TAPE~XXX.SCR).
screensaver_installed() {
    local named
    named=$(scenario_reg_query 'HKCU\Control Panel\Desktop' SCRNSAVE.EXE) && [[ ${named,,} == *\\tape*.scr ]]
}
scenario_until 20 screensaver_installed || scenario_fail "the screensaver was not installed"
echo "first start: welcome accepted, the screensaver installed, an empty collection"

# --- Import: the open-file dialog opens in My Pictures, where the three are picked ---
collection_probe press 103 || scenario_fail "no import button"
collection_probe open-files 30 '"Dune.jpg" "Garden.jpg" "Yellow Flower.jpg"' || scenario_fail "no open-file dialog"
[ "$(exe_value caption)" = "Import images" ] || scenario_fail "the open-file dialog is captioned '$(exe_value caption)'"
scenario_until 60 main_reads "3 images" || scenario_fail "the import ended with '$(exe_value count)'"
collection_probe no-dialog 30 || scenario_fail "the import's dialog stays"
expect_main "the import" "3 images"
[ "$(exe_value titles)" = "Dune|Garden|Yellow Flower" ] || scenario_fail "the list holds $(exe_value titles)"
for title in "${!photo_of[@]}"; do [ -f "$images/$title.tqi" ] || scenario_fail "no $title.tqi"; done
sleep 1 # the preview is painted
exe_capture_main "$SCENARIO_DIR/imported.png"
keep_shot "$SCENARIO_DIR/imported.png" imported
echo "import: Dune, Garden and Yellow Flower"

# --- Garden as the wallpaper; the window hidden, the desktop shows the photograph ---
select_title Garden
stamp=$(wallpaper_stamp)
collection_probe press 110 || scenario_fail "no set-as-wallpaper button"
scenario_until 30 current_wallpaper_is Garden || scenario_fail "the current picture is '$(exe_current_wallpaper)'"
exe_probe system-close
exe_wait hidden 10
expect_desktop_shows Garden "set as wallpaper"
keep_shot "$SCENARIO_DIR/desktop-Garden.png" wallpaper 640x480
exe_probe state
[ "$(exe_value tray)" = 1 ] || scenario_fail "no tray icon with the window hidden"

# --- Ctrl+Alt+C: another of the three (at random, never the same) ---
stamp=$(wallpaper_stamp)
scenario_key ctrl+alt+c
next_is_current() { current=$(exe_current_wallpaper); [ -n "$current" ] && [ "$current" != Garden ]; }
scenario_until 20 next_is_current || scenario_fail "Ctrl+Alt+C left the wallpaper '$(exe_current_wallpaper)'"
[ -n "${photo_of[$current]:-}" ] || scenario_fail "Ctrl+Alt+C chose '$current'"
expect_desktop_shows "$current" "Ctrl+Alt+C"

# --- The current picture renamed (the wallpaper follows the name), the third one deleted ---
exe_probe command open
exe_wait shown 10
for title in "${!photo_of[@]}"; do [ "$title" != Garden ] && [ "$title" != "$current" ] && other=$title; done
select_title "$current"
collection_probe press 109 || scenario_fail "no rename button"
collection_probe dialog 30 1006 || scenario_fail "no rename dialog"
grep -qxF "field=1006:$current" "$SCENARIO_DIR/probe.txt" || scenario_fail "the rename starts with $(exe_value field)"
collection_probe field 1006 "Evening Light" || scenario_fail "cannot type the new name"
answer 1
collection_probe no-dialog 10 || scenario_fail "the rename dialog stays"
expect_main "the rename" "3 images"
[ "$(exe_value selected)" = "Evening Light" ] || scenario_fail "'$(exe_value selected)' is selected after the rename"
[ -f "$images/Evening Light.tqi" ] && [ ! -e "$images/$current.tqi" ] || scenario_fail "the file was not renamed"
scenario_until 10 current_wallpaper_is "Evening Light" || scenario_fail "the wallpaper is '$(exe_current_wallpaper)'"
echo "rename: '$current' is 'Evening Light', still the wallpaper"

select_title "$other"
collection_probe press 108 || scenario_fail "no delete button"
expect_dialog "delete" 65535 "The image \"$other\"\\nwill be permanently deleted. Continue?"
answer 1
collection_probe no-dialog 10 || scenario_fail "the delete question stays"
expect_main "the delete" "2 images"
[ "$(exe_value titles)" = "Evening Light|Garden" ] || scenario_fail "the list holds $(exe_value titles)"
[ ! -e "$images/$other.tqi" ] || scenario_fail "$other.tqi was not deleted"
current_wallpaper_is "Evening Light" || scenario_fail "the delete changed the wallpaper to '$(exe_current_wallpaper)'"
echo "delete: '$other' is gone"

# --- French, chosen on the settings sheet ---
exe_choose_language "$settings_probe" FR
in_french() { exe_probe state && [ "$(exe_value visible)" = 1 ] && [ "$(exe_value details)" = $'Aucune image s\xe9lectionn\xe9e' ]; }
scenario_until 30 in_french || scenario_fail "the details label reads '$(exe_value details)'"
[ "$(scenario_reg_query "$EXE_KEYS\\Variables" szLanguage)" = FR ] || scenario_fail "szLanguage is not FR"
expect_main "French" "2 images"
[ "$(exe_value titles)" = "Evening Light|Garden" ] || scenario_fail "in French the list holds $(exe_value titles)"
sleep 1 # the window fades in
exe_capture_main "$SCENARIO_DIR/french.png"
keep_shot "$SCENARIO_DIR/french.png" french
echo "French: the window rebuilt with the same two pictures"

# --- Exit from the menu: the window and the tray icon go, the program ends with 0 ---
exe_exit
for program in Tapestrique.exe Tapestrique.scr; do
    exe_probe processes "$program"
    [ "$(exe_value processes)" = 0 ] || scenario_fail "$program still runs"
done
echo "journey: ok in $(($(date +%s) - started)) s"
