#!/usr/bin/env bash
# Prepares a Debian machine for building and testing Tapestrique. Idempotent: every
# step checks whether it is already done, so `make run` and `make test` call it every time.
#
#   1. Debian packages (compilers, MinGW-w64, Wine, Xvfb, ImageMagick, Pillow, fonts, the
#      photographs of the resampling tests, libraries, the GStreamer plugins and the PulseAudio
#      server through which Wine's DirectShow plays the music tests; the picture service's HTTP
#      library, SQLite, PostgreSQL and the load generator of its benchmark; NSIS and zip for the
#      installer and the release files), then a check that the
#      programs named in tools/tool_paths.sh work: a test that would compare with a missing
#      tool fails.
#   2. libjpeg-turbo, libpng and libtiff for the MinGW cross build, built from Debian's own
#      source packages into a cache outside the clone, keyed by their package versions.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
cache_root=${TAPESTRIQUE_CACHE:-$HOME/.cache/tapestrique}
sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

packages=(
    build-essential g++ cmake make ninja-build pkg-config
    mingw-w64 libz-mingw-w64-dev nasm
    wine64 wine xvfb xauth x11-utils xdotool imagemagick
    libjpeg-dev libpng-dev libtiff-dev zlib1g-dev googletest
    clang libclang-rt-14-dev clang-format
    libfreetype-dev fonts-liberation nlohmann-json3-dev
    python3 python3-pil libvips-tools dpkg-dev libjpeg-turbo-progs mate-backgrounds
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good pulseaudio pulseaudio-utils
    libcpp-httplib-dev libsqlite3-dev libpq-dev postgresql wrk
    nsis zip unzip
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

source "$here/tools/tool_paths.sh"
tq_check_tools || { echo "setup: the tools above are missing after installing the packages" >&2; exit 1; }

# The MinGW image libraries (cached; the first build takes about two minutes).
prefix=$("$here/tools/build_mingw_deps.sh" "$cache_root" | tail -n 1) || {
    echo "setup: building the MinGW image libraries failed" >&2
    exit 1
}
[ -f "$prefix/.complete" ] || { echo "setup: the MinGW image libraries are incomplete" >&2; exit 1; }
