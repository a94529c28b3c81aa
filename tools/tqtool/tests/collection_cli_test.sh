#!/usr/bin/env bash
# tqtool's collection commands end to end, under the main window's rules: titles arrive in
# UTF-8 and are stored in Windows-1252; a title already in the collection (in any letter case)
# is not overwritten without --overwrite; a title that cannot be a file name is refused and
# nothing is written, inside or outside the collection; rename, delete and export address
# pictures by their listed title; export writes the stored JPEG file byte for byte.
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
exits() { # expected-code command... : runs the command, which must end with that code
    local expected=$1 code=0
    shift
    "$@" >"$work/last.out" 2>"$work/last.err" || code=$?
    [ "$code" -eq "$expected" ] || fail "$* ended with $code, not $expected: $(cat "$work/last.err")"
}
c=$work/Images

"$TQ_CONVERT" -size 120x90 gradient:orange-purple -quality 90 "$work/Été.jpg"
"$TQ_CONVERT" -size 200x100 gradient:navy-gold "$work/été.png"
"$TQ_CONVERT" -size 80x80 xc:teal "$work/con.bmp"

# Import: "Été" and "été" are one picture, replaced only with --overwrite; a device name is made safe.
exits 0 "$tqtool" import --collection "$c" "$work/Été.jpg" "$work/con.bmp"
grep -qx "$work/Été.jpg: imported \"Été\" 120x90" "$work/last.out" || fail "import output: $(cat "$work/last.out")"
exits 1 "$tqtool" import --collection "$c" "$work/été.png"
grep -q '"Été" is already in the collection' "$work/last.err" || fail "no refusal of the existing title"
exits 0 "$tqtool" import --collection "$c" --overwrite "$work/été.png"
[ "$(ls "$c" | LC_ALL=C sort | od -An -c | tr -s ' ')" = "$(printf 'con_.tqi\n\xc9t\xe9.tqi\n' | od -An -c | tr -s ' ')" ] ||
    fail "files in the collection: $(ls "$c")"

# Add: a picture file whose title would leave the folder, name a device or has no end is refused.
"$TQ_CONVERT" -size 100x100 xc:red "$work/red.jpg"
for title in '..\..\evil' '../evil' 'NUL.txt' 'dot.' 'a?b'; do
    "$tqtool" tqi-pack "$work/red.jpg" "$title" "$work/hostile.tqi" >/dev/null
    exits 70 "$tqtool" add --collection "$c" "$work/hostile.tqi"
    grep -q "The name contains invalid characters." "$work/last.err" || fail "add $title: $(cat "$work/last.err")"
done
[ "$(ls "$work" | grep -c evil)" -eq 0 ] && [ "$(ls "$c" | wc -l)" -eq 2 ] || fail "a refused title wrote a file"
"$tqtool" tqi-pack "$work/red.jpg" "Red Square" "$work/red.tqi" >/dev/null
exits 0 "$tqtool" add --collection "$c" "$work/red.tqi"
exits 70 "$tqtool" add --collection "$c" "$work/red.tqi"

# List: the list's order, with each picture's size and payload bytes.
exits 0 "$tqtool" list --collection "$c"
expected=$(printf 'con_\t80x80\t%s\nRed Square\t100x100\t%s\nÉté\t200x100\t%s' \
    "$("$tqtool" tqi-info "$c/con_.tqi" | sed -n 's/^payload size: //p')" "$(stat -c %s "$work/red.jpg")" \
    "$("$tqtool" tqi-info "$c/$(printf '\xc9t\xe9').tqi" | sed -n 's/^payload size: //p')")
[ "$(cat "$work/last.out")" = "$expected" ] || fail "list: $(cat "$work/last.out")"

# Rename: invalid characters, a title with no Windows-1252 form, and any listed title are refused.
exits 70 "$tqtool" rename --collection "$c" "Red Square" "Red?"
grep -q "The name contains invalid characters." "$work/last.err" || fail "rename to Red?"
exits 70 "$tqtool" rename --collection "$c" "Red Square" "Ātea"
exits 70 "$tqtool" rename --collection "$c" "Red Square" "RED SQUARE"
grep -q "There's already one image with that name" "$work/last.err" || fail "rename to its own title"
exits 70 "$tqtool" rename --collection "$c" "Red Square" "ÉTÉ"
exits 70 "$tqtool" rename --collection "$c" "Blue Square" "Anything"
exits 0 "$tqtool" rename --collection "$c" "red square" "Place Rouge"
grep -qx "title: Place Rouge" <<<"$("$tqtool" tqi-info "$c/Place Rouge.tqi")" || fail "the new title is not stored"
[ ! -e "$c/Red Square.tqi" ] || fail "the old file is still there"

# Export: the payload byte for byte; an existing file is replaced only with --overwrite.
exits 0 "$tqtool" export --collection "$c" "place rouge" "$work/Exported"
[ "$(cat "$work/last.out")" = "$work/Exported/Place Rouge.jpg" ] || fail "export printed $(cat "$work/last.out")"
cmp "$work/red.jpg" "$work/Exported/Place Rouge.jpg"
exits 70 "$tqtool" export --collection "$c" "Place Rouge" "$work/Exported"
exits 0 "$tqtool" export --collection "$c" --overwrite "Place Rouge" "$work/Exported"

# Delete.
exits 0 "$tqtool" delete --collection "$c" "ÉTÉ"
exits 70 "$tqtool" delete --collection "$c" "Été"
[ "$(ls "$c" | LC_ALL=C sort | tr '\n' '|')" = "Place Rouge.tqi|con_.tqi|" ] || fail "left: $(ls "$c")"
echo "tqtool collection commands: ok"
