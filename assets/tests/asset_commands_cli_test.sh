#!/usr/bin/env bash
# tqtool's asset commands end to end: a skin description becomes a record that skin-dump
# describes; a manifest becomes a data-resource file that dat-list and dat-get read back;
# faulty input fails with the documented codes; the built Tapestrique.dat holds every entry
# the programs ask for.
#   usage: asset_commands_cli_test.sh TQTOOL TAPESTRIQUE.DAT RENDERED-PICTURES-DIR
set -euo pipefail
source "${TQ_SOURCE_DIR:?}/tools/tool_paths.sh"
tqtool=$1
dat=$2
pictures=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$TQ_CONVERT" -size 40x30 gradient:navy-skyblue "BMP3:$work/back.bmp"
mkdir -p "$work/art"
for state in disabled normal normalFocused hover hoverFocused pressed pressedFocused; do
    "$TQ_CONVERT" -size 20x10 xc:gray "BMP3:$work/art/ok_EN_$state.bmp"
    "$TQ_CONVERT" -size 20x10 xc:white "BMP3:$work/art/ok_FR_$state.bmp"
done
cat >"$work/skin.json" <<'JSON'
{
  // comments are allowed
  "name": "Tiny",
  "background": "back.bmp",
  "elements": [
    {"id": 101, "kind": "label", "text": "Détails", "x": 1, "y": 2, "width": 30, "height": 12,
     "font": 3, "textColour": "#102030", "backgroundColour": "transparent", "style": ["SS_CENTER"]},
    {"id": 103, "kind": "button", "languages": ["EN", "FR"], "text": {"EN": "OK", "FR": "D'accord"},
     "x": 5, "y": 15, "width": 20, "height": 10, "cursor": "hand", "next": 107, "previous": 0,
     "style": ["WS_TABSTOP"], "statePictures": "art/ok_{lang}_{state}.bmp"},
    {"id": 107, "kind": "custom", "className": "listbox", "text": "List", "x": 0, "y": 0, "width": 10,
     "height": 10, "style": ["LBS_SORT", "LBS_NOTIFY", "0x00200000"], "extendedStyle": 512, "font": 2}
  ]
}
JSON
"$tqtool" skin-build "$work/skin.json" "$work/tiny.tqs"
dump=$("$tqtool" skin-dump "$work/tiny.tqs")
grep -q '^skin "Tiny"$' <<<"$dump" || fail "skin name: $dump"
grep -q '^background: BMP 40x30' <<<"$dump" || fail "background: $dump"
grep -q '^elements: 4$' <<<"$dump" || fail "element count: $dump"
grep -q 'element 103: button "OK" language EN' <<<"$dump" || fail "English button"
grep -q "element 103: button \"D'accord\" language FR" <<<"$dump" || fail "French button"
[ "$(grep -c '^  state [0-9]: BMP 20x10' <<<"$dump")" -eq 14 ] || fail "state pictures"
grep -q 'class button, at 5,15 size 20x10, style 0x0001000B' <<<"$dump" || fail "button style: $dump"
grep -q 'class listbox, at 0,0 size 10x10, style 0x00200003, extended style 0x00000200' <<<"$dump" ||
    fail "custom style: $dump"
grep -q 'text colour 0x302010, background transparent' <<<"$dump" || fail "label colours"
# The label text is stored in the Windows code page: "D\xE9tails".
LC_ALL=C grep -q $'D\xe9tails' "$work/tiny.tqs" || fail "label text not in code page 1252"

# A picture whose stored height is INT32_MIN, which has no positive counterpart, is described
# without overflowing (the sanitizer build stops on a signed overflow).
cp "$work/back.bmp" "$work/tall.bmp"
printf '\x00\x00\x00\x80' | dd of="$work/tall.bmp" bs=1 seek=22 conv=notrunc 2>/dev/null
printf '{"name": "Tall", "background": "tall.bmp", "elements": []}' >"$work/tall.json"
"$tqtool" skin-build "$work/tall.json" "$work/tall.tqs"
grep -q '^background: BMP 40x2147483648' <<<"$("$tqtool" skin-dump "$work/tall.tqs")" || fail "INT32_MIN height"

# Faulty descriptions fail with 3 and write nothing.
printf '{"elements": [' >"$work/broken.json"
sed 's/"kind": "label"/"kind": "slider"/' "$work/skin.json" >"$work/kind.json"
sed 's/back.bmp/missing.bmp/' "$work/skin.json" >"$work/missing.json"
sed 's/"Détails"/"\\u4e2d"/' "$work/skin.json" >"$work/codepage.json"
for bad in broken kind missing codepage; do
    set +e
    "$tqtool" skin-build "$work/$bad.json" "$work/$bad.tqs" 2>/dev/null
    code=$?
    set -e
    [ "$code" -eq 3 ] || fail "$bad description gave $code"
    [ ! -e "$work/$bad.tqs" ] || fail "$bad description wrote a file"
done

