#!/usr/bin/env bash
# Killing the program (SIGKILL) while it saves a 50 MB page leaves the page as it was before that
# save or as that save makes it, never a mix. The real program runs under a private X server: it
# opens the page named on its command line, "x" is typed at the start and saved with Ctrl+S (a
# whole save, timed), then "y" is typed and saved, and the process is killed during that second
# save: once while the new file is open for writing, then at parts of the first save's length.
# Usage: tests/hard/kill_during_save.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/xsession.sh"

APP="$BUILD/rivirazare"
PAGES="$RR_TMP/pages" # nothing but the page: any other file open here is the save's new file
PAGE="$PAGES/page.mv"
TITLE="page.mv - Mirvale Rivi Razare"
OLD="$RR_TMP/old.bytes"
FIRST="$RR_TMP/first.bytes"
SECOND="$RR_TMP/second.bytes"
mkdir -p "$PAGES"

# About a million lines of tagged text in code page 1251 with CR LF: 50 MB.
awk 'BEGIN { for (i = 0; i < 920000; i++)
    printf "^bolder^\321\362\360\356\352\340 %d^br^^url^http://mv.example^link^\r\n", i }' >"$OLD"
SIZE=$(stat -c %s "$OLD")
((SIZE >= 50000000)) || rr_fail "the page is only $SIZE bytes"
# Each typed character lands at the caret, which the first one leaves after itself.
{ printf 'x'; cat "$OLD"; } >"$FIRST"
{ printf 'xy'; cat "$OLD"; } >"$SECOND"

now_ms() { date +%s%3N; }

# Whether the program has a file open in the pages folder other than the page: the new page
# while the save writes it (a named or an unnamed temporary file).
writing_page() {
    [[ -n "$(find /proc/"$PROGRAM_PID"/fd -lname "$PAGES/*" ! -lname "$PAGE" -print -quit 2>/dev/null)" ]]
}

# Which version of the page the file holds.
outcome() {
    if cmp -s "$PAGE" "$FIRST"; then
        echo "before the save"
    elif cmp -s "$PAGE" "$SECOND"; then
        echo "after the save"
    elif cmp -s "$PAGE" "$OLD"; then
        echo "MIX: the page as opened"
    else
        echo "MIX ($(stat -c %s "$PAGE") bytes)"
    fi
}

# Opens a fresh copy of the old page, saves it once with "x" (SAVE_MS: how long that took),
# types "y" and presses Ctrl+S again; the second save is running when this returns.
start_second_save() {
    cp "$OLD" "$PAGE"
    "$APP" "$PAGE" >>"$RR_TMP/program.log" 2>&1 &
    PROGRAM_PID=$!
    RR_PIDS+=("$PROGRAM_PID")
    local wid start
    wid="$(rr_wait_window "$TITLE" 120)" || rr_fail "the main window did not appear"
    eval "$(xdotool getwindowgeometry --shell "$wid")" # X, Y
    sleep 1
    xdotool mousemove $((X + 200)) $((Y + 150)) click 1
    sleep 0.3
    xdotool key ctrl+Home
    xdotool type x
    sleep 0.3
    start=$(now_ms)
    xdotool key ctrl+s
    for _ in $(seq 1 1200); do cmp -s "$PAGE" "$FIRST" && break; sleep 0.05; done
    cmp -s "$PAGE" "$FIRST" || rr_fail "the first save gave: $(outcome)"
    SAVE_MS=$(($(now_ms) - start))
    # Done once the new file is closed again.
    for _ in $(seq 1 200); do writing_page || break; sleep 0.05; done
    xdotool type y
    sleep 0.3
    xdotool key ctrl+s
}

kill_program() {
    kill -9 "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
}

FAILED=0
check() { # check WHEN
    local result
    result="$(outcome)"
    echo "killed $1: $result"
    [[ "$result" != MIX* ]] || FAILED=1
}

# --- Killed while the new file is open for writing ----------------------------------------------
start_second_save
HIT=0
for _ in $(seq 1 3000); do
    if writing_page; then
        kill -9 "$PROGRAM_PID"
        HIT=1
        break
    fi
done
kill_program
check "while the new file was open (a whole save took $SAVE_MS ms)"
((HIT)) || rr_fail "no kill landed while the new file was open"

# --- Killed at parts of a whole save's length ----------------------------------------------------
for part in 1 2; do
    start_second_save
    delay_ms=$((SAVE_MS * part / 3))
    sleep "$((delay_ms / 1000)).$(printf '%03d' $((delay_ms % 1000)))"
    kill_program
    check "${delay_ms} ms after Ctrl+S (a whole save took $SAVE_MS ms)"
done

((FAILED == 0)) || rr_fail "a killed save left a mix of old and new bytes"
echo "kill during save: ok"
