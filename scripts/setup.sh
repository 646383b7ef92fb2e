#!/usr/bin/env bash
# Installs the Debian 12 packages the build needs, then configures and builds in build/.
# Sourced by run.sh and test.sh; builds incrementally.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"

PACKAGES=(
    cmake ninja-build g++ ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-translations-l10n libgl-dev
    libbenchmark-dev fonts-dejavu-core
    xvfb xauth xdotool xclip
    desktop-file-utils appstream
    dpkg-dev file lintian libhunspell-dev hunspell-ru hunspell-en-us
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    if [[ $(id -u) -eq 0 ]]; then
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    elif command -v sudo >/dev/null && sudo -n true 2>/dev/null; then
        sudo apt-get update -qq
        sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    else
        echo "Some packages are missing. Install them with:" >&2
        echo "  sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
fi

JOBS="$(nproc 2>/dev/null || echo 2)"
if [[ ! -f "$BUILD/build.ninja" ]]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja
fi
cmake --build "$BUILD" --parallel "$JOBS" ${RR_TARGETS:+--target $RR_TARGETS}
