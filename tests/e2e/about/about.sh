#!/usr/bin/env bash
# Opens the About box of the real Tavrik.exe as a person would, in a Wine virtual
# desktop (which draws caption bars as a user sees them): a click on Info, a look
# at what the box shows and a screenshot of it, F1 inside it for a second box on
# top, Escape and OK to close them, and Quit to end the program.
#   about.sh TAVRIK_EXE PROBE_EXE WORK_DIR
set -euo pipefail
tavrik=$(realpath "$1") probe=$(realpath "$2")
work=$3
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no X display; run under scripts/xvfb" >&2; exit 1; }

export WINEPREFIX=${WINEPREFIX:-$(dirname "$(dirname "$tavrik")")/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
"$(dirname "$0")/../../../scripts/wine-prefix" ensure "$WINEPREFIX"

rm -rf "$work"
shots=$work/screenshots
mkdir -p "$shots"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

desktop='tavrik-about,640x420'
app_pid='' desktop_pid=''
cleanup() {
  for pid in $app_pid $desktop_pid; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT
trap 'exit 1' TERM INT  # so that a timeout still ends the programs we started

fail() {
  echo "FAIL: $*" >&2
  timeout 10 import -window root "$shots/failure.png" 2>/dev/null || true
  exit 1
}

# Repeats a command until it succeeds, for at most $1 seconds.
wait_until() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}

xdo() { timeout 15 xdotool "$@" || fail "xdotool $* did not succeed"; }

# The probe runs in the program's desktop; its output comes back through a file.
probe() {
  local out=$work/probe.txt
  rm -f "$out"
  TAVRIK_PROBE_OUT=$(winpath "$out") timeout 20 "$WINE" explorer /desktop=$desktop "$probe" "$@" \
    >/dev/null 2>&1 || return 1
  wait_until 10 grep -q '^rc=' "$out" || return 1
  tr -d '\r' <"$out" | grep -v '^rc=' || true
  grep -q '^rc=0' "$out"
}
boxes_open() { [ "$(probe count)" = "$1" ]; }

click_centre() {  # left top right bottom
  read -r l t r b <<<"$1"
  xdo mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

expect_eq() {  # what, expected, actual
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  echo "ok: $1"
}

INFO=1008 QUIT=2 LINK=1010 DESCRIPTION=1011

wine_reg() { timeout 30 "$WINE" reg "$@" >/dev/null 2>&1 || true; }
wine_reg delete 'HKCU\Software\Tavrik' /f

(cd "$work" && exec "$WINE" explorer /desktop=$desktop "$tavrik" >"$work/desktop.log" 2>&1) &
desktop_pid=$!
desktop_name=${desktop%%,*}
wait_until 30 bash -c "xdotool search --onlyvisible --name '^$desktop_name - Wine desktop\$'" \
  || fail "the virtual desktop did not open"
desktop_x=$(xdotool search --onlyvisible --name "^$desktop_name - Wine desktop\$" | head -n1)
wait_until 30 probe main $INFO || fail "the main window did not open in the virtual desktop"
app_pid=$(pgrep -f -x -n -- "$tavrik" || true)
[ -n "$app_pid" ] || fail "Tavrik.exe is not running"
sleep 0.5

# Info opens the box over the main window.
click_centre "$(probe main $INFO)"
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
expect_eq "the description" "$expected_description" "$(probe text $DESCRIPTION)"
expect_eq "the link's caption" "quendal.example" "$(probe text $LINK)"
sleep 0.5  # let it paint
timeout 15 import -window root "$shots/about-root.png" || fail "no screenshot"
# The screenshot shows the box as a person sees it, with a margin of the desktop.
eval "$(xdotool getwindowgeometry --shell "$desktop_x")"
read -r al at ar ab <<<"$(probe box 0)"
convert "$shots/about-root.png" \
  -crop "$((ar - al + 20))x$((ab - at + 20))+$((X + al - 10))+$((Y + at - 10))" +repage \
  "$shots/about-box.png"
# The link is drawn underlined in its link colour, RGB(0, 0, 238).
read -r ll lt lr lb <<<"$(probe box $LINK)"
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
click_centre "$(probe box 1)"
wait_until 20 boxes_open 0 || fail "OK did not close the About box"
echo "ok: OK closed the About box"
click_centre "$(probe main $QUIT)"
end=$((SECONDS + 20))
while kill -0 "$app_pid" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "Tavrik did not end after Quit"
  sleep 0.2
done
app_pid=
wine_reg delete 'HKCU\Software\Tavrik' /f
echo "PASS: screenshot in $shots/about-box.png"
