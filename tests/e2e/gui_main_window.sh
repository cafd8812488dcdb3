#!/usr/bin/env bash
# Dovrel.exe opens its main window under Wine, the close box ends it with exit code 0; with
# German chosen in the options file the window's texts come from Deutsch.lng.
# Arguments: Dovrel.exe, the window driver, a folder for the screenshot.
set -u
dovrel=$1
driver=$2
out=$3
if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
fail() { echo "FAIL: $*"; kill "$pid" 2>/dev/null; exit 1; }

# A first start: no main password yet, so the first activation asks for one. What other
# tests left in the data folder is put back afterwards.
data=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Dovrel
mkdir -p "$data"
for kept in base.dat options.ini; do
    [ -e "$data/$kept" ] && mv "$data/$kept" "$data/$kept.e2e-saved"
done
restore() {
    for kept in base.dat options.ini; do
        rm -f "$data/$kept"
        [ -e "$data/$kept.e2e-saved" ] && mv "$data/$kept.e2e-saved" "$data/$kept"
    done
}
trap restore EXIT

wine "$dovrel" &
pid=$!
answer=$(wine "$driver" wait TMainForm Dovrel 60 | tr -d '\r') || fail "the main window did not appear"
size=$(sed -n 1p <<<"$answer")
[ "$size" = "client 698 475" ] || fail "main window has $size"
read -r _ x y < <(sed -n 2p <<<"$answer")
# Cancelling the new-password dialog leaves the program usable without a main password.
wine "$driver" wait TChangeMainPassForm "Set New Main Password" 20 >/dev/null ||
    fail "no new-password dialog at the first start"
wine "$driver" close TChangeMainPassForm "Set New Main Password"
sleep 0.5
wine "$driver" wait TChangeMainPassForm "Set New Main Password" 0 >/dev/null 2>&1 &&
    fail "the new-password dialog stayed open"
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

# German: the language file's texts replace the designed ones on the real controls.
printf '[Options]\r\nLanguageID=1031\r\n' >"$data/options.ini"
wine "$dovrel" &
pid=$!
wine "$driver" wait TMainForm Dovrel 60 >/dev/null || fail "the German main window did not appear"
texts=$(wine "$driver" texts TMainForm Dovrel | tr -d '\r')
for text in Hilfe Beenden 'Passwort maskieren' 'Passwort eingeben:'; do
    grep -qx "$text" <<<"$texts" || fail "no \"$text\" among the German texts: $texts"
done
grep -qx 'Help' <<<"$texts" && fail "the Help button was not translated"
wine "$driver" close TMainForm Dovrel
wait "$pid" || fail "the German Dovrel.exe exited with $?"
echo "main window passed"
