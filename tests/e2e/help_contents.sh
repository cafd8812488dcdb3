#!/usr/bin/env bash
# The built Help\Help.chm holds every page and picture its project names, and every link
# and picture of its pages points into the file. Arguments: the compiled file, the folder
# of the help sources.
set -u
chm=$1
sources=$2
fail() { echo "FAIL: $*"; exit 1; }

[ -s "$chm" ] || fail "$chm is missing"
listing=$(chmls list "$chm" 2>/dev/null) || fail "chmls cannot read $chm"
contains() { grep -qF " /$1" <<<"$listing"; }

named=$(sed -n '/^\[FILES\]/,/^\[/p' "$sources/Help.hhp" | tr -d '\r' | grep -v '^\[' | grep -v '^$')
[ -n "$named" ] || fail "Help.hhp names no files"
for file in $named Help.hhc Help.hhk; do
    contains "$file" || fail "$file is not in the help file"
done

# A page that links to a page or picture left out of the project shows an error in the
# help viewer instead.
for page in "$sources"/*.html; do
    for target in $(grep -o -E '(href|src)="[^"#:]+"' "$page" | sed -E 's/^(href|src)="//; s/"$//'); do
        contains "$target" || fail "$(basename "$page") refers to $target, which is not in the help file"
    done
done
# Every page is reachable from the contents.
for page in "$sources"/*.html; do
    grep -qF "value=\"$(basename "$page")\"" "$sources/Help.hhc" || fail "$(basename "$page") is not in the contents"
done
echo "help file holds $(wc -w <<<"$named") files"
