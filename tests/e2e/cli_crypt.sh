#!/usr/bin/env bash
# dovrel-cli encrypts, decrypts and shreds real files: every cipher round trip, the source
# deleted only after success, clear failures that leave the other files alone, skipped
# files, Ctrl-C, and shredding that leaves the folders.
# Arguments: the runner ("" natively, wine for the Windows build) and the program.
set -u
runner=$1
cli=$2
work=$(mktemp -d /tmp/dovrel-cli-crypt.XXXXXX)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Paths as the program sees them: Wine's drive Z: is the Linux root.
p() { if [ -n "$runner" ]; then echo "Z:${1//\//\\}"; else echo "$1"; fi; }
# Runs the program; stdout to $work/out, stderr to $work/err, exit code in $code.
run() {
    if [ -n "$runner" ]; then "$runner" "$cli" "$@"; else "$cli" "$@"; fi >"$work/out" 2>"$work/err"
    code=$?
    tr -d '\r' <"$work/out" >"$work/out.txt"; tr -d '\r' <"$work/err" >"$work/err.txt"
}
expect_code() { [ "$code" = "$1" ] || fail "$2: exit code $code, stderr: $(cat "$work/err.txt")"; }
expect_err() { grep -qF -- "$1" "$work/err.txt" || fail "$2: stderr lacks '$1': $(cat "$work/err.txt")"; }
expect_out() { grep -qxF -- "$1" "$work/out.txt" || fail "$2: stdout lacks '$1': $(cat "$work/out.txt")"; }

printf 'secret' >"$work/pw"
printf 'other' >"$work/pw2"
pw=(--password-file "$(p "$work/pw")")

make_tree() {
    mkdir -p "$1/sub/deeper" "$1/empty"
    printf 'alpha\n' >"$1/a.txt"
    head -c 70001 /dev/urandom >"$1/sub/b.bin"
    : >"$1/sub/deeper/zero"
    printf 'hidden' >"$1/sub/.hidden"
    printf 'naïve' >"$1/sub/deeper/naïve €.txt"
}
make_tree "$work/orig"

# --dry-run counts the files and their bytes, asks for no password and changes nothing.
t="$work/dry"; cp -a "$work/orig" "$t"
for cmd in encrypt decrypt shred; do
    run "$cmd" --dry-run "$(p "$t")" </dev/null
    expect_code 0 "$cmd --dry-run"
    expect_out "5 files, 70019 bytes" "$cmd --dry-run"
done
diff -r "$work/orig" "$t" >/dev/null || fail "--dry-run changed the tree"
rm -rf "$t"

# Every cipher: the tree encrypted with the sources deleted, then decrypted back.
run ciphers
expect_code 0 "ciphers"
count=$(wc -l <"$work/out.txt")
[ "$count" = 19 ] || fail "ciphers listed $count entries"
expect_out "$(printf '14\tRIJ\tRIJNDAEL\t')$(awk -F'\t' '$1==14{print $4}' "$work/out.txt")" "ciphers"
for ((i = 0; i < count; i++)); do
    t="$work/c$i"
    cp -a "$work/orig" "$t"
    run encrypt --cipher "$i" --delete-source "${pw[@]}" "$(p "$t")"
    expect_code 0 "encrypt with cipher $i"
    expect_out "5 files were encrypted" "encrypt with cipher $i"
    plain=$(find "$t" -type f ! -name '*.enc' | wc -l)
    [ "$plain" = 0 ] || fail "cipher $i left $plain plain files"
    cmp -s "$t/a.txt.enc" "$work/orig/a.txt" && fail "cipher $i wrote the plain text"
    run decrypt --delete-source "${pw[@]}" "$(p "$t")"
    expect_code 0 "decrypt with cipher $i"
    expect_out "5 files were decrypted" "decrypt with cipher $i"
    diff -r "$work/orig" "$t" >/dev/null || fail "cipher $i did not restore the tree"
    rm -rf "$t"
done

# Names chosen by list text and identifier, the password from standard input.
t="$work/byname"; cp -a "$work/orig" "$t"
for c in Blowfish tfs; do
    printf 'line\n' | if [ -n "$runner" ]; then "$runner" "$cli" encrypt --cipher "$c" \
        --password-stdin "$(p "$t/a.txt")"; else "$cli" encrypt --cipher "$c" --password-stdin \
        "$(p "$t/a.txt")"; fi >/dev/null 2>&1 || fail "--cipher $c refused"
done
[ "$(head -c 3 "$t/a.txt.enc")" = TFS ] || fail "--cipher tfs did not pick TWOFISH"
run encrypt --cipher NOPE "${pw[@]}" "$(p "$t/a.txt")"
expect_code 2 "unknown cipher"; expect_err 'no cipher "NOPE"' "unknown cipher"

# A missing file ends the run with its name; what came before is done, what follows is
# left alone, and only completed sources are deleted.
t="$work/missing"; mkdir -p "$t"
printf 'one' >"$t/1.txt"; printf 'three' >"$t/3.txt"
run encrypt --delete-source "${pw[@]}" "$(p "$t/1.txt")" "$(p "$t/2.txt")" "$(p "$t/3.txt")"
expect_code 1 "missing file"
expect_err "2.txt" "missing file"
[ -f "$t/1.txt.enc" ] && [ ! -e "$t/1.txt" ] || fail "the completed first file was not replaced"
[ "$(cat "$t/3.txt")" = three ] && [ ! -e "$t/3.txt.enc" ] || fail "the file after the error was touched"

