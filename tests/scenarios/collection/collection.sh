#!/usr/bin/env bash
# Tapestrique.exe's collection commands on a Wine desktop, driven through its own controls and
# dialogs by the probe: an import of a mixed folder through the open-file dialog, a rename to
# a name with an invalid character and to the same name in other letter case, the deletion of
# the current wallpaper's picture, an export, and pictures handed over on the command line: a
# sound one, a damaged one and one with a title that leads out of the collection folder.
#   collection.sh PROBE.exe HOST_TQTOOL
source "${TQ_SOURCE_DIR:?}/tests/scenarios/tapestrique_exe/exe_scenario.sh"
source "$TQ_SOURCE_DIR/tests/scenarios/collection/collection_steps.sh"
exe_begin collection "$1" "$2"
COLLECTION_PROBE=$1
tqtool=$2
work=$SCENARIO_DIR/work
mkdir -p "$work"
installed=$(tq_installed_folder "$WINEPREFIX")
images=$installed/Images

# Titles joined by |, in an order of their own (the skin decides the list's).
sorted_titles() {
    tr '|' '\n' | LC_ALL=C sort -f | paste -sd '|'
}

payload_of() { # picture.tqi out.jpg
    "$tqtool" tqi-extract "$1" "$2" >/dev/null || scenario_fail "cannot extract the payload of $1"
}

# The folder to import from, as C:\pictures: a JPEG, a PNG, a picture one pixel too narrow and
# two pictures with the same name in different formats.
pictures=$WINEPREFIX/drive_c/pictures
mkdir -p "$pictures"
"$TQ_CONVERT" -size 320x240 -seed 5 plasma:gold-purple -quality 85 "$pictures/photo.jpg" &&
    "$TQ_CONVERT" -size 200x150 gradient:skyblue-seagreen "$pictures/shell.png" &&
    "$TQ_CONVERT" -size 63x200 xc:tomato "$pictures/narrow.png" &&
    "$TQ_CONVERT" -size 96x96 xc:orange "$pictures/beach.tga" &&
    "$TQ_CONVERT" -size 128x96 -seed 9 plasma:sandybrown-khaki -quality 80 "$pictures/beach.jpg" ||
    scenario_fail "cannot draw the pictures to import"

# The sample pictures, with no change of wallpaper at the start; the import starts in the
# pictures' folder.
scenario_reg_add "$EXE_KEYS\\Variables" szLastPathImportImages REG_SZ 'C:\pictures'
scenario_reg_add "$EXE_KEYS\\Settings\\Wallpaper" btChangeWallpaper REG_BINARY 00
exe_start
exe_probe main 30 || scenario_fail "no main window"
sample=$(exe_value titles)
count=$(tr '|' '\n' <<<"$sample" | wc -l)
[ "$count" -ge 2 ] || scenario_fail "the sample holds '$sample'"
expect_main "the start" "$count images"

# --- Import: the JPEG stored byte for byte, the PNG as a JPEG whose temporary file goes, the
# narrow picture refused, the second beach asks before it replaces the first ---

exe_probe press 103 || scenario_fail "no import button"
exe_probe open-files 30 '"photo.jpg" "shell.png" "narrow.png" "beach.tga" "beach.jpg"' ||
    scenario_fail "no open-file dialog"
[ "$(exe_value caption)" = "Import images" ] || scenario_fail "the open-file dialog is captioned '$(exe_value caption)'"
expect_dialog "narrow.png" 65535 '"narrow.png"\n\nThe image is too small or too large. Tapestrique\ndoes not accept images whose resolutions are\nlower than 64x64 or larger than 4096x4096 pixels.\n\nThe image will not be imported.'
answer 1
expect_dialog "beach.jpg" 65535 'The image "beach"\nalready exists in the collection. Do you want to overwrite it?'
answer 1
exe_probe no-dialog 30 || scenario_fail "the import did not end"
count=$((count + 3))
expect_main "the import" "$count images"
[ "$(exe_value titles | sorted_titles)" = "$(sorted_titles <<<"$sample|beach|photo|shell")" ] ||
    scenario_fail "the list holds $(exe_value titles)"

