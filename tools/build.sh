#!/usr/bin/env bash
# Configures and builds the named configurations: host, asan, windows, fuzz.
# Programs are copied to out/host and out/windows.
#
# Compiler warnings are errors in the configurations named in `strict_configurations`, in CI,
# `make test` and every other build alike, so that the flags and the objects never differ
# between them; TQ_WARNINGS_AS_ERRORS=0 builds through warnings while you work.
set -euo pipefail
source "$(dirname "$0")/build_env.sh"

strict_configurations=" host asan windows fuzz "
strict=${TQ_WARNINGS_AS_ERRORS:-1}

configure() { # name cmake-arguments...
    local name=$1
    shift
    local dir=$build_root/$name
    mkdir -p "$build_root"
    # ccache, when the machine has it, shares compiled objects between build trees and clones.
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    # Configuring again is quick and keeps the cache in step with the arguments here.
    local werror=OFF
    if [ "$strict" = 1 ] && [[ $strict_configurations == *" $name "* ]]; then werror=ON; fi
    cmake -S "$repo_root" -B "$dir" -G Ninja "${launcher[@]}" -DTQ_WARNINGS_AS_ERRORS=$werror "$@" \
        >"$dir.configure.log" 2>&1 || {
        cat "$dir.configure.log"
        return 1
    }
}

configure_and_build() { # name cmake-arguments...
    configure "$@"
    echo "== build $1"
    cmake --build "$build_root/$1" -j "$jobs"
}

host_arguments=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
host_built=no

for config in "$@"; do
    case $config in
    host)
        configure_and_build host "${host_arguments[@]}"
        host_built=yes
        ;;
    asan) configure_and_build asan -DCMAKE_BUILD_TYPE=Debug -DTQ_SANITIZE=ON ;;
    windows)
        # The Windows tree takes Tapestrique.dat, tqtool and the host probes of its scenarios from
        # the host tree: those are built first, so that a fresh clone needs nothing else.
        if [ "$host_built" = no ]; then
            configure host "${host_arguments[@]}"
            echo "== build host (for windows)"
            cmake --build "$build_root/host" -j "$jobs" --target tqtool tapestrique_dat tqi_probe tapestrique-service
        fi
        TAPESTRIQUE_MINGW_PREFIX=$(mingw_prefix)
        export TAPESTRIQUE_MINGW_PREFIX
        configure_and_build windows -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64-x86_64.cmake" \
            -DTQ_MINGW_PREFIX="$TAPESTRIQUE_MINGW_PREFIX" -DTQ_HOST_BUILD_DIR="$build_root/host"
        ;;
    fuzz) configure_and_build fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
        -DCMAKE_CXX_COMPILER=clang++ -DTQ_FUZZ=ON ;;
    *) echo "build.sh: unknown configuration $config" >&2; exit 64 ;;
    esac
done

# Deliverables in one place.
mkdir -p "$out_root/host" "$out_root/windows"
for program in "$build_root"/host/tools/tqtool/tqtool "$build_root"/host/service/tapestrique-service; do
    [ -x "$program" ] && cp -f "$program" "$out_root/host/"
done
for program in "$build_root"/windows/app/Tapestrique.exe "$build_root"/windows/screensaver/Tapestrique.scr \
               "$build_root"/windows/assets/Tapestrique.dat; do
    [ -f "$program" ] && cp -f "$program" "$out_root/windows/"
done
true