# A manifest with a binary entry, a UTF-8 text and a code-page text.
printf 'Línea uno\nline two\n' >"$work/utf8.txt"
printf 'caf\xe9\r\n' >"$work/ansi.txt"
cat >"$work/manifest" <<EOF2
# comment
SkinTiny   tiny.tqs
TextUtf8   utf8.txt text
TextAnsi   $work/ansi.txt ansi
EOF2
"$tqtool" dat-build "$work/manifest" "$work/out.dat"
list=$("$tqtool" dat-list "$work/out.dat")
grep -Eq "^SkinTiny +[0-9]+ +$(stat -c %s "$work/tiny.tqs")$" <<<"$list" || fail "listing: $list"
"$tqtool" dat-get "$work/out.dat" skintiny "$work/back.tqs"
cmp "$work/tiny.tqs" "$work/back.tqs"
"$tqtool" dat-get "$work/out.dat" TextUtf8 "$work/utf8.out"
printf 'L\xednea uno\r\nline two\r\n\0' | cmp - "$work/utf8.out" || fail "UTF-8 text entry"
"$tqtool" dat-get "$work/out.dat" TextAnsi "$work/ansi.out"
printf 'caf\xe9\r\n\0' | cmp - "$work/ansi.out" || fail "code-page text entry"
"$tqtool" skin-dump "$work/out.dat" SkinTiny | grep -q '^elements: 4$' || fail "skin-dump of an entry"

set +e
"$tqtool" dat-get "$work/out.dat" Nothing "$work/x" 2>/dev/null; missing=$?
head -c 40 "$work/out.dat" >"$work/cut.dat"
"$tqtool" dat-list "$work/cut.dat" >/dev/null 2>&1; cut=$?
"$tqtool" dat-get "$work/absent.dat" SkinTiny "$work/x" 2>/dev/null; absent=$?
printf 'TextUtf8 nowhere.txt\n' >"$work/bad-manifest"
"$tqtool" dat-build "$work/bad-manifest" "$work/bad.dat" 2>/dev/null; unreadable=$?
printf 'TextUtf8 utf8.txt zip\n' >"$work/bad-mode"
"$tqtool" dat-build "$work/bad-mode" "$work/bad.dat" 2>/dev/null; mode=$?
"$tqtool" skin-dump "$work/ansi.txt" 2>/dev/null; notskin=$?
set -e
[ "$missing" -eq 7 ] || fail "missing entry gave $missing"
[ "$cut" -eq 3 ] || fail "cut file gave $cut"
[ "$absent" -eq 2 ] || fail "absent file gave $absent"
[ "$unreadable" -eq 2 ] || fail "unreadable manifest entry gave $unreadable"
[ "$mode" -eq 125 ] || fail "unknown mode gave $mode"
[ "$notskin" -eq 3 ] || fail "not a skin gave $notskin"
[ ! -e "$work/bad.dat" ] && [ ! -e "$work/x" ] || fail "a failed command wrote a file"

# The built file: every entry the programs ask for.
names=$("$tqtool" dat-list "$dat" | awk 'NR > 1 { print $1 }')
required="SkinDefault SkinInitialization SkinNewImage SkinDialogSettingsScreensaver WavClick WavGlock WavBellTree
BitmapAboutTapestrique_TrFF00FF BitmapWelcomeTrayIconDescription_TrFF00FF
BitmapWelcomeTrayIconDescriptionWinXP_TrFF00FF"
for language in CA EN ES FR; do
    required+=" TextLicenseTQ10_$language BitmapNoImagesAvailablePreview_$language BitmapNoImagesAvailableNormal_$language"
done
for icon in GeneralProgram GeneralNewImagesAvailable GeneralKeyboardShortcuts GeneralLanguage GeneralLanguageCa \
            GeneralLanguageEn GeneralLanguageEs GeneralLanguageFr WallpaperChangeWallpaper WallpaperImagesSelectionMode \
            WallpaperNotifications WallpaperWallpaperPresentation WallpaperDesktop WallpaperImageSettings \
            ScreensaverImagesSelectionMode ScreensaverDelayBetweenChanges ScreensaverImagesPresentation \
            ScreensaverAudio ScreensaverVideo ScreensaverImageSettings; do
    required+=" BitmapSettings${icon}_32bpp_TrFF00FF BitmapSettings${icon}_8bpp_TrFF00FF"
done
for name in $required; do
    grep -qx "$name" <<<"$names" || fail "Tapestrique.dat lacks $name"
done
[ "$(sort <<<"$names" | uniq -d)" = "" ] || fail "Tapestrique.dat holds a name twice"
for skin in SkinDefault SkinInitialization SkinNewImage SkinDialogSettingsScreensaver; do
    "$tqtool" skin-dump "$dat" "$skin" >/dev/null || fail "$skin does not parse"
done
"$tqtool" skin-dump "$dat" SkinDialogSettingsScreensaver | grep -q '^background: none' || fail "picture set"
[ -f "$pictures/main/background.bmp" ] || fail "rendered pictures missing"
echo "tqtool asset commands: ok"
