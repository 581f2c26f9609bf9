#!/usr/bin/env bash
# Every kind of reservation on a day it is due and on one it is not, a booking made through the
# window, stopped rows, the clean-up of the file, a countdown length changed in the settings
# dialog, and a countdown put off by ten minutes, the machine held awake meanwhile. Each copy logs
# off its own named session, so the calls tell which copy fired.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

logoff_at_noon() { echo "$1,午後,０時,00分,ログオフ,稼働"; }

clear_calls
# Weekday sets, each started on a day it is due and on one it is not (2026-12-06 is a Sunday).
sets=(日曜 月曜 火曜 水曜 木曜 金曜 土曜 月～金 月～土 土日)
due_days=(06 07 08 09 10 11 12 09 12 06)
other_days=(07 08 09 10 11 12 06 12 06 09)
for i in "${!sets[@]}"; do
    start "week$i-due" "2026-12-${due_days[$i]} 11:59:50" "$settings_three_seconds" "$(logoff_at_noon "毎週${sets[$i]}")"
    start "week$i-not" "2026-12-${other_days[$i]} 11:59:50" "$settings_three_seconds" "$(logoff_at_noon "毎週${sets[$i]}")"
done
start daily "2026-12-07 11:59:50" "$settings_three_seconds" "$(logoff_at_noon 毎日)"
start stopped "2026-12-07 11:59:50" "$settings_three_seconds" "毎日,午後,０時,00分,ログオフ,停止"
start tomorrow "2026-12-07 11:59:50" "$settings_three_seconds" "$(logoff_at_noon 2026/12/08)"
# Fires and expires; a half-filled row and a past one-time row go at the first tick.
start today "2026-12-07 11:59:50" "$settings_three_seconds" \
    "$(logoff_at_noon 2026/12/07)" "毎日,午前,,,," "2026/12/06,午前,９時,00分,終了,稼働" \
    "2026/12/08,午前,９時,00分,終了,停止"
# Two copies held up (stopped) over the noon second still fire when they go on.
start held-daily "2026-12-07 11:59:50" "$settings_three_seconds" "$(logoff_at_noon 毎日)"
held=("$last_pid")
start held-once "2026-12-07 11:59:50" "$settings_three_seconds" "$(logoff_at_noon 2026/12/07)"
held+=("$last_pid")

sleep 3
[ "$(reservation_file today | sed -n '2,3p')" = $',,,,,\n,,,,,' ] ||
    fail "the half-filled and the past rows were not cleared from the file"
sleep 4
kill -STOP "${held[@]}"
sleep 6
kill -CONT "${held[@]}"

for _ in $(seq 100); do
    [ "$(calls | sort -u | wc -l)" -ge 15 ] && break
    sleep 0.2
done
sleep 2
fired=$(calls | sort -u)
expected=$( (for i in "${!sets[@]}"; do echo "TerminateSession week$i-due"; done
    echo "TerminateSession daily"; echo "TerminateSession today"
    echo "TerminateSession held-daily"; echo "TerminateSession held-once") | sort)
[ "$fired" = "$expected" ] || fail "fired: $(echo $fired) expected: $(echo $expected)"
[ "$(reservation_file today | head -1)" = ",,,,," ] || fail "the fired one-time row was not removed"
[ "$(reservation_file held-once | head -1)" = ",,,,," ] || fail "the late one-time row was not removed"
[ "$(reservation_file today | sed -n 4p)" = "2026/12/08,午前,９時,00分,終了,停止" ] ||
    fail "tomorrow's stopped row did not stay"
[ "$(reservation_file tomorrow | head -1)" = "2026/12/08,午後,０時,00分,ログオフ,稼働" ] ||
    fail "tomorrow's row did not stay"
echo "weekday sets, daily, one-time, stopped rows, late ticks and the file's clean-up behaved"

for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
clear_calls

