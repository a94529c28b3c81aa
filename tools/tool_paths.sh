# Sourced by every script, and read by CMake (cmake/TapestriqueTools.cmake): the outside
# programs that the tests, the asset build and the demo borrow, found one way everywhere.
# Each can be overridden from the environment.
TQ_CONVERT=${TQ_CONVERT:-/usr/bin/convert}
TQ_IDENTIFY=${TQ_IDENTIFY:-/usr/bin/identify}
TQ_COMPARE=${TQ_COMPARE:-/usr/bin/compare}
TQ_IMPORT=${TQ_IMPORT:-/usr/bin/import}
TQ_XDOTOOL=${TQ_XDOTOOL:-/usr/bin/xdotool}
# Debian's own interpreter: python3-pil is installed for it, not for a python3 (pyenv, a
# virtual environment) that may come first on PATH.
TQ_PYTHON=${TQ_PYTHON:-/usr/bin/python3}
TQ_FONT_DIR=${TQ_FONT_DIR:-/usr/share/fonts/truetype/liberation}
TQ_MAKENSIS=${TQ_MAKENSIS:-/usr/bin/makensis}
TQ_ZIP=${TQ_ZIP:-/usr/bin/zip}
export TQ_CONVERT TQ_IDENTIFY TQ_COMPARE TQ_IMPORT TQ_XDOTOOL TQ_PYTHON TQ_FONT_DIR TQ_MAKENSIS TQ_ZIP

tq_tool_names=(TQ_CONVERT TQ_IDENTIFY TQ_COMPARE TQ_IMPORT TQ_XDOTOOL TQ_PYTHON TQ_FONT_DIR TQ_MAKENSIS TQ_ZIP)

# Fails, naming what is missing, unless every program works (set-up ends with this check, so a
# test never meets a missing tool).
tq_check_tools() {
    local missing=()
    local program
    for program in "$TQ_CONVERT" "$TQ_IDENTIFY" "$TQ_COMPARE" "$TQ_IMPORT" "$TQ_XDOTOOL" "$TQ_PYTHON" \
                   "$TQ_MAKENSIS" "$TQ_ZIP"; do
        [ -x "$program" ] || missing+=("$program")
    done
    "$TQ_PYTHON" -c 'import PIL.Image' 2>/dev/null || missing+=("Pillow for $TQ_PYTHON")
    [ -f "$TQ_FONT_DIR/LiberationSans-Bold.ttf" ] || missing+=("$TQ_FONT_DIR/LiberationSans-Bold.ttf")
    if [ ${#missing[@]} -gt 0 ]; then
        printf 'missing: %s\n' "${missing[@]}" >&2
        return 1
    fi
}
