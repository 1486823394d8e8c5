#!/usr/bin/env bash
# Opens the About box of the real Tavrik.exe as a person would, in a Wine virtual
# desktop (which draws caption bars as a user sees them): a click on Info, a look
# at what the box shows and a screenshot of it, F1 inside it for a second box on
# top, Escape and OK to close them, and Quit to end the program.
#   about.sh TAVRIK_EXE PROBE_EXE WORK_DIR
# shellcheck source=../lib.sh
. "$(dirname "$0")/../lib.sh" "$@"

desktop='tavrik-about,640x420'
boxes_open() { [ "$(in_desktop count)" = "$1" ]; }

INFO=1008 QUIT=2 LINK=1010 DESCRIPTION=1011

reset_settings
start_in_desktop
wait_until 30 in_desktop main $INFO || fail "the main window did not open in the virtual desktop"
find_app
sleep 0.5

# Info opens the box over the main window.
click_centre "$(in_desktop main $INFO)"
wait_until 20 boxes_open 1 || fail "Info did not open the About box"
expected_description=$(printf '%s' "Tavrik is a small tool to convert PSX-images  from the BIN format to \
either C or ASM  language. 

Features include:
    - 32Bit Windows GUI
    - No external programs or dll's required

New in this version:
    - Multiple file conversion
    - progress bar
    - saves settings to registry")
expect_eq "the description" "$expected_description" "$(in_desktop text $DESCRIPTION)"
expect_eq "the link's caption" "quendal.example" "$(in_desktop text $LINK)"
sleep 0.5  # let it paint
shot about-root
# The screenshot shows the box as a person sees it, with a margin of the desktop.
eval "$(xdotool getwindowgeometry --shell "$desktop_x")"
read -r al at ar ab <<<"$(in_desktop box 0)"
convert "$shots/about-root.png" \
  -crop "$((ar - al + 20))x$((ab - at + 20))+$((X + al - 10))+$((Y + at - 10))" +repage \
  "$shots/about-box.png"
# The link is drawn underlined in its link colour, RGB(0, 0, 238).
read -r ll lt lr lb <<<"$(in_desktop box $LINK)"
convert "$shots/about-root.png" -crop "$((lr - ll))x$((lb - lt))+$ll+$lt" +repage \
  -unique-colors txt:- | grep -i '#0000EE' >/dev/null || fail "the link is not drawn in its link colour"
echo "ok: the link shows its link colour"

# F1 while the box has the focus opens a second one on top; Escape closes it.
xdo windowfocus --sync "$desktop_x"
xdo key F1
wait_until 20 boxes_open 2 || fail "F1 in the About box did not open a second one"
echo "ok: F1 opened a second About box"
xdo key Escape
wait_until 20 boxes_open 1 || fail "Escape did not close the second About box"
echo "ok: Escape closed it"

# OK closes the first; the main window takes input again and Quit ends the program.
click_centre "$(in_desktop box 1)"
wait_until 20 boxes_open 0 || fail "OK did not close the About box"
echo "ok: OK closed the About box"
click_centre "$(in_desktop main $QUIT)"
wait_for_exit Quit
reset_settings
echo "PASS: screenshot in $shots/about-box.png"
