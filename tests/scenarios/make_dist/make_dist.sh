#!/usr/bin/env bash
# `make dist` as a new user runs it: the installer and the zip land in out/dist with the SHA-256
# it prints, a second run makes the very same files, and the zip's programs run from the folder
# they are unpacked into once its register_folder.cmd has made that folder the installation.
#   make_dist.sh PROBE.exe     (TQ_SOURCE_DIR and TQ_BINARY_DIR come from CTest)
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
EXE_PROBE=$1
work=$TQ_BINARY_DIR/scenarios/make_dist_runs
dist=$TQ_SOURCE_DIR/out/dist
rm -rf "$work"
mkdir -p "$work"

run_make_dist() { # LOG
    make -C "$TQ_SOURCE_DIR" dist </dev/null >"$1" 2>&1 || {
        tail -n 30 "$1"
        scenario_fail "make dist failed (log: $1)"
    }
}
run_make_dist "$work/first.log"
setup=$(ls "$dist"/Tapestrique-*-setup.exe)
zip=$(ls "$dist"/Tapestrique-*.zip)
for file in "$setup" "$zip"; do
    [ -s "$file" ] || scenario_fail "no $file"
    grep -q "^$(sha256sum "$file" | cut -d' ' -f1)  $(basename "$file")\$" "$work/first.log" ||
        scenario_fail "make dist did not print the SHA-256 of $(basename "$file")"
done
cmp -s "$setup" "$TQ_BINARY_DIR/installer/Tapestrique-setup.exe" || scenario_fail "the release installer is not the built one"
cp "$dist/SHA256SUMS" "$work/"
run_make_dist "$work/second.log"
cmp -s "$dist/SHA256SUMS" "$work/SHA256SUMS" || scenario_fail "a second make dist made other files"
echo "make dist: ok, the same files twice: $(tr '\n' ' ' <"$dist/SHA256SUMS")"

# The zip on a machine without the installer.
scenario_begin make_dist
folder=$WINEPREFIX/drive_c/Tapestrique
unzip -q "$zip" -d "$WINEPREFIX/drive_c" || scenario_fail "cannot unpack $zip"
scenario_run cmd /c 'C:\Tapestrique\register_folder.cmd' || scenario_fail "register_folder.cmd failed"
[ "$(scenario_reg_query 'HKLM\Software\Quillmere\Tapestrique\Install' InstallDir)" = 'C:\Tapestrique' ] ||
    scenario_fail "register_folder.cmd did not make C:\\Tapestrique the installation"
[ -f "$(scenario_windows_dir)/Tapestrique.scr" ] && [ -d "$folder/Images" ] ||
    scenario_fail "register_folder.cmd did not lay the folder out"
scenario_start "$folder/Tapestrique.exe" /hidden
EXE_PID=$!
exe_wait hidden 60  # not the dialog of a damaged installation
exe_exit
echo "the zip's programs: ok, running from C:\\Tapestrique"
