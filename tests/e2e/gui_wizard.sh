#!/usr/bin/env bash
# The wizard driven from outside as a user would, under Wine on Xvfb: the first start asks
# for a main password; a folder of the prefix is encrypted, decrypted, partly shredded, one
# file hidden and shown again; the files, their attributes and "base.dat" are checked after
# each step. Screenshots of the pages go to the output folder.
# Arguments: Dovrel.exe, the window driver, an output folder.
set -u
dovrel=$1
driver=$2
out=$3
if [ -z "${DISPLAY:-}" ]; then echo "no display: skipped"; exit 77; fi
for tool in xdotool cmp; do
    command -v "$tool" >/dev/null || { echo "no $tool: skipped"; exit 77; }
done

shots=gui_wizard
# shellcheck source=gui_support.sh
. "$(dirname "$0")/gui_support.sh"

work=$(winepath -u 'C:\dovrel-e2e' | tr -d '\r')
rm -rf "$work" "$out/gui_wizard_original"
# "other" keeps the folder from counting as checked when only a file inside is checked:
# a folder whose children are all marked would be hidden whole.
mkdir -p "$work/docs/sub/deeper" "$work/other" "$out/gui_wizard_original"
printf 'hello\r\n' >"$work/docs/a.txt"
head -c 300000 /dev/urandom >"$work/docs/sub/b.bin"
printf 'to be shredded' >"$work/docs/sub/deeper/c.txt"
cp -r "$work/docs/." "$out/gui_wizard_original/"
fresh_start

wine "$dovrel" &
pid=$!
drive wait TMainForm Dovrel 60 >/dev/null || fail "the main window did not appear"

# The first activation asks for a main password.
drive wait TChangeMainPassForm "Set New Main Password" 20 >/dev/null ||
    fail "no new-password dialog at the first start"
type_into TChangeMainPassForm "Set New Main Password" 100 main
type_into TChangeMainPassForm "Set New Main Password" 101 main
click point TChangeMainPassForm "Set New Main Password" OK
sleep 0.5
point=$(drive row TMainForm Dovrel 0) || fail "no operation list"
# shellcheck disable=SC2086
xdotool mousemove $point
sleep 0.3
shot main

# Encrypt the folder, with the source files deleted.
row 0
expand 'C:'
main Next
drive wait '#32770' '' 10 >/dev/null || fail "Next with nothing checked showed no message"
drive texts '#32770' '' | grep -qx 'Please select some files' || fail "wrong message for no selection"
click point '#32770' '' OK
expand 'C:\dovrel-e2e'
check 'C:\dovrel-e2e\docs'
expand 'C:\dovrel-e2e\docs'
sleep 0.3
shot choose
main Next
[ "$(drive checked TMainForm Dovrel 'Delete source files after encryption')" = 1 ] ||
    fail "delete-source is not ticked on the encrypt page"
type_into TMainForm Dovrel $encrypt_edit 'pass word'
choose 0 14  # RIJNDAEL
sleep 0.3
shot encrypt
main Encrypt
wait_text '3 files were encrypted'
shot finish
for file in a.txt sub/b.bin sub/deeper/c.txt; do
    [ -s "$work/docs/$file.enc" ] || fail "$file.enc was not written"
    [ -e "$work/docs/$file" ] && fail "$file was not deleted after encryption"
done
main Finish

# Decrypt it back, the ".enc" files deleted.
row 1
expand 'C:'
expand 'C:\dovrel-e2e'
check 'C:\dovrel-e2e\docs'
main Next
type_into TMainForm Dovrel $decrypt_edit 'pass word'
main 'Delete source files after decryption'
sleep 0.3
shot decrypt
main Decrypt
wait_text '3 files were decrypted'
for file in a.txt sub/b.bin sub/deeper/c.txt; do
    cmp -s "$work/docs/$file" "$out/gui_wizard_original/$file" || fail "$file differs after decryption"
    [ -e "$work/docs/$file.enc" ] && fail "$file.enc was not deleted after decryption"
