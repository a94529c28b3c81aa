# Sourced by the screensaver's scenarios, with the harness (tests/harness/scenario.sh and
# install_product.sh): a collection of coloured pictures, the screensaver's settings, and the
# screen's mean colour.
#
#   install_screensaver [PICTURE...]                   the product from this build tree, with the pictures
#   make_coloured_picture TQTOOL FOLDER TITLE COLOUR   a 1024x768 picture mostly of one colour
#                                                      (a gradient towards black and a pale disc)
#   make_damaged_picture TQTOOL FOLDER TITLE           a picture whose header reads but whose
#                                                      picture does not
#   make_collection TQTOOL TITLE COLOUR...             such pictures in $COLLECTION, each one's
#                                                      JPEG kept as $SCENARIO_DIR/picture-N.jpg
#   set_screensaver_binary NAME HEX_BYTES              a value of the Screensaver key ("0a000000")
#   mean_colour IMAGE                                  "R G B" (0-255) of a picture
#   colour_distance "R G B" "R G B"                    the larger difference of one channel
#   screensaver_window_exists                          whether the full-screen or preview window is up
#   wait_screensaver_exit PID SECONDS                  whether the program ended within the time

source "$TQ_SOURCE_DIR/tests/harness/scenario.sh"
source "$TQ_SOURCE_DIR/tests/harness/install_product.sh"

SCREENSAVER_KEY='HKCU\Software\Quillmere\Tapestrique\Settings\Screensaver'

install_screensaver() { # pictures...
    local programs=$SCENARIO_DIR/programs
    mkdir -p "$programs"
    cp "$TQ_BINARY_DIR/app/Tapestrique.exe" "$TQ_BINARY_DIR/screensaver/Tapestrique.scr" \
        "$TQ_BINARY_DIR/assets/Tapestrique.dat" "$programs/" || scenario_fail "the programs are not built"
    tq_install_product "$WINEPREFIX" "$programs" "$@" || scenario_fail "cannot install the product"
    SCREENSAVER="$(tq_installed_windows_folder)\\Tapestrique.scr"
}

make_coloured_picture() { # tqtool folder title colour
    local jpeg=$SCENARIO_DIR/picture.jpg
    "$TQ_CONVERT" -size 1024x768 "gradient:$4-#101010" -fill '#e8e0c8' -draw 'circle 700,330 700,430' \
        -quality 90 "$jpeg" || return 1
    "$1" tqi-pack "$jpeg" "$3" "$2/$3.tqi" >/dev/null
}

make_damaged_picture() { # tqtool folder title
    local file="$2/$3.tqi" size
    "$TQ_CONVERT" -size 640x480 xc:gray "$SCENARIO_DIR/damaged.jpg" &&
        "$1" tqi-pack "$SCENARIO_DIR/damaged.jpg" "$3" "$file" >/dev/null || return 1
    size=$(stat -c %s "$file")
    # Over the end of the compressed picture; the header in front stays whole.
    printf '%*s' 60 '' | tr ' ' X | dd of="$file" bs=1 seek=$((size - 80)) conv=notrunc 2>/dev/null
}

make_collection() { # tqtool title colour...
    local tqtool=$1 number=0
    shift
    [ -x "$tqtool" ] || scenario_fail "host tqtool missing: $tqtool"
    COLLECTION=$SCENARIO_DIR/pictures
    mkdir -p "$COLLECTION"
    while [ $# -ge 2 ]; do
        make_coloured_picture "$tqtool" "$COLLECTION" "$1" "$2" || scenario_fail "cannot make the picture $1"
        cp "$SCENARIO_DIR/picture.jpg" "$SCENARIO_DIR/picture-$number.jpg"
        number=$((number + 1))
        shift 2
    done
}

set_screensaver_binary() { # name hex-bytes
    scenario_reg_add "$SCREENSAVER_KEY" "$1" REG_BINARY "$2" || scenario_fail "cannot set $1"
}

mean_colour() { # image
    "$TQ_CONVERT" "$1" -resize '1x1!' -format '%[fx:int(255*r+0.5)] %[fx:int(255*g+0.5)] %[fx:int(255*b+0.5)]' info:
}

colour_distance() { # "r g b" "r g b"
    local a b
    read -r -a a <<<"$1"
    read -r -a b <<<"$2"
    local largest=0 i difference
    for i in 0 1 2; do
        difference=$((a[i] - b[i]))
        difference=${difference#-}
        [ "$difference" -gt "$largest" ] && largest=$difference
    done
    echo "$largest"
}

screensaver_window_exists() {
    xwininfo -root -tree 2>/dev/null | grep -qF '"Tapestrique screensaver"'
}

wait_screensaver_exit() { # pid seconds
    local waited=0
    while kill -0 "$1" 2>/dev/null; do
        [ "$waited" -ge $(($2 * 10)) ] && return 1
        sleep 0.1
        waited=$((waited + 1))
    done
    return 0
}
