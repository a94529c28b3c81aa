#!/usr/bin/env bash
# Tapestrique.exe's collection commands on a Wine desktop, driven through its own controls and
# dialogs by the probe: an import of a mixed folder through the open-file dialog, a rename to
# the same name in other letter case, the deletion of the current wallpaper's picture, an
# export, and two pictures handed over on the command line, one of them with a title that
# leads out of the collection folder.
#   collection.sh PROBE.exe HOST_TQTOOL
set -u
probe=$1
tqtool=$2
source "${TQ_SOURCE_DIR:?}/tests/harness/scenario.sh"
source "$TQ_SOURCE_DIR/tests/harness/install_product.sh"
[ -f "$probe" ] || { echo "no probe: $probe"; exit 1; }
[ -x "$tqtool" ] || { echo "host tqtool missing: $tqtool (build the host configuration first)"; exit 1; }
[ -f "$TQ_BINARY_DIR/app/Tapestrique.exe" ] || { echo "Tapestrique.exe is not built"; exit 1; }

scenario_begin collection
keys='HKCU\Software\Quillmere\Tapestrique'
work=$SCENARIO_DIR/work
mkdir -p "$work"

# --- The probe: one action per run, its key=value lines kept in $SCENARIO_DIR/probe.txt ---

probe() {
    timeout 90 wine "$probe" "$@" </dev/null 2>>"$SCENARIO_DIR/programs.log" | tr -d '\r' >"$SCENARIO_DIR/probe.txt"
    local status=${PIPESTATUS[0]}
    { echo "> $*"; cat "$SCENARIO_DIR/probe.txt"; } >>"$SCENARIO_DIR/probe.log"
    return "$status"
}

value() {
    sed -n "s/^$1=//p" "$SCENARIO_DIR/probe.txt"
}

# Waits for the program's front dialog (with the control ID) and checks its caption and that
# one of its texts is TEXT (line breaks written as \n).
expect_dialog() { # what id text
    probe dialog 30 "$2" || scenario_fail "$1: no dialog came: $(tr '\n' ' ' <"$SCENARIO_DIR/probe.txt")"
    [ "$(value caption)" = Tapestrique ] || scenario_fail "$1: the dialog is captioned '$(value caption)'"
    grep -qxF "text=$3" "$SCENARIO_DIR/probe.txt" ||
        scenario_fail "$1: the dialog says $(value text | tr '\n' ' '), not $3"
}

answer() {
    probe answer "$1" || scenario_fail "no dialog to answer with $1"
}

expect_main() { # what count
    probe main 30 || scenario_fail "$1: no main window"
    [ "$(value count)" = "$2" ] || scenario_fail "$1: the count label reads '$(value count)', not '$2'"
}

select_title() {
    probe select "$1" || scenario_fail "'$1' is not listed"
}

payload_of() { # picture.tqi out.jpg
    "$tqtool" tqi-extract "$1" "$2" >/dev/null || scenario_fail "cannot extract the payload of $1"
}

# --- The installation: two pictures, Harbour the wallpaper, the import folder remembered ---

"$TQ_CONVERT" -size 640x400 -seed 2 plasma:steelblue-navy -quality 90 "$work/harbour.jpg" &&
    "$TQ_CONVERT" -size 500x500 gradient:white-darkred -quality 90 "$work/lighthouse.jpg" ||
    scenario_fail "cannot draw the collection"
"$tqtool" tqi-pack "$work/harbour.jpg" Harbour "$work/Harbour.tqi" >/dev/null &&
    "$tqtool" tqi-pack "$work/lighthouse.jpg" Lighthouse "$work/Lighthouse.tqi" >/dev/null ||
    scenario_fail "cannot pack the collection"
programs=$SCENARIO_DIR/programs
mkdir -p "$programs"
cp "$TQ_BINARY_DIR/app/Tapestrique.exe" "$TQ_BINARY_DIR/assets/Tapestrique.dat" "$programs/" ||
    scenario_fail "cannot take the programs"
