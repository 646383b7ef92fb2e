#!/usr/bin/env bash
# Start-up and idle cost of the editor under Xvfb: time from process start to the main window
# mapped, resident memory of the program and its web-engine processes, and CPU time used in
# ten idle seconds. Usage: bench/startup.sh [build-dir] [runs]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
RUNS="${2:-5}"
source "$ROOT/tests/e2e/xsession.sh"

TITLE="Без имени.mv - Mirvale Rivi Razare"
TICKS="$(getconf CLK_TCK)"

tree_pids() { # the process and all its descendants
    local pid="$1"
    echo "$pid"
    for child in $(pgrep -P "$pid" 2>/dev/null); do tree_pids "$child"; done
}
cpu_ticks() {
    local total=0
    for p in $(tree_pids "$1"); do
        [[ -r /proc/$p/stat ]] || continue
        read -r -a f < <(sed 's/.*) //' "/proc/$p/stat")
        total=$((total + f[11] + f[12]))
    done
    echo "$total"
}
rss_kb() {
    local total=0
    for p in $(tree_pids "$1"); do
        local kb
        kb="$(awk '/^VmRSS:/ {print $2}' "/proc/$p/status" 2>/dev/null || echo 0)"
        total=$((total + ${kb:-0}))
    done
    echo "$total"
}

times=()
for run in $(seq 1 "$RUNS"); do
    rm -rf "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
    start=$(date +%s%N)
    "$BUILD/rivirazare" >/dev/null 2>&1 &
    pid=$!
    RR_PIDS+=("$pid")
    rr_wait_window "$TITLE" 60 >/dev/null || rr_fail "main window did not appear"
    end=$(date +%s%N)
    times+=($(((end - start) / 1000000)))
    if [[ "$run" == "$RUNS" ]]; then
        sleep 3 # let anything started with the window settle before measuring idle cost
        rss="$(rss_kb "$pid")"
        engines=0
        for p in $(tree_pids "$pid"); do
            [[ "$(cat "/proc/$p/comm" 2>/dev/null)" == QtWebEngineProc* ]] && engines=$((engines + 1))
        done
        before="$(cpu_ticks "$pid")"
        sleep 10
        after="$(cpu_ticks "$pid")"
        idle_ms=$(((after - before) * 1000 / TICKS))
    fi
    kill "$pid"; wait "$pid" 2>/dev/null || true
done

sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "main window mapped after (ms): ${times[*]} (median ${sorted[$((RUNS / 2))]})"
echo "resident memory after start: $((rss / 1024)) MB (program and all its child processes)"
echo "web-engine processes after start: ${engines}"
echo "CPU time in 10 idle seconds: ${idle_ms} ms ($(awk "BEGIN {printf \"%.2f\", $idle_ms / 100}")%)"
