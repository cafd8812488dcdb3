#!/usr/bin/env bash
# The dialogs and the program end to end as a user meets them, under Wine on Xvfb: the
# main password on the first start and before hiding; the options dialog registering and
# removing the context-menu extension; the progress of a run with Escape and the close box;
# a second password asked for one file of a decrypt; runs started from a list file and a
# switch, by hand and through the context-menu library. Screenshots go to the output folder.
# Arguments: the folder of the built programs, the window driver, the menu host, an output
# folder.
set -u
bin=$1
driver=$2
host=$3
out=$4
dovrel=$bin/Dovrel.exe
cli=$bin/dovrel-cli.exe
if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
for tool in xdotool cmp; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

shots=gui_dialogs
# shellcheck source=gui_support.sh
. "$(dirname "$0")/gui_support.sh"

clsid='{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}'
registered() { wine reg query "HKCR\\CLSID\\$clsid" >/dev/null 2>&1; }
# Waits up to 30 seconds for the registration to become $1 (yes or no).
wait_registered() {
    for _ in $(seq 1 150); do
        if registered; then [ "$1" = yes ] && return 0; else [ "$1" = no ] && return 0; fi
        sleep 0.2
    done
    fail "the extension's registration never became \"$1\""
}
# Waits up to ten seconds for the main window's caption to read $1. Hiding the active
# dialog may take Wine a second without a window manager.
wait_caption() {
    for _ in $(seq 1 50); do
        [ "$(drive caption TMainForm '*')" = "$1" ] && return 0
        sleep 0.2
    done
    fail "the main window's caption reads \"$(drive caption TMainForm '*')\", not \"$1\" $2"
}
message_reads() {
    drive wait '#32770' '' 10 >/dev/null || fail "no message box for \"$1\""
    drive texts '#32770' '' | grep -qxF "$1" || fail "the message box does not read \"$1\""
}
# Clicks the main window's control $1 until the window $2 "$3" shows: Wine may drop a
# click while another program's window goes away.
click_until_shown() {
    for _ in 1 2 3; do
        main "$1"
        drive wait "$2" "$3" 3 >/dev/null && return 0
    done
    fail "$1 opened no $2 ${4:-}"
}
open_options() { click_until_shown '#100' TOptionsForm Options "${1:-}"; }
start() {
    wine "$dovrel" "$@" &
    pid=$!
    drive wait TMainForm Dovrel 60 >/dev/null || fail "the main window did not appear ($*)"
}
# Encrypts what the tree's path $1 holds with password $2 and cipher row $3.
encrypt_checked() {
    row 0
    expand 'C:'
    expand 'C:\dovrel-e2e'
    check "$1"
    main Next
    type_into TMainForm Dovrel $encrypt_edit "$2"
    choose 0 "$3"
    main Encrypt
}
# The list file as the extension writes it: ANSI lines, each ended by CR LF.
write_list() {
    : >"$data/todo"
    for item in "$@"; do printf '%s\r\n' "$item" >>"$data/todo"; done
}
# After a cancelled run: the source as it was, no temporary file, and an ".enc" only when
# one of the ciphers before the cancel completed its pass, and then a whole one.
cancelled_cleanly() {
    cmp -s "$work/big/big.bin" "$out/gui_dialogs_big.bin" || fail "$1 changed the source"
    for left in "$work"/big/~dovrel*; do
        [ -e "$left" ] && fail "$1 left $left"
    done
    [ -e "$work/big/big.bin.enc" ] || return 0
    rm -rf "$work/check"
    mkdir -p "$work/check"
    mv "$work/big/big.bin.enc" "$work/check/"
    printf 'pass word' >"$work/check/password"
    wine "$cli" decrypt --quiet --password-file 'C:\dovrel-e2e\check\password' \
        'C:\dovrel-e2e\check\big.bin.enc' >/dev/null 2>&1 || fail "$1 left an .enc that does not decrypt"
    cmp -s "$work/check/big.bin" "$out/gui_dialogs_big.bin" || fail "$1 left a partial .enc"
    rm -rf "$work/check"
}

work=$(winepath -u 'C:\dovrel-e2e' | tr -d '\r')
rm -rf "$work"
mkdir -p "$work/big" "$work/three" "$work/list" "$work/other"
head -c 40000000 /dev/urandom >"$work/big/big.bin"
cp "$work/big/big.bin" "$out/gui_dialogs_big.bin"
fresh_start
trap 'put_back; wine reg delete "HKCR\\CLSID\\$clsid" /f >/dev/null 2>&1; rm -f "$out/gui_dialogs_big.bin"' EXIT