# A booking made through the window, "0 hours 00 minutes from now" with the action log-off.
start elapsed "2026-12-07 11:59:20" "$settings_three_seconds"
window=$(show_main_window elapsed)
[ -n "$window" ] || fail "the main window did not show"
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.3; }
click 286 19                                   # the tab 経過予約
click 315 52                                   # ComboBox6, on "30"
for _ in $(seq 30); do xdotool key Up; done    # to "00"
click 420 152                                  # ComboBox5, on "終了"
for _ in $(seq 4); do xdotool key Down; done   # to "ログオフ"
click 249 191                                  # 予約する
sleep 0.5
[ "$(reservation_file elapsed | head -1)" = "2026/12/07,午後,０時,00分,ログオフ,稼働" ] ||
    fail "the booking wrote: $(reservation_file elapsed | head -1)"
click 420 191                                  # トレイに格納

# The settings dialog's OK sets the length of the next countdown.
start settings "2026-12-07 11:59:25" "$settings_three_seconds" "$(logoff_at_noon 毎日)"
window=$(show_main_window settings)
click 221 372                                  # 設定
dialog=$(wait_for_window 設定 5)
[ -n "$dialog" ] || fail "no settings dialog"
# Once the main window has come over it, 設定 brings the open dialog back to the front. The
# stacking place counts from the top.
stacking_place() { xwininfo -root -children | awk '{print $1}' | grep -n -x "$(printf '0x%x' "$1")" | cut -d: -f1; }
# above A B: waits up to five seconds for A to lie above B (a copy raises after the asker left).
above() {
    for _ in $(seq 25); do
        [ "$(stacking_place "$1")" -lt "$(stacking_place "$2")" ] && return 0
        sleep 0.2
    done
    return 1
}
show_main_window settings >/dev/null
above "$window" "$dialog" || fail "the main window did not come up: $window $dialog $(xwininfo -root -children | grep -v "has no name")"
click 221 372
above "$dialog" "$window" || fail "設定 left the dialog behind"
xdotool mousemove --window "$dialog" 40 170 click 1 key ctrl+a type 20
xdotool mousemove --window "$dialog" 180 482 click 1
sleep 0.5
grep -q $'ShutDownTime=20\r' "$scratch/settings/Brindlewhistmoore.ini" || fail "OK did not store 20"

[ -n "$(wait_for_window ログオフ予告 45)" ] || fail "no countdown at noon"
for _ in $(seq 50); do
    calls | grep -q "elapsed" && break
    sleep 0.2
done
calls | grep -qx "TerminateSession elapsed" || fail "the booking from the window did not fire"
sleep 8
calls | grep -q "settings" && fail "the 20 second countdown ended early"
for _ in $(seq 100); do
    calls | grep -q "settings" && break
    sleep 0.2
done
calls | grep -qx "TerminateSession settings" || fail "the 20 second countdown never ended"
echo "a booking from the window fired, and the settings dialog set the next countdown's length"

# "10分延期": the countdown goes, the action is booked ten minutes on in the first free row, and
# logind's "idle" lock is held only while the countdown shows.
for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
clear_calls
start postpone "2026-12-07 11:59:52" "$settings_fifteen_seconds" "$(logoff_at_noon 毎日)"
countdown=$(wait_for_window ログオフ予告 20)
[ -n "$countdown" ] || fail "no countdown to postpone"
for _ in $(seq 20); do
    [ -n "$(inhibitors)" ] && break
    sleep 0.2
done
[ "$(inhibitors)" = "idle Brindlewhistmoore block" ] || fail "held during the countdown: $(inhibitors)"
click_until_hidden "$countdown" 217 156 || fail "10分延期 left the countdown"
[ "$(reservation_file postpone | sed -n 2p)" = "2026/12/07,午後,０時,10分,ログオフ,稼働" ] ||
    fail "the postponed booking: $(reservation_file postpone | sed -n 2p)"
for _ in $(seq 20); do
    [ -z "$(inhibitors)" ] && break
    sleep 0.2
done
[ -z "$(inhibitors)" ] || fail "still held after the postponement: $(inhibitors)"
sleep 16
[ -z "$(calls)" ] || fail "a postponed countdown ran: $(calls)"
echo "10分延期 booked the action ten minutes on; the idle lock was held only during the countdown"
