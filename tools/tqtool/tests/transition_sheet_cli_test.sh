#!/usr/bin/env bash
# tqtool transition-sheet end to end: one row per effect in catalogue order, the first column
# the old picture and the last the new one, both output formats, and bad arguments refused.
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$TQ_CONVERT" -size 400x300 xc:'#d02010' -quality 95 "$work/old.jpg"
"$TQ_CONVERT" -size 300x400 xc:'#1030e0' "$work/new.png"

"$tqtool" transition-sheet "$work/old.jpg" "$work/new.png" "$work/sheet.bmp" --size 64x36 >"$work/names"
[ "$(wc -l <"$work/names")" = 36 ]
[ "$(head -n 1 "$work/names")" = Barn ]
[ "$(sed -n 11p "$work/names")" = Fade ]
[ "$(tail -n 1 "$work/names")" = "Worm Hole" ]
[ "$("$TQ_IDENTIFY" -format '%w %h' "$work/sheet.bmp")" = "320 1296" ]
# Every row starts on the old picture and ends on the new one, whatever the effect does between.
for row in 0 13 35; do
    y=$((row * 36 + 18))
    [ "$("$TQ_CONVERT" "$work/sheet.bmp" -format "%[fx:p{10,$y}.r>0.7&&p{10,$y}.b<0.2?1:0]" info:)" = 1 ]
    [ "$("$TQ_CONVERT" "$work/sheet.bmp" -format "%[fx:p{300,$y}.b>0.7&&p{300,$y}.r<0.2?1:0]" info:)" = 1 ]
done

"$tqtool" transition-sheet "$work/old.jpg" "$work/new.png" "$work/sheet.ppm" >/dev/null
[ "$(head -c 2 "$work/sheet.ppm")" = P6 ]
[ "$("$TQ_IDENTIFY" -format '%w %h' "$work/sheet.ppm")" = "1600 6480" ]

status() { set +e; "$@" >/dev/null 2>&1; echo $?; set -e; }
[ "$(status "$tqtool" transition-sheet "$work/old.jpg" "$work/new.png" "$work/x.png")" = 125 ]
[ "$(status "$tqtool" transition-sheet "$work/old.jpg" "$work/new.png" "$work/x.bmp" --size 0x10)" = 125 ]
[ "$(status "$tqtool" transition-sheet "$work/old.jpg" "$work/new.png" "$work/x.bmp" --size 64)" = 125 ]
[ "$(status "$tqtool" transition-sheet "$work/absent.jpg" "$work/new.png" "$work/x.bmp")" != 0 ]
[ ! -e "$work/x.bmp" ]
echo "tqtool transition-sheet: ok"