done
main Finish

# Shred one file, found by opening the folders.
row 2
expand 'C:'
expand 'C:\dovrel-e2e'
expand 'C:\dovrel-e2e\docs'
expand 'C:\dovrel-e2e\docs\sub'
expand 'C:\dovrel-e2e\docs\sub\deeper'
check 'C:\dovrel-e2e\docs\sub\deeper\c.txt'
main Next
choose 0 1
sleep 0.3
shot shred
main Shred
wait_text '1 file was shredded'
[ -e "$work/docs/sub/deeper/c.txt" ] && fail "c.txt is still there after shredding"
[ -e "$work/docs/sub/b.bin" ] || fail "b.bin went with the shredded file"
main Finish

# Hide a file behind the main password, then show it again.
row 3
drive wait TMainPassForm "Enter Main Password" 20 >/dev/null || fail "hide did not ask for the main password"
type_into TMainPassForm "Enter Main Password" $password_edit main
click point TMainPassForm "Enter Main Password" OK
expand 'C:'
expand 'C:\dovrel-e2e'
expand 'C:\dovrel-e2e\docs'
check 'C:\dovrel-e2e\docs\a.txt'
main Hide
wait_text '1 file was hidden'
[ "$(attributes 'C:\dovrel-e2e\docs\a.txt')" = "ASHR" ] ||
    fail "a.txt has the attributes $(attributes 'C:\dovrel-e2e\docs\a.txt') after hiding"
tr -d '\r' <"$data/base.dat" | grep -qx 'FilePath=C:\\dovrel-e2e\\docs\\a.txt' ||
    fail "base.dat does not hold the hidden file"
tr -d '\r' <"$data/base.dat" | grep -qx 'Password=main' || fail "base.dat does not hold the main password"
main Finish

row 4
drive wait TMainPassForm "Enter Main Password" 20 >/dev/null || fail "show did not ask for the main password"
type_into TMainPassForm "Enter Main Password" $password_edit main
click point TMainPassForm "Enter Main Password" OK
drive point TMainForm Dovrel 'Which hidden files do you want to show?' >/dev/null ||
    fail "the show page did not open"
[ "$(drive rows TMainForm Dovrel)" = 'C:\dovrel-e2e\docs\a.txt' ] || fail "the show list is wrong"
row 0 box
sleep 0.3
shot show
main Show
wait_text '1 file was shown'
[ "$(attributes 'C:\dovrel-e2e\docs\a.txt')" = "A" ] || fail "a.txt is still hidden after showing"
tr -d '\r' <"$data/base.dat" | grep -qx 'Count=0' || fail "base.dat still holds the shown file"
main Finish

# Exit ends the program normally.
main Exit
wait_end 100 "after Exit"

# Closing the window during a run cancels the run and waits for it: the program ends
# normally, the source stays as it was and no temporary file is left behind.
mkdir -p "$work/big"
head -c 30000000 /dev/urandom >"$work/big/big.bin"
cp "$work/big/big.bin" "$out/gui_wizard_original/big.bin"
wine "$dovrel" &
pid=$!
drive wait TMainForm Dovrel 60 >/dev/null || fail "the main window did not appear again"
row 0
expand 'C:'
expand 'C:\dovrel-e2e'
check 'C:\dovrel-e2e\big'
main Next
type_into TMainForm Dovrel $encrypt_edit 'pass word'
choose 0 18  # all ciphers in turn: a long run
main Encrypt
drive wait TProgressForm '*' 20 >/dev/null || fail "no progress dialog"
sleep 1
shot progress
wine "$driver" close TMainForm '*' || fail "the main window is gone during the run"
wait_end 200 "after closing during a run"
cmp -s "$work/big/big.bin" "$out/gui_wizard_original/big.bin" || fail "the source changed"
for left in "$work/big"/*.tmp; do
    [ -e "$left" ] && fail "a temporary file was left: $left"
done
echo "wizard passed"
