#!/usr/bin/env bash
# Tapestrique.scr full screen on a Wine desktop, over a collection of three coloured pictures
# shown in order, and a damaged one between the first two that is passed over:
#  - with transitions, the screen goes through all three in order and is caught once between
#    two pictures (a mean colour that is none of them);
#  - without transitions, every screenshot is one of the pictures (or the black before the
#    first), and the changes come the configured number of seconds apart;
#  - a mouse move of 100 pixels leaves it running, one of 101 ends it at once, with its window
#    and without leaving a thread of its own running (the stop of a worker that does not end
#    says so in the debug output).
# Screenshots: build/windows/scenarios/screensaver_fullscreen/, with the full-screen and
# mid-transition pictures of docs/screenshots/ (screensaver-*.png) made small.
#   usage: fullscreen.sh HOST_TQTOOL
set -u
tqtool=$1
source "$TQ_SOURCE_DIR/tests/scenarios/screensaver/screensaver_common.sh"

scenario_begin screensaver_fullscreen
make_collection "$tqtool" "Amber Evening" "#c03030" "Birch Meadow" "#30a040" "Cobalt Bay" "#3040c0"
make_damaged_picture "$tqtool" "$COLLECTION" "Ash Grove" || scenario_fail "cannot make the damaged picture"
install_screensaver "$COLLECTION"/*.tqi
set_screensaver_binary btScreensaverImagesSelectionMode 00

# The references: black, and each picture's mean colour (the screen shows them whole, with
# their title, which hardly moves the mean).
references=("0 0 0")
for i in 0 1 2; do references+=("$(mean_colour "$SCENARIO_DIR/picture-$i.jpg")"); done
# Which reference a screenshot shows: 0 black, 1 to 3 a picture, - none of them.
classify() { # image
    local mean i
    mean=$(mean_colour "$1")
    for i in 0 1 2 3; do
        if [ "$(colour_distance "$mean" "${references[$i]}")" -le 12 ]; then
            echo "$i"
            return
        fi
    done
    echo -
}

# Screenshots for at most SECONDS, each classified with its time in tenths of a second since
# the start, into PREFIX.list ("time class file"); the watch ends early once DONE (a command
# given the list) succeeds.
watch_screen() { # prefix seconds done
    local start now count=0 file
    start=$(date +%s%N)
    : >"$SCENARIO_DIR/$1.list"
    while :; do
        now=$((($(date +%s%N) - start) / 100000000))
        [ "$now" -ge $(($2 * 10)) ] && break
        file=$SCENARIO_DIR/$1-$count.png
        scenario_screenshot "$file"
        echo "$now $(classify "$file") $file" >>"$SCENARIO_DIR/$1.list"
        count=$((count + 1))
        "$3" "$SCENARIO_DIR/$1.list" && break
    done
}

# The pictures in the order they first came (a class repeated is counted once).
picture_order() { # list
    awk '$2 ~ /[123]/ && $2 != last { printf "%s", $2; last = $2 }' "$1"
}
# Whether the three pictures came in order and a transition was caught between two of them.
seen_all_animated() { # list
    [[ $(picture_order "$1") == 123* ]] && awk '$2 ~ /[123]/ { up = 1 } up && $2 == "-" { found = 1 } END { exit !found }' "$1"
}
watch_all() { return 1; }

# Starts the screensaver and waits for its window (a busy machine may take its time).
start_screensaver() {
    scenario_start "$SCREENSAVER"
    SCREENSAVER_PID=$!
    scenario_wait_window '"Tapestrique screensaver"' 60 || scenario_fail "no screensaver window"
}

# --- With transitions (the defaults: the first picture fades in, then any effect at random).
# Five seconds, so that each picture stays still for a while after the longest transition.
set_screensaver_binary dwScreensaverSecondsBetweenChanges 05000000
start_screensaver
watch_screen animated 30 seen_all_animated
order=$(picture_order "$SCENARIO_DIR/animated.list")
[[ $order == 123* ]] || scenario_fail "with transitions the pictures came as '$order' (animated.list)"
# A transition between two pictures, once the window is up (before it, the desktop shows).
read -r middle _ middle_file < <(awk '$2 ~ /[123]/ { up = 1 } up && $2 == "-" { print; exit }' "$SCENARIO_DIR/animated.list")
[ -n "$middle" ] || scenario_fail "no screenshot caught a transition (animated.list)"
steady_file=$(awk '$2 == 2 { print $3; exit }' "$SCENARIO_DIR/animated.list")
xdotool key Escape
wait_screensaver_exit "$SCREENSAVER_PID" 10 || scenario_fail "Escape did not end the screensaver"

# --- Without transitions: cuts, two seconds apart.
set_screensaver_binary btEnableDirectXVideo 00
set_screensaver_binary dwScreensaverSecondsBetweenChanges 02000000
xdotool mousemove 500 400
export WINEDEBUG=+debugstr
start_screensaver
export WINEDEBUG=-all
watch_screen cut 12 watch_all
# Before the window comes up the screenshots show the desktop.
awk '$2 != "-" { up = 1 } up && $2 == "-" { bad = 1 } END { exit !bad }' "$SCENARIO_DIR/cut.list" &&
    scenario_fail "a cut showed something between two pictures (cut.list)"
changes=$(awk '$2 ~ /[123]/ && $2 != last { print $1; last = $2 }' "$SCENARIO_DIR/cut.list")
[ "$(wc -l <<<"$changes")" -ge 3 ] || scenario_fail "fewer than three pictures in 9 s (cut.list)"
# Apart from the first (which comes once three are prepared), the changes are 2 s apart; each
# is seen up to one interval between screenshots late.
late=$(awk 'NR > 1 && $1 - last > most { most = $1 - last } { last = $1 } END { print most + 0 }' "$SCENARIO_DIR/cut.list")
awk -v late="$late" 'NR > 1 { gap = $1 - last; if (gap < 20 - late || gap > 20 + late) bad = 1 } { last = $1 } END { exit bad }' \
    <<<"$changes" || scenario_fail "changes not 2 s apart: $(tr '\n' ' ' <<<"$changes") (screenshots up to $late/10 s apart)"

# --- The mouse: 100 pixels in each axis is not enough, 101 in one is.
xdotool mousemove 600 500
sleep 1.5
kill -0 "$SCREENSAVER_PID" 2>/dev/null && screensaver_window_exists ||
    scenario_fail "a move of 100 pixels ended the screensaver"
xdotool mousemove 500 299
wait_screensaver_exit "$SCREENSAVER_PID" 5 || scenario_fail "a move of 101 pixels did not end the screensaver"
screensaver_window_exists && scenario_fail "the window stayed after the end"
grep -a 'did not stop' "$SCENARIO_DIR/programs.log" && scenario_fail "a thread was left running"

"$TQ_CONVERT" "$steady_file" -resize 512x384 -colors 64 "$SCENARIO_DIR/screensaver-fullscreen.png"
"$TQ_CONVERT" "$middle_file" -resize 512x384 -colors 64 "$SCENARIO_DIR/screensaver-transition.png"
echo "screensaver_fullscreen: order $order, transition caught at ${middle}/10 s, cuts at $(tr '\n' ' ' <<<"$changes"): ok"
