#!/usr/bin/env bash
# Makes the .deb from this build (without building anything again), unpacks it
# into a temporary root as dpkg would install it, and uses what it holds: the
# converter, its man page and the CMake package files.
set -euo pipefail
build=${1:?build folder}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$tmp/out" >"$tmp/log") || { cat "$tmp/log"; fail "cpack"; }
deb=$(ls "$tmp"/out/*.deb)
[ "$(basename "$deb")" = "tavrik_2.0_amd64.deb" ] || fail "package named $(basename "$deb")"
[ "$(dpkg-deb -f "$deb" Package)" = "tavrik" ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "2.0" ] || fail "package version"
dpkg-deb -f "$deb" Depends | grep "libc6" >/dev/null || fail "no dependency on the C library"

dpkg -x "$deb" "$tmp/root"
usr=$tmp/root/usr
for f in bin/tavrik share/man/man1/tavrik.1.gz share/doc/tavrik/copyright \
         share/cmake/Tavrik/TavrikConfig.cmake share/cmake/Tavrik/TavrikConfigVersion.cmake \
         share/cmake/Tavrik/TavrikEmbed.cmake; do
  [ -f "$usr/$f" ] || fail "the package lacks /usr/$f"
done

[ "$("$usr/bin/tavrik" --version)" = "tavrik 2.0" ] || fail "--version"
printf '\000\001\002\003\004\005\006\007\010\011' >"$tmp/in.bin"
"$usr/bin/tavrik" -q -l tex -o - "$tmp/in.bin" >"$tmp/out.c"
printf 'unsigned char tex[] = {\r\n0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07,\r\n0x08, 0x09};\r\n' \
  >"$tmp/want.c"
cmp "$tmp/out.c" "$tmp/want.c" || fail "the packaged converter wrote other text"

page=$(MANWIDTH=100 man -l "$usr/share/man/man1/tavrik.1.gz" 2>"$tmp/man.err") \
  || fail "man -l: $(cat "$tmp/man.err")"
[ ! -s "$tmp/man.err" ] || fail "man -l complained: $(cat "$tmp/man.err")"
for want in "tavrik - turn binary files into C arrays or R3000 assembler" \
            "--name-from-file" "--header FILE.h" "--align N" "tavrik 2.0"; do
  grep -qF -- "$want" <<<"$page" || fail "the man page lacks \"$want\":
$page"
done
echo "package $(basename "$deb") installs and runs"
