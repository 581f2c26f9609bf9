#!/usr/bin/env bash
# With the CPU hand-over switched on, a due reservation starts the CPU-idle watch instead of the
# countdown; a minute of idle ticks later the countdown runs and logind is asked for the action.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

[ -n "${BWM_PRIVATE_SYSTEM_BUS:-}" ] && [ "$BWM_PRIVATE_SYSTEM_BUS" = "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] ||
    { echo "refusing to run: no private system bus (use with_mock_logind.sh)"; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
unset QT_QPA_PLATFORM
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

scratch=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
calls() { /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS"; }
fail() {
    echo "FAIL: $*"
    import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/cpu_watch_failure.png" 2>/dev/null || true
    calls
    tail -n 5 "$scratch/stderr.log"
    exit 1
}

mkdir -m 700 "$scratch/run"
cp "$program" "$scratch/Brindlewhistmoore"
# A threshold of 100 % makes every tick idle, so the watch fires after exactly one minute.
printf '[SET]\r\nCPUchange=1\r\nShutDownTime=3\r\nCPUPersent=100\r\nCPUMinitu=1\r\n' \
    >"$scratch/Brindlewhistmoore.ini"
{
    printf '毎日,午後,０時,00分,休止状態,稼働\r\n'
    for _ in $(seq 29); do printf ',,,,,\r\n'; done
} | iconv -f UTF-8 -t CP932 >"$scratch/SetTimeData.txt"

/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" clear
(cd "$scratch" && XDG_RUNTIME_DIR="$scratch/run" LD_PRELOAD="$faketime_lib" \
    FAKETIME="@2026-12-07 11:59:58" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    exec ./Brindlewhistmoore 2>"$scratch/stderr.log") &
pid=$!

# The reservation falls due about two seconds in; the watch then needs 120 ticks of 500 ms.
sleep 30
xdotool search --onlyvisible --name '^休止状態予告$' >/dev/null 2>&1 && fail "the countdown came at once"
[ -z "$(calls)" ] || fail "logind was called before the watch ran its minute"
box=$(timeout 45 xdotool search --sync --onlyvisible --name '^休止状態予告$' | head -1) ||
    fail "the watch never started the countdown"
for _ in $(seq 50); do
    [ -n "$(calls)" ] && break
    sleep 0.2
done
[ "$(calls)" = "Hibernate 0" ] || fail "expected one Hibernate call"
echo "the watch handed the reservation's action to logind after its minute"
