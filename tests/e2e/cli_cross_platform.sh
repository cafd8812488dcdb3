#!/usr/bin/env bash
# A file encrypted by the Windows build decrypts with the Linux build to the same bytes,
# and the other way round: the ".enc" format does not depend on the system.
# Arguments: the Windows dovrel-cli.exe, the native dovrel-cli, a scratch folder.
set -u
win=$1
native=$2
scratch=$3
[ -x "$native" ] || { echo "no native build: skipped"; exit 77; }
fail() { echo "FAIL: $*"; exit 1; }

rm -rf "$scratch/cross" && mkdir -p "$scratch/cross" && cd "$scratch/cross" || exit 1
printf 'S3cret pass' >pw
head -c 12345 /dev/urandom >from-windows.bin
head -c 99999 /dev/urandom >from-linux.bin
cp from-windows.bin from-windows.orig; cp from-linux.bin from-linux.orig
for cipher in RIJNDAEL Blowfish MARS TEA; do
    wine "$win" encrypt --quiet --cipher "$cipher" --password-file pw from-windows.bin >/dev/null || fail "windows encrypt $cipher"
    "$native" encrypt --quiet --cipher "$cipher" --password-file pw from-linux.bin >/dev/null || fail "linux encrypt $cipher"
    rm from-windows.bin from-linux.bin
    "$native" decrypt --quiet --password-file pw from-windows.bin.enc >/dev/null || fail "linux decrypt $cipher"
    wine "$win" decrypt --quiet --password-file pw from-linux.bin.enc >/dev/null || fail "windows decrypt $cipher"
    cmp -s from-windows.bin from-windows.orig || fail "$cipher: windows to linux changed the bytes"
    cmp -s from-linux.bin from-linux.orig || fail "$cipher: linux to windows changed the bytes"
done
echo "cross-platform passed"
