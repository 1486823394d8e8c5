#!/usr/bin/env bash
# Opens the preview of source-list entries in the real Tavrik.exe as a person
# would: a double-click on the entry, Right for the next palette, Escape or Enter
# to close. Runs in a Wine virtual desktop, so that the screenshot it keeps
# shows the windows with their caption bars.
#   preview.sh TAVRIK_EXE PROBE_EXE WORK_DIR
set -euo pipefail
tavrik=$(realpath "$1") probe=$(realpath "$2")
work=$3
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no X display; run under scripts/xvfb" >&2; exit 1; }

export WINEPREFIX=${WINEPREFIX:-$(dirname "$(dirname "$tavrik")")/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
"$(dirname "$0")/../../../scripts/wine-prefix" ensure "$WINEPREFIX"

rm -rf "$work"
mkdir -p "$work/in" "$work/screenshots"
shots=$work/screenshots
winpath() { printf 'Z:%s' "${1//\//\\}"; }
desktop='tavrik-preview'
geometry=720x640

desktop_pid='' app_pid=''
cleanup() {
  for pid in $app_pid $desktop_pid; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT
trap 'exit 1' TERM INT

wait_until() {  # seconds command...
  local end=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
xwindow() { timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_xwindow() { [ -n "$(xwindow "$1")" ]; }
xdo() { timeout 15 xdotool "$@" || fail "xdotool $* did not succeed"; }
fail() {
  echo "FAIL: $*" >&2
  timeout 10 import -window root "$shots/failure.png" 2>/dev/null || true
  exit 1
}
expect_eq() {
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  echo "ok: $1 = [$3]"
}

# The probe runs in the same virtual desktop; its output comes back through a file.
probe() {
  local out=$work/probe.txt
  rm -f "$out"
  TAVRIK_PROBE_OUT=$(winpath "$out") timeout 20 "$WINE" explorer /desktop=$desktop,$geometry \
    "$probe" "$@" >/dev/null 2>&1 || return 1
  wait_until 10 grep -q '^rc=' "$out" || return 1
  tr -d '\r' <"$out" | grep -v '^rc=' || true
  grep -q '^rc=0' "$out"
}

# The X screen position of the virtual desktop, to turn its coordinates into the display's.
desktop_origin() {
  eval "$(xdotool getwindowgeometry --shell "$desktop_x")"
  printf '%s %s' "$X" "$Y"
}
double_click_entry() {
  local x y
  read -r x y <<<"$(probe item "$1")" || fail "no entry $1 in the source list"
  xdo mousemove --sync $((ox + x)) $((oy + y))
  xdo click --repeat 2 --delay 80 1
}
line_is() { [ "$(probe info)" = "$1" ]; }
# The colour of one pixel of a screenshot of the whole display, as "srgb(r,g,b)".
pixel() { convert "$shots/$1.png" -format "%[pixel:p{$2,$3}]" info:; }

timeout 60 "$WINE" "$probe" fixtures "$(winpath "$work/in")" >/dev/null 2>&1 || fail "no fixtures written"
tim_before=$(sha256sum <"$work/in/pic1.tim")
wine_reg() { timeout 30 "$WINE" reg "$@" >/dev/null 2>&1; }
wine_reg delete 'HKCU\Software\Tavrik' /f || true

"$WINE" explorer /desktop=$desktop,$geometry "$tavrik" >"$work/tavrik.log" 2>&1 &
desktop_pid=$!
wait_until 30 has_xwindow "^$desktop - Wine desktop\$" || fail "the virtual desktop did not open"
desktop_x=$(xwindow "^$desktop - Wine desktop\$")
read -r ox oy <<<"$(desktop_origin)"
wait_until 30 probe count || fail "the main window did not open"
app_pid=$(pgrep -f -x -n -- "$tavrik" || true)
[ -n "$app_pid" ] || fail "Tavrik.exe is not running in the virtual desktop"
for name in pic1.tim car.tmd sound.vag; do
  probe add "$(winpath "$work/in/$name")" || fail "could not add $name"
done
expect_eq "entries" 3 "$(probe count)"
xdo windowfocus --sync "$desktop_x"

# Sorted: car.tmd, pic1.tim, sound.vag.
double_click_entry 1
wait_until 20 probe info || fail "no preview after a double-click on pic1.tim"
sleep 0.5
expect_eq "line" "pic1.tim: TIM, 8-bit, 128x96, palette 1 of 4" "$(probe info)"
xdo key Right
wait_until 10 line_is "pic1.tim: TIM, 8-bit, 128x96, palette 2 of 4" || true
expect_eq "line after Right" "pic1.tim: TIM, 8-bit, 128x96, palette 2 of 4" "$(probe info)"
xdo mousemove --sync $((ox + 5)) $((oy + 5))  # the pointer out of the picture
sleep 0.5
timeout 15 import -window root "$shots/preview-screen.png" || fail "no screenshot"
convert "$shots/preview-screen.png" -crop "${geometry}+${ox}+${oy}" +repage "$shots/preview.png"

# 128 x 96 at 4 times: 512 x 384, centred in the area. The corner of the picture
# is see-through, so it shows the checkerboard: white, then grey 8 pixels on.
read -r pl pt pr pb <<<"$(probe pane)"
top=$((pt + (pb - pt - 384) / 2))
expect_eq "see-through corner" "srgb(255,255,255)" "$(pixel preview-screen $((ox + pl + 1)) $((oy + top + 1)))"
expect_eq "next square" "srgb(192,192,192)" "$(pixel preview-screen $((ox + pl + 9)) $((oy + top + 1)))"
centre=$(pixel preview-screen $((ox + (pl + pr) / 2)) $((oy + top + 192)))
case "$centre" in
  "srgb(255,255,255)" | "srgb(192,192,192)") fail "the ball's centre shows the checkerboard" ;;
esac
echo "ok: the ball's centre is $centre"

xdo key Escape
wait_until 20 eval '! probe info' || fail "the preview did not close on Escape"
echo "ok: Escape closed the preview"

double_click_entry 0
wait_until 20 probe info || fail "no preview after a double-click on car.tmd"
expect_eq "model line" "car.tmd: TMD model, 12 objects" "$(probe info)"
xdo key Return
wait_until 20 eval '! probe info' || fail "the preview did not close on Enter"
echo "ok: Enter closed the preview"

double_click_entry 2
wait_until 20 probe info || fail "no preview after a double-click on sound.vag"
expect_eq "raw line" "sound.vag: raw data, 31,264 bytes" "$(probe info)"
xdo key Escape
wait_until 20 eval '! probe info' || fail "the preview did not close"

expect_eq "entries after the previews" 3 "$(probe count)"
expect_eq "pic1.tim unchanged" "$tim_before" "$(sha256sum <"$work/in/pic1.tim")"
# Loading the settings may create their key, but only closing the main window writes values.
values=$(timeout 30 "$WINE" reg query 'HKCU\Software\Tavrik' 2>/dev/null | tr -d '\r' | grep REG_ || true)
expect_eq "settings written by the previews" "" "$values"

# Escape now ends the main window.
xdo key Escape
wait_until 20 bash -c "! kill -0 $app_pid" || fail "Tavrik did not end"
app_pid=
wine_reg delete 'HKCU\Software\Tavrik' /f || true
echo "PASS: screenshot in $shots/preview.png"
