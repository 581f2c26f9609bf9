#!/usr/bin/env bash
# The real program takes reservations from its file through the countdown to logind, on a
# private bus where a mock answers as logind, with the clock moved by libfaketime.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

labels=(ログオフ 再起動 終了 強制終了 強制再起 スタンバイ 休止状態 画面ロック 画面オフ)
titles=(ログオフ予告 再起動予告 電源断予告 強制終了予告 強制再起動予告 スタンバイ予告 休止状態予告
    画面ロック予告 画面オフ予告)

# The lock's copy has a session that keeps LockedHint, as logind's do: with no locker in this
# session it stays false, and the lock is said not to have happened.
dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.login1 \
    /org/freedesktop/login1 org.freedesktop.DBus.Mock.AddSession string:action7 string:seat0 \
    uint32:"$(id -u)" string:"$(id -un)" boolean:true >/dev/null
clear_calls
actions=()
for i in "${!labels[@]}"; do
    start "action$i" "2026-12-07 11:59:52" "$settings_three_seconds" "毎日,午後,０時,00分,${labels[$i]},稼働"
    actions+=("$last_pid")
done
# This copy suspends at noon, returns to watching and hibernates a minute later.
start again "2026-12-07 11:59:52" "$settings_three_seconds" "毎日,午後,０時,00分,スタンバイ,稼働" "毎日,午後,０時,01分,休止状態,稼働"
again=$last_pid
started=$SECONDS

for title in "${titles[@]}"; do
    [ -n "$(wait_for_window "$title" 20)" ] || fail "no countdown titled $title"
done
import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/power_e2e_countdowns.png" 2>/dev/null || true
# The command before the action, in copies started once the others showed (each start takes its
# moment): one that ends runs before the request; one whose seconds are up is ended with the
# process it started, and calls the action off.
printf '#!/bin/sh\necho "saved 3 files"\n' >"$scratch/quick.sh"
printf '#!/bin/sh\nsh -c "sleep 60" "$0-child" &\necho waiting\nwait\n' >"$scratch/slow.sh"
chmod +x "$scratch/quick.sh" "$scratch/slow.sh"
start precmd "2026-12-07 11:59:52" $'[SET]\r\nShutDownTime=3\r\nPRECOMMAND='"$scratch/quick.sh"$'\r\n' \
    "毎日,午後,０時,00分,終了,稼働"
commands_pids=("$last_pid")
start slowcmd "2026-12-07 11:59:52" \
    $'[SET]\r\nShutDownTime=3\r\nPRECOMMANDTime=2\r\nABORTchange=1\r\nPRECOMMAND='"$scratch/slow.sh"$'\r\n' \
    "毎日,午後,０時,00分,再起動,稼働"
commands_pids+=("$last_pid")

for _ in $(seq 150); do
    [ "$(count TerminateSession)" -ge 1 ] && [ "$(count Reboot)" -ge 2 ] &&
        [ "$(count PowerOff)" -ge 2 ] && [ "$(count Suspend)" -ge 2 ] &&
        [ "$(count Hibernate)" -ge 1 ] && [ "$(count LockSession)" -ge 1 ] && break
    sleep 0.2
done
calls | grep -qx "TerminateSession action0" || fail "log-off did not name the session"
calls | grep -qx "LockSession action7" || fail "the lock did not name the session"
[ "$(count Reboot)" -ge 2 ] || fail "reboot and forced reboot"
[ "$(count PowerOff)" -ge 2 ] || fail "shut down and forced shut down"
[ "$(count Suspend)" -eq 2 ] || fail "two standbys"
[ "$(count Hibernate)" -eq 1 ] || fail "one hibernation"
[ -z "$(calls | grep -v -E '^(TerminateSession action0|(Lock|Get)Session action7|(Reboot|PowerOff|Suspend|Hibernate) 0)$')" ] ||
    fail "unexpected calls"
echo "all eight actions of logind reached it"
has_history action2 $'カウントダウン\t電源断: 予約1 毎日 午後０時00分 終了'
has_history action2 $'要求\t電源断の要求が受け付けられました。'
[ "$(history_of action2 | grep -c $'^要求\t電源断の要求')" = 1 ] ||
    fail "a request repeated at each tick is one line: $(history_of action2)"
echo "the history holds the countdown and logind's answer once"

# Its moment comes eight seconds after its start, and the count three more.
has_history precmd $'実行前のコマンド\t電源断: 実行します: '"$scratch/quick.sh" 20
for _ in $(seq 50); do
    history_of precmd | grep -q $'^実行前のコマンド\t電源断: 終了コード 0、[0-9.]* 秒: saved 3 files$' &&
        break
    sleep 0.2
done
history_of precmd | grep -q $'^実行前のコマンド\t電源断: 終了コード 0、[0-9.]* 秒: saved 3 files$' ||
    fail "the quick command's end: $(history_of precmd)"
has_history precmd $'要求\t電源断の要求が受け付けられました。'
for _ in $(seq 100); do
    history_of slowcmd | grep -q "止めました" && break
    sleep 0.2
done
has_history slowcmd $'実行前のコマンド\t再起動: 2 秒で終わらないので止めました (失敗したので中止します)'
! pgrep -f "$scratch/slow.sh" >/dev/null || fail "the slow command or its child outlived its time"
history_of slowcmd | grep -q $'^要求' && fail "called off, yet requested: $(history_of slowcmd)"
kill "${commands_pids[@]}"
echo "the command before the action ran before the request; one out of time was ended and called it off"

