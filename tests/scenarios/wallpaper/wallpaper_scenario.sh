#!/usr/bin/env bash
# A collection picture becomes the wallpaper of a Wine desktop in each presentation, as the
# settings in the registry say: the desktop's registry values name the wallpaper file, the
# file is the composed 24-bit BMP (the same picture the host build composes), and the
# desktop on screen shows it with the title in the top right corner.
#   wallpaper_scenario.sh WALLPAPER_PROBE.exe HOST_TQTOOL
set -u
probe=$1
tqtool=$2
source "$TQ_SOURCE_DIR/tests/harness/scenario.sh"
[ -x "$tqtool" ] || { echo "host tqtool missing: $tqtool (build the host configuration first)"; exit 1; }

scenario_begin wallpaper
collection=$SCENARIO_DIR/Images
mkdir -p "$collection"

# A 640 x 400 picture (16:10, so fitting and stretching differ on a 4:3 screen): four
# coloured quarters with a white disc in the middle.
"$TQ_CONVERT" -size 320x200 xc:'#c81e1e' xc:'#1e3cc8' +append \( -size 320x200 xc:'#1ea01e' xc:'#d2b41e' +append \) \
    -append -fill white -draw 'circle 320,200 320,260' -quality 95 "$SCENARIO_DIR/harbour.jpg" ||
    scenario_fail "cannot make the test picture"
"$tqtool" tqi-pack "$SCENARIO_DIR/harbour.jpg" "Harbour at Dawn" "$collection/Harbour.tqi" ||
    scenario_fail "cannot pack the test picture"

keys='HKCU\Software\Quillmere\Tapestrique'
scenario_reg_add "$keys\\Variables" szCurrentWallpaper REG_SZ Harbour
scenario_reg_add "$keys\\Settings\\Wallpaper" btWallpaperImagesShowTitles REG_BINARY 01

# Pixels that differ by more than 6% between the same region (WxH+X+Y) of two images.
differing_pixels() { # image image geometry
    "$TQ_CONVERT" "$1" -crop "$3" +repage "$SCENARIO_DIR/left.png" &&
        "$TQ_CONVERT" "$2" -crop "$3" +repage "$SCENARIO_DIR/right.png" || return 1
    "$TQ_COMPARE" -metric AE -fuzz 6% "$SCENARIO_DIR/left.png" "$SCENARIO_DIR/right.png" null: 2>&1
}

# Counts the pixels of one exact colour in a region (WxH+X+Y) of an image.
count_colour() { # image geometry colour
    "$TQ_CONVERT" "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" \
        -format '%[fx:round(mean*w*h)]' info:
}

