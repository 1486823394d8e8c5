#!/usr/bin/env bash
# Starts the real Tavrik.exe in a Wine virtual desktop (so the screenshot shows the
# window as a person sees it) with a 200-character path on its command line, as
# "Send To" starts it. The list must hold that path and show its horizontal scroll
# bar; clicking the entry and pressing Delete must empty the list, and the scroll
# bar must go with it.
#   long_path.sh TAVRIK_EXE PROBE_EXE WORK_DIR
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh" "$@"

# A file whose full Windows path is exactly 200 characters.
prefix="$(winpath "$work")\\"
name_len=$((200 - ${#prefix} - 4))
[ $name_len -gt 20 ] || fail "the work folder's path is too long for this test"
name=$(printf '%*s' "$name_len" '' | tr ' ' 'n')
printf 'x' >"$work/$name.tim"
long="$prefix$name.tim"
expect_eq "path length" 200 "${#long}"

reset_settings

desktop='tavrik-list,640x420'
start_in_desktop "$long"
wait_until 30 in_desktop find || fail "the main window did not open in the virtual desktop"
app_pid=$(pgrep -f -n -- "$tavrik" || true)
LIST=1000 QUIT=2

expect_eq "list from the command line" "$long" "$(in_desktop list $LIST)"
read -r ll lt lr lb <<<"$(in_desktop box $LIST)" || fail "no list box"
sleep 1
shot long-path

# The horizontal scroll bar fills the bottom strip of the list inside its border:
# with it, the strip holds its arrows and thumb in several colours; without it the
# strip is the list's plain background, since the one entry sits at the top.
strip_colours() {  # screenshot: the number of distinct colours in the list's bottom strip
  convert "$shots/$1.png" -crop "$((lr - ll - 6))x12+$((ll + 3))+$((lb - 15))" +repage \
    -unique-colors -format '%w' info:
}
colours=$(strip_colours long-path)
[ "$colours" -gt 2 ] || fail "no horizontal scroll bar: the list's bottom strip has $colours colour(s)"
echo "ok: the scroll bar shows ($colours colours in the list's bottom strip)"

# Click the entry and press Delete: the list empties and the scroll bar goes.
xdo windowfocus --sync "$desktop_x"
xdo mousemove --sync $((ll + 20)) $((lt + 6)) click 1
sleep 0.3
xdo key Delete
sleep 0.5
expect_eq "list after Delete" "" "$(in_desktop list $LIST)"
sleep 0.5
shot deleted
expect_eq "colours in the list's bottom strip after Delete" 1 "$(strip_colours deleted)"

quit=$(in_desktop box $QUIT) || fail "no Quit button"
click_centre "$quit"
wait_for_exit Quit
reset_settings
echo "PASS: screenshots in $shots"
