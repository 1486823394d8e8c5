#!/usr/bin/env bash
# Installs this build into a temporary prefix, builds examples/embed against it as
# another project would (find_package(Tavrik), tavrik_embed), runs the program and
# checks it against its inputs; then changes one input and checks that only that
# one is converted again.
set -euo pipefail
build=${1:?build folder} source=${2:?source folder}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
cp -r "$source/examples/embed" "$tmp/src"
cmake -S "$tmp/src" -B "$tmp/build" -G Ninja >/dev/null \
  -DCMAKE_PREFIX_PATH="$tmp/prefix" -DCMAKE_C_COMPILER=gcc

# Lengths and Adler-32 of the files as they are on disk.
expected() {
  python3 - "$tmp/src/data" <<'PY'
import sys, zlib, pathlib
for name in ("logo.tim", "cube.tmd"):
    data = (pathlib.Path(sys.argv[1]) / name).read_bytes()
    print(f"{name} {len(data)} {zlib.adler32(data):08x}")
PY
}
check_program() {
  local got want
  got=$("$tmp/build/embed_example")
  want=$(expected)
  [ "$got" = "$want" ] || fail "the program printed
$got
instead of
$want"
}

cmake --build "$tmp/build" >"$tmp/log" || { cat "$tmp/log"; fail "first build"; }
grep -q "Embedding logo" "$tmp/log" && grep -q "Embedding cube" "$tmp/log" \
  || fail "both files converted on the first build: $(cat "$tmp/log")"
# The converter that ran is the installed one, not the one of this build. (grep reads
# to the end: with -q, ninja could die of a broken pipe and pipefail fail the check.)
ninja -C "$tmp/build" -t commands | grep -F "$tmp/prefix/bin/tavrik" >/dev/null \
  || fail "the build does not run $tmp/prefix/bin/tavrik"
check_program

cmake --build "$tmp/build" >"$tmp/log"
grep -q "no work to do" "$tmp/log" || fail "an unchanged tree was built again: $(cat "$tmp/log")"

generated=$tmp/build/tavrik_embed/embed_example
cube_before=$(stat -c %Y.%y "$generated/cube.c")
header_before=$(stat -c %y "$generated/include/assets.h")
printf 'more' >>"$tmp/src/data/logo.tim"
touch -d '+2 seconds' "$tmp/src/data/logo.tim"
cmake --build "$tmp/build" >"$tmp/log"
grep -q "Embedding logo" "$tmp/log" || fail "the changed file was not converted again: $(cat "$tmp/log")"
if grep -q "Embedding cube" "$tmp/log"; then fail "the unchanged file was converted again"; fi
[ "$(stat -c %Y.%y "$generated/cube.c")" = "$cube_before" ] || fail "cube.c was rewritten"
[ "$(stat -c %y "$generated/include/assets.h")" = "$header_before" ] || fail "assets.h was rewritten"
check_program

# A touched file is converted again even when its bytes stayed the same.
touch -d '+4 seconds' "$tmp/src/data/cube.tmd"
cmake --build "$tmp/build" >"$tmp/log"
grep -q "Embedding cube" "$tmp/log" || fail "the touched file was not converted again"
check_program
echo "example built, run and rebuilt against $tmp/prefix"
