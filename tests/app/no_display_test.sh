#!/usr/bin/env bash
# Started without a display, the program says so in one line and exits non-zero.
set -euo pipefail
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# No system bus can be reached from this run, so no power request can leave it.
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/no-bus"
[[ $DBUS_SYSTEM_BUS_ADDRESS == unix:path=$scratch/* ]] || { echo "refusing: not a private bus"; exit 1; }

check() {
    local expected=$1
    shift
    local out rc=0
    out=$(cd "$scratch" && env "$@" "$program" 2>&1) || rc=$?
    if [ "$rc" -eq 0 ] || [ "$out" != "$expected" ]; then
        echo "FAIL: env $* -> rc $rc, output: $out"
        exit 1
    fi
    [ ! -e "$scratch/SetTimeData.txt" ] || { echo "FAIL: a file was written"; exit 1; }
}

check "Brindlewhistmoore: no display: DISPLAY is not set" -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM
check "Brindlewhistmoore: cannot open display :97" -u QT_QPA_PLATFORM DISPLAY=:97
echo "no-display checks passed"
