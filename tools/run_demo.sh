#!/usr/bin/env bash
# `make run`: installs the built programs with their installer, silently, and a sample
# collection into a Wine prefix of your own and starts Tapestrique.exe on a Wine desktop. With a
# display ($DISPLAY) the desktop opens there and stays until you close it. Without one it runs
# on a private Xvfb: once the main window shows, it photographs the desktop into
# out/run-screenshot.png, checks that the window is not blank, ends Tapestrique with Exit from
# its menu and stops everything it started.
#   TAPESTRIQUE_PREFIX   the Wine prefix to install into (default ~/.local/share/tapestrique/wine)
#   TAPESTRIQUE_SECONDS  how long a run without display waits for the main window (default 120)
set -euo pipefail
source "$(dirname "$0")/build_env.sh"
source "$repo_root/tests/harness/wine_env.sh"
source "$repo_root/tests/harness/install_product.sh"
source "$repo_root/tests/harness/process_guard.sh"
tq_mark_processes

prefix=${TAPESTRIQUE_PREFIX:-$HOME/.local/share/tapestrique/wine}
seconds=${TAPESTRIQUE_SECONDS:-120}
tqtool=$out_root/host/tqtool
probe=$build_root/windows/bench/startup/startup_probe.exe
installer=$build_root/windows/installer/Tapestrique-setup.exe
screenshot=$out_root/run-screenshot.png
program="$(tq_installed_windows_folder)\\Tapestrique.exe"

# However the run ends, Wine and the private display end with it, and nothing else is left.
# The display stopped is the one this run started, whatever DISPLAY says by then. Every step
# runs even when one before it fails (no server left to end, say): errexit is off here.
own_display=""
finish() {
    local status=$?
    set +e
    [ -d "$prefix" ] && WINEPREFIX=$prefix timeout 20 wineserver -k >/dev/null 2>&1
    [ -n "$own_display" ] && DISPLAY=$own_display tq_stop_xvfb
    tq_check_nothing_left || status=1
    exit $status
}
trap finish EXIT
trap 'exit 130' INT TERM
fail() {
    echo "run: $*" >&2
    exit 1
}

[ -f "$installer" ] || fail "the installer is not built (tools/build.sh windows)"
# Without a display every Wine command of the run gets the private one, the installation's too:
# a desktop that Wine opened without a display would take the programs that come later.
if [ -z "${DISPLAY:-}" ]; then
    own_display=$(tq_start_xvfb) || fail "cannot start Xvfb"
    export DISPLAY=$own_display
fi

echo "== sample collection"
"$repo_root/tools/make_sample_collection.sh" "$tqtool" "$out_root/sample/Images"
for picture in "$out_root"/sample/Images/*.tqi; do
    "$tqtool" tqi-info "$picture" | awk -F': ' '{printf "%s%s", (NR > 1 ? ", " : "  "), $2} END {print ""}'
done

echo "== install into $prefix"
tq_wine_setup "$prefix" || fail "cannot create the Wine prefix"
tq_install_with_installer "$prefix" "$installer" "$out_root"/sample/Images/*.tqi || fail "the installer failed"
# Every program of the prefix joins the one desktop, the probe as well as Tapestrique.
timeout 60 wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1 || true
timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f >/dev/null 2>&1 || true
launch=(wine explorer /desktop=shell,1024x768 "$program")

if [ -z "$own_display" ]; then
    echo "== Tapestrique on a Wine desktop (display $DISPLAY); close the desktop to end"
    (cd "$(tq_installed_folder "$prefix")" && "${launch[@]}" </dev/null >/dev/null 2>&1)
    # The command returns at once when the installation's Wine commands left the desktop open;
    # the run lasts as long as the desktop, however it was opened.
    wineserver -w
    exit 0
fi

echo "== Tapestrique on a Wine desktop (private display $DISPLAY)"
rm -f "$screenshot"
(cd "$(tq_installed_folder "$prefix")" && "${launch[@]}" </dev/null >/dev/null 2>&1) &
desktop=$!
# The photograph waits for the main window itself, however slowly Wine starts.
window=$(timeout $((seconds + 30)) wine "$probe" wait-shown "$seconds" </dev/null | tr -d '\r') ||
    fail "the main window did not show within $seconds s"
read -r x y width height <<<"$window"
echo "main window: ${width}x${height} at $x,$y"
sleep 1  # the skin's last controls paint
"$TQ_IMPORT" -window root "$screenshot" || fail "cannot take the screenshot"
colours=$("$TQ_CONVERT" "$screenshot" -crop "${width}x${height}+${x}+${y}" +repage -format %k info:)
[ "$colours" -gt 50 ] || fail "the main window looks blank ($colours colours): $screenshot"
timeout $((seconds + 30)) wine "$probe" exit "$seconds" </dev/null || fail "Tapestrique did not end with Exit"
# Wine's desktop and services outlive the program; they end with it.
timeout 20 wineserver -k || true
wait "$desktop" || true
echo "screenshot: $screenshot ($colours colours in the main window)"
echo "installed in: $(tq_installed_folder "$prefix")"
