#!/usr/bin/env bash
# Works the real Tavrik.exe as a person would: adds two files through the file-open
# dialog, types a label, picks R3000 Assembler, picks a new output folder through the
# folder picker (which creates it) and checks that the label survived, converts, checks the
# output byte by byte, closes with Escape, checks the registry, starts again and
# checks that the window shows what was stored; last, shows it in a Wine virtual
# desktop (with its caption bar) for a screenshot and closes it with Quit.
#   converter.sh TAVRIK_EXE PROBE_EXE WORK_DIR
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh" "$@"

mkdir -p "$work/in"

probe() { wine_out "$probe" "$@"; }
picker() { TAVRIK_PROBE_TITLE='Select output folder' wine_out "$probe" "$@"; }

explain_failure() {
  echo "visible windows:"
  probe windows
}

click_control() {
  local xy
  xy=$(probe rect "$1") || fail "control $1 not found"
  # shellcheck disable=SC2086
  xdo mousemove --sync $xy click 1
}

# Clicks into an edit and replaces its whole text by typing.
type_into() {
  click_control "$1"
  xdo key End shift+Home BackSpace
  xdo type --delay 15 "$2"
}

start_app() {
  (cd "$work" && exec "$WINE" "$tavrik" >"$work/tavrik.log" 2>&1) &
  app_pid=$!
  wait_until 30 probe find || fail "the main window did not open"
  wait_until 10 has_xwindow '^Tavrik - Morlanix Converter' || fail "the main window is not mapped on the display"
  main_x=$(xwindow '^Tavrik - Morlanix Converter')
  sleep 0.5  # let it paint
}

close_with_escape() {
  xdo windowfocus --sync "$main_x"
  xdo key Escape
  wait_for_exit Escape
}

# Ids of the main window's controls, and of the folder picker's path field and Open.
PICK_PATH=181 PICK_OPEN=182
LIST=1000 FOLDER=1001 ADD=1002 BROWSE=1003 C_LANG=1004 R3000=1005 LABEL=1006 CONVERT=1007 INFO=1008 QUIT=2

# Inputs: the ten bytes 00..09, and nine bytes with line-break and end-of-file bytes.
printf '\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09' >"$work/in/a.tim"
printf '\x0d\x0a\x1a\xff\x80\x7f\x00\x41\x0a' >"$work/in/b.tim"
printf 'tex1:\r\n\t.byte\t0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07\r\n\t.byte\t0x08, 0x09\r\n' >"$work/a.expected"
printf 'tex2:\r\n\t.byte\t0x0d, 0x0a, 0x1a, 0xff, 0x80, 0x7f, 0x00, 0x41\r\n\t.byte\t0x0a\r\n' >"$work/b.expected"
out_dir=$work/out/nested  # missing: the folder picker creates it

reset_settings

# --- first start: fresh settings ---
start_app
shot fresh
expect_eq "focus at start" "$ADD" "$(probe focus)"
expect_eq "fresh label" "Label" "$(probe text $LABEL)"
expect_eq "fresh folder" "" "$(probe text $FOLDER)"
expect_eq "fresh format C" "1" "$(probe check $C_LANG)"
expect_eq "fresh list" "" "$(probe list $LIST)"

# Add... opens the file-open dialog; go to the input folder, then pick both files.
click_control $ADD
wait_until 20 has_xwindow '^Open$' || fail "the file-open dialog did not open"
open_x=$(xwindow '^Open$')
sleep 0.5
xdo windowfocus --sync "$open_x"
xdo type --delay 15 "$(winpath "$work/in")\\"
xdo key Return
sleep 1
xdo type --delay 15 '"a.tim" "b.tim"'
xdo key Return
wait_until 20 bash -c "! xdotool search --onlyvisible --name '^Open\$' >/dev/null" || fail "the file-open dialog did not close"
expect_eq "source list" "$(winpath "$work/in/a.tim")
$(winpath "$work/in/b.tim")" "$(probe list $LIST)"

type_into $LABEL "tex"
click_control $R3000

# "..." opens the folder picker with the focus in its path field. The missing folder
# is typed (completion and navigation run at every key), Enter offers to create it,
# Yes creates it and the picker shows it; Open closes the picker.
click_control $BROWSE
wait_until 20 has_xwindow '^Select output folder$' || fail "the folder picker did not open"
pick_x=$(xwindow '^Select output folder$')
sleep 0.5
xdo windowfocus --sync "$pick_x"
expect_eq "focus in the picker" "$PICK_PATH" "$(probe focus)"
xdo key End shift+Home BackSpace
xdo type --delay 40 "$(winpath "$out_dir")"
expect_eq "path typed" "$(winpath "$out_dir")" "$(picker text $PICK_PATH)"
xdo key Return
wait_until 20 has_xwindow '^Tavrik$' || fail "no question whether to create the folder"
xdo windowfocus --sync "$(xwindow '^Tavrik$')"
xdo key Return  # Yes is the default answer
wait_until 20 test -d "$out_dir" || fail "the picker did not create the folder"
wait_until 10 bash -c "! xdotool search --onlyvisible --name '^Tavrik\$' >/dev/null" || fail "the question stays open"
expect_eq "picker shows the new folder" "$(winpath "$out_dir")\\" "$(picker text $PICK_PATH)"
expect_eq "focus after Enter" "$PICK_PATH" "$(probe focus)"
sleep 0.5
timeout 15 import -window "$pick_x" "$shots/folder-picker.png" || fail "no screenshot of the picker"
xy=$(picker rect $PICK_OPEN) || fail "the picker has no Open button"
# shellcheck disable=SC2086
xdo mousemove --sync $xy click 1
wait_until 20 bash -c "! xdotool search --onlyvisible --name '^Select output folder\$' >/dev/null" \
  || fail "the folder picker did not close"

