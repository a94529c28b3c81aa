#!/usr/bin/env bash
# tqtool compose end to end: the output is a 24-bit BMP of the requested size laid out as
# asked, bad arguments are refused, and a title that cannot be drawn is refused out loud.
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$TQ_CONVERT" -size 400x300 xc:'#c81e1e' -quality 95 "$work/in.jpg"
"$tqtool" tqi-pack "$work/in.jpg" "Red Square" "$work/pic.tqi"

# Centred on 800 x 600 over blue (0xBBGGRR): the margins are blue, the middle red.
"$tqtool" compose "$work/pic.tqi" 800 600 1 "$work/centred.bmp" --background 0xFF0000
[ "$("$TQ_IDENTIFY" -format '%w %h' "$work/centred.bmp")" = "800 600" ]
[ "$(od -An -tu2 -j28 -N2 "$work/centred.bmp" | tr -d ' ')" = 24 ]
[ "$("$TQ_CONVERT" "$work/centred.bmp" -format '%[pixel:p{199,299}]' info:)" = "srgb(0,0,255)" ]
[ "$("$TQ_CONVERT" "$work/centred.bmp" -crop 1x1+400+300 -format '%[fx:r>0.7&&g<0.2?1:0]' info:)" = 1 ]

# A work area with a title and greyscale: everything outside the area keeps the background.
"$tqtool" compose "$work/pic.tqi" 640 480 2 "$work/area.bmp" --area 0,30,640,480 --grey --title --filter 8
[ "$("$TQ_CONVERT" "$work/area.bmp" -crop 640x30+0+0 -format '%[fx:maxima.r]' info:)" = 0 ]
[ "$("$TQ_CONVERT" "$work/area.bmp" -crop 100x100+100+200 -format '%[fx:maxima.r==maxima.g?1:0]' info:)" = 1 ]

status() { set +e; "$@" >/dev/null 2>"$work/err"; echo $?; set -e; }
[ "$(status "$tqtool" compose "$work/pic.tqi" 0 600 1 "$work/x.bmp")" = 125 ]
[ "$(status "$tqtool" compose "$work/pic.tqi" 800 600 1 "$work/x.bmp" --area 1,2,3)" = 125 ]
[ "$(status "$tqtool" compose "$work/pic.tqi" 800 600 1 "$work/x.bmp" --filter 14)" = 125 ]
[ "$(status "$tqtool" compose "$work/absent.tqi" 800 600 1 "$work/x.bmp")" = 2 ]
[ "$(TQ_TITLE_FONT=$work/no-font.ttf status "$tqtool" compose "$work/pic.tqi" 800 600 1 "$work/x.bmp" --title)" = 69 ]
grep -q "Liberation Sans Bold" "$work/err"
[ ! -e "$work/x.bmp" ]
echo "tqtool compose: ok"
