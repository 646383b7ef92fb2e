#!/usr/bin/env bash
# The real program from outside, as a member uses it: under a private X server with a fresh
# home folder, type a page, tag it from the Format menu, save it, convert it, preview a message,
# leave, and start again at the stored place. Usage: tests/e2e/e2e.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
source "$(dirname "${BASH_SOURCE[0]}")/xsession.sh"

APP="$BUILD/rivirazare"
UNTITLED="Без имени.mv - Mirvale Rivi Razare"

start_program() {
    "$APP" >"$RR_TMP/program.log" 2>&1 &
    RR_PIDS+=("$!")
    PROGRAM_PID=$!
    WID="$(rr_wait_window "$UNTITLED" 90)" || rr_fail "the main window did not appear"
    eval "$(xdotool getwindowgeometry --shell "$WID")" # X, Y, WIDTH, HEIGHT
    sleep 1
}
# Clicks at a point given in the main window's client coordinates.
click_at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.4; }
keys() { xdotool key --delay 80 "$@"; sleep 0.4; }
type_text() { xdotool type --delay 40 "$1"; sleep 0.3; }
wait_for() { # wait_for SECONDS COMMAND...
    local limit="$1"; shift
    for _ in $(seq 1 $((limit * 10))); do "$@" && return 0; sleep 0.1; done
    return 1
}

# --- First run: write, tag, save, convert, preview ---------------------------------------------
start_program

click_at 200 150 # into the page text area
type_text "Hello ^bolder^world"
keys Return
type_text "line two"

# Format menu, sixth item ("Жирный"): the prefix rule puts the tag at the start of the caret line.
click_at 218 16
keys Down Down Down Down Down Down Return

# Ctrl+S on an untitled page asks for a name; the default extension is added.
keys ctrl+s
wait_for 20 bash -c "xdotool search --onlyvisible --name '.' | while read w; do xdotool getwindowname \$w; done | grep -qv 'Mirvale Rivi Razare'" ||
    rr_fail "the save dialog did not open"
sleep 1
type_text "$HOME/page"
keys Return
PAGE="$HOME/page.mv"
wait_for 20 test -f "$PAGE" || rr_fail "the page was not saved"
printf 'Hello ^bolder^world\r\n^bolder^line two' >"$RR_TMP/expected.mv"
cmp "$PAGE" "$RR_TMP/expected.mv" || rr_fail "saved bytes differ: $(od -c "$PAGE" | head)"
rr_wait_window "page.mv - Mirvale Rivi Razare" 10 >/dev/null || rr_fail "caption after save"

# F2 joins the page into one line; OK (Enter) copies it.
keys F2
rr_wait_window "Преобразование" 10 >/dev/null || rr_fail "the conversion window did not open"
keys Return
wait_for 10 bash -c '[[ "$(xclip -o -selection clipboard 2>/dev/null)" == "Hello ^bolder^world^bolder^line two" ]]' ||
    rr_fail "clipboard after Convert: '$(xclip -o -selection clipboard 2>/dev/null || true)'"

# The Message tab previews a message as it is typed.
click_at 270 42
click_at 200 60
type_text "^bolder^Message^br^"
PREVIEW="$(find "$XDG_CACHE_HOME" -name Temp.html 2>/dev/null | head -1)"
[[ -n "$PREVIEW" ]] || rr_fail "no preview file"
printf '<html>\r\n<head><title>Message</title></head>\r\n<body>\r\n<b>Message<br>\r\n</body>\r\n</html>\r\n' >"$RR_TMP/expected.html"
wait_for 10 cmp -s "$PREVIEW" "$RR_TMP/expected.html" || rr_fail "preview file: $(cat "$PREVIEW")"

# The first web page shown (the preview) gives the window a surface the web engine can draw
# into, and Qt makes its native window anew for that: look its id up again.
sleep 1
WID="$(rr_wait_window "page.mv - Mirvale Rivi Razare" 10)" || rr_fail "the main window went away"

# Move the window, then leave with Alt+F4: the settings file keeps the place.
xdotool windowmove "$WID" 120 90
sleep 0.5
keys alt+F4
wait_for 20 bash -c "! kill -0 $PROGRAM_PID 2>/dev/null" || rr_fail "Alt+F4 did not end the program"

SETTINGS="$XDG_CONFIG_HOME/Corvel SoftWare/Programs/Mirvale Rivi Razare/Settings/Settings.ini"
[[ -f "$SETTINGS" ]] || rr_fail "no settings file"
keys_found="$(grep -o '^[A-Za-z_]*=' "$SETTINGS" | tr -d '=' | tr '\n' ' ')"
[[ "$keys_found" == "Left Width Top Height Read_Only StatusBar WordWrap Browser Font Size " ]] ||
    rr_fail "settings keys: $keys_found"
grep -q '^Left=120' "$SETTINGS" && grep -q '^Top=90' "$SETTINGS" || rr_fail "stored place: $(cat "$SETTINGS")"

# --- Second run: the window comes back where it was left -----------------------------------------
start_program
[[ "$X" == 120 && "$Y" == 90 ]] || rr_fail "window came back at $X,$Y"
kill "$PROGRAM_PID"
echo "end-to-end: ok"
