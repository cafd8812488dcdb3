#!/usr/bin/env bash
# dovrel-cli hide, hidden and show on the Windows build under Wine: the attributes of real
# files, the drive policy in the real registry and the hidden-items store of the data folder.
# Arguments: the program and a work folder. Uses the prefix of $WINEPREFIX.
set -uo pipefail
cli=$1
work=$2/hiding.$$
fail() { echo "FAIL: $*"; exit 1; }
cr() { tr -d '\r'; }

appdata=$(wine cmd /c echo '%APPDATA%' 2>/dev/null | cr)
store=$(winepath -u "$appdata\\Dovrel\\base.dat" 2>/dev/null)
[ -n "$store" ] || { echo "no data folder in the prefix"; exit 77; }
rm -f "$store"
mkdir -p "$work/sub" && cd "$work" || fail "no work folder"
trap 'cd /; rm -rf "$work"; rm -f "$store"' EXIT
echo one >a.txt
echo two >sub/b.txt
echo e2e-main >main.txt
echo wrong >wrong.txt
wwork=$(winepath -w "$work" | cr)

attributes() { wine cmd /c attrib "$1" 2>/dev/null | cr | cut -c1-10; }
policy() {
    wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Policies\Explorer' \
        /v NoDrives 2>/dev/null | cr | awk '/NoDrives/ {print $3}'
}

out=$(wine "$cli" hide --quiet --main-password-file main.txt a.txt sub d: 2>&1 | cr)
[ $? = 0 ] || fail "hide: $out"
grep -q '^3 files were hidden$' <<<"$out" || fail "hide said '$out'"
[[ $(attributes a.txt) =~ S.*H.*R ]] || fail "a.txt is '$(attributes a.txt)' after hide"
# Wine keeps no read-only bit on folders.
[[ $(attributes sub) =~ S.*H ]] || fail "sub is '$(attributes sub)' after hide"
[ "$(policy)" = 0x8 ] || fail "NoDrives is '$(policy)' after hiding D:"

listing=$(wine "$cli" hidden --main-password-file main.txt | cr)
expected=$(printf '0\tfile\t%s\n1\tfolder\t%s\n2\tdrive\tD:\\' "$wwork\\a.txt" "$wwork\\sub\\")
[ "$listing" = "$expected" ] || fail "hidden listed '$listing', not '$expected'"
grep -q '^Password=e2e-main' "$store" || fail "base.dat has no main password: $(cat "$store")"

err=$(wine "$cli" hidden --main-password-file wrong.txt 2>&1 >/dev/null | cr)
grep -q 'You entered wrong password!' <<<"$err" || fail "a wrong main password said '$err'"
wine "$cli" hidden --main-password-file wrong.txt >/dev/null 2>&1 && fail "a wrong main password listed"

out=$(wine "$cli" show --main-password-file main.txt 2 0 2>&1 | cr)
grep -q '^2 files were shown$' <<<"$out" || fail "show 2 0 said '$out'"
[[ $(attributes a.txt) =~ S|H|R ]] && fail "a.txt is still '$(attributes a.txt)'"
[ "$(policy)" = 0x0 ] || fail "NoDrives is '$(policy)' after showing D:"
listing=$(wine "$cli" hidden --main-password-file main.txt | cr)
[ "$listing" = "0	folder	$wwork\\sub\\" ] || fail "after show 2 0 hidden listed '$listing'"

out=$(wine "$cli" show --main-password-file main.txt --all 2>&1 | cr)
grep -q '^1 file was shown$' <<<"$out" || fail "show --all said '$out'"
[[ $(attributes sub) =~ S|H|R ]] && fail "sub is still '$(attributes sub)'"
[ -z "$(wine "$cli" hidden --main-password-file main.txt | cr)" ] || fail "the store is not empty"
echo "cli hiding passed"
