#!/usr/bin/env bash
# tqtool's .tqi commands end to end: a JPEG packed and extracted comes back byte for byte,
# tqi-info reports what was packed, and damaged input gives the reader's result code. The
# import stores JPEG files unchanged and other pictures as JPEG files, and refuses sizes
# outside 64..4096 from the headers, before decoding.
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$TQ_CONVERT" -size 97x61 plasma:fractal -seed 5 "$work/in.jpg" 2>/dev/null ||
    "$TQ_CONVERT" -size 97x61 gradient:red-blue "$work/in.jpg"
"$tqtool" tqi-pack "$work/in.jpg" "Évening sky" "$work/pic.tqi"
"$tqtool" tqi-extract "$work/pic.tqi" "$work/out.jpg"
cmp "$work/in.jpg" "$work/out.jpg"

info=$("$tqtool" tqi-info "$work/pic.tqi")
grep -qx "title: Évening sky" <<<"$info"
grep -qx "width: 97" <<<"$info"
grep -qx "height: 61" <<<"$info"
grep -qx "payload size: $(stat -c %s "$work/in.jpg")" <<<"$info"

# A file cut after its header still describes itself, but cannot be extracted.
head -c 60 "$work/pic.tqi" >"$work/cut.tqi"
"$tqtool" tqi-info "$work/cut.tqi" >/dev/null
set +e
"$tqtool" tqi-extract "$work/cut.tqi" "$work/never.jpg" 2>/dev/null; extract=$?
printf 'not a picture' >"$work/junk.tqi"
"$tqtool" tqi-info "$work/junk.tqi" 2>/dev/null; junk=$?
"$tqtool" tqi-info "$work/absent.tqi" 2>/dev/null; absent=$?
"$tqtool" tqi-pack "$work/junk.tqi" "T" "$work/x.tqi" 2>/dev/null; notjpeg=$?
set -e
[ "$extract" -eq 3 ] && [ "$junk" -eq 3 ] && [ "$absent" -eq 2 ] && [ "$notjpeg" -eq 3 ]
[ ! -e "$work/never.jpg" ] && [ ! -e "$work/x.tqi" ]
# Import: the bounds on both sides, a JPEG stored byte for byte, a PNG stored as a JPEG file
# whose temporary file is gone afterwards, and a JPEG whose frame header claims 5000 x 5000
# over a few hundred bytes: refused for its size, which only the headers can tell (decoding
# would have failed for want of data).
mkdir -p "$work/tmp" "$work/collection"
"$TQ_CONVERT" -size 64x64 xc:navy "$work/smallest.png"
"$TQ_CONVERT" -size 4096x4096 xc:teal "$work/largest.png"
"$TQ_CONVERT" -size 63x200 xc:red "$work/narrow.png"
"$TQ_CONVERT" -size 4097x100 xc:red "$work/wide.bmp"
"$TQ_CONVERT" -size 100x70 gradient:red-blue "$work/photo.jpg"
"$TQ_PYTHON" - "$work/photo.jpg" "$work/bomb.jpg" <<'PY'
import sys
data = bytearray(open(sys.argv[1], 'rb').read())
frame = data.find(b'\xff\xc0')
data[frame + 5:frame + 9] = (5000).to_bytes(2, 'big') * 2
open(sys.argv[2], 'wb').write(data)
PY
set +e
TMPDIR=$work/tmp "$tqtool" import --collection "$work/collection" "$work/smallest.png" "$work/largest.png" \
    "$work/photo.jpg" "$work/narrow.png" "$work/wide.bmp" "$work/bomb.jpg" >"$work/import.out" 2>"$work/import.err"
imported=$?
set -e
[ "$imported" -eq 1 ]
for refused in narrow.png wide.bmp bomb.jpg; do grep -q "$refused: the picture is too small or too large" "$work/import.err"; done
[ "$(ls "$work/collection")" = "$(printf 'largest.tqi\nphoto.tqi\nsmallest.tqi')" ]
"$tqtool" tqi-extract "$work/collection/photo.tqi" "$work/photo-back.jpg" && cmp "$work/photo.jpg" "$work/photo-back.jpg"
"$tqtool" tqi-extract "$work/collection/largest.tqi" "$work/largest.jpg"
[ "$(head -c 3 "$work/largest.jpg" | od -An -tx1 | tr -d ' ')" = ffd8ff ]
grep -qx "width: 4096" <<<"$("$tqtool" tqi-info "$work/collection/largest.tqi")"
[ -z "$(ls "$work/tmp")" ]

"$tqtool" --help | grep -q tqi-extract
echo "tqtool .tqi commands: ok"
