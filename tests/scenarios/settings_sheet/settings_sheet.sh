#!/usr/bin/env bash
# The settings sheet of Tapestrique.exe driven on a Wine desktop: values changed on each page
# and applied, values out of range refused with nothing written, a language chosen through
# Apply reopening the sheet in that language; then every page, the welcome and the About box
# shot in the four languages into docs/screenshots.
#   settings_sheet.sh PROBE.exe HOST_TQTOOL
set -uo pipefail
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
source "$TQ_SOURCE_DIR/tests/harness/install_product.sh"

probe=$1
tqtool=$2
keys='HKCU\Software\Quillmere\Tapestrique'
shots=$TQ_SOURCE_DIR/docs/screenshots

[ -f "$probe" ] || { echo "no probe: $probe"; exit 1; }
[ -x "$tqtool" ] || { echo "host tqtool missing: $tqtool"; exit 1; }
scenario_begin settings_sheet

collection=$TQ_BINARY_DIR/scenarios/sample_collection
"$TQ_SOURCE_DIR/tools/make_sample_collection.sh" "$tqtool" "$collection" >/dev/null || scenario_fail "no sample collection"
mkdir -p "$SCENARIO_DIR/programs"
cp "$TQ_BINARY_DIR/app/Tapestrique.exe" "$TQ_BINARY_DIR/assets/Tapestrique.dat" "$SCENARIO_DIR/programs/" ||
    scenario_fail "cannot take the programs"
tq_install_product "$WINEPREFIX" "$SCENARIO_DIR/programs" "$collection"/*.tqi || scenario_fail "cannot install"
installed=$(tq_installed_folder "$WINEPREFIX")
# One track in the library, so that its list shows an entry.
"$TQ_PYTHON" - "$installed/Music/Evening Bells.wav" <<'PY'
import sys, wave
with wave.open(sys.argv[1], "wb") as out:
    out.setnchannels(1); out.setsampwidth(2); out.setframerate(8000); out.writeframes(b"\0\0" * 8000)
PY

probe() {
    timeout 60 wine "$probe" "$@" </dev/null 2>>"$SCENARIO_DIR/programs.log" | tr -d '\r' |
        iconv -f WINDOWS-1252 -t UTF-8 >"$SCENARIO_DIR/probe.txt"
    local status=${PIPESTATUS[0]}
    { echo "> $*"; cat "$SCENARIO_DIR/probe.txt"; } >>"$SCENARIO_DIR/probe.log"
    return "$status"
}
value() { sed -n "s/^$1=//p" "$SCENARIO_DIR/probe.txt" | head -n 1; }
must() { probe "$@" || scenario_fail "probe $*: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"; }
expect_reg() { # key value expected
    local got
    got=$(scenario_reg_query "$keys\\$1" "$2")
    [ "${got,,}" = "${3,,}" ] || scenario_fail "$1\\$2 is '$got', expected '$3'"
}

exe_pid=
start_exe() { # language arguments...
    scenario_reg_add "$keys\\Variables" szLanguage REG_SZ "$1"
    shift
    wine "$installed/Tapestrique.exe" "$@" </dev/null >>"$SCENARIO_DIR/programs.log" 2>&1 &
    exe_pid=$!
    SCENARIO_BACKGROUND_PIDS="$SCENARIO_BACKGROUND_PIDS $exe_pid"
    must main
}
exit_exe() {
    must command 40013
    wait_exe_end
}
wait_exe_end() {
    for _ in $(seq 1 150); do
        kill -0 "$exe_pid" 2>/dev/null || return 0
        sleep 0.2
    done
    scenario_fail "Tapestrique.exe did not end"
}
open_sheet() {
    must command 40008
    must wait sheet
}

# --- Changes on each page, refusals, the language through Apply (English) ---
start_exe EN
open_sheet
[ "$(value page)" = General ] || scenario_fail "the sheet opened on '$(value page)'"

must page 1
must click 1071
must text 1072 0
must text 1075 0
must press apply
must dismiss
grep -q "Invalid value" "$SCENARIO_DIR/probe.txt" || scenario_fail "no interval warning"
must state
[ "$(value focused)" = 1075 ] || scenario_fail "the focus is not in the minutes field"
[ "$(scenario_reg_query "$keys\\Settings\\Wallpaper" btChangeWallpaper)" != 03 ] ||
    scenario_fail "a refused interval was written"
must text 1072 2
must text 1075 30
must press apply
sleep 1
expect_reg 'Settings\Wallpaper' btChangeWallpaper 03
expect_reg 'Settings\Wallpaper' dwChangeWallpaperHours 02000000
expect_reg 'Settings\Wallpaper' dwChangeWallpaperMinutes 1e000000

must page 2
must text 1043 301
must press apply
must dismiss
grep -q "between 1 and 300" "$SCENARIO_DIR/probe.txt" || scenario_fail "no delay warning"
must text 1043 45
must click 1041
must press apply
sleep 1
expect_reg 'Settings\Screensaver' dwScreensaverSecondsBetweenChanges 2d000000
expect_reg 'Settings\Screensaver' btScreensaverImagesSelectionMode 01

must page 0
must state 1023 1024
was_checked=$(value checked1023)
must click 1023
must state 1023 1024
[ "$(value enabled1024)" = "$(value checked1023)" ] || scenario_fail "'open automatically' does not follow 'run at startup'"
must press apply
sleep 1
run=$(scenario_reg_query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' Tapestrique)
if [ "$was_checked" = 1 ]; then
    [ -z "$run" ] || scenario_fail "the Run value stayed: $run"
    expect_reg 'Settings\General' btRunAtWindowsStartup 00
else
    [ -n "$run" ] || scenario_fail "no Run value"
    expect_reg 'Settings\General' btRunAtWindowsStartup 01
fi

# A shortcut typed into the list: Ctrl+Alt+P on the first row is stored, P alone is not.
must state 1032
IFS=, read -r list_x list_y _ _ <<<"$(value rect1032)"
scenario_click $((list_x + 40)) $((list_y + 28))
sleep 0.5
scenario_key p
scenario_key ctrl+alt+p
sleep 0.5
must press apply
sleep 1
expect_reg 'Settings\General' btKeyboardShortcutChangeWallpaper 5006

# French through Apply: the sheet closes and opens again in French.
must click 1037
must press apply
french=
for _ in $(seq 1 30); do
    probe wait sheet 5 && [ "$(value page)" = "Général" ] && { french=yes; break; }
    sleep 0.5
done
[ -n "$french" ] || scenario_fail "the sheet did not reopen in French: $(value page)"
expect_reg Variables szLanguage FR
must press cancel
must gone sheet
exit_exe

# --- Every dialog in every language ---
mkdir -p "$shots" "$SCENARIO_DIR/shots"
for language in CA EN ES FR; do
    start_exe "$language" /firstrun
    probe tour "$(scenario_path "$SCENARIO_DIR/shots")" "$language" ||
        scenario_fail "tour in $language: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
    wait_exe_end
done
for picture in "$SCENARIO_DIR"/shots/*.bmp; do
    name=$(basename "$picture" .bmp)
    "$TQ_CONVERT" "$picture" -strip "$shots/$name.png" || scenario_fail "cannot convert $name"
done
# At 150 % the same dialogs, kept beside the scenario's other artefacts for a look.
scenario_reg_add 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 144
mkdir -p "$SCENARIO_DIR/scaled"
start_exe EN /firstrun
probe tour "$(scenario_path "$SCENARIO_DIR/scaled")" EN || scenario_fail "tour at 150 %: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
wait_exe_end
echo "settings_sheet: passed"
