#!/usr/bin/env bash
# Runs a Windows program under wine without wine's debug output, in the build's prefix or the one
# BWM_PREFIX names. Every prefix is a copy of one template that no program runs in (made once,
# under a lock, so tests started side by side share it): a test with a prefix of its own copies
# it at once, while others run.
set -euo pipefail
# BWM_BUILD names the build folder for a program that lies elsewhere.
build=${BWM_BUILD:-}
[ -n "$build" ] || build=$(cd "$(dirname "$1")" && while [ ! -e CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
template="$build/wineprefix-template"
export WINEPREFIX="${BWM_PREFIX:-$build/wineprefix}"
(
    flock 9
    if [ ! -e "$template/japanese-fonts.done" ]; then
        rm -rf "$template"
        # Wine's server outlives the command: it must not inherit the lock.
        WINEPREFIX="$template" wine wineboot -i >/dev/null 2>&1 9>&-
        # regedit reads UTF-16 with a byte-order mark.
        { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$(dirname "$0")/japanese-fonts.reg"; } \
            >"$template/drive_c/japanese-fonts.reg"
        WINEPREFIX="$template" wine regedit /S 'C:\japanese-fonts.reg' >/dev/null 2>&1 9>&- || true
        # Copied only once its server has written everything and ended.
        WINEPREFIX="$template" wineserver -w
        touch "$template/japanese-fonts.done"
    fi
    [ -e "$WINEPREFIX/japanese-fonts.done" ] || { rm -rf "$WINEPREFIX" && cp -a "$template" "$WINEPREFIX"; }
) 9>"$build/wineprefix.lock"
exec wine "$@"
