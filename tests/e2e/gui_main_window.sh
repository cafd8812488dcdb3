#!/usr/bin/env bash
# Dovrel.exe opens its main window under Wine, the close box ends it with exit code 0.
# Arguments: Dovrel.exe, the window driver, a folder for the screenshot.
set -u
dovrel=$1
driver=$2
out=$3
if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null; exit 1; }

wine "$dovrel" &
pid=$!
answer=$(wine "$driver" wait TMainForm Dovrel 60 | tr -d '\r') || fail "the main window did not appear"
size=$(sed -n 1p <<<"$answer")
[ "$size" = "client 698 475" ] || fail "main window has $size"
read -r _ x y < <(sed -n 2p <<<"$answer")
sleep 0.5
if command -v import >/dev/null; then import -window root "$out/gui_main_window.png" 2>/dev/null; fi
# Click the close box as a user would.
xdotool mousemove "$x" "$y" click 1 || fail "xdotool could not click"
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Dovrel.exe still runs after its close box"
wait "$pid"
code=$?
[ "$code" = 0 ] || fail "Dovrel.exe exited with $code"
echo "main window passed"
