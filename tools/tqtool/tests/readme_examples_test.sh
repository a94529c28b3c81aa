#!/usr/bin/env bash
# The README's tqtool examples, run as written from a folder where out/host/tqtool is this
# build's tqtool, photo.jpg, old.jpg and new.jpg are fresh JPEG files, beach.png a PNG file and
# Images/ an empty collection folder: each succeeds, every
# JPEG file they write is photo.jpg byte for byte (the one they pack), and `tqtool --help` lists
# each command they use.
#   usage: readme_examples_test.sh TQTOOL README
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
readme=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mapfile -t examples < <(grep -E '^out/host/tqtool ' "$readme" | sed -E 's/ +# .*$//')
[ ${#examples[@]} -gt 0 ] || fail "no tqtool example in $readme"
mkdir -p "$work/out/host"
ln -s "$tqtool" "$work/out/host/tqtool"
inputs=(photo old new)
colours=(orange-purple navy-skyblue white-black)
for i in "${!inputs[@]}"; do
    "$TQ_CONVERT" -size 160x120 "gradient:${colours[$i]}" -quality 90 "$work/${inputs[$i]}.jpg"
done
"$TQ_CONVERT" -size 160x120 gradient:gold-teal "$work/beach.png"
mkdir -p "$work/Images"
help=$("$tqtool" --help)
cd "$work"
for example in "${examples[@]}"; do
    echo "\$ $example"
    bash -c "$example" || fail "$example"
    read -r _ command _ <<<"$example"
    grep -qw -- "$command" <<<"$help" || fail "tqtool --help does not list $command"
done
for written in *.jpg; do
    [[ " ${inputs[*]} " == *" ${written%.jpg} "* ]] && continue
    cmp photo.jpg "$written" || fail "$written is not the packed JPEG file"
done
for packed in Images/beach.tqi Images/photo.tqi; do [ -s "$packed" ] || fail "import wrote no $packed"; done
echo "README tqtool examples: ${#examples[@]} ok"