# A target that cannot be replaced: the error names the file, the source stays.
t="$work/target"; mkdir -p "$t/x.txt.enc"
printf 'x' >"$t/x.txt"
run encrypt --delete-source "${pw[@]}" "$(p "$t/x.txt")"
expect_code 1 "unwritable target"
expect_err "x.txt" "unwritable target"
[ "$(cat "$t/x.txt")" = x ] || fail "the source of a failed encryption was lost"
[ "$(ls -A "$t" | wc -l)" = 2 ] || fail "a failed encryption left files: $(ls -A "$t")"

# An .enc file cut inside its header (the data itself carries no check): a clear error,
# the file stays, nothing is written beside it.
t="$work/trunc"; cp -a "$work/orig" "$t"
run encrypt --delete-source "${pw[@]}" "$(p "$t/sub/b.bin")"
expect_code 0 "encrypt before truncating"
head -c 15 "$t/sub/b.bin.enc" >"$t/sub/cut.enc"; rm "$t/sub/b.bin.enc"
before=$(ls -A "$t/sub")
run decrypt --delete-source "${pw[@]}" "$(p "$t/sub/cut.enc")"
expect_code 1 "truncated file"
expect_err "cut.enc" "truncated file"
[ "$(ls -A "$t/sub")" = "$before" ] || fail "a truncated file changed the folder"

# Skipped files: a wrong password without a terminal, and a file naming no cipher.
t="$work/skip"; mkdir -p "$t"
printf 'aa' >"$t/a"; printf 'bb' >"$t/b"
run encrypt --delete-source "${pw[@]}" "$(p "$t/a")" "$(p "$t/b")"
expect_code 0 "encrypt for skipping"
printf 'not a cipher' >"$t/c.enc"
run decrypt --delete-source --password-file "$(p "$work/pw2")" "$(p "$t/a.enc")" "$(p "$t/c.enc")"
expect_code 3 "skipped files"
expect_err "wrong password for a.enc" "skipped files"
expect_err "Encryption algorithm for $(p "$t/c.enc") not found" "skipped files"
expect_out "2 files were decrypted" "skipped files"
[ -f "$t/a.enc" ] && [ -f "$t/c.enc" ] && [ ! -e "$t/a" ] || fail "a skipped file was touched"

# Usage errors.
for args in "encrypt" "encrypt --password secret x" "shred --delete-source x" "ciphers x"; do
    run $args
    expect_code 2 "usage '$args'"
done
run encrypt --help
expect_code 0 "encrypt --help"
grep -q 'bytes as stored' "$work/out.txt" || fail "encrypt --help does not tell how the file is read"

# Shredding: no file with content left, every folder in place. The schemes keep an empty
# file as it is: it holds nothing to overwrite.
run schemes
expect_code 0 "schemes"
[ "$(wc -l <"$work/out.txt")" = 11 ] || fail "schemes listed $(wc -l <"$work/out.txt") entries"
for scheme in "" "--scheme 3" "--scheme TDOD"; do
    t="$work/shred"; rm -rf "$t"; cp -a "$work/orig" "$t"
    run shred $scheme "$(p "$t")"
    expect_code 0 "shred $scheme"
    expect_out "5 files were shredded" "shred $scheme"
    left=$(find "$t" ! -type d)
    [ "$left" = "$t/sub/deeper/zero" ] || fail "shred $scheme left '$left'"
    [ -d "$t/sub/deeper" ] && [ -d "$t/empty" ] || fail "shred $scheme removed folders"
done

# Ctrl-C during a large file: exit 130, no partial output, the source kept (natively: a
# signal cannot be sent into the Windows console under Wine).
if [ -z "$runner" ]; then
    t="$work/int"; mkdir -p "$t"
    # Waits until the output under its temporary name shows the file is in progress.
    in_progress() {
        for ((i = 0; i < 300; i++)); do
            [ "$(ls -A "$t" | wc -l)" -gt 1 ] && return
            sleep 0.1
        done
    }
    head -c $((96 << 20)) /dev/urandom >"$t/big"
    sum=$(md5sum <"$t/big")
    "$cli" encrypt --cipher ALL --delete-source "${pw[@]}" "$t/big" >/dev/null 2>&1 &
    pid=$!
    in_progress
    kill -INT "$pid"
    wait "$pid"
    code=$?
    [ "$code" = 130 ] || fail "Ctrl-C exited with $code"
    [ "$(ls -A "$t")" = big ] || fail "Ctrl-C left $(ls -A "$t")"
    [ "$(md5sum <"$t/big")" = "$sum" ] || fail "Ctrl-C changed the source"

    # Killed outright in the middle: the source is intact and only a temporary file may
    # remain; the next run ignores it and writes the whole output.
    "$cli" encrypt --cipher 3DES --delete-source "${pw[@]}" "$t/big" >/dev/null 2>&1 &
    pid=$!
    in_progress
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null
    [ "$(md5sum <"$t/big")" = "$sum" ] || fail "kill -9 changed the source"
    [ -e "$t/big.enc" ] && fail "kill -9 left a partial big.enc"
    run encrypt --cipher 3DES --delete-source "${pw[@]}" "$(p "$t/big")"
    expect_code 0 "encrypt after kill -9"
    run decrypt --delete-source "${pw[@]}" "$(p "$t/big.enc")"
    expect_code 0 "decrypt after kill -9"
    [ "$(md5sum <"$t/big")" = "$sum" ] || fail "the run after kill -9 did not write the whole file"
fi
echo "cli crypt passed"
