#!/usr/bin/env bash
# The real program takes reservations from its file through the countdown to logind, on a
# private bus where a mock answers as logind, with the clock moved by libfaketime.
set -euo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)

[ -n "${BWM_PRIVATE_SYSTEM_BUS:-}" ] && [ "$BWM_PRIVATE_SYSTEM_BUS" = "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] ||
    { echo "refusing to run: no private system bus (use with_mock_logind.sh)"; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -e "$faketime_lib" ] || { echo "libfaketime is missing"; exit 1; }
unset QT_QPA_PLATFORM
# A sanitized build must accept libfaketime loaded ahead of its runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/power_e2e_failure.png" 2>/dev/null || true
    echo "calls recorded:"
    calls
    tail -n 5 "$scratch"/*/stderr.log
    exit 1
}

calls() { /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS"; }
clear_calls() { /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" clear; }
count() { calls | grep -c "^$1\b" || true; }

# start NAME FAKE_START ROW... : a copy of the program in a folder of its own, with a countdown of
# three seconds and the given reservation rows, its clock starting at FAKE_START.
start() {
    local name=$1 fake=$2
    shift 2
    local dir="$scratch/$name"
    mkdir -p "$dir/run"
    chmod 700 "$dir/run"
    cp "$program" "$dir/Brindlewhistmoore"
    printf '[SET]\r\nShutDownTime=3\r\n' >"$dir/Brindlewhistmoore.ini"
    {
        for row in "$@"; do printf '%s\r\n' "$row"; done
        for _ in $(seq $((30 - $#))); do printf ',,,,,\r\n'; done
    } | iconv -f UTF-8 -t CP932 >"$dir/SetTimeData.txt"
    (cd "$dir" && XDG_RUNTIME_DIR="$dir/run" XDG_SESSION_ID=e2e-session \
        LD_PRELOAD="$faketime_lib" FAKETIME="@$fake" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        exec ./Brindlewhistmoore 2>"$dir/stderr.log") &
    pids+=($!)
}

wait_for_window() {
    timeout "$2" xdotool search --sync --onlyvisible --name "^$1\$" 2>/dev/null | head -1
}

labels=(ログオフ 再起動 終了 強制終了 強制再起 スタンバイ 休止状態)
titles=(ログオフ予告 再起動予告 電源断予告 強制終了予告 強制再起動予告 スタンバイ予告 休止状態予告)

clear_calls
for i in "${!labels[@]}"; do
    start "action$i" "2026-12-07 11:59:56" "毎日,午後,０時,00分,${labels[$i]},稼働"
done
# This copy suspends at noon, returns to watching and hibernates a minute later.
start again "2026-12-07 11:59:56" "毎日,午後,０時,00分,スタンバイ,稼働" "毎日,午後,０時,01分,休止状態,稼働"
started=$SECONDS

for title in "${titles[@]}"; do
    [ -n "$(wait_for_window "$title" 15)" ] || fail "no countdown titled $title"
done
import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/power_e2e_countdowns.png" 2>/dev/null || true

for _ in $(seq 100); do
    [ "$(count TerminateSession)" -ge 1 ] && [ "$(count Reboot)" -ge 2 ] &&
        [ "$(count PowerOff)" -ge 2 ] && [ "$(count Suspend)" -ge 2 ] &&
        [ "$(count Hibernate)" -ge 1 ] && break
    sleep 0.2
done
calls | grep -qx "TerminateSession e2e-session" || fail "log-off did not name the session"
[ "$(count Reboot)" -ge 2 ] || fail "reboot and forced reboot"
[ "$(count PowerOff)" -ge 2 ] || fail "shut down and forced shut down"
[ "$(count Suspend)" -eq 2 ] || fail "two standbys"
[ "$(count Hibernate)" -eq 1 ] || fail "one hibernation"
[ -z "$(calls | grep -v -E '^(TerminateSession e2e-session|(Reboot|PowerOff|Suspend|Hibernate) 0)$')" ] ||
    fail "unexpected calls"
echo "all seven actions reached logind"

# Only the copy that will fire again keeps running.
for pid in "${pids[@]:0:7}"; do kill "$pid"; done
clear_calls

start cancel "2026-12-07 11:59:57" "毎日,午後,０時,00分,終了,稼働"
box=$(wait_for_window 電源断予告 10)
[ -n "$box" ] || fail "no countdown to cancel"
xdotool mousemove --window "$box" 160 156 click 1
sleep 6
[ -z "$(calls)" ] || fail "a cancelled countdown reached logind"
echo "a cancelled countdown requested nothing"

remaining=$((started + 80 - SECONDS))
for _ in $(seq $((remaining * 5))); do
    [ "$(count Hibernate)" -ge 1 ] && break
    sleep 0.2
done
[ "$(count Hibernate)" -eq 1 ] || fail "after standby the next minute's reservation did not fire"
echo "after standby the program went on watching"
