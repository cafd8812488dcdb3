#!/usr/bin/env bash
# The extension's registration as a user meets it under Wine: the registration tool on the
# library, then Dovrel.exe with its switches, each read back with "wine reg query".
# Argument: the folder of the built programs. Dovrel.exe creates its windows, hidden, before
# it ends, so its part needs a display.
set -u
bin=$1
fail() { echo "FAIL: $*"; exit 1; }

clsid='{6F1D3A50-2C47-4E8B-9A15-D0C3B7E24F98}'
approved='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Shell Extensions\Approved'
on_files='HKCR\*\shellex\ContextMenuHandlers\TOLV_CNTX_MENU'
on_folders='HKCR\Folder\shellex\ContextMenuHandlers\TOLV_CNTX_MENU'

# query KEY [VALUE]: the lines of "reg query"; fails when the key or value is missing.
query() {
    if [ $# -eq 2 ]; then
        wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r'
    else
        wine reg query "$1" 2>/dev/null | tr -d '\r'
    fi
    return "${PIPESTATUS[0]}"
}
clean() {
    for key in "HKCR\\CLSID\\$clsid" 'HKCR\TOLV_CNTX_MENU' "$on_files" "$on_folders"; do
        wine reg delete "$key" /f >/dev/null 2>&1
    done
    wine reg delete "$approved" /v "$clsid" /f >/dev/null 2>&1
}
trap clean EXIT
clean

dll=$(winepath -w "$bin/TOLV_CONTEXT_MENU.dll" | tr -d '\r')
wine regsvr32 /s "$dll" || fail "regsvr32 could not register the library"
query "HKCR\\CLSID\\$clsid" | grep -q 'REG_SZ *Dovrel Context Menu Shell Extension$' ||
    fail "no class description"
query "HKCR\\CLSID\\$clsid\\InprocServer32" | grep -qF "$dll" || fail "no library path"
query 'HKCR\TOLV_CNTX_MENU\shellex\ContextMenuHandlers\ContMenu' | grep -qF "$clsid" ||
    fail "no handler under the library's own class key"
query "$approved" "$clsid" >/dev/null || fail "no approval"
query "$on_files" >/dev/null && fail "the registration tool attached the handler to every file"

wine regsvr32 /u /s "$dll" || fail "regsvr32 could not unregister the library"
query "HKCR\\CLSID\\$clsid" >/dev/null && fail "the class key is left after unregistration"
query 'HKCR\TOLV_CNTX_MENU' >/dev/null || fail "the library's class key went with the rest"
clean
if [ -z "${DISPLAY:-}" ]; then echo "no display: Dovrel.exe's switches skipped"; exit 77; fi

timeout 120 wine "$bin/Dovrel.exe" /activate || fail "Dovrel.exe /activate ended with $?"
for key in "$on_files" "$on_folders"; do
    query "$key" | grep -qF "$clsid" || fail "no handler at $key"
done
query "HKLM\\SOFTWARE\\Classes\\CLSID\\$clsid\\InprocServer32" ThreadingModel |
    grep -q 'Apartment' || fail "no threading model"
query "$approved" "$clsid" | grep -q 'Tolvarin Context Menu Shell Extension' ||
    fail "no approval by the program"

timeout 120 wine "$bin/Dovrel.exe" /deactivate || fail "Dovrel.exe /deactivate ended with $?"
for key in "HKCR\\CLSID\\$clsid" "$on_files" "$on_folders"; do
    query "$key" >/dev/null && fail "$key is left after deactivation"
done
query "$approved" "$clsid" >/dev/null && fail "the approval is left after deactivation"
echo "shell-extension registration passed"
