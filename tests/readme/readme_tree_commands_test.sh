#!/usr/bin/env bash
# The README's `make format` and `make clean`, run as a user runs them but on a scratch copy of
# the clone's C++ sources and Makefile, so the tree under test keeps its files:
#  - `make format` formats every checked-in .cpp and .h file with the checked-in .clang-format,
#    a file whose layout was spoiled included, and leaves files git does not track alone;
#  - `make clean` removes build/ and out/ and nothing else.
#   usage: readme_tree_commands_test.sh     (TQ_SOURCE_DIR from CTest)
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
tree=$work/tree

mkdir -p "$tree"
(cd "$TQ_SOURCE_DIR" && git ls-files -z -- Makefile .clang-format '*.cpp' '*.h' | xargs -0 cp --parents -t "$tree")
git -C "$tree" init -q
git -C "$tree" add -A
mapfile -t sources < <(git -C "$tree" ls-files '*.cpp' '*.h')
[ ${#sources[@]} -gt 100 ] || fail "only ${#sources[@]} sources copied"

# One checked-in file with its layout spoiled (every indent gone, blanks doubled) and one
# untracked file in the same state.
spoiled=base/byte_order.h
[ -f "$tree/$spoiled" ] || spoiled=${sources[0]}
sed -i -E 's/^ +//; s/ /  /g' "$tree/$spoiled"
cp "$tree/$spoiled" "$tree/untracked.cpp"
cp "$tree/untracked.cpp" "$work/untracked.before"
cmp -s "$tree/$spoiled" "$TQ_SOURCE_DIR/$spoiled" && fail "$spoiled could not be spoiled"

make -C "$tree" format >"$work/format.log" 2>&1 || { cat "$work/format.log"; fail "make format failed"; }
(cd "$tree" && clang-format --dry-run --Werror "${sources[@]}") 2>"$work/unformatted.log" ||
    fail "make format left files unformatted: $(grep -c warning "$work/unformatted.log") places"
grep -q '^ ' "$tree/$spoiled" || fail "make format did not indent $spoiled again"
cmp -s "$tree/untracked.cpp" "$work/untracked.before" || fail "make format touched a file git does not track"
echo "make format: ok, ${#sources[@]} files formatted, $(git -C "$tree" diff --name-only | wc -l) of them changed"

mkdir -p "$tree/build/host/service" "$tree/out/dist"
touch "$tree/build/host/service/tapestrique-service" "$tree/out/dist/SHA256SUMS"
make -C "$tree" clean >"$work/clean.log" 2>&1 || { cat "$work/clean.log"; fail "make clean failed"; }
[ ! -e "$tree/build" ] && [ ! -e "$tree/out" ] || fail "make clean left build/ or out/"
[ "$(git -C "$tree" ls-files --deleted | wc -l)" -eq 0 ] && [ -f "$tree/untracked.cpp" ] ||
    fail "make clean removed sources"
echo "make clean: ok"