tq_install_product "$WINEPREFIX" "$programs" "$work/Harbour.tqi" "$work/Lighthouse.tqi" || scenario_fail "cannot install"
installed=$(tq_installed_folder "$WINEPREFIX")
images=$installed/Images

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

scenario_reg_add "$keys\\Variables" szCurrentWallpaper REG_SZ Harbour
scenario_reg_add "$keys\\Variables" szLastPathImportImages REG_SZ 'C:\pictures'
scenario_reg_add "$keys\\Settings\\Wallpaper" btChangeWallpaper REG_BINARY 00

scenario_start "$installed/Tapestrique.exe"
expect_main "the start" "2 images"

# --- Import: the JPEG stored byte for byte, the PNG as a JPEG whose temporary file goes, the
# narrow picture refused, the second beach asks before it replaces the first ---

probe press 103 || scenario_fail "no import button"
probe open-files 30 '"photo.jpg" "shell.png" "narrow.png" "beach.tga" "beach.jpg"' ||
    scenario_fail "no open-file dialog"
[ "$(value caption)" = "Import images" ] || scenario_fail "the open-file dialog is captioned '$(value caption)'"
expect_dialog "narrow.png" 65535 '"narrow.png"\n\nThe image is too small or too large. Tapestrique\ndoes not accept images whose resolutions are\nlower than 64x64 or larger than 4096x4096 pixels.\n\nThe image will not be imported.'
answer 1
expect_dialog "beach.jpg" 65535 'The image "beach"\nalready exists in the collection. Do you want to overwrite it?'
answer 1
probe no-dialog 30 || scenario_fail "the import did not end"
expect_main "the import" "5 images"
[ "$(value titles)" = "beach|Harbour|Lighthouse|photo|shell" ] || scenario_fail "the list holds $(value titles)"

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

# --- Rename to the same name in other letter case: refused, nothing renamed ---

select_title photo
probe press 109 || scenario_fail "no rename button"
probe dialog 30 1006 || scenario_fail "no rename dialog"
grep -qxF "field=1006:photo" "$SCENARIO_DIR/probe.txt" || scenario_fail "the rename dialog does not start with the title"
probe field 1006 PHOTO || scenario_fail "cannot type the new name"
answer 1
expect_dialog "rename to PHOTO" 65535 "There's already one image with\nthat name in the collection.\n\nPlease choose a different one."
answer 1
probe dialog 10 1006 || scenario_fail "the rename dialog closed after the refusal"
answer 2
probe no-dialog 10 || scenario_fail "the rename dialog stays"
[ -f "$images/photo.tqi" ] || scenario_fail "photo.tqi went in a refused rename"
expect_main "the refused rename" "5 images"
echo "rename refused: ok"

# --- Delete the current wallpaper's picture: the wallpaper goes first, then the picture ---

[ -n "$(scenario_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" ] || scenario_fail "no wallpaper before the delete"
select_title harbour
probe press 108 || scenario_fail "no delete button"
expect_dialog "delete" 65535 'The image "Harbour"\nwill be permanently deleted. Continue?'
answer 1
probe no-dialog 10 || scenario_fail "the delete question stays"
expect_main "the delete" "4 images"
[ -z "$(value selected)" ] || scenario_fail "'$(value selected)' is selected after the delete"
[ ! -e "$images/Harbour.tqi" ] || scenario_fail "Harbour.tqi was not deleted"
[ -z "$(scenario_reg_query 'HKCU\Control Panel\Desktop' Wallpaper)" ] || scenario_fail "the desktop keeps its wallpaper"
[ -z "$(scenario_reg_query "$keys\\Variables" szCurrentWallpaper)" ] || scenario_fail "szCurrentWallpaper is kept"
echo "delete of the wallpaper: ok"

# --- Export: the stored JPEG file, unchanged ---