# --- The main password ---------------------------------------------------------------
# The first start asks for a new main password; Cancel leaves the program usable.
start
drive wait TChangeMainPassForm "Set New Main Password" 20 >/dev/null ||
    fail "no new-password dialog at the first start"
sleep 0.3
shot new_password
click point TChangeMainPassForm "Set New Main Password" Cancel
# With none set, the hide path takes whatever is typed as the main password.
row 3
drive wait TMainPassForm "Enter Main Password" 20 >/dev/null || fail "hide did not ask for the main password"
type_into TMainPassForm "Enter Main Password" $password_edit secret
shot main_password
click point TMainPassForm "Enter Main Password" OK
drive point TMainForm Dovrel Hide >/dev/null || fail "the hide path did not open"
main Cancel
# The next check needs the same text: a different letter case is refused, and the prompt
# comes back until the right one.
row 3
drive wait TMainPassForm "Enter Main Password" 20 >/dev/null || fail "the second hide did not ask"
type_into TMainPassForm "Enter Main Password" $password_edit Secret
click point TMainPassForm "Enter Main Password" OK
message_reads 'You entered wrong password!'
click point '#32770' '' OK
drive wait TMainPassForm "Enter Main Password" 20 >/dev/null || fail "no prompt after the wrong password"
type_into TMainPassForm "Enter Main Password" $password_edit secret
click point TMainPassForm "Enter Main Password" OK
drive point TMainForm Dovrel Hide >/dev/null || fail "the right password did not open the hide path"
main Cancel

# --- The options dialog ----------------------------------------------------------------
# Without an options file the extension is on and the menus not cascaded; OK writes both
# and registers the extension through a copy of the program.
wine reg delete "HKCR\\CLSID\\$clsid" /f >/dev/null 2>&1
open_options
[ "$(drive checked TOptionsForm Options 'Integrate Dovrel into shell')" = 1 ] ||
    fail "the integration box is not ticked without an options file"
[ "$(drive checked TOptionsForm Options 'Use cascaded context menus')" = 0 ] ||
    fail "the cascade box is ticked without an options file"
shot options_general
click point TOptionsForm Options OK
wait_registered yes
[ "$(tr -d '\r' <"$data/options.ini")" = "$(printf '[Options]\nIntegrateContextMenu=1\nCascadeContextMenu=0')" ] ||
    fail "OK wrote $(cat "$data/options.ini")"
# Cancel forgets the changed boxes and writes nothing.
cp "$data/options.ini" "$out/gui_dialogs_options.ini"
open_options again
click point TOptionsForm Options 'Use cascaded context menus'
click point TOptionsForm Options 'Integrate Dovrel into shell'
click point TOptionsForm Options Cancel
cmp -s "$data/options.ini" "$out/gui_dialogs_options.ini" || fail "Cancel changed the options file"
# Unticked, OK removes the registration.
open_options "a third time"
[ "$(drive checked TOptionsForm Options 'Use cascaded context menus')" = 0 ] ||
    fail "the cancelled change was kept"
click point TOptionsForm Options 'Integrate Dovrel into shell'
click point TOptionsForm Options OK
wait_registered no
grep -q 'IntegrateContextMenu=0' "$data/options.ini" || fail "OK did not write the unticked box"
# An options file that cannot be written (a folder in its place: the tests run as root,
# whom no file permission stops) keeps the dialog open and starts nothing, although the
# box, at its default, asks for the registration.
rm "$data/options.ini"
mkdir "$data/options.ini"
open_options "a fourth time"
click point TOptionsForm Options OK
drive wait '#32770' Dovrel 10 >/dev/null || fail "no message for the unwritable options file"
drive texts '#32770' Dovrel | grep -q '^Unable to write to ' || fail "the message is not the write error"
click point '#32770' Dovrel OK
drive wait TOptionsForm Options 5 >/dev/null || fail "the options dialog closed after the failed write"
sleep 2
registered && fail "a registration was started after the failed write"
click point TOptionsForm Options Cancel
rmdir "$data/options.ini"
# The title-bar help button shows the About page.
click helpbox TMainForm Dovrel
drive wait TOptionsForm Options 10 >/dev/null || fail "the title-bar help button opened no dialog"
wait_text 'Version 1.2' TOptionsForm Options
shot options_about
click point TOptionsForm Options Cancel

