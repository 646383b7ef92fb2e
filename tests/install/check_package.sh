#!/usr/bin/env bash
# Builds the Debian package with cpack, unpacks it with dpkg-deb into a temporary folder, checks
# its file list and control data, and starts the unpacked program far enough to find its
# language files. Usage: tests/install/check_package.sh BUILD_DIR
set -euo pipefail
BUILD="$1"
WORK="$(mktemp -d)"
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A package folder of its own, so that the test never races a cpack run by hand.
(cd "$BUILD" && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) ||
    fail "cpack failed: $(tail -20 "$WORK/cpack.log")"
DEB="$(find "$WORK/out" -maxdepth 1 -name 'rivirazare_*.deb' | head -1)"
[[ -n "$DEB" ]] || fail "no .deb made: $(ls "$WORK/out")"

dpkg-deb -x "$DEB" "$WORK/root"
for f in usr/bin/rivirazare \
         usr/share/applications/rivirazare.desktop \
         usr/share/icons/hicolor/scalable/apps/rivirazare.svg \
         usr/share/mime/packages/rivirazare.xml \
         usr/share/metainfo/example.mirvale.rivirazare.metainfo.xml \
         usr/share/rivirazare/Language/Russian.lng \
         usr/share/rivirazare/Language/English.lng \
         usr/share/doc/rivirazare/copyright \
         usr/share/doc/rivirazare/changelog.gz \
         usr/share/man/man1/rivirazare.1.gz; do
    [[ -e "$WORK/root/$f" ]] || fail "missing in the package: $f"
done
# Nothing outside /usr.
outside="$(cd "$WORK/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)"
[[ -z "$outside" ]] || fail "files outside /usr: $outside"

depends="$(dpkg-deb -f "$DEB" Depends)"
for needed in libQt6WebEngineWidgets hunspell-ru hunspell-en-us; do
    [[ "$depends" == *"${needed,,}"* || "$depends" == *"$needed"* ]] ||
        fail "Depends lacks $needed: $depends"
done

# The unpacked program finds the language files that came with it.
out="$("$WORK/root/usr/bin/rivirazare" --languages)" || fail "the unpacked program failed: $out"
[[ "$(head -1 <<<"$out")" == "$WORK/root/usr/share/rivirazare/Language" ]] ||
    fail "language folder: $(head -1 <<<"$out")"
grep -qx "English.lng" <<<"$out" && grep -qx "Russian.lng" <<<"$out" ||
    fail "language files found: $out"

if command -v lintian >/dev/null; then
    lintian --no-tag-display-limit "$DEB" >"$WORK/lintian.log" 2>&1 || true
    ! grep -q '^E:' "$WORK/lintian.log" || fail "lintian errors: $(grep '^E:' "$WORK/lintian.log")"
fi
echo "package ok: $(basename "$DEB")"
