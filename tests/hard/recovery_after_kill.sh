#!/usr/bin/env bash
# Text typed and not saved survives a kill -9: the real program runs under a private X server,
# a page is opened and typed into, and once typing has paused the process is killed. The next
# start puts the text back with the page's name, marked unsaved (leaving asks about it), and
# shows the recovery bar. A second instance running at the same time never takes the copy of a
# live one. Usage: tests/hard/recovery_after_kill.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/xsession.sh"

APP="$BUILD/rivirazare"
PAGE="$HOME/page.mv"
TITLE="page.mv - Mirvale Rivi Razare"
UNTITLED="Без имени.mv - Mirvale Rivi Razare"
COPIES="$XDG_DATA_HOME/Mirvale Rivi Razare/recovery"
printf 'first line\r\nsecond' >"$PAGE"

wait_for() { # wait_for SECONDS COMMAND...
    local limit="$1"; shift
    for _ in $(seq 1 $((limit * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}
start_program() { # start_program TITLE [PAGE]
    local title="$1"; shift
    "$APP" "$@" >>"$RR_TMP/program.log" 2>&1 &
    PROGRAM_PID=$!
    RR_PIDS+=("$PROGRAM_PID")
    WID="$(rr_wait_window "$title" 90)" || rr_fail "no window '$title': $(cat "$RR_TMP/program.log")"
    eval "$(xdotool getwindowgeometry --shell "$WID")" # X, Y
    sleep 1
}
copies() { find "$COPIES" -name '*.recovery' 2>/dev/null | wc -l; }
one_copy() { [[ "$(copies)" -eq 1 ]]; }
page_text() { # the page text area's text, through the clipboard
    xdotool windowactivate --sync "$WID" 2>/dev/null || true
    xdotool mousemove $((X + 200)) $((Y + 150)) click 1
    sleep 0.3
    xdotool key ctrl+a ctrl+c
    sleep 0.5
    xclip -o -selection clipboard 2>/dev/null | tr -d '\r'
}

# --- Type into the page, wait for the copy, kill -------------------------------------------------
start_program "$TITLE" "$PAGE"
FIRST_PID=$PROGRAM_PID
xdotool mousemove $((X + 200)) $((Y + 150)) click 1
sleep 0.3
xdotool key ctrl+End
xdotool type --delay 30 " typed"
wait_for 15 one_copy || rr_fail "no recovery copy after a pause in typing"

# A second instance while the first lives: it must leave the first one's copy alone.
start_program "$UNTITLED"
SECOND_PID=$PROGRAM_PID
[[ "$(page_text)" == "" ]] || rr_fail "the second instance took the live instance's text"
kill "$SECOND_PID"
wait "$SECOND_PID" 2>/dev/null || true
[[ "$(copies)" -eq 1 ]] || rr_fail "the live instance's copy was touched: $(copies) copies"

kill -9 "$FIRST_PID"
wait "$FIRST_PID" 2>/dev/null || true

# --- Start again: the text is back, with its name, unsaved ------------------------------------
start_program "$TITLE"
expected="$(printf 'first line\nsecond typed')"
got="$(page_text)"
[[ "$got" == "$expected" ]] || rr_fail "recovered text: '$got'"
cmp -s "$PAGE" <(printf 'first line\r\nsecond') || rr_fail "the page file was changed"
[[ "$(copies)" -eq 1 ]] || rr_fail "the adopted copy is not kept: $(copies) copies"

# Marked unsaved: leaving asks whether to save.
xdotool key alt+F4
rr_wait_window "Mirvale Rivi Razare" 10 >/dev/null || rr_fail "leaving did not ask about the recovered text"
xdotool key Escape
sleep 0.5
kill -0 "$PROGRAM_PID" 2>/dev/null || rr_fail "cancelling the question ended the program"
kill -9 "$PROGRAM_PID"
echo "recovery after kill: ok"
