#!/usr/bin/env bash
# A product's life with its installer: a silent installation (files, Install key, screensaver
# in the Windows folder, shortcuts, the Add/Remove Programs entry); a second installation over
# it while Tapestrique.exe runs, which replaces the program, keeps the pictures, the settings and
# the client identifier, and starts the new program's first run; a silent removal while that
# program and the screensaver run, which leaves no program, registry tree, Run entry,
# screensaver setting or wallpaper behind, and the pictures.
#   installer_lifecycle.sh INSTALLER.exe PROBE.exe HOST_TQTOOL
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
installer=$1 EXE_PROBE=$2 tqtool=$3
[ -f "$installer" ] || { echo "no installer: $installer"; exit 1; }
scenario_begin installer_lifecycle
collection=$TQ_BINARY_DIR/scenarios/sample_collection
"$TQ_SOURCE_DIR/tools/make_sample_collection.sh" "$tqtool" "$collection" >/dev/null ||
    scenario_fail "cannot make the sample collection"

folder=$(tq_installed_folder "$WINEPREFIX")
windows=$(scenario_windows_dir)
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tapestrique"
product='Software\Quillmere\Tapestrique'
install_key="HKLM\\$product\\Install"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tapestrique'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
desktop_key='HKCU\Control Panel\Desktop'

running() { # PROGRAM -> how many processes run it
    exe_probe processes "$1" && exe_value processes
}
expect_value() { # KEY VALUE EXPECTED
    local value
    value=$(scenario_reg_query "$1" "$2")
    [ "$value" = "$3" ] || scenario_fail "$1 $2 is '$value', not '$3'"
}
start_hidden() {
    scenario_start "$folder/Tapestrique.exe" /hidden
    exe_wait hidden 60
}
pictures() {
    ls "$folder/Images" | grep -c '\.tqi$'
}

# --- A silent installation, with the pictures of a collection and a service of its own.
tq_install_with_installer "$WINEPREFIX" "$installer" /SERVICE=http://pictures.example:8642/ "$collection"/*.tqi ||
    scenario_fail "the silent installation failed"
for file in "$folder/Tapestrique.exe" "$folder/Tapestrique.dat" "$folder/Uninstall.exe" "$windows/Tapestrique.scr" \
            "$menu/Tapestrique.lnk" "$menu/Uninstall Tapestrique.lnk"; do
    [ -f "$file" ] || scenario_fail "not installed: $file"
done
for subfolder in Images Music Skins Exported; do
    [ -d "$folder/$subfolder" ] || scenario_fail "no folder $subfolder"
done
cmp -s "$folder/Tapestrique.exe" "$TQ_BINARY_DIR/app/Tapestrique.exe" || scenario_fail "the installed program is not the built one"
expect_value "$install_key" InstallDir 'C:\Program Files\Tapestrique'
expect_value "$install_key" InstallVersion 1.0.01
expect_value "$install_key" InstallerLanguage 1033  # English, the language of a silent installation here
expect_value "$install_key" ServiceBaseAddress http://pictures.example:8642/
client=$(scenario_reg_query "$install_key" TQClientID)
[[ $client =~ ^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$ ]] || scenario_fail "TQClientID is '$client'"
expect_value "$uninstall_key" DisplayName Tapestrique
expect_value "$uninstall_key" DisplayVersion 1.0.01
expect_value "$uninstall_key" Publisher Quillmere
expect_value "$uninstall_key" DisplayIcon 'C:\Program Files\Tapestrique\Tapestrique.exe,0'
expect_value "$uninstall_key" UninstallString '"C:\Program Files\Tapestrique\Uninstall.exe"'
expect_value "$uninstall_key" QuietUninstallString '"C:\Program Files\Tapestrique\Uninstall.exe" /S'
size=$(scenario_reg_query "$uninstall_key" EstimatedSize)
[ $((size)) -ge $(($(stat -c %s "$folder/Tapestrique.exe") / 1024)) ] || scenario_fail "EstimatedSize is $size"
echo "silent installation: ok, client $client"

