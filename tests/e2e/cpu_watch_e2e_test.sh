#!/usr/bin/env bash
# With the CPU hand-over switched on, a due reservation starts the CPU-idle watch instead of the
# countdown; a minute of idle ticks later the countdown runs and logind is asked for the action.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

# A threshold of 100 % makes every tick idle, so the watch fires after exactly one minute.
clear_calls
start watch "2026-12-07 11:59:52" $'[SET]\r\nCPUchange=1\r\nShutDownTime=3\r\nCPUPersent=100\r\nCPUMinitu=1\r\n' \
    "毎日,午後,０時,00分,休止状態,稼働"

# The reservation falls due eight seconds in (a slow start has time); the watch then needs 120
# ticks of 500 ms.
sleep 30
[ -z "$(x_search --onlyvisible --name '^休止状態予告$')" ] || fail "the countdown came at once"
[ -z "$(calls)" ] || fail "logind was called before the watch ran its minute"
[ -n "$(wait_for_window 休止状態予告 60)" ] || fail "the watch never started the countdown"
for _ in $(seq 50); do
    [ -n "$(calls)" ] && break
    sleep 0.2
done
[ "$(calls)" = "Hibernate 0" ] || fail "expected one Hibernate call"
echo "the watch handed the reservation's action to logind after its minute"
