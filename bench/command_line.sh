#!/usr/bin/env bash
# Peak memory and time of `rivirazare --message-html` on messages of nothing but line breaks,
# 25, 50 and 100 MB: time should grow linearly and memory stay a small multiple of the input.
# Usage: bench/command_line.sh [build-dir]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"
TMP="$(mktemp -d)"
trap 'rm -rf "$TMP"' EXIT

for mb in 25 50 100; do
    head -c $((mb * 1000000)) /dev/zero | tr '\0' '\n' >"$TMP/message.txt"
    /usr/bin/time -f "%e %M" -o "$TMP/time" "$BUILD/rivirazare" --message-html "$TMP/message.txt" \
        >/dev/null
    read -r seconds kb <"$TMP/time"
    echo "--message-html, ${mb} MB of line breaks: ${seconds} s, peak memory $((kb / 1024)) MB"
done