# --- The program runs from the installation and makes its Run entry; the user's choices and
# pictures are what an installation over it must keep.
start_hidden
old_program=$!
[ -n "$(scenario_reg_query "$run_key" Tapestrique)" ] || scenario_fail "the program wrote no Run entry"
scenario_reg_add "HKCU\\$product\\Variables" szLanguage REG_SZ FR
scenario_reg_add "HKCU\\$product\\Settings\\Wallpaper" btWallpaperImagesShowTitles REG_BINARY 00
# (The program's first run carries this choice to the system.)
scenario_reg_add "HKCU\\$product\\Settings\\Screensaver" btEnableScreensaver REG_BINARY 01
pictures_before=$(pictures)
# The installed program is marked as old, so that its replacement shows.
touch -d '2001-01-01 00:00:00' "$folder/Tapestrique.exe"

# --- Installed again, silently, while the program runs: it is closed and replaced, and with
# /RUN the new one starts for its first run, which makes its screensaver the system's.
tq_install_with_installer "$WINEPREFIX" "$installer" /LANG=EN /RUN || scenario_fail "the second installation failed"
scenario_wait_exit "$old_program" 30 || scenario_fail "the old program did not end ($?)"
[ "$(stat -c %Y "$folder/Tapestrique.exe")" -gt "$(date -d 2002-01-01 +%s)" ] ||
    scenario_fail "the running program was not replaced"
cmp -s "$folder/Tapestrique.exe" "$TQ_BINARY_DIR/app/Tapestrique.exe" || scenario_fail "the replaced program differs"
expect_value "$install_key" TQClientID "$client"
expect_value "$install_key" ServiceBaseAddress http://pictures.example:8642/
expect_value "HKCU\\$product\\Variables" szLanguage FR
expect_value "HKCU\\$product\\Settings\\Wallpaper" btWallpaperImagesShowTitles 00
[ "$(pictures)" = "$pictures_before" ] || scenario_fail "$(pictures) pictures after the reinstallation, $pictures_before before"
exe_wait shown 60  # /RUN started the new program
ours() { # the desktop's setting and system.ini name the screensaver (by a short path of Wine's)
    [ -n "$(scenario_reg_query "$desktop_key" SCRNSAVE.EXE)" ] && grep -qi '^scrnsave.exe=.' "$windows/system.ini"
}
scenario_until 30 ours || scenario_fail "the first run did not make the screensaver the system's"
compgen -G "$windows/Tapestrique - *.bmp" >/dev/null || scenario_fail "the program wrote no wallpaper"
echo "installation over a running program: ok, $pictures_before pictures and the settings kept"

# --- Removed silently while the program (its welcome dialog open) and its screensaver run.
scenario_start "$windows/Tapestrique.scr"
scenario_wait_window "Tapestrique screensaver" 60 || scenario_fail "the screensaver did not start"
timeout 60 wine "$folder/Uninstall.exe" /S </dev/null >>"$SCENARIO_DIR/programs.log" 2>&1 ||
    scenario_fail "the uninstaller did not start"
# The uninstaller works from a copy of itself in the temporary folder, and removes the original.
scenario_until 90 test ! -e "$folder/Uninstall.exe" || scenario_fail "the uninstaller did not remove itself"
uninstaller_ended() { [ "$(running Au_.exe)" = 0 ]; }
scenario_until 30 uninstaller_ended ||
    scenario_fail "the uninstaller did not end"
for program in Tapestrique.exe Tapestrique.scr; do
    [ "$(running $program)" = 0 ] || scenario_fail "$program still runs"
done
for file in "$folder/Tapestrique.exe" "$folder/Tapestrique.dat" "$windows/Tapestrique.scr" "$menu"; do
    [ ! -e "$file" ] || scenario_fail "left behind: $file"
done
for key in "HKCU\\$product" "HKLM\\$product" "$uninstall_key"; do
    timeout 60 wine reg query "$key" >/dev/null 2>&1 && scenario_fail "left behind: $key"
done
scenario_reg_query "$run_key" Tapestrique >/dev/null && scenario_fail "the Run entry is left"
scenario_reg_query "$desktop_key" SCRNSAVE.EXE >/dev/null && scenario_fail "the system's screensaver is still ours"
expect_value "$desktop_key" ScreenSaveActive 0
grep -qi '^scrnsave.exe=' "$windows/system.ini" && scenario_fail "system.ini still names the screensaver"
compgen -G "$windows/Tapestrique - *.bmp" >/dev/null && scenario_fail "the wallpaper file is left"
[ -z "$(scenario_reg_query "$desktop_key" Wallpaper)" ] || scenario_fail "the desktop still names the wallpaper file"
[ "$(pictures)" = "$pictures_before" ] || scenario_fail "the silent removal took the pictures"
echo "silent removal: ok, the $pictures_before pictures kept"
