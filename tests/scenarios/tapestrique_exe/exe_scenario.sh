# Sourced by the tapestrique_exe scenarios: Tapestrique.exe installed with the sample
# collection into the scenario's Wine prefix, started, looked at from outside by the probe
# (tapestrique_probe_win32.cpp) and ended.
#
#   exe_begin NAME PROBE.exe HOST_TQTOOL   scenario_begin, then the installation of the
#                                  programs of the build tree and the six sample pictures
#   exe_prepare NAME PROBE.exe     scenario_begin and the programs of the build tree in
#                                  $EXE_PROGRAMS, for the scenario's own tq_install_product
#   exe_start ARGS...              starts the installed Tapestrique.exe; its pid in EXE_PID
#   exe_probe ARGS...              runs the probe; its output in $SCENARIO_DIR/probe.txt (it
#                                  may take EXE_PROBE_SECONDS, 60 unless set)
#   exe_run_probe PROBE.exe ARGS...   runs another probe the same way
#   exe_capture_main OUT.png       the main window as the desktop shows it
#   exe_choose_language SETTINGS_PROBE.exe CODE   picks the language on the settings sheet's
#                                  first page as a user does, with OK, and waits for the sheet to go
#   exe_value KEY                  a "key=value" of the probe's last output
#   exe_wait CONDITION [SECONDS]   waits until the main window is shown, hidden or gone
#   exe_exit                       ends the program with its menu's command, then exe_expect_exit
#   exe_expect_exit                checks that the window and the tray icon go and the program
#                                  ends with 0
#   exe_current_wallpaper          szCurrentWallpaper
#   exe_wallpaper_file             the wallpaper file's Unix path, once it exists
#   exe_wallpaper_writes SECONDS COMMAND...   runs the command and prints how often the
#                                  wallpaper file was written from then on within SECONDS
#   systemtime_hex SECONDS         a UTC time (seconds since 1970) as a REG_BINARY SYSTEMTIME
#   systemtime_seconds HEX         and back
#   EXE_KEYS                       the program's registry key
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
source "$TQ_SOURCE_DIR/tests/harness/install_product.sh"

EXE_KEYS='HKCU\Software\Quillmere\Tapestrique'

