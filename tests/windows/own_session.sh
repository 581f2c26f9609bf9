#!/usr/bin/env bash
# Runs a Windows program of the tests in a wine prefix and session of its own on this display: a
# session begun without a display has no window driver, and tests beside it use their own.
set -euo pipefail
program=$1
build=$2
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
export WINEPREFIX="$build/prefix-$(basename "$program" .exe)"
trap 'wineserver -k 2>/dev/null || true; wineserver -w; rm -rf "$WINEPREFIX"' EXIT
rm -rf "$WINEPREFIX"
BWM_BUILD="$build" BWM_PREFIX="$WINEPREFIX" bash "$(dirname "$0")/../support/wine_run.sh" "$program"
