# shellcheck shell=bash
# What every end-to-end script shares: the set-up of Wine and the work folder,
# and the helpers that drive the real Tavrik.exe on the test run's X display.
# Sourced with the script's own arguments:
#   . "$(dirname "$0")/../lib.sh" TAVRIK_EXE PROBE_EXE WORK_DIR
# It leaves tavrik, probe, work, shots and WINE set and the work folder fresh;
# whatever app_pid and desktop_pid name is ended when the script ends.
set -euo pipefail
tavrik=$(realpath "$1") probe=$(realpath "$2")
work=$3
[ -n "${DISPLAY:-}" ] || { echo "FAIL: no X display; run under scripts/xvfb" >&2; exit 1; }

export WINEPREFIX=${WINEPREFIX:-$(dirname "$(dirname "$tavrik")")/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
"$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-prefix" ensure "$WINEPREFIX"

rm -rf "$work"
shots=$work/screenshots
mkdir -p "$shots"

# The real program keeps its settings here.
SETTINGS_KEY='HKCU\Software\Tavrik'

app_pid='' desktop_pid=''
cleanup() {
  for pid in $app_pid $desktop_pid; do
    kill "$pid" 2>/dev/null || true
  done
}
trap cleanup EXIT
trap 'exit 1' TERM INT  # so that a timeout still ends the programs we started

winpath() { printf 'Z:%s' "${1//\//\\}"; }

# A script may define explain_failure to add what it knows to the message.
fail() {
  echo "FAIL: $*" >&2
  timeout 10 import -window root "$shots/failure.png" 2>/dev/null || true
  if declare -F explain_failure >/dev/null; then
    explain_failure >&2 || true
  fi
  exit 1
}

expect_eq() {  # what, expected, actual
  [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"
  echo "ok: $1 = [$3]"
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

# xdotool's --sync waits for ever when the display never answers.
xdo() { timeout 15 xdotool "$@" || fail "xdotool $* did not succeed"; }
xwindow() { timeout 10 xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }
has_xwindow() { [ -n "$(xwindow "$1")" ]; }
click_centre() {  # "left top right bottom"
  local l t r b
  read -r l t r b <<<"$1"
  xdo mousemove --sync $(((l + r) / 2)) $(((t + b) / 2)) click 1
}

shot() { timeout 15 import -window root "$shots/$1.png" || fail "no screenshot $1"; }
# The colour of one pixel of a screenshot, as "srgb(r,g,b)".
pixel() { convert "$shots/$1.png" -format "%[pixel:p{$2,$3}]" info:; }

# A Wine program's output goes through files: Wine's helper processes would keep a pipe open.
wine_out() {
  local out rc=0
  out=$(mktemp)
  timeout 30 "$WINE" "$@" >"$out" 2>/dev/null || rc=$?
  tr -d '\r' <"$out"
  rm -f "$out"
  return $rc
}
reset_settings() { wine_out reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1 || true; }

# A Wine virtual desktop draws caption bars as a person sees them. $desktop names
# it as "name,WIDTHxHEIGHT"; the program starts in it from the work folder.
# shellcheck disable=SC2120  # the arguments are optional
start_in_desktop() {  # arguments for Tavrik.exe...
  (cd "$work" && exec "$WINE" explorer /desktop="$desktop" "$tavrik" "$@" >"$work/desktop.log" 2>&1) &
  desktop_pid=$!
  wait_until 30 has_xwindow "^${desktop%%,*} - Wine desktop\$" || fail "the virtual desktop did not open"
  desktop_x=$(xwindow "^${desktop%%,*} - Wine desktop\$")
}

# The probe run inside the virtual desktop, where the windows are: it prints the
# probe's output, which comes back through a file, and fails as the probe did.
in_desktop() {
  local out=$work/probe.txt
  rm -f "$out"
  TAVRIK_PROBE_OUT=$(winpath "$out") timeout 20 "$WINE" explorer /desktop="$desktop" "$probe" "$@" \
    >/dev/null 2>&1 || return 1
  wait_until 10 grep -q '^rc=' "$out" || return 1
  tr -d '\r' <"$out" | grep -v '^rc=' || true
  grep -q '^rc=0' "$out"
}

# The running Tavrik.exe, started without arguments, into app_pid.
find_app() {
  app_pid=$(pgrep -f -x -n -- "$tavrik" || true)
  [ -n "$app_pid" ] || fail "Tavrik.exe is not running"
}

# Waits until Tavrik.exe ($app_pid) has ended after what $1 names.
wait_for_exit() {
  local end=$((SECONDS + 20))
  while [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; do
    [ $SECONDS -lt $end ] || fail "Tavrik did not end after $1"
    sleep 0.2
  done
  app_pid=
}
