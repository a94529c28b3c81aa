#!/usr/bin/env bash
# The host and the Windows builds write byte-identical .tqi files and read each other's.
# The Windows side runs on the Wine desktop, through the scenario harness.
#   tqi_roundtrip.sh WINDOWS_PROBE.exe HOST_PROBE
set -u
windows_probe=$1
host_probe=$2
source "$TQ_SOURCE_DIR/tests/harness/scenario.sh"
[ -x "$host_probe" ] || { echo "host probe missing: $host_probe (build the host configuration first)"; exit 1; }

scenario_begin tqi_roundtrip
files=$SCENARIO_DIR/files
mkdir -p "$files"

"$host_probe" write "$files/host.tqi" || scenario_fail "the host build cannot write"
scenario_run "$windows_probe" write "$(scenario_path "$files/windows.tqi")" || scenario_fail "the Windows build cannot write"
cmp "$files/host.tqi" "$files/windows.tqi" || scenario_fail "the two builds wrote different bytes"

"$host_probe" check "$files/windows.tqi" || scenario_fail "the host build cannot read the Windows file"
scenario_run "$windows_probe" check "$(scenario_path "$files/host.tqi")" ||
    scenario_fail "the Windows build cannot read the host file"

# The harness itself: the registry persists in the prefix, and the desktop is on screen.
scenario_reg_add 'HKCU\Software\Quillmere\Tapestrique\Test' probe REG_DWORD 7
[ "$(scenario_reg_query 'HKCU\Software\Quillmere\Tapestrique\Test' probe)" = "0x7" ] ||
    scenario_fail "registry round trip"
scenario_screenshot "$SCENARIO_DIR/desktop.png"
colours=$("$TQ_CONVERT" "$SCENARIO_DIR/desktop.png" -format %k info:)
[ "$colours" -gt 1 ] || scenario_fail "the screenshot is blank"
echo "tqi round trip across builds: ok"
