# Sourced by the build scripts: where things are.
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cache_root=${TAPESTRIQUE_CACHE:-$HOME/.cache/tapestrique}
build_root=$repo_root/build
out_root=$repo_root/out
jobs=${JOBS:-$(nproc)}
source "$repo_root/tools/tool_paths.sh"
mingw_prefix() { "$repo_root/tools/build_mingw_deps.sh" "$cache_root" | tail -n 1; }
