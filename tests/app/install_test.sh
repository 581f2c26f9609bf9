#!/usr/bin/env bash
# `cmake --install` puts the program, its icon and a valid desktop entry in place.
set -euo pipefail
build=$1
expected_exec=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/Brindlewhistmoore share/applications/brindlewhistmoore.desktop \
    share/icons/hicolor/scalable/apps/brindlewhistmoore.svg \
    share/metainfo/org.example.brindlewhistmoore.metainfo.xml; do
    [ -f "$prefix/$f" ] || { echo "FAIL: $f was not installed"; exit 1; }
done
desktop="$prefix/share/applications/brindlewhistmoore.desktop"
desktop-file-validate "$desktop"
grep -qx "Exec=$expected_exec" "$desktop" || { echo "FAIL: Exec is not $expected_exec"; exit 1; }
grep -q '^Name=.*電源予約' "$desktop" || { echo "FAIL: no Japanese name"; exit 1; }
echo "install checks passed"