exe_begin() {
    local name=$1 tqtool=$3
    [ -x "$tqtool" ] || { echo "host tqtool missing: $tqtool (build the host configuration first)"; exit 1; }
    exe_prepare "$name" "$2"
    # Kept between runs: drawing the pictures takes longer than the rest of the set-up.
    local collection=$TQ_BINARY_DIR/scenarios/sample_collection
    "$TQ_SOURCE_DIR/tools/make_sample_collection.sh" "$tqtool" "$collection" >/dev/null ||
        scenario_fail "cannot make the sample collection"
    tq_install_product "$WINEPREFIX" "$EXE_PROGRAMS" "$collection"/*.tqi || scenario_fail "cannot install"
}

exe_prepare() {
    EXE_PROBE=$2
    [ -f "$EXE_PROBE" ] || { echo "no probe: $EXE_PROBE"; exit 1; }
    [ -f "$TQ_BINARY_DIR/app/Tapestrique.exe" ] || { echo "Tapestrique.exe is not built"; exit 1; }
    scenario_begin "$1"
    EXE_PROGRAMS=$SCENARIO_DIR/programs
    mkdir -p "$EXE_PROGRAMS"
    cp "$TQ_BINARY_DIR/app/Tapestrique.exe" "$TQ_BINARY_DIR/assets/Tapestrique.dat" "$EXE_PROGRAMS/" ||
        scenario_fail "cannot take the programs"
    EXE_PROGRAM="$(tq_installed_folder "$WINEPREFIX")/Tapestrique.exe"
    # Nothing on the desktop under the mouse, so that no control of the window shows hovered.
    scenario_pointer 1 1
}

exe_start() {
    scenario_start "$EXE_PROGRAM" "$@"
    EXE_PID=$!
}

exe_probe() {
    exe_run_probe "$EXE_PROBE" "$@"
}

exe_run_probe() {
    local probe=$1
    shift
    timeout "${EXE_PROBE_SECONDS:-60}" wine "$probe" "$@" </dev/null 2>>"$SCENARIO_DIR/programs.log" | tr -d '\r' >"$SCENARIO_DIR/probe.txt"
    local status=${PIPESTATUS[0]}
    cat "$SCENARIO_DIR/probe.txt" >>"$SCENARIO_DIR/probe.log"
    return "$status"
}

exe_value() {
    sed -n "s/^$1=//p" "$SCENARIO_DIR/probe.txt"
}

exe_wait() {
    exe_probe wait "$1" "${2:-60}" ||
        scenario_fail "the main window is not $1: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
}

exe_exit() {
    exe_probe command exit || scenario_fail "no main window to end"
    exe_expect_exit
}

exe_expect_exit() {
    exe_wait gone 30
    scenario_wait_exit "$EXE_PID" 30
    local status=$?
    [ "$status" -eq 0 ] || scenario_fail "Tapestrique.exe ended with $status"
}

exe_current_wallpaper() {
    scenario_reg_query "$EXE_KEYS\\Variables" szCurrentWallpaper
}

exe_wallpaper_file() {
    compgen -G "$(scenario_windows_dir)/Tapestrique - *.bmp"
}

exe_wallpaper_writes() {
    local seconds=$1 watched watcher
    shift
    watched=$SCENARIO_DIR/wallpaper-writes.txt
    "$TQ_PYTHON" "$TQ_SOURCE_DIR/tests/harness/file_writes.py" "$(exe_wallpaper_file)" "$seconds" >"$watched" &
    watcher=$!
    scenario_until 10 grep -q watching "$watched" || scenario_fail "cannot watch the wallpaper file"
    "$@"
    wait "$watcher"
    tail -n 1 "$watched"
}

# A SYSTEMTIME in UTC as the registry keeps it: eight little-endian 16-bit fields, the day of
# the week fourth, from seconds since 1970 and back.
systemtime_hex() { # seconds
    local fields
    read -r -a fields <<<"$(date -u -d "@$1" '+%Y %-m %w %-d %-H %-M %-S')"
    printf '%02X%02X' $((fields[0] & 255)) $((fields[0] >> 8))
    for field in "${fields[@]:1}"; do printf '%02X00' "$field"; done
    printf '0000\n'
}
systemtime_seconds() { # hex
    local hex=$1 words=() i
    for i in 0 4 8 12 16 20 24; do words+=($((16#${hex:i+2:2}${hex:i:2}))); done
    date -u -d "${words[0]}-${words[1]}-${words[3]} ${words[4]}:${words[5]}:${words[6]}" +%s
}

exe_capture_main() {
    exe_probe state
    local rect
    rect=$(exe_value rect)
    scenario_screenshot "$SCENARIO_DIR/desktop.png"
    scenario_crop "$SCENARIO_DIR/desktop.png" "$rect" "$1"
}

# The radio buttons of the languages on the first page, in the order of their indexes.
EXE_LANGUAGE_RADIOS=(CA:1034 EN:1035 ES:1036 FR:1037)

exe_choose_language() {
    local probe=$1 code=$2 entry radio=
    for entry in "${EXE_LANGUAGE_RADIOS[@]}"; do [ "${entry%%:*}" = "$code" ] && radio=${entry#*:}; done
    [ -n "$radio" ] || scenario_fail "no language $code"
    local step
    for step in "command 40008" "wait sheet" "click $radio" "press ok" "gone sheet"; do
        # shellcheck disable=SC2086 # the step's words are the probe's arguments
        exe_run_probe "$probe" $step || scenario_fail "$code on the settings sheet, $step: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
    done
}
