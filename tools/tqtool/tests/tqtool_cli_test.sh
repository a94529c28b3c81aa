#!/usr/bin/env bash
# tqtool's .tqi commands end to end: a JPEG packed and extracted comes back byte for byte,
# tqi-info reports what was packed, and damaged input gives the reader's result code.
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
"$tqtool" --help | grep -q tqi-extract
echo "tqtool .tqi commands: ok"
