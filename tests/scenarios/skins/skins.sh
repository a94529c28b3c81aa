#!/usr/bin/env bash
# Opens every skin of the built Tapestrique.dat as a window on a Wine desktop (the main window
# in all four languages), checks that each window shows its skin, and keeps a screenshot of
# each window in the scenario folder (build/windows/scenarios/skins/*.png).
#   usage: skins.sh SKIN_VIEWER.exe TAPESTRIQUE.DAT
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
viewer=$1
dat=$2
scenario_begin skins
[ -f "$dat" ] || scenario_fail "no $dat"

show() { # entry language name
    local entry=$1 language=$2 name=$3
    local rect=$SCENARIO_DIR/$name.rect
    rm -f "$rect"
    scenario_run -t 60 "$viewer" "$(scenario_path "$dat")" "$entry" "$language" "$(scenario_path "$rect")" 4 &
    local runner=$!
    local waited=0
    while [ ! -s "$rect" ] && [ "$waited" -lt 300 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    [ -s "$rect" ] || scenario_fail "$entry ($language) did not open"
    scenario_screenshot "$SCENARIO_DIR/desktop_$name.png"
    wait "$runner"
    local status=$?
    [ "$status" -eq 0 ] || scenario_fail "$entry ($language): viewer exit status $status"
    read -r x y width height <"$rect"
    "$TQ_CONVERT" "$SCENARIO_DIR/desktop_$name.png" -crop "${width}x${height}+${x}+${y}" +repage \
        "$SCENARIO_DIR/$name.png" || scenario_fail "cannot crop $name"
    # The window is not empty: the crop holds many colours (background, pictures, text).
    local colours
    colours=$("$TQ_CONVERT" "$SCENARIO_DIR/$name.png" -format %k info:)
    [ "$colours" -gt 50 ] || scenario_fail "$name shows only $colours colours"
    echo "$name: ${width}x${height}, $colours colours"
}

for language in EN CA ES FR; do
    show SkinDefault "$language" "main_window_$language"
done
show SkinInitialization EN initialization_window
show SkinNewImage EN new_image_window
show SkinDialogSettingsScreensaver EN screensaver_settings_buttons
echo "skins scenario: ok"