payload_of "$images/photo.tqi" "$work/photo-payload.jpg"
cmp -s "$pictures/photo.jpg" "$work/photo-payload.jpg" || scenario_fail "the JPEG was not stored byte for byte"
payload_of "$images/beach.tqi" "$work/beach-payload.jpg"
cmp -s "$pictures/beach.jpg" "$work/beach-payload.jpg" || scenario_fail "the second beach did not replace the first"
payload_of "$images/shell.tqi" "$work/shell-payload.jpg"
[ "$("$TQ_IDENTIFY" -format '%m %w %h' "$work/shell-payload.jpg")" = "JPEG 200 150" ] ||
    scenario_fail "the PNG was not stored as a 200 x 150 JPEG"
# Quality 100 keeps every pixel close to the PNG's (channels in their order).
differing=$("$TQ_COMPARE" -metric AE -fuzz 3% "$pictures/shell.png" "$work/shell-payload.jpg" null: 2>&1)
[ "$differing" = 0 ] || scenario_fail "$differing pixels of the PNG's JPEG differ from the PNG"
[ ! -e "$images/narrow.tqi" ] || scenario_fail "the narrow picture was imported"
leftovers=$(find "$WINEPREFIX/drive_c" -name '*.png.jpg' -o -name '*.tga.jpg')
[ -z "$leftovers" ] || scenario_fail "temporary files were left: $leftovers"
echo "import: ok"

# --- Rename to a pasted name with a question mark, then to the same name in other letter
# case: both refused, nothing renamed ---

select_title photo
exe_probe press 109 || scenario_fail "no rename button"
exe_probe dialog 30 1006 || scenario_fail "no rename dialog"
grep -qxF "field=1006:photo" "$SCENARIO_DIR/probe.txt" || scenario_fail "the rename dialog does not start with the title"
# Set as a paste sets it, past the filter on typed characters.
exe_probe field 1006 'photo?' || scenario_fail "cannot paste the new name"
answer 1
expect_dialog "rename to photo?" 65535 "The name contains invalid characters."
answer 1
exe_probe field 1006 PHOTO || scenario_fail "cannot paste the new name"
answer 1
expect_dialog "rename to PHOTO" 65535 "There's already one image with\nthat name in the collection.\n\nPlease choose a different one."
answer 1
exe_probe dialog 10 1006 || scenario_fail "the rename dialog closed after the refusal"
answer 2
exe_probe no-dialog 10 || scenario_fail "the rename dialog stays"
[ -f "$images/photo.tqi" ] || scenario_fail "photo.tqi went in a refused rename"
expect_main "the refused rename" "$count images"
echo "rename refused: ok"

# --- Delete the current wallpaper's picture: the wallpaper goes first, then the picture ---

wallpaper=${sample%%|*}
select_title "$wallpaper"
exe_probe press 110 || scenario_fail "no set-as-wallpaper button"
is_wallpaper() { [ "$(scenario_reg_query "$EXE_KEYS\\Variables" szCurrentWallpaper)" = "$wallpaper" ]; }
scenario_until 30 is_wallpaper || scenario_fail "'$wallpaper' did not become the wallpaper"
[ -n "$(scenario_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" ] || scenario_fail "no wallpaper before the delete"
select_title "${wallpaper^^}"
exe_probe press 108 || scenario_fail "no delete button"
expect_dialog "delete" 65535 "The image \"$wallpaper\"\\nwill be permanently deleted. Continue?"
answer 1
exe_probe no-dialog 10 || scenario_fail "the delete question stays"
expect_main "the delete" "$((count - 1)) images"
[ -z "$(exe_value selected)" ] || scenario_fail "'$(exe_value selected)' is selected after the delete"
[ ! -e "$images/$wallpaper.tqi" ] || scenario_fail "$wallpaper.tqi was not deleted"
[ -z "$(scenario_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" ] || scenario_fail "the desktop keeps its wallpaper"
[ -z "$(scenario_reg_query "$EXE_KEYS\\Variables" szCurrentWallpaper)" ] || scenario_fail "szCurrentWallpaper is kept"
echo "delete of the wallpaper: ok"

# --- Export: the stored JPEG file, unchanged ---

select_title shell
exe_probe press 105 || scenario_fail "no export button"
expect_dialog "export" 65535 'Export "shell.jpg"?'
answer 1
exe_probe dialog 30 1010 || scenario_fail "no export confirmation"
exported_path="$(tq_installed_windows_folder)\\Exported\\shell.jpg"
grep -qxF "field=1010:$exported_path" "$SCENARIO_DIR/probe.txt" ||
    scenario_fail "the confirmation shows $(exe_value field | tr '\n' ' ')"
