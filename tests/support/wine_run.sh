#!/usr/bin/env bash
# Runs a Windows program under wine with a prefix of the build's own (made once, under a lock, so
# tests started side by side share it) and without wine's debug output.
set -euo pipefail
build=$(cd "$(dirname "$1")" && while [ ! -e CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
(
    flock 9
    [ -e "$WINEPREFIX/system.reg" ] || wine wineboot -i >/dev/null 2>&1
) 9>"$build/wineprefix.lock"
exec wine "$@"
