#!/usr/bin/env bash
# Runs a Windows program under wine with a prefix of the build's own (made once, under a lock, so
# tests started side by side share it) and without wine's debug output.
set -euo pipefail
# BWM_BUILD names the build folder for a program that lies elsewhere.
build=${BWM_BUILD:-}
[ -n "$build" ] || build=$(cd "$(dirname "$1")" && while [ ! -e CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
(
    flock 9
    if [ ! -e "$WINEPREFIX/japanese-fonts.done" ]; then
        # Wine's server outlives the command: it must not inherit the lock.
        wine wineboot -i >/dev/null 2>&1 9>&-
        # regedit reads UTF-16 with a byte-order mark.
        { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$(dirname "$0")/japanese-fonts.reg"; } \
            >"$WINEPREFIX/drive_c/japanese-fonts.reg"
        wine regedit /S 'C:\japanese-fonts.reg' >/dev/null 2>&1 9>&- || true
        touch "$WINEPREFIX/japanese-fonts.done"
    fi
) 9>"$build/wineprefix.lock"
exec wine "$@"
