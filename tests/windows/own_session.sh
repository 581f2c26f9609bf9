#!/usr/bin/env bash
# Runs a Windows program of the tests in a wine session of its own on this display: a session
# begun without a display (by an earlier test; its server lingers) has no window driver.
set -euo pipefail
program=$1
build=$2
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
export WINEPREFIX="$build/wineprefix"
wineserver -k 2>/dev/null || true
wineserver -w
status=0
BWM_BUILD="$build" bash "$(dirname "$0")/../support/wine_run.sh" "$program" || status=$?
wineserver -k 2>/dev/null || true
exit "$status"
