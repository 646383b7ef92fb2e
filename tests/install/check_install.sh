#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the layout a desktop expects,
# and that the installed program runs from there.
set -euo pipefail
BUILD="$1"
PREFIX="$(mktemp -d)"
trap 'rm -rf "$PREFIX"' EXIT

cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null

for f in bin/rivirazare \
         share/applications/rivirazare.desktop \
         share/icons/hicolor/scalable/apps/rivirazare.svg \
         share/mime/packages/rivirazare.xml \
         share/metainfo/example.mirvale.rivirazare.metainfo.xml; do
    [[ -e "$PREFIX/$f" ]] || { echo "missing after install: $f" >&2; exit 1; }
done
for lng in "$BUILD"/Language/*.lng; do
    [[ -e "$lng" ]] || continue
    name="$(basename "$lng")"
    [[ -e "$PREFIX/share/rivirazare/Language/$name" ]] || { echo "missing language file $name" >&2; exit 1; }
done

# The installed program works from its prefix.
page="$PREFIX/page.mv"
printf 'a\r\nb' > "$page"
out="$("$PREFIX/bin/rivirazare" --to-line "$page")"
[[ "$out" == "ab" ]] || { echo "installed program gave '$out'" >&2; exit 1; }
echo "install layout ok"
