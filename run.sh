#!/usr/bin/env bash
# Builds the editor if needed and starts it.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
RR_TARGETS=rivirazare "$ROOT/scripts/setup.sh"
exec "$ROOT/build/rivirazare" "$@"
