#!/usr/bin/env bash
# Shared set-up for the out-of-process tests: a private X server and a fresh home folder.
# Source it; it defines DISPLAY, HOME, the XDG folders and rr_cleanup.

rr_fail() { echo "FAIL: $*" >&2; exit 1; }

RR_TMP="$(mktemp -d)"
export HOME="$RR_TMP/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_RUNTIME_DIR="$RR_TMP/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# -displayfd lets the server pick a free display and tell us which.
exec {RR_DISPLAY_FD}<> <(:)
Xvfb -displayfd "$RR_DISPLAY_FD" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
RR_XVFB_PID=$!
RR_DISPLAY=""
for _ in $(seq 1 100); do
    if read -r -t 0.1 RR_DISPLAY <&"$RR_DISPLAY_FD" && [[ -n "$RR_DISPLAY" ]]; then
        break
    fi
done
[[ -n "$RR_DISPLAY" ]] || rr_fail "Xvfb did not start"
export DISPLAY=":$RR_DISPLAY"

export QT_QPA_PLATFORM=xcb
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox"
unset SESSION_MANAGER

RR_PIDS=()
rr_cleanup() {
    for p in "${RR_PIDS[@]}"; do kill -9 "$p" 2>/dev/null || true; done
    kill "$RR_XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$RR_TMP"
}
trap rr_cleanup EXIT

# rr_wait_window TITLE [SECONDS]: prints the window id once a window with that title maps.
rr_wait_window() {
    local title="$1" limit="${2:-60}" id=""
    for _ in $(seq 1 $((limit * 10))); do
        id="$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)"
        [[ -n "$id" ]] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
