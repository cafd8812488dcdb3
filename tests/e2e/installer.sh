#!/usr/bin/env bash
# Dovrel-setup.exe in a fresh Wine prefix, as a user meets it: a silent install, the program
# registered and found, the uninstaller's warning about hidden items, a silent uninstall
# that keeps the user's data, and an upgrade over an installed version.
# Arguments: the setup program, the window driver, a scratch folder.
set -u
setup=$1
driver=$2
scratch=$3
if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
fail() { echo "FAIL: $*"; exit 1; }

export WINEPREFIX=$scratch/installer-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
rm -rf "$WINEPREFIX"
wineboot --init >/dev/null 2>&1
wineserver -w
trap 'wineserver -k 2>/dev/null; rm -rf "$WINEPREFIX"' EXIT

program="$WINEPREFIX/drive_c/Program Files/Dovrel"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Dovrel.lnk"
data=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Dovrel
clsid='{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dovrel'
installed_files=(Dovrel.exe dovrel-cli.exe TOLV_CONTEXT_MENU.dll uninstall.exe cryptos1033.ini
                 shreds1033.ini cryptos1031.ini Deutsch.lng Francais.lng res/0.jpg res/9.jpg
                 res/MainForm.jpg res/Dovrel.ico Help/Help.chm)

has_key() { wine reg query "$1" >/dev/null 2>&1; }
value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -F'REG_SZ' "/$2/ {print \$2}" | sed 's/^ *//'; }
# Runs a program of the prefix and waits for it and everything it started (the uninstaller
# runs from a copy of itself in the temporary folder).
run() { wine "$@"; wineserver -w; }

# --- silent install ------------------------------------------------------------------
run "$setup" /S
for file in "${installed_files[@]}"; do
    [ -f "$program/$file" ] || fail "$file was not installed"
done
[ -e "$program/make-pictures.sh" ] && fail "a build script was installed"
[ -f "$shortcut" ] || fail "no Start-menu shortcut"
has_key "HKCR\\CLSID\\$clsid" || fail "the extension was not registered"
has_key 'HKCR\*\shellex\ContextMenuHandlers\TOLV_CNTX_MENU' || fail "no context-menu handler for files"
[ "$(value "$uninstall_key" DisplayName)" = Dovrel ] || fail "no entry in the installed programs"
# The registering start is the program's first: it records where it lives.
[ "$(value 'HKCU\Software\Kestrane\Dovrel' AppPath)" = 'C:\Program Files\Dovrel\' ] ||
    fail "AppPath is '$(value 'HKCU\Software\Kestrane\Dovrel' AppPath)'"
out=$(wine "$program/dovrel-cli.exe" --version | tr -d '\r')
[[ $out =~ ^dovrel-cli\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "installed dovrel-cli says '$out'"

# --- the user's data, and an upgrade over the installed version ------------------------
mkdir -p "$data"
printf '[Password]\r\nPassword=secret\r\n[Count]\r\nCount=1\r\n[Item0]\r\nItemType=0\r\nFilePath=C:\\hidden.txt\r\n' >"$data/base.dat"
printf '[Options]\r\nIntegrateContextMenu=0\r\nLanguageID=1031\r\n' >"$data/options.ini"
cp "$data/base.dat" "$scratch/base.dat.before"
cp "$data/options.ini" "$scratch/options.ini.before"
echo stale >"$program/res/0.jpg"
run "$setup" /S
cmp -s "$program/res/0.jpg" "$(dirname "$setup")/bin/res/0.jpg" || fail "the upgrade did not replace the files"
cmp -s "$data/base.dat" "$scratch/base.dat.before" || fail "the upgrade changed base.dat"
cmp -s "$data/options.ini" "$scratch/options.ini.before" || fail "the upgrade changed options.ini"
has_key "HKCR\\CLSID\\$clsid" && fail "the upgrade registered the extension the user had turned off"

# --- the warning about hidden items: Cancel keeps everything ----------------------------
wine "$program/uninstall.exe" &
wine "$driver" wait '#32770' '*' 60 >/dev/null || fail "no warning about the hidden items"
texts=$(wine "$driver" texts '#32770' '*' | tr -d '\r')
grep -q 'still hides 1 item' <<<"$texts" || fail "the warning says: $texts"
[ -n "${DOVREL_SCREENSHOT_DIR:-}" ] && import -window root "$DOVREL_SCREENSHOT_DIR/uninstall-warning.png"
wine "$driver" close '#32770' '*'
# The uninstaller's own window follows the refusal; close it too.
if wine "$driver" wait '#32770' '*' 5 >/dev/null 2>&1; then
    wine "$driver" close '#32770' '*'
fi
wineserver -w
[ -f "$program/Dovrel.exe" ] || fail "a cancelled uninstall removed the program"

# --- silent uninstall ----------------------------------------------------------------
run "$program/uninstall.exe" /S
[ -e "$program" ] && fail "the program folder is left: $(ls -R "$program")"
[ -e "$shortcut" ] && fail "the shortcut is left"
has_key "$uninstall_key" && fail "the entry in the installed programs is left"
has_key 'HKCU\Software\Kestrane\Dovrel' && fail "AppPath is left"
has_key 'HKCR\*\shellex\ContextMenuHandlers\TOLV_CNTX_MENU' && fail "the context-menu handler is left"
cmp -s "$data/base.dat" "$scratch/base.dat.before" || fail "uninstalling changed base.dat"
cmp -s "$data/options.ini" "$scratch/options.ini.before" || fail "uninstalling changed options.ini"
echo "installed, upgraded and removed; the data folder kept"
