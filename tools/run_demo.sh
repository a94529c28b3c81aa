#!/usr/bin/env bash
# `make run`: installs the built programs and a sample collection into a Wine prefix of your
# own and starts Tapestrique on a Wine desktop. With a display ($DISPLAY) the desktop opens
# there and stays until you close it; without one it runs on a private Xvfb for a while and
# leaves a screenshot in out/run-screenshot.png.
#   TAPESTRIQUE_PREFIX   the Wine prefix to install into (default ~/.local/share/tapestrique/wine)
#   TAPESTRIQUE_SECONDS  how long a run without display lasts (default 20)
set -euo pipefail
source "$(dirname "$0")/build_env.sh"
source "$repo_root/tests/harness/wine_env.sh"
source "$repo_root/tests/harness/process_guard.sh"
tq_mark_processes

prefix=${TAPESTRIQUE_PREFIX:-$HOME/.local/share/tapestrique/wine}
install_dir="$prefix/drive_c/Program Files/Tapestrique"
tqtool=$out_root/host/tqtool

# However the run ends, Wine and the private display end with it, and nothing else is left.
own_display=""
finish() {
    local status=$?
    [ -d "$prefix" ] && WINEPREFIX=$prefix timeout 20 wineserver -k >/dev/null 2>&1
    [ -n "$own_display" ] && tq_stop_xvfb
    tq_check_nothing_left || status=1
    exit $status
}
trap finish EXIT

echo "== sample collection"
"$repo_root/tools/make_sample_collection.sh" "$tqtool" "$out_root/sample/Images"
for picture in "$out_root"/sample/Images/*.tqi; do
    "$tqtool" tqi-info "$picture" | awk -F': ' '{printf "%s%s", (NR > 1 ? ", " : "  "), $2} END {print ""}'
done

echo "== install into $prefix"
tq_wine_setup "$prefix" || { echo "run: cannot create the Wine prefix" >&2; exit 1; }
mkdir -p "$install_dir/Images" "$install_dir/Skins" "$install_dir/Music" "$install_dir/Exported"
cp -f "$out_root"/sample/Images/*.tqi "$install_dir/Images/"
for file in "$out_root"/windows/*; do
    [ -f "$file" ] && cp -f "$file" "$install_dir/" && echo "  $(basename "$file")"
done
windows_install_dir='C:\Program Files\Tapestrique'
timeout 60 wine reg add 'HKLM\Software\Quillmere\Tapestrique\Install' /v InstallDir /d "$windows_install_dir" /f \
    >/dev/null 2>&1 || true
timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1 || true
timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1 || true

if [ -z "${DISPLAY:-}" ]; then
    DISPLAY=$(tq_start_xvfb)
    export DISPLAY
    own_display=yes
fi

scenarios=$build_root/windows/tests/scenarios
if [ -f "$install_dir/Tapestrique.exe" ]; then
    echo "== Tapestrique on a Wine desktop (display $DISPLAY)"
    launch=(wine explorer /desktop=shell,1024x768 "$install_dir/Tapestrique.exe")
else
    # Until the application exists, show what does: a collection picture composed as the
    # wallpaper, exactly as the settings in the registry say, under the skinned main window.
    echo "== Tapestrique.exe is not built yet: the wallpaper engine and the main window's skin instead"
    keys='HKCU\Software\Quillmere\Tapestrique'
    timeout 60 wine reg add "$keys\\Variables" /v szCurrentWallpaper /d "Sea Glass" /f >/dev/null 2>&1 || true
    timeout 60 wine reg add "$keys\\Settings\\Wallpaper" /v btWallpaperImagesShowTitles /t REG_BINARY /d 01 /f \
        >/dev/null 2>&1 || true
    timeout 60 wine reg add "$keys\\Settings\\Wallpaper" /v btWallpaperImagesPresentation /t REG_BINARY /d 03 /f \
        >/dev/null 2>&1 || true
    launch=(wine explorer /desktop=shell,1024x768 cmd /c
            "$scenarios/wallpaper/wallpaper_probe.exe" "$windows_install_dir\\Images" "&"
            "$scenarios/skins/skin_viewer.exe" "$windows_install_dir\\Tapestrique.dat" SkinDefault EN
            "$windows_install_dir\\window.txt" 3600)
fi

if [ -n "$own_display" ]; then
    seconds=${TAPESTRIQUE_SECONDS:-20}
    rm -f "$install_dir/window.txt"
    (cd "$install_dir" && timeout "$seconds" "${launch[@]}" </dev/null >/dev/null 2>&1 || true) &
    # The screenshot is taken once the skinned window shows (the viewer writes where it is into
    # window.txt after the wallpaper is applied), or at the end of the run, however slow Wine is.
    for _ in $(seq $((seconds * 10 - 10))); do
        [ -s "$install_dir/window.txt" ] && break
        sleep 0.1
    done
    sleep 1
    "$TQ_IMPORT" -window root "$out_root/run-screenshot.png" 2>/dev/null && echo "screenshot: $out_root/run-screenshot.png"
    wait
else
    (cd "$install_dir" && "${launch[@]}")
fi
echo "installed in: $install_dir"