select_title shell
probe press 105 || scenario_fail "no export button"
expect_dialog "export" 65535 'Export "shell.jpg"?'
answer 1
probe dialog 30 1010 || scenario_fail "no export confirmation"
exported_path="$(tq_installed_windows_folder)\\Exported\\shell.jpg"
grep -qxF "field=1010:$exported_path" "$SCENARIO_DIR/probe.txt" ||
    scenario_fail "the confirmation shows $(value field | tr '\n' ' ')"
answer 2
probe no-dialog 10 || scenario_fail "the export confirmation stays"
cmp -s "$installed/Exported/shell.jpg" "$work/shell-payload.jpg" || scenario_fail "the export differs from the payload"
echo "export: ok"

# --- A picture handed over on the command line: full screen, and saved into the collection ---

"$TQ_CONVERT" -size 800x600 -seed 7 plasma:teal-ivory -quality 88 "$work/visitor.jpg" &&
    "$tqtool" tqi-pack "$work/visitor.jpg" Visitor "$pictures/visitor.tqi" >/dev/null ||
    scenario_fail "cannot make the picture to open"
scenario_run -t 30 "$installed/Tapestrique.exe" '/file:C:\pictures\visitor.tqi' || scenario_fail "the hand-over failed"
probe picture 30 || scenario_fail "the picture is not shown"
[ "$(value picture)" = Visitor ] && [ "$(value rect)" = "0 0 1024 768" ] ||
    scenario_fail "the picture window is '$(value picture)' at $(value rect)"
probe picture-press 1007 || scenario_fail "no Save button"
for _ in $(seq 50); do [ -f "$images/Visitor.tqi" ] && break; sleep 0.2; done
sleep 0.5 # the button is disabled once the file is written
probe picture 10 || scenario_fail "the picture closed on Save"
grep -qxF "button=1007:0:&Save" "$SCENARIO_DIR/probe.txt" || scenario_fail "Save is still enabled: $(value button | tr '\n' ' ')"
probe picture-press 2 || scenario_fail "the picture did not close"
[ -f "$images/Visitor.tqi" ] || scenario_fail "Save stored nothing"
"$tqtool" tqi-info "$images/Visitor.tqi" >"$work/visitor-info.txt" || scenario_fail "Visitor.tqi is unreadable"
grep -qx "width: 800" "$work/visitor-info.txt" && grep -qx "height: 600" "$work/visitor-info.txt" ||
    scenario_fail "Visitor.tqi does not keep the picture's size: $(tr '\n' ' ' <"$work/visitor-info.txt")"
payload_of "$images/Visitor.tqi" "$work/visitor-payload.jpg"
cmp -s "$work/visitor.jpg" "$work/visitor-payload.jpg" || scenario_fail "Visitor.tqi does not hold the picture's JPEG"
expect_main "the save" "5 images"
echo "picture from the command line: ok"

# --- A picture whose title leads out of the collection folder: refused, nothing written ---

"$tqtool" tqi-pack "$work/visitor.jpg" '..\..\evil' "$pictures/evil.tqi" >/dev/null ||
    scenario_fail "cannot make the hostile picture"
scenario_run -t 30 "$installed/Tapestrique.exe" '/file:C:\pictures\evil.tqi' || scenario_fail "the hand-over failed"
probe picture 30 || scenario_fail "the hostile picture is not shown"
[ "$(value picture)" = '..\..\evil' ] || scenario_fail "the picture window is '$(value picture)'"
probe picture-press 1007 || scenario_fail "no Save button"
expect_dialog "the hostile title" 65535 "The name contains invalid characters."
answer 1
probe picture-press 2 || scenario_fail "the hostile picture did not close"
written=$(find "$WINEPREFIX/drive_c" -iname '*evil*' ! -path "$pictures/*")
[ -z "$written" ] || scenario_fail "the hostile title wrote $written"
expect_main "the hostile save" "5 images"
echo "hostile title refused: ok"

probe exit 30 || scenario_fail "the program did not end"
echo "collection: ok"
