#!/usr/bin/env bash
# Starts the real Tavrik.exe in a Wine virtual desktop (so the screenshot shows the
# window as a person sees it) with a 200-character path on its command line, as
# "Send To" starts it. The list must hold that path and show its horizontal scroll
# bar; clicking the entry and pressing Delete must empty the list, and the scroll
# bar must go with it.
#   long_path.sh TAVRIK_EXE PROBE_EXE WORK_DIR
set -euo pipefail
tavrik=$(realpath "$1") probe=$(realpath "$2")
work=$3
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no X display; run under scripts/xvfb" >&2; exit 1; }

export WINEPREFIX=${WINEPREFIX:-$(dirname "$(dirname "$tavrik")")/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
"$(dirname "$0")/../../../scripts/wine-prefix" ensure "$WINEPREFIX"

rm -rf "$work"
mkdir -p "$work"
shots=$work/screenshots
mkdir -p "$shots"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

app_pid= desktop_pid=
cleanup() {
  for pid in $app_pid $desktop_pid; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT
trap 'exit 1' TERM INT

fail() {
  echo "FAIL: $*" >&2
  timeout 10 import -window root "$shots/failure.png" 2>/dev/null || true
  exit 1
}
wait_until() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.2
  done
}
xdo() { timeout 15 xdotool "$@" || fail "xdotool $* did not succeed"; }
shot() { timeout 15 import -window root "$shots/$1.png" || fail "no screenshot $1"; }
has_xwindow() { [ -n "$(timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)" ]; }
expect_eq() {
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  echo "ok: $1 = [$3]"
}

# A file whose full Windows path is exactly 200 characters.
prefix="$(winpath "$work")\\"
name_len=$((200 - ${#prefix} - 4))
[ $name_len -gt 20 ] || fail "the work folder's path is too long for this test"
name=$(printf '%*s' "$name_len" '' | tr ' ' 'n')
printf 'x' >"$work/$name.tim"
long="$prefix$name.tim"
expect_eq "path length" 200 "${#long}"

wine_out() {
  local out rc=0
  out=$(mktemp)
  timeout 30 "$WINE" "$@" >"$out" 2>/dev/null || rc=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $rc
}
wine_out reg delete 'HKCU\Software\Tavrik' /f >/dev/null 2>&1 || true

desktop=tavrik-list,640x420
(cd "$work" && exec "$WINE" explorer /desktop=$desktop "$tavrik" "$long" >"$work/desktop.log" 2>&1) &
desktop_pid=$!
# The probe has to run in the same desktop; its output comes back through a file.
in_desktop() {
  local out=$work/probe.txt
  rm -f "$out"
  TAVRIK_PROBE_OUT=$(winpath "$out") timeout 20 "$WINE" explorer /desktop=$desktop "$probe" "$@" \
    >/dev/null 2>&1 || return 1
  wait_until 10 grep -q '^rc=' "$out" || return 1
  tr -d '\r' <"$out" | grep -v '^rc=' || true
  grep -q '^rc=0' "$out"
}
wait_until 30 has_xwindow "^${desktop%%,*} - Wine desktop\$" || fail "the virtual desktop did not open"
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
desktop_x=$(timeout 10 xdotool search --onlyvisible --name "^${desktop%%,*} - Wine desktop\$" | head -n1)
xdo windowfocus --sync "$desktop_x"
xdo mousemove --sync $((ll + 20)) $((lt + 6)) click 1
sleep 0.3
xdo key Delete
sleep 0.5
expect_eq "list after Delete" "" "$(in_desktop list $LIST)"
sleep 0.5
shot deleted
expect_eq "colours in the list's bottom strip after Delete" 1 "$(strip_colours deleted)"

read -r ql qt qr qb <<<"$(in_desktop box $QUIT)" || fail "no Quit button"
xdo mousemove --sync $(((ql + qr) / 2)) $(((qt + qb) / 2)) click 1
end=$((SECONDS + 20))
while [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; do
  [ $SECONDS -lt $end ] || fail "Tavrik did not end after Quit"
  sleep 0.2
done
app_pid=
wine_out reg delete 'HKCU\Software\Tavrik' /f >/dev/null 2>&1 || true
echo "PASS: screenshots in $shots"