# --- The progress of a run -------------------------------------------------------------
# A long run (every cipher in turn) shows its progress in the dialog and in the main
# window's caption, which the bar's moves change.
encrypt_checked 'C:\dovrel-e2e\big' 'pass word' 18
drive wait TProgressForm '*' 20 >/dev/null || fail "no progress dialog"
first=$(drive caption TMainForm '*')
[[ $first =~ ^Dovrel\ -\ [0-9]+%\ completed\.\.\.$ ]] || fail "the main window's caption reads \"$first\""
for _ in $(seq 1 100); do
    [ "$(drive caption TMainForm '*')" != "$first" ] && break
    sleep 0.2
done
[ "$(drive caption TMainForm '*')" != "$first" ] || fail "the progress stayed at \"$first\""
shot progress
# Escape in the dialog cancels the run: the source stays, nothing is left behind and the
# program goes on.
click point TProgressForm '*' 'File name:'
xdotool key Escape
wait_caption Dovrel "after Escape"
wine "$driver" wait TProgressForm '*' 0 >/dev/null 2>&1 && fail "the progress dialog stayed after Escape"
sleep 1
cancelled_cleanly "the cancelled run"
kill -0 "$pid" 2>/dev/null || fail "the program ended with the cancelled run"
shot after_cancel
# The close box only hides the dialog: the run goes on to the finish page.
main Encrypt
answer=$(drive wait TProgressForm '*' 20) || fail "no progress dialog for the second run"
read -r _ x y < <(sed -n 2p <<<"$answer")
sleep 0.5
xdotool mousemove "$x" "$y" click 1
sleep 0.5
wine "$driver" wait TProgressForm '*' 0 >/dev/null 2>&1 && fail "the close box did not hide the progress"
wait_caption Dovrel "after the close box"
wait_text '1 file was encrypted'
[ -e "$work/big/big.bin" ] && fail "the completed run kept the source it was to delete"
[ -s "$work/big/big.bin.enc" ] || fail "the completed run wrote no .enc"
main Finish

# --- A password asked for one file of a decrypt ----------------------------------------
for name in a b c; do printf 'three %s\r\n' "$name" >"$work/three/$name.txt"; done
cp -r "$work/three" "$out/gui_dialogs_three"
encrypt_with_cli() {
    printf '%s' "$1" >"$work/password"
    shift
    wine "$cli" encrypt --quiet --delete-source --password-file 'C:\dovrel-e2e\password' "$@" \
        >/dev/null 2>&1 || fail "dovrel-cli could not encrypt $*"
}
encrypt_with_cli alpha 'C:\dovrel-e2e\three\a.txt' 'C:\dovrel-e2e\three\b.txt'
encrypt_with_cli beta 'C:\dovrel-e2e\three\c.txt'
row 1
expand 'C:'
expand 'C:\dovrel-e2e'
check 'C:\dovrel-e2e\three'
main Next
type_into TMainForm Dovrel $decrypt_edit alpha
main Decrypt
drive wait TOperationPassForm "Enter valid password" 30 >/dev/null || fail "no password asked for c.txt.enc"
drive texts TOperationPassForm "Enter valid password" | grep -qx 'Enter vaild password for c.txt.enc' ||
    fail "the prompt does not name the file: $(drive texts TOperationPassForm "Enter valid password")"
type_into TOperationPassForm "Enter valid password" $password_edit beta
shot operation_password
click point TOperationPassForm "Enter valid password" OK
wait_text '3 files were decrypted'
wine "$driver" wait TOperationPassForm '*' 0 >/dev/null 2>&1 && fail "the password was asked again"
for name in a b c; do
    cmp -s "$work/three/$name.txt" "$out/gui_dialogs_three/$name.txt" || fail "$name.txt differs after decryption"
done
rm -rf "$out/gui_dialogs_three"
main Finish
main Exit
wait_end 100 "after Exit"

