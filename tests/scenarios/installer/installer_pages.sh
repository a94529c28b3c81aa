#!/usr/bin/env bash
# The installer as a user first sees it: the choice of language, then the welcome page in each
# of the four languages, each left again with Cancel. The pages are photographed into
# docs/screenshots (installer_language.png, installer_<language>.png).
#   installer_pages.sh INSTALLER.exe
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
installer=$1
[ -f "$installer" ] || { echo "no installer: $installer"; exit 1; }
scenario_begin installer_pages
shots=$TQ_SOURCE_DIR/docs/screenshots
mkdir -p "$shots"

# The rectangle "X Y WIDTH HEIGHT" of the window whose title holds TITLE, from X's view.
window_rect() {
    xwininfo -root -tree | grep -F "$1" | head -n 1 |
        sed -nE 's/.* ([0-9]+)x([0-9]+)\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\3 \4 \1 \2/p'
}

# Starts the installer, waits for the window titled TITLE, photographs it into NAME.png and
# presses KEYS, after which the installer must have ended as cancelled (NSIS's
# exit code 1 for the user's Cancel, 2 for the language choice's).
photograph_and_leave() { # NAME TITLE "KEYS..." INSTALLER-OPTIONS...
    local name=$1 title=$2 keys=$3 rect
    shift 3
    scenario_start "$installer" "$@"
    local pid=$!
    scenario_wait_window "$title" 60 || scenario_fail "$name: no window titled '$title'"
    sleep 1  # the page's controls paint
    rect=$(window_rect "$title")
    [ -n "$rect" ] || scenario_fail "$name: cannot find where the window is"
    scenario_screenshot "$SCENARIO_DIR/$name-desktop.png"
    scenario_crop "$SCENARIO_DIR/$name-desktop.png" "$rect" "$SCENARIO_DIR/$name.png"
    local key
    for key in $keys; do
        scenario_key "$key"
        sleep 0.5
    done
    scenario_wait_exit "$pid" 30
    local status=$?
    [ "$status" = 1 ] || [ "$status" = 2 ] || scenario_fail "$name: the installer ended with $status after $keys (124: not at all)"
    "$TQ_CONVERT" "$SCENARIO_DIR/$name.png" -strip "$shots/$name.png" || scenario_fail "cannot keep $name.png"
}

# Without a language on the command line the installer asks, offering the system's (English
# here); Cancel there ends it.
photograph_and_leave installer_language "Installer Language" Escape

# The welcome page in each language, found by its title in that language's words (the part in
# plain ASCII). Cancel asks whether to quit; Yes (the default button) quits.
photograph_and_leave installer_EN "Tapestrique Setup" "Escape Return" /LANG=EN
photograph_and_leave installer_CA "aplicaci" "Escape Return" /LANG=CA
photograph_and_leave installer_ES "Instalaci" "Escape Return" /LANG=ES
photograph_and_leave installer_FR "Installation de Tapestrique" "Escape Return" /LANG=FR

# Nothing was installed by leaving.
[ ! -e "$WINEPREFIX/drive_c/Program Files/Tapestrique" ] || scenario_fail "a cancelled installer left files"
scenario_reg_query 'HKLM\Software\Quillmere\Tapestrique\Install' InstallDir >/dev/null &&
    scenario_fail "a cancelled installer wrote the Install key"
echo "installer pages: ok"
