# Shared by the scripts that drive Dovrel.exe's windows under Wine on Xvfb; sourced after
# they set `driver` (the window driver), `out` (where screenshots go) and `shots` (the
# screenshots' name prefix). `pid` holds the program under test once started.

pid=
fail() {
    echo "FAIL: $*"
    shot failure
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    exit 1
}
shot() { command -v import >/dev/null && import -window root "$out/${shots}_$1.png" 2>/dev/null; }

# A driver call, repeated for up to ten seconds until it answers: windows take their time.
# A wait does its own waiting and is made once.
drive() {
    local answer
    if [ "$1" = wait ]; then
        answer=$(wine "$driver" "$@" 2>/dev/null) || return 1
        echo "${answer//$'\r'/}"
        return 0
    fi
    for _ in $(seq 1 50); do
        if answer=$(wine "$driver" "$@" 2>/dev/null | tr -d '\r') && [ -n "$answer" ]; then
            echo "$answer"
            return 0
        fi
        sleep 0.2
    done
    return 1
}
click() {
    local point
    point=$(drive "$@") || fail "not found: ${*:3}"
    # shellcheck disable=SC2086
    xdotool mousemove $point click 1
}
main() { click point TMainForm Dovrel "$1"; }
row() { click row TMainForm Dovrel "$@"; }
expand() { click treeitem TMainForm Dovrel "$1" button; sleep 0.3; }
check() { click treeitem TMainForm Dovrel "$1"; }
choose() { wine "$driver" choose TMainForm Dovrel "$1" "$2" 2>/dev/null || fail "cannot choose row $2"; }
# Types into the edit with identifier $3 of window $1 "$2" after clicking into it.
type_into() {
    click point "$1" "$2" "#$3"
    xdotool type --delay 20 "$4"
}
# Waits until one of the texts of window $2 (the main window when not given) reads $1.
wait_text() {
    for _ in $(seq 1 100); do
        wine "$driver" texts "${2:-TMainForm}" "${3:-Dovrel}" 2>/dev/null | tr -d '\r' |
            grep -qx "$1" && return 0
        sleep 0.2
    done
    fail "the window never read \"$1\""
}
attributes() { wine cmd /c attrib "$1" | tr -d '\r' | cut -c1-10 | tr -d ' '; }
# Waits up to $1 tenths of a second for the program to end; fails unless it ended with 0.
wait_end() {
    for _ in $(seq 1 "$1"); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "Dovrel.exe still runs: $2"
    wait "$pid"
    local code=$?
    pid=
    [ "$code" = 0 ] || fail "Dovrel.exe exited with $code: $2"
}

# The control identifiers of the windows' edits.
encrypt_edit=110
decrypt_edit=111
password_edit=100
again_edit=101

# A first start: no main password, English. What other tests left in the data folder is
# put back when the script ends, and `work` is removed.
data=$(winepath -u "$(wine cmd /c echo %APPDATA% | tr -d '\r')")/Dovrel
kept_files="base.dat options.ini todo"
fresh_start() {
    mkdir -p "$data"
    for kept in $kept_files; do
        [ -e "$data/$kept" ] && mv "$data/$kept" "$data/$kept.e2e-saved"
    done
    trap put_back EXIT
}
put_back() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    for kept in $kept_files; do
        rm -rf "$data/$kept"
        [ -e "$data/$kept.e2e-saved" ] && mv "$data/$kept.e2e-saved" "$data/$kept"
    done
    [ -n "${work:-}" ] && rm -rf "$work"
}
