#!/usr/bin/env bash
# dovrel-cli answers --version and --help and refuses what it does not know.
# Arguments: the runner ("" natively, wine for the Windows build) and the program.
set -u
runner=$1
cli=$2
run() { if [ -n "$runner" ]; then "$runner" "$cli" "$@"; else "$cli" "$@"; fi; }
fail() { echo "FAIL: $*"; exit 1; }

out=$(run --version | tr -d '\r') || fail "--version exited with $?"
[[ $out =~ ^dovrel-cli\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version printed '$out'"

out=$(run --help | tr -d '\r') || fail "--help exited with $?"
grep -q '^Usage: dovrel-cli' <<<"$out" || fail "--help printed no usage"

run --frobnicate >/dev/null 2>/tmp/dovrel-cli-err.$$
code=$?
err=$(tr -d '\r' </tmp/dovrel-cli-err.$$); rm -f /tmp/dovrel-cli-err.$$
[ "$code" = 2 ] || fail "unknown command exited with $code"
grep -q 'unknown command "--frobnicate"' <<<"$err" || fail "unknown command said '$err'"
if [ -z "$runner" ]; then
    err=$(run hide some.txt 2>&1 >/dev/null)
    code=$?
    [ "$code" = 2 ] && grep -q 'hide works on Windows only' <<<"$err" ||
        fail "hide on Linux exited with $code: '$err'"
fi
run show 2>/dev/null
[ $? = 2 ] || fail "show without --all or indices was taken"
echo "cli basics passed"
