#!/usr/bin/env bash
# The installer as a user sees it: the choice of language, which offers the system's first, then
# the welcome page in each of the four languages, each left again with Cancel; then an installation in French page by page,
# which starts Tapestrique in French from its last page, and one more over it while Tapestrique
# runs, which asks before it closes the program; last the uninstaller, which asks the same, and
# whether to delete the pictures too. The pages are photographed into
# docs/screenshots (installer_language.png, installer_<language>.png, installer_finish_FR.png).
#   installer_pages.sh INSTALLER.exe PROBE.exe
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
installer=$1 EXE_PROBE=$2
[ -f "$installer" ] || { echo "no installer: $installer"; exit 1; }
scenario_begin installer_pages
shots=$TQ_SOURCE_DIR/docs/screenshots
mkdir -p "$shots"

press() { # KEY: as a user does, with time for the next page to come
    scenario_key "$1"
    sleep 1
}

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

# On a Catalan system the choice offers Catalan first: OK leads to the Catalan welcome page.
LC_ALL=ca_ES.UTF-8 LANG=ca_ES.UTF-8 scenario_start "$installer"
catalan=$!
scenario_wait_window "Installer Language" 60 || scenario_fail "no choice of language on a Catalan system"
sleep 1
press Return
scenario_wait_window "aplicaci" 30 || scenario_fail "a Catalan system's first choice is not Catalan"
press Escape
press Return
scenario_wait_exit "$catalan" 30
[ $? = 1 ] || scenario_fail "the Catalan installer did not end with Cancel"

# Nothing was installed by leaving.
[ ! -e "$WINEPREFIX/drive_c/Program Files/Tapestrique" ] || scenario_fail "a cancelled installer left files"
scenario_reg_query 'HKLM\Software\Quillmere\Tapestrique\Install' InstallDir >/dev/null &&
    scenario_fail "a cancelled installer wrote the Install key"
echo "installer pages: ok"

running() { # PROGRAM -> how many processes run it
    exe_probe processes "$1" && exe_value processes
}
folder=$(tq_installed_folder "$WINEPREFIX")

# In French, page by page: Next on the welcome, Install on the folder's page, Finish with
# "Run Tapestrique" ticked on the last.
scenario_start "$installer" /LANG=FR
first=$!
scenario_wait_window "Installation de Tapestrique" 60 || scenario_fail "the French installer did not open"
sleep 1
press Return
press Return
scenario_until 60 test -f "$folder/Uninstall.exe" || scenario_fail "the visible installation installed nothing"
sleep 2  # the last page comes
rect=$(window_rect "Installation de Tapestrique")
scenario_screenshot "$SCENARIO_DIR/finish-desktop.png"
scenario_crop "$SCENARIO_DIR/finish-desktop.png" "$rect" "$SCENARIO_DIR/installer_finish_FR.png"
"$TQ_CONVERT" "$SCENARIO_DIR/installer_finish_FR.png" -strip "$shots/installer_finish_FR.png" ||
    scenario_fail "cannot keep installer_finish_FR.png"
press Return
scenario_wait_exit "$first" 30 || scenario_fail "the installer ended with $?"
exe_wait shown 60  # the last page started Tapestrique
language=$(scenario_reg_query 'HKCU\Software\Quillmere\Tapestrique\Variables' szLanguage)
[ "$language" = FR ] || scenario_fail "Tapestrique speaks '$language' after a French installation"
echo "visible installation: ok, Tapestrique started in French"

# Once more, while Tapestrique runs (its welcome dialog open): after the folder's page the
# installer says it will close it; OK closes it and goes on.
[ "$(running Tapestrique.exe)" = 1 ] || scenario_fail "Tapestrique.exe does not run"
touch -d '2001-01-01 00:00:00' "$folder/Tapestrique.exe"
scenario_start "$installer" /LANG=EN
second=$!
scenario_wait_window "Tapestrique Setup" 60 || scenario_fail "the second installer did not open"
sleep 1
press Return
press Return
sleep 2
# The installer waits for the answer: the old program is still there.
[ "$(stat -c %Y "$folder/Tapestrique.exe")" -lt "$(date -d 2002-01-01 +%s)" ] ||
    scenario_fail "the installer replaced the running program without asking"
scenario_screenshot "$SCENARIO_DIR/programs-running-question.png"
press Return
scenario_until 60 test "$(stat -c %Y "$folder/Tapestrique.exe")" -gt "$(date -d 2002-01-01 +%s)" ||
    scenario_fail "the running program was not replaced"
sleep 2  # the last page comes
press Return
scenario_wait_exit "$second" 30 || scenario_fail "the second installer ended with $?"
exe_wait shown 60  # the last page started the new Tapestrique
[ "$(running Tapestrique.exe)" = 1 ] || scenario_fail "the old Tapestrique.exe still runs"
echo "installation over a running program, asked first: ok"

# The uninstaller, in the language of the last installation, while Tapestrique runs: Uninstall
# on its first page, OK to close the program, Yes to delete the pictures as well.
echo picture >"$folder/Images/Kept until asked.tqi"
scenario_start "$folder/Uninstall.exe"
scenario_wait_window "Tapestrique Uninstall" 60 || scenario_fail "the uninstaller did not open"
sleep 1
press Return
press Return
sleep 1
[ -f "$folder/Images/Kept until asked.tqi" ] || scenario_fail "the pictures went before the question"
scenario_screenshot "$SCENARIO_DIR/pictures-question.png"
press y
scenario_until 60 test ! -e "$folder" || scenario_fail "the installation folder is left: $(ls -R "$folder")"
[ "$(running Tapestrique.exe)" = 0 ] || scenario_fail "Tapestrique.exe still runs"
echo "visible removal: ok, the pictures deleted when the user said so"
