#!/usr/bin/env bash
# `make dist`: the release files in out/dist, from the Windows build (tools/build.sh windows):
#   Tapestrique-<version>-setup.exe   the installer
#   Tapestrique-<version>.zip         the programs for use without installing, with
#                                     register_folder.cmd, which makes their folder the installation
#   SHA256SUMS                        the checksums of both, also printed
# The same build makes the same files: the installer stores no file dates, and the zip's entries
# carry the date of the last commit (UTC), in a fixed order, without extra attributes.
set -euo pipefail
source "$(dirname "$0")/build_env.sh"
source "$repo_root/tools/tool_paths.sh"

fail() {
    echo "dist: $*" >&2
    exit 1
}
version=$(sed -nE 's/^#define TQ_VERSION_TEXT "([^"]+)"$/\1/p' "$repo_root/app/resources/product_version.h")
[ -n "$version" ] || fail "no version in app/resources/product_version.h"
installer=$build_root/windows/installer/Tapestrique-setup.exe
programs=$build_root/windows/installer/programs
[ -f "$installer" ] || fail "the installer is not built (tools/build.sh windows)"
for file in Tapestrique.exe Tapestrique.scr Tapestrique.dat; do
    [ -f "$programs/$file" ] || fail "$programs/$file is missing (tools/build.sh windows)"
done

dist=$out_root/dist
setup_name=Tapestrique-$version-setup.exe
zip_name=Tapestrique-$version.zip
rm -rf "$dist"
mkdir -p "$dist"
cp "$installer" "$dist/$setup_name"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
folder=$staging/Tapestrique
mkdir -p "$folder"
cp "$programs"/Tapestrique.{exe,scr,dat} "$folder/"
# The command script in Windows' line endings.
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$repo_root/installer/register_folder.cmd.in" >"$folder/register_folder.cmd"
epoch=$(git -C "$repo_root" log -1 --format=%ct 2>/dev/null || echo 1000000000)
export TZ=UTC
touch -d "@$epoch" "$folder" "$folder"/*
(cd "$staging" && "$TQ_ZIP" -X -q -9 "$dist/$zip_name" Tapestrique/Tapestrique.exe Tapestrique/Tapestrique.scr \
    Tapestrique/Tapestrique.dat Tapestrique/register_folder.cmd)

(cd "$dist" && sha256sum "$setup_name" "$zip_name" >SHA256SUMS)
echo "== release files in $dist"
cat "$dist/SHA256SUMS"