answer 2
exe_probe no-dialog 10 || scenario_fail "the export confirmation stays"
cmp -s "$installed/Exported/shell.jpg" "$work/shell-payload.jpg" || scenario_fail "the export differs from the payload"
echo "export: ok"

# --- A picture handed over on the command line: full screen, and saved into the collection ---

"$TQ_CONVERT" -size 800x600 -seed 7 plasma:teal-ivory -quality 88 "$work/visitor.jpg" &&
    "$tqtool" tqi-pack "$work/visitor.jpg" Visitor "$pictures/visitor.tqi" >/dev/null ||
    scenario_fail "cannot make the picture to open"
scenario_run -t 30 "$EXE_PROGRAM" '/file:C:\pictures\visitor.tqi' || scenario_fail "the hand-over failed"
exe_probe picture 30 || scenario_fail "the picture is not shown"
[ "$(exe_value picture)" = Visitor ] && [ "$(exe_value rect)" = "0 0 1024 768" ] ||
    scenario_fail "the picture window is '$(exe_value picture)' at $(exe_value rect)"
exe_probe picture-press 1007 || scenario_fail "no Save button"
scenario_until 10 test -f "$images/Visitor.tqi"
sleep 0.5 # the button is disabled once the file is written
exe_probe picture 10 || scenario_fail "the picture closed on Save"
grep -qxF "button=1007:0:&Save" "$SCENARIO_DIR/probe.txt" || scenario_fail "Save is still enabled: $(exe_value button | tr '\n' ' ')"
exe_probe picture-press 2 || scenario_fail "the picture did not close"
[ -f "$images/Visitor.tqi" ] || scenario_fail "Save stored nothing"
"$tqtool" tqi-info "$images/Visitor.tqi" >"$work/visitor-info.txt" || scenario_fail "Visitor.tqi is unreadable"
grep -qx "width: 800" "$work/visitor-info.txt" && grep -qx "height: 600" "$work/visitor-info.txt" ||
    scenario_fail "Visitor.tqi does not keep the picture's size: $(tr '\n' ' ' <"$work/visitor-info.txt")"
payload_of "$images/Visitor.tqi" "$work/visitor-payload.jpg"
cmp -s "$work/visitor.jpg" "$work/visitor-payload.jpg" || scenario_fail "Visitor.tqi does not hold the picture's JPEG"
expect_main "the save" "$count images"
echo "picture from the command line: ok"

# --- A damaged picture file handed over: the invalid-format message ---

head -c 30 "$pictures/visitor.tqi" >"$pictures/damaged.tqi"
scenario_run -t 30 "$EXE_PROGRAM" '/file:C:\pictures\damaged.tqi' || scenario_fail "the hand-over failed"
exe_probe dialog 30 65535 || scenario_fail "no message for a damaged file"
grep -qF 'text=INVALID FILE FORMAT!\n\nTapestrique could not load the file' "$SCENARIO_DIR/probe.txt" ||
    scenario_fail "a damaged file shows $(exe_value text | tr '\n' ' ')"
answer 1
echo "damaged picture file: ok"

# --- A picture whose title leads out of the collection folder: refused, nothing written ---

"$tqtool" tqi-pack "$work/visitor.jpg" '..\..\evil' "$pictures/evil.tqi" >/dev/null ||
    scenario_fail "cannot make the hostile picture"
scenario_run -t 30 "$EXE_PROGRAM" '/file:C:\pictures\evil.tqi' || scenario_fail "the hand-over failed"
exe_probe picture 30 || scenario_fail "the hostile picture is not shown"
[ "$(exe_value picture)" = '..\..\evil' ] || scenario_fail "the picture window is '$(exe_value picture)'"
exe_probe picture-press 1007 || scenario_fail "no Save button"
expect_dialog "the hostile title" 65535 "The name contains invalid characters."
answer 1
exe_probe picture-press 2 || scenario_fail "the hostile picture did not close"
written=$(find "$WINEPREFIX/drive_c" -iname '*evil*' ! -path "$pictures/*")
[ -z "$written" ] || scenario_fail "the hostile title wrote $written"
expect_main "the hostile save" "$count images"
echo "hostile title refused: ok"

exe_probe exit 30 || scenario_fail "the program did not end"
scenario_wait_exit "$EXE_PID" 30 || scenario_fail "Tapestrique.exe ended with $?"
echo "collection: ok"
