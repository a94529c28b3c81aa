#!/usr/bin/env bash
# Builds static MinGW-w64 libjpeg-turbo, libpng and libtiff from Debian's own source
# packages into CACHE_ROOT/mingw-<versions>, and prints that prefix on the last line.
# A finished prefix is marked with a stamp file and reused as it stands. The cache is shared by
# every clone and build on the machine, so it is looked at and changed under one lock: a second
# run waits for the first and then finds its finished prefix.
set -euo pipefail

cache_root=$1
here=$(cd "$(dirname "$0")/.." && pwd)
toolchain=$here/cmake/mingw-w64-x86_64.cmake
sudo_cmd=""
if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi

version_of() { dpkg-query -W -f '${source:Version}' "$1" | tr ':~+' '___'; }
key="jpeg$(version_of libjpeg62-turbo-dev)-png$(version_of libpng-dev)-tiff$(version_of libtiff-dev)"
prefix=$cache_root/mingw-$key
mkdir -p "$cache_root"
exec 9>"$cache_root/mingw.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

has_deb_src() {
    grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && return 0
    grep -qs '^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null
}
if ! has_deb_src; then
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources |
            $sudo_cmd tee /etc/apt/sources.list.d/tapestrique-src.sources >/dev/null
    else
        grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
            $sudo_cmd tee /etc/apt/sources.list.d/tapestrique-src.list >/dev/null
    fi
    $sudo_cmd apt-get update -qq
fi

work=$cache_root/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work" "$prefix"
cd "$work"
# The version installed on this machine first, so the headers match the host build; when the
# mirror no longer carries that source (security updates move on), the newest one it has.
fetch_source() { # source-package binary-package
    local installed versions
    installed=$(dpkg-query -W -f '${source:Version}' "$2")
    versions=$(apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -r -V -u)
    for version in $installed $versions; do
        if apt-get source -qq --only-source "$1=$version" >>apt-source.log 2>&1; then
            echo "$1 $version" >>"$prefix/source-versions.txt"
            return 0
        fi
    done
    cat apt-source.log
    return 1
}
fetch_source libjpeg-turbo libjpeg62-turbo-dev
fetch_source libpng1.6 libpng-dev
fetch_source tiff libtiff-dev

common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix"
        -DCMAKE_POSITION_INDEPENDENT_CODE=OFF)

build() { # source-dir build-dir cmake-args...
    local source=$1 build=$2
    shift 2
    cmake -S "$source" -B "$build" "${common[@]}" "$@" >"$build.log" 2>&1 || { tail -30 "$build.log"; exit 1; }
    cmake --build "$build" >>"$build.log" 2>&1 || { tail -30 "$build.log"; exit 1; }
    cmake --install "$build" >>"$build.log" 2>&1 || { tail -30 "$build.log"; exit 1; }
}

build "$(ls -d libjpeg-turbo-*/ | head -1)" jpeg-build -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF
build "$(ls -d libpng1.6-*/ | head -1)" png-build -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
    -DPNG_EXECUTABLES=OFF -DPNG_TOOLS=OFF -DZLIB_ROOT=/usr/x86_64-w64-mingw32 \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a
build "$(ls -d tiff-*/ | head -1)" tiff-build -DBUILD_SHARED_LIBS=OFF -Dtiff-tools=OFF -Dtiff-tests=OFF \
    -Dtiff-contrib=OFF -Dtiff-docs=OFF -Dcxx=OFF -Djbig=OFF -Djpeg=ON -Dold-jpeg=OFF -Dlzma=OFF -Dzstd=OFF \
    -Dwebp=OFF -Dlerc=OFF -Dlibdeflate=OFF -Dpixarlog=ON -Dzlib=ON \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    -DJPEG_LIBRARY="$prefix/lib/libjpeg.a" -DJPEG_INCLUDE_DIR="$prefix/include"

touch "$prefix/.complete"
cd / && rm -rf "$work"
echo "$prefix"