# Asked again until the session ends, a power-off stops when logind calls the shutdown off.
requested=$(($(count PowerOff) + $(count Reboot)))
for _ in $(seq 100); do
    [ $(($(count PowerOff) + $(count Reboot))) -gt "$requested" ] && break
    sleep 0.2
done
has_history action2 $'要求\t電源断: 終わるまで 5 秒ごとに繰り返し要求します'
/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" shutdown-off
has_history action2 $'キャンセル\t電源断: システムが終了を取り消しました'
requested=$(($(count PowerOff) + $(count Reboot)))
sleep 6
[ $(($(count PowerOff) + $(count Reboot))) = "$requested" ] ||
    fail "asked again after the shutdown was called off: $(calls)"
echo "a repeated request ends when logind calls the shutdown off"
# The lock and the display's power are asked for once: the session goes on, watched again.
[ "$(count LockSession)" -eq 1 ] || fail "the screen was locked again: $(calls)"
has_history action7 $'要求\t画面ロックの要求が受け付けられました。'
has_history action7 $'要求\t画面ロックできませんでした。画面はロックされていません: ロックするプログラムが動いていないようです。'
# Xvfb has no DPMS: the display-off is refused with that reason, and leaves nothing under way.
has_history action8 $'要求\t画面オフできませんでした。画面をオフにできません: この画面は電源の操作 (DPMS) に対応していません。'
history_of action8 | grep -q $'^キャンセル' && fail "the refused display-off was under way: $(history_of action8)"
echo "the lock and the display-off were asked for once each"

# Only the copy that will fire again keeps running.
kill "${actions[@]}"
clear_calls

# The system bus restarts: the next idle lock and request go to the bus that came back.
bash "$here/../support/mock_logind_bus.sh" restart "$BWM_MOCK_BUS_DIR"
echo "the bus restarted"

# The next minute's hibernation is refused, as logind does without swap space for it.
reason="Not enough swap space for hibernation"
/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" refuse Hibernate "$reason"
remaining=$((started + 80 - SECONDS))
# The countdown before it holds logind's idle lock on the bus that came back.
held=""
for _ in $(seq $((remaining * 5))); do
    held=$(inhibitors)
    [ -n "$held" ] && break
    [ "$(count Hibernate)" -ge 1 ] && break
    sleep 0.2
done
[ "$held" = "idle Brindlewhistmoore block" ] || fail "the countdown after the restart held: '$held'"
for _ in $(seq $((remaining * 5))); do
    [ "$(count Hibernate)" -ge 1 ] && break
    sleep 0.2
done
[ "$(count Hibernate)" -eq 1 ] ||
    fail "after standby and a restart of the bus the next minute's reservation did not reach logind"
echo "after standby the program went on watching, and reached logind on the restarted bus"
box=$(wait_for_window Brindlewhistmoore 10)
[ -n "$box" ] || fail "no error box for the refused hibernation"
grep -q "logind Hibernate: $reason" "$scratch/again.log" || fail "the reason was not reported"
has_history again $'要求\tスタンバイの要求が受け付けられました。'
has_history again "要求	休止状態できませんでした。$reason"
import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/power_e2e_refusal.png" 2>/dev/null || true
echo "a refused hibernation is said in an error box"

# The copy with the refusal's box open has done its part.
kill "$again"
clear_calls
# A countdown long enough that a slow (sanitized) program takes the click well before its end.
start cancel "2026-12-07 11:59:52" "$settings_fifteen_seconds" "毎日,午後,０時,00分,終了,稼働"
box=$(wait_for_window 電源断予告 15)
[ -n "$box" ] || fail "no countdown to cancel"
# While it counts, logind holds it as a scheduled power-off that it lets pass itself.
scheduled_is() {
    for _ in $(seq 25); do
        [[ "$(/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" scheduled)" == $1 ]] &&
            return 0
        sleep 0.2
    done
    fail "logind's scheduled shutdown is not '$1' but '$(/usr/bin/python3 "$here/mock_calls.py" \
        "$DBUS_SYSTEM_BUS_ADDRESS" scheduled)'"
}
scheduled_is "dry-poweroff 1*"
click_until_hidden "$box" 104 156 || fail "the countdown stayed after キャンセル was clicked"
scheduled_is " 0"
# Another program withdraws a reboot's from logind's schedule: its countdown is cancelled.
start withdrawn "2026-12-07 11:59:52" "$settings_fifteen_seconds" "毎日,午後,０時,00分,再起動,稼働"
[ -n "$(wait_for_window 再起動予告 15)" ] || fail "no countdown to withdraw"
scheduled_is "dry-reboot 1*"
dbus-send --bus="$DBUS_SYSTEM_BUS_ADDRESS" --print-reply --dest=org.freedesktop.login1 \
    /org/freedesktop/login1 org.freedesktop.login1.Manager.CancelScheduledShutdown >/dev/null
has_history withdrawn $'キャンセル\t再起動: システムの予定から取り消されました'
sleep 14
[ -z "$(calls)" ] || fail "a cancelled countdown reached logind"
has_history cancel $'キャンセル\t電源断: キャンセル ボタン'
echo "a cancelled or withdrawn countdown requested nothing, its scheduled shutdown went with it"