expect_eq "folder picked" "$(winpath "$out_dir")\\" "$(probe text $FOLDER)"
expect_eq "label typed before picking" "tex" "$(probe text $LABEL)"
expect_eq "R3000 picked" "1" "$(probe check $R3000)"
shot filled

click_control $CONVERT
wait_until 30 test -s "$out_dir/b.asm" || fail "no output files appeared"
wait_until 10 bash -c "[ \"\$(WINEDEBUG=-all $WINE '$probe' enabled 2>/dev/null | tr -d '\r')\" = 1 ]" \
  || fail "the main window stays disabled (a message box?)"
sleep 0.5
for f in a b; do
  cmp "$work/$f.expected" "$out_dir/$f.asm" || fail "$f.asm differs from the expected text"
  echo "ok: $f.asm matches byte for byte"
done
[ "$(ls "$out_dir")" = "$(printf 'a.asm\nb.asm')" ] || fail "unexpected files in the output folder: $(ls "$out_dir")"

# The pointer still rests on Convert: it shows the raised edge of a flat button
# (light top-left corner, dark bottom-right corner), while Info beside it has no
# edge at all and its corner is the dialog's face.
shot converted
read -r cl ct cr cb <<<"$(probe box $CONVERT)"
read -r il it _ _ <<<"$(probe box $INFO)"
face=$(pixel converted $((il - 2)) $((it + 2)))
expect_eq "Info's corner shows the face" "$face" "$(pixel converted "$il" "$it")"
light=$(pixel converted "$cl" "$ct") dark=$(pixel converted $((cr - 1)) $((cb - 1)))
[ "$light" != "$face" ] && [ "$dark" != "$face" ] && [ "$light" != "$dark" ] \
  || fail "Convert shows no raised edge: corners $light and $dark on face $face"
echo "ok: Convert is raised: $light over $dark on $face"

close_with_escape

# --- the registry holds what the window showed ---
reg=$(wine_out reg query "$SETTINGS_KEY") || fail "the settings key is missing"
echo "$reg"
value() { awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' <<<"$reg"; }
expect_eq "stored Extension" "01000000" "$(value Extension)"
expect_eq "stored Label" "tex" "$(value Label)"
expect_eq "stored Destination" "$(winpath "$out_dir")\\" "$(value Destination)"
grep -q 'Extension[[:space:]]*REG_BINARY' <<<"$reg" || fail "Extension is not REG_BINARY"

# --- second start shows the stored settings, and an empty list ---
start_app
expect_eq "reloaded folder" "$(winpath "$out_dir")\\" "$(probe text $FOLDER)"
expect_eq "reloaded label" "tex" "$(probe text $LABEL)"
expect_eq "reloaded R3000" "1" "$(probe check $R3000)"
expect_eq "reloaded C unchecked" "0" "$(probe check $C_LANG)"
expect_eq "list starts empty" "" "$(probe list $LIST)"
shot reloaded
close_with_escape

# --- as a person sees it: in a Wine virtual desktop, which draws the caption bar ---
# A program talking to the window has to run in the same desktop, and its output
# comes back through a file.
desktop='tavrik-e2e,640x420'
# Started in the work folder, where the folder picker opens.
start_in_desktop
wait_until 30 in_desktop find || fail "the main window did not open in the virtual desktop"
quit=$(in_desktop box $QUIT) || fail "no Quit button in the virtual desktop"
read -r ql qt qr qb <<<"$quit"
find_app

# The folder picker over the main window, as the README shows it: the work folder's
# subfolders are listed, its files are not. Cancel closes it.
in_picker() { TAVRIK_PROBE_TITLE='Select output folder' in_desktop "$@"; }
# shellcheck disable=SC2046
xdo mousemove --sync $(in_desktop rect $BROWSE || fail "no browse button in the virtual desktop") click 1
wait_until 30 in_picker find || fail "the folder picker did not open in the virtual desktop"
sleep 1
timeout 15 import -window "$desktop_x" "$shots/folder-picker-desktop.png" \
  || fail "no screenshot of the folder picker"
# shellcheck disable=SC2046
xdo mousemove --sync $(in_picker rect 2 || fail "the picker has no Cancel button") click 1
picker_gone() { ! in_picker find; }
wait_until 20 picker_gone || fail "Cancel did not close the folder picker"
xdo mousemove --sync $(((ql + qr) / 2)) $(((qt + qb) / 2))
sleep 0.5
shot desktop
# Hovered while its window is not the active one, Quit still shows the raised edge.
face=$(pixel desktop $((ql - 2)) $((qt + 2)))
light=$(pixel desktop "$ql" "$qt") dark=$(pixel desktop $((qr - 1)) $((qb - 1)))
[ "$light" != "$face" ] && [ "$dark" != "$face" ] && [ "$light" != "$dark" ] \
  || fail "Quit shows no raised edge: corners $light and $dark on face $face"
echo "ok: Quit is raised: $light over $dark on $face"
xdo click 1
wait_for_exit Quit
kill "$desktop_pid" 2>/dev/null || true
reg=$(wine_out reg query "$SETTINGS_KEY") || fail "the settings key is missing after Quit"
expect_eq "Label after Quit" "tex" "$(value Label)"
expect_eq "Extension after Quit" "01000000" "$(value Extension)"

reset_settings
echo "PASS: screenshots in $shots"
