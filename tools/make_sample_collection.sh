#!/usr/bin/env bash
# Makes a small sample collection: pictures drawn by ImageMagick, packed with tqtool.
#   make_sample_collection.sh TQTOOL OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/tool_paths.sh"
tqtool=$1
out=$2
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_picture() { # file title convert-arguments...
    local file=$1 title=$2
    shift 2
    [ -f "$out/$file.tqi" ] && return 0
    "$TQ_CONVERT" "$@" -quality 92 "$work/$file.jpg"
    "$tqtool" tqi-pack "$work/$file.jpg" "$title" "$out/$file.tqi" >/dev/null
}

make_picture "Blue Hour" "Blue Hour" -size 1920x1080 -seed 11 plasma:midnightblue-steelblue -blur 0x6
make_picture "Desert Dunes" "Desert Dunes" -size 1920x1200 -seed 4 plasma:orange-sienna -blur 0x12 -modulate 110,120
make_picture "Northern Lights" "Northern Lights" -size 1600x1200 gradient:black-darkgreen \
    \( -size 1600x1200 -seed 7 plasma:seagreen-black -blur 0x20 \) -compose screen -composite
make_picture "Rose Garden" "Rose Garden" rose: -filter Lanczos -resize 1280x960!
make_picture "Sea Glass" "Sea Glass" -size 2560x1440 -seed 3 plasma:turquoise-navy -blur 0x30 -swirl 90
make_picture "Wizard" "Wizard" logo: -resize 1024x768