# --- From the command line -------------------------------------------------------------
printf 'listed 1\r\n' >"$work/list/one.txt"
printf 'listed 2\r\n' >"$work/list/two.txt"
# A list and "/encrypt": the settings page at once, without Back; the completed run ends
# the program.
write_list 'C:\dovrel-e2e\list\one.txt' 'C:\dovrel-e2e\list\two.txt'
start /encrypt
drive point TMainForm Dovrel Encrypt >/dev/null || fail "/encrypt did not open the settings page"
drive controls TMainForm Dovrel | grep -q 'hidden.*Back$' || fail "Back is shown for /encrypt"
sleep 0.3
shot command_line
type_into TMainForm Dovrel $encrypt_edit listed
main Encrypt
wait_end 300 "after the run of /encrypt"
for name in one two; do
    [ -s "$work/list/$name.txt.enc" ] || fail "/encrypt wrote no $name.txt.enc"
    [ -e "$work/list/$name.txt" ] && fail "/encrypt kept $name.txt"
done
# "/hide" asks for the main password first and then hides at once.
printf 'to hide\r\n' >"$work/list/hidden.txt"
write_list 'C:\dovrel-e2e\list\hidden.txt'
start /hide
drive wait TMainPassForm "Enter Main Password" 20 >/dev/null || fail "/hide did not ask for the main password"
type_into TMainPassForm "Enter Main Password" $password_edit secret
click point TMainPassForm "Enter Main Password" OK
wait_end 300 "after the run of /hide"
[ "$(attributes 'C:\dovrel-e2e\list\hidden.txt')" = ASHR ] || fail "/hide did not hide the file"
wine cmd /c attrib -s -h -r 'C:\dovrel-e2e\list\hidden.txt' >/dev/null
# A cancelled run of the command line leaves the program open.
mkdir -p "$work/big"
cp "$out/gui_dialogs_big.bin" "$work/big/big.bin"
rm -f "$work/big/big.bin.enc"
write_list 'C:\dovrel-e2e\big\big.bin'
start /encrypt
type_into TMainForm Dovrel $encrypt_edit 'pass word'
choose 0 18
main Encrypt
drive wait TProgressForm '*' 20 >/dev/null || fail "no progress dialog for /encrypt"
click point TProgressForm '*' 'File name:'
xdotool key Escape
sleep 2
kill -0 "$pid" 2>/dev/null || fail "the cancelled run of /encrypt ended the program"
drive wait TMainForm Dovrel 5 >/dev/null || fail "the main window went with the cancelled run"
cancelled_cleanly "the cancelled run of /encrypt"
wine "$driver" close TMainForm Dovrel
wait_end 100 "after closing"

# The same through the context-menu library, chosen in its menu as in the file manager.
printf 'from the menu\r\n' >"$work/list/menu.txt"
wine "$host" "$bin/TOLV_CONTEXT_MENU.dll" 'Encrypt with Dovrel...' 'C:\dovrel-e2e\list\menu.txt' \
    >"$out/gui_dialogs_menu.txt" 2>&1 || fail "the menu host could not choose Encrypt: $(cat "$out/gui_dialogs_menu.txt")"
drive wait TMainForm Dovrel 60 >/dev/null || fail "the menu entry did not start Dovrel.exe"
drive point TMainForm Dovrel Encrypt >/dev/null || fail "the menu entry did not open the settings page"
type_into TMainForm Dovrel $encrypt_edit menu
main Encrypt
for _ in $(seq 1 300); do
    wine "$driver" wait TMainForm Dovrel 0 >/dev/null 2>&1 || break
    sleep 0.1
done
wine "$driver" wait TMainForm Dovrel 0 >/dev/null 2>&1 && fail "Dovrel.exe started by the menu did not end"
[ -s "$work/list/menu.txt.enc" ] || fail "the menu's run wrote no menu.txt.enc"
# --- The help ------------------------------------------------------------------------
# The help file opens with F1 and the Help button of the options dialog, and with the main
# window's Help button. Last: without a window manager the keyboard is lost once the help
# viewer's window went away.
help_opens() {
    drive wait 'HH Parent' 'Dovrel Help' 20 >/dev/null || fail "$1 did not open the help"
    sleep 0.5
    shot help
    wine "$driver" close 'HH Parent' 'Dovrel Help'
    for _ in $(seq 1 50); do
        wine "$driver" wait 'HH Parent' '*' 0 >/dev/null 2>&1 || return 0
        sleep 0.2
    done
    fail "the help viewer did not close"
}
start
open_options "for the help"
xdotool key F1
help_opens "F1 in the options dialog"
click point TOptionsForm Options Help
help_opens "the options dialog's Help button"
click point TOptionsForm Options Cancel
click_until_shown Help 'HH Parent' 'Dovrel Help'
help_opens "the Help button"
wine "$driver" close TMainForm Dovrel
wait_end 100 "after closing"
echo "dialogs passed"