for presentation in 0 1 2 3; do
    scenario_reg_add "$keys\\Settings\\Wallpaper" btWallpaperImagesPresentation REG_BINARY "0$presentation"
    timeout 120 wine "$probe" "$(scenario_path "$collection")" </dev/null >"$SCENARIO_DIR/probe$presentation.txt" \
        2>>"$SCENARIO_DIR/programs.log" || scenario_fail "presentation $presentation: the probe failed"
    tr -d '\r' <"$SCENARIO_DIR/probe$presentation.txt" >"$SCENARIO_DIR/probe.txt"
    path=$(sed -n 's/^path=//p' "$SCENARIO_DIR/probe.txt")
    colour=$(sed -n 's/^desktop_colour=//p' "$SCENARIO_DIR/probe.txt")
    screen=$(sed -n 's/^screen=//p' "$SCENARIO_DIR/probe.txt")
    [ "$screen" = 1024x768 ] || scenario_fail "unexpected screen size $screen"
    case $path in
        'C:\windows\Tapestrique - '*.bmp | 'C:\windows\Tapestrique.bmp') ;;
        *) scenario_fail "presentation $presentation: unexpected wallpaper path '$path'" ;;
    esac

    # The registry values of both desktop keys.
    for value in TileWallpaper WallpaperStyle; do
        [ "$(scenario_reg_query 'HKCU\Control Panel\Desktop' $value)" = 0 ] || scenario_fail "Desktop $value"
        [ "$(scenario_reg_query 'HKCU\Software\Microsoft\Internet Explorer\Desktop\General' $value)" = 0 ] ||
            scenario_fail "General $value"
    done
    [ "$(scenario_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" = "$path" ] || scenario_fail "Desktop Wallpaper"
    for value in Wallpaper BackupWallpaper; do
        [ "$(scenario_reg_query 'HKCU\Software\Microsoft\Internet Explorer\Desktop\General' $value)" = "$path" ] ||
            scenario_fail "General $value"
    done

    # The file: a 24-bit 1024 x 768 BMP holding the picture the host composes the same way
    # (the titles' fonts differ between the builds, so the title rows are left out).
    file=$(scenario_windows_dir)/${path#C:\\windows\\}
    cp "$file" "$SCENARIO_DIR/wallpaper$presentation.bmp" || scenario_fail "no wallpaper file $file"
    [ "$("$TQ_IDENTIFY" -format '%w %h' "$file")" = "1024 768" ] ||
        scenario_fail "presentation $presentation: not a 1024 x 768 picture"
    [ "$(head -c 30 "$file" | od -An -tu2 -j28 -N2 | tr -d ' ')" = 24 ] || scenario_fail "not 24 bits per pixel"
    "$tqtool" compose "$collection/Harbour.tqi" 1024 768 "$presentation" "$SCENARIO_DIR/host$presentation.bmp" \
        --background "$colour" || scenario_fail "the host cannot compose the picture"
    differing=$(differing_pixels "$file" "$SCENARIO_DIR/host$presentation.bmp" 1024x728+0+40)
    [ "${differing%%.*}" -lt 200 ] 2>/dev/null ||
        scenario_fail "presentation $presentation: $differing pixels differ from the host's composition"

    # The title: green with its dark grey shadow, in the top right corner only.
    green=$(count_colour "$file" 400x30+612+5 '#00FF00')
    shadow=$(count_colour "$file" 400x30+612+5 '#404040')
    [ "$green" -gt 80 ] && [ "$shadow" -gt 20 ] ||
        scenario_fail "presentation $presentation: no title in the file ($green green, $shadow shadow pixels)"

    # The desktop on screen shows the file: the same title, and the picture's layout.
    sleep 2
    scenario_screenshot "$SCENARIO_DIR/desktop$presentation.png"
    on_screen=$(count_colour "$SCENARIO_DIR/desktop$presentation.png" 400x30+612+5 '#00FF00')
    [ "$on_screen" -gt 80 ] ||
        scenario_fail "presentation $presentation: the desktop does not show the title ($on_screen green pixels)"
    differing=$(differing_pixels "$file" "$SCENARIO_DIR/desktop$presentation.png" 600x400+400+0)
    [ "${differing%%.*}" -lt 2000 ] 2>/dev/null ||
        scenario_fail "presentation $presentation: the desktop differs from the wallpaper file in $differing pixels"
    echo "presentation $presentation: $path, $green title pixels, on screen too"
done

# Turning the changer off: nothing at all changes, not even the registry.
before=$(md5sum <"$file")
scenario_reg_add "$keys\\Settings\\Wallpaper" btEnableWallpaperChanger REG_BINARY 00
scenario_reg_add 'HKCU\Control Panel\Desktop' Wallpaper REG_SZ untouched
timeout 120 wine "$probe" "$(scenario_path "$collection")" </dev/null >/dev/null 2>>"$SCENARIO_DIR/programs.log" ||
    scenario_fail "the probe failed with the changer off"
[ "$(scenario_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" = untouched ] ||
    scenario_fail "the changer was off but the registry changed"
[ "$(md5sum <"$file")" = "$before" ] || scenario_fail "the changer was off but the file changed"
echo "wallpaper on the Wine desktop: ok"
