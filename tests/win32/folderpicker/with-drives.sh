#!/usr/bin/env bash
# Runs the picker's tests in a Wine prefix of their own, with the drives R: (a
# floppy), S: (a CD-ROM) and T: (a network drive), each a folder here. Wine
# reads the drive types when its services start, so the prefix's server is
# restarted after they are set; no other test uses this prefix.
#   with-drives.sh TEST_EXE PREFIX_DIR DRIVES_DIR [gtest options...]
set -euo pipefail
exe=$(realpath "$1") prefix=$(realpath -m "$2") drives=$(realpath -m "$3")
shift 3
scripts=$(dirname "$0")/../../../scripts
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
"$scripts/wine-prefix" ensure "$prefix"

reg_add() { "$WINE" reg add "$@" /f >/dev/null 2>&1 || { echo "could not set $*" >&2; exit 1; }; }
for drive in r:floppy s:cdrom t:network; do
  letter=${drive%%:*} type=${drive#*:}
  mkdir -p "$drives/$letter"
  ln -sfn "$drives/$letter" "$prefix/dosdevices/$letter:"
  reg_add 'HKLM\Software\Wine\Drives' /v "$letter:" /d "$type"
done
reg_add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")\\X11 Driver" /v Managed /d N
"$WINESERVER" -k 2>/dev/null || true
"$WINESERVER" -w 2>/dev/null || true

out=$(mktemp) err=$(mktemp)
trap 'rm -f "$out" "$err"; "$WINESERVER" -k 2>/dev/null || true' EXIT
rc=0
TAVRIK_TEST_DRIVES=1 "$WINE" "$exe" "$@" >"$out" 2>"$err" || rc=$?
cat "$out"; cat "$err" >&2
exit $rc
