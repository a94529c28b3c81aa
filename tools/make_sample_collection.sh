#!/usr/bin/env bash
# Makes the sample collection from real photographs: nature pictures of Debian's
# mate-backgrounds package (GPL-2+, see /usr/share/doc/mate-backgrounds/copyright), imported
# with tqtool exactly as the application imports them. A few sizes and orientations: one
# larger than the screen, one smaller, one upright; one stored as a PNG so that the import
# converts it.
#   make_sample_collection.sh TQTOOL OUT_FOLDER
set -euo pipefail
source "$(dirname "$0")/tool_paths.sh"
tqtool=$1
out=$2
photos=/usr/share/backgrounds/mate/nature
[ -d "$photos" ] || { echo "make_sample_collection: $photos is missing (apt-get install mate-backgrounds)" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The titles come from the file names, as in the import.
cp "$photos/Aqua.jpg" "$work/Aqua.jpg"                    # 2560 x 1600, larger than the screen
cp "$photos/GreenMeadow.jpg" "$work/Green Meadow.jpg"     # 1280 x 1024
cp "$photos/LadyBird.jpg" "$work/Lady Bird.jpg"
cp "$photos/Storm.jpg" "$work/Storm.jpg"                  # 1920 x 1280
# Upright: the middle of a landscape photograph.
"$TQ_CONVERT" "$photos/Wood.jpg" -gravity center -crop 1200x1600+0+0 +repage -quality 92 "$work/Wood.jpg"
# Smaller than the screen, and a PNG, which the import turns into a JPEG.
"$TQ_CONVERT" "$photos/FreshFlower.jpg" -resize 800x600 "$work/Fresh Flower.png"

# The folder holds the sample and nothing else: pictures of an earlier sample go.
rm -f "$out"/*.tqi
"$tqtool" import --collection "$out" "$work"/*.jpg "$work"/*.png >/dev/null
