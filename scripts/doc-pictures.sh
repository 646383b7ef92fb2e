#!/usr/bin/env bash
# Remakes the README's pictures of the site view and the tag checker: the page-extras test
# run under a private X server, where the web engine's drawing reaches the screen.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export QT_QPA_PLATFORM=xcb QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox
export RR_DOC_PICTURES="$ROOT/docs"
xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$ROOT/build/tests/app/app_tst_page_extras" documentationPictures
