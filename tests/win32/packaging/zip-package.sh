#!/usr/bin/env bash
# Makes the Windows zip from this build (without building anything again), unpacks
# it and runs the converter it holds under Wine.
set -euo pipefail
build=${1:?build folder} source=${2:?source folder} name=${3:?package name}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G ZIP -B "$tmp/out" >"$tmp/log") || { cat "$tmp/log"; fail "cpack"; }
zip=$tmp/out/$name.zip
[ -f "$zip" ] || fail "no $(basename "$zip") among: $(ls "$tmp/out")"
mkdir "$tmp/unpacked"
(cd "$tmp/unpacked" && cmake -E tar xf "$zip")
top=$tmp/unpacked/$name
listing=$(cd "$top" && find . -type f | sort | tr '\n' ' ')
[ "$listing" = "./LICENSE.txt ./README.txt ./Tavrik.exe ./tavrik-cli.exe " ] \
  || fail "the zip holds: $listing"
# Text for Notepad: every line ends with CR LF.
for doc in README.txt LICENSE.txt; do
  [ "$(grep -c $'\r$' "$top/$doc")" = "$(wc -l <"$top/$doc")" ] || fail "$doc has bare line feeds"
done
head -c 2 "$top/Tavrik.exe" | grep MZ >/dev/null || fail "Tavrik.exe is no Windows program"

version=$("$source/scripts/wine-run" "$top/tavrik-cli.exe" --version | tr -d '\r')
[ "$version" = "tavrik 2.0" ] || fail "tavrik-cli.exe --version gave \"$version\""
echo "the zip holds $listing and its converter runs"
