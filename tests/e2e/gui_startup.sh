#!/usr/bin/env bash
# Dovrel.exe's start-up under Wine: it records where it is installed in the registry and
# creates its data folder; a missing picture stops it with the file-open error, exit code 1,
# and with -debug the exception is recorded with its stack in the log.
# Arguments: the folder of the built programs, the window driver, a scratch folder.
set -u
bin=$1
driver=$2
scratch=$3
if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
fail() { echo "FAIL: $*"; exit 1; }

# A normal start, ended by its close box message.
data=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Dovrel
rm -f "$data/Dovrel.exe.log"
wine reg delete 'HKCU\Software\Kestrane\Dovrel' /f >/dev/null 2>&1
wine "$bin/Dovrel.exe" &
pid=$!
wine "$driver" wait TMainForm Dovrel 60 >/dev/null || fail "the main window did not appear"
app_path=$(wine reg query 'HKCU\Software\Kestrane\Dovrel' /v AppPath | tr -d '\r' | awk -F'REG_SZ' '/AppPath/ {print $2}' | sed 's/^ *//')
expected=$(winepath -w "$bin/" | tr -d '\r')
[ "$app_path" = "$expected" ] || fail "AppPath is '$app_path', expected '$expected'"
[ -d "$data" ] || fail "no data folder $data"
[ -e "$data/Dovrel.exe.log" ] && fail "a log file exists without -debug"
wine "$driver" close TMainForm Dovrel
wait "$pid" || fail "Dovrel.exe exited with $?"

# The same program without one of its pictures.
rm -rf "$scratch/broken" && mkdir -p "$scratch/broken"
cp -r "$bin/." "$scratch/broken/"
rm "$scratch/broken/res/7.jpg"
wine "$scratch/broken/Dovrel.exe" -debug &
pid=$!
wine "$driver" wait '#32770' Dovrel 60 >/dev/null || fail "no message box for the missing picture"
texts=$(wine "$driver" texts '#32770' Dovrel | tr -d '\r')
grep -q 'Cannot open file ".*7\.jpg"\. ' <<<"$texts" || fail "message box says: $texts"
wine "$driver" close '#32770' Dovrel
wait "$pid"
code=$?
[ "$code" = 1 ] || fail "exit code $code after the start-up error"
log=$(tr -d '\r' <"$data/Dovrel.exe.log" 2>/dev/null)
grep -q '^Exception .* in module Dovrel\.exe at [0-9A-F]\{8\}\.$' <<<"$log" ||
    fail "no exception record in the log: $log"
grep -q 'Cannot open file ".*7\.jpg"' <<<"$log" || fail "the record lacks the message: $log"
grep -q '^\[[0-9A-F]\{8,\}\] [A-Za-z]' <<<"$log" || fail "the record has no stack lines: $log"
rm -f "$data/Dovrel.exe.log"
echo "start-up passed"
