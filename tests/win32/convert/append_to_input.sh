#!/usr/bin/env bash
# The converter under Wine with its standard output redirected by a Unix shell onto
# its own input, or onto another input of the run: refused, the input unchanged, and
# every run bounded in time. A redirection onto a new file still gets the text.
set -u
cli=${1:?usage: append_to_input.sh tavrik-cli.exe}
wine=/usr/lib/wine/wine64
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
run() { timeout 120 "$wine" "$cli" "$@"; }

printf 'A%.0s' $(seq 1 3000) >g.tim
printf 'B' >a.tim
cp g.tim g.before

rc=0; run -q -o - g.tim >>g.tim 2>err.txt || rc=$?
[ "$rc" = 1 ] || fail "appending to its own input: status $rc, want 1"
cmp -s g.tim g.before || fail "appending to its own input changed it ($(stat -c %s g.tim) bytes)"
tr -d '\r' <err.txt | grep -x 'Output file (standard output) would overwrite its input file!' >/dev/null ||
  fail "appending to its own input: message $(cat err.txt)"

rc=0; run -q -o - a.tim g.tim >>g.tim 2>err.txt || rc=$?
[ "$rc" = 1 ] || fail "appending to a later input: status $rc, want 1"
cmp -s g.tim g.before || fail "appending to a later input changed it"
tr -d '\r' <err.txt | grep -x 'Output file (standard output) would overwrite input file g.tim of this run!' >/dev/null ||
  fail "appending to a later input: message $(cat err.txt)"

rc=0; run -q -o - -l g g.tim >g.c 2>err.txt || rc=$?
[ "$rc" = 0 ] || fail "writing a new file: status $rc, $(cat err.txt)"
head -c 21 g.c | grep '^unsigned char g\[\] = {' >/dev/null || fail "writing a new file: $(head -c 40 g.c)"
[ "$(stat -c %s g.c)" -gt 18000 ] || fail "writing a new file: only $(stat -c %s g.c) bytes"

[ "$failures" = 0 ] && echo "all cases passed"
exit "$failures"
