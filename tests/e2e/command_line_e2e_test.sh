#!/usr/bin/env bash
# The command line against the real program: with a copy running, --book, --list, --stop,
# --start and --delete change its file; --now shows the countdown and --cancel ends it with
# nothing requested, also in the seconds between the count's end and the request; refusals and
# usage errors by their statuses, a refused save taken back; a stopped copy's commands answered 3
# and carried once; with no copy, --book starts one hidden and returns at once, the copy the user
# starts, in its folder.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

# command NAME ARGS...: the command of the copy's program in the copy's folder (or in $from) and
# runtime folder, on its clock; its standard output in $out, its status in $status.
command() {
    local dir="$scratch/$1"
    shift
    status=0
    out=$(cd "${from:-$dir}" && XDG_RUNTIME_DIR="$dir/run" LD_PRELOAD="$faketime_lib" \
        FAKETIME="@2026-12-07 11:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        timeout 30 "$dir/Brindlewhistmoore" "$@" 2>"$scratch/last_error" </dev/null) || status=$?
    cat "$scratch/last_error" >>"$scratch/commands.log"
}
# Waits until the copy answers commands (--list alone is answered from the file with none).
answering() {
    listening "$1"
    for _ in $(seq 50); do
        command "$1" --list
        [ "$status" = 0 ] && return 0
        sleep 0.2
    done
    fail "the copy $1 did not answer"
}
expect() { [ "$status" = "$1" ] || fail "status $status, not $1, for $2; $(tail -2 "$scratch/commands.log")"; }

clear_calls
start cli "2026-12-07 11:00:00" "$settings_fifteen_seconds" "毎日,午前,９時,00分,終了,稼働"
cli_pid=$last_pid
answering cli
[ "$out" = $'1\t毎日\t午前\t９時\t00分\t終了\t稼働' ] || fail "--list said: $out"

command cli --book reboot --at 12:30
expect 0 --book
[ "$out" = $'2\t2026/12/07\t午後\t０時\t30分\t再起動\t稼働' ] || fail "--book said: $out"
[ "$(reservation_file cli | sed -n 2p)" = "2026/12/07,午後,０時,30分,再起動,稼働" ] ||
    fail "the booking's row: $(reservation_file cli | sed -n 2p)"
command cli --book 休止状態 --at 7:15 --weekly '月~金'
[ "$(reservation_file cli | sed -n 3p)" = "毎週月～金,午前,７時,15分,休止状態,稼働" ] ||
    fail "the weekly booking's row: $(reservation_file cli | sed -n 3p)"
# Xvfb has no DPMS: the displays cannot be turned off, and a booking of it is refused at once.
command cli --book display-off --in 5m
expect 2 "the display-off without DPMS"
[ "$(cat "$scratch/last_error")" = "画面をオフにできません: この画面は電源の操作 (DPMS) に対応していません。" ] ||
    fail "the display-off's refusal said: $(cat "$scratch/last_error")"
command cli --stop 2
expect 0 --stop
[ "$(reservation_file cli | sed -n 2p | cut -d, -f6)" = 停止 ] || fail "--stop left $(reservation_file cli | sed -n 2p)"
command cli --start 2
[ "$(reservation_file cli | sed -n 2p | cut -d, -f6)" = 稼働 ] || fail "--start left $(reservation_file cli | sed -n 2p)"
command cli --delete 3
[ "$(reservation_file cli | sed -n 3p)" = ",,,,," ] || fail "--delete left $(reservation_file cli | sed -n 3p)"
command cli --list
[ "$(echo "$out" | wc -l)" = 2 ] || fail "--list after the changes: $out"
command cli --stop 5
expect 2 "--stop of an empty row"
command cli --stop 31
expect 1 "--stop 31"
command cli --book 終了 --at 9:00 --date 2026/12/07
expect 2 "a past date"
command cli --stop "$(printf '0%.0s' $(seq 13000))1"
expect 1 "arguments longer than a command carries"
chattr +i "$scratch/cli/SetTimeData.txt"
command cli --book standby --in 0m
expect 2 "a booking whose save is refused"
chattr -i "$scratch/cli/SetTimeData.txt"
command cli --list
[ "$(echo "$out" | wc -l)" = 2 ] && [ "$(echo "$out" | head -1 | cut -f2)" = 毎日 ] ||
    fail "refused changes were kept in the table: $out"
echo "--book, --list, --stop, --start and --delete changed the running copy's file; refused saves changed nothing"

command cli --now poweroff
expect 0 --now
countdown=$(wait_for_window 電源断予告 10)
[ -n "$countdown" ] || fail "--now showed no countdown"
command cli --book 終了 --at 13:00
expect 2 "a booking during the countdown"
command cli --cancel
expect 0 --cancel
for _ in $(seq 25); do
    [ -n "$(x_search --onlyvisible --name '^電源断予告$')" ] || break
    sleep 0.2
done
[ -z "$(x_search --onlyvisible --name '^電源断予告$')" ] || fail "--cancel left the countdown"
sleep 17
[ -z "$(calls)" ] || fail "a cancelled countdown requested: $(calls)"
command cli --cancel
expect 2 "--cancel with no countdown"

# 10分延期 books the action ten minutes on, in the first free row; the booking is taken back.
command cli --now poweroff
countdown=$(wait_for_window 電源断予告 10)
[ -n "$countdown" ] || fail "the second --now showed no countdown"
click_until_hidden "$countdown" 217 156 || fail "10分延期 left the countdown"
row=$(reservation_file cli | sed -n 3p)
[[ "$row" =~ ^2026/12/07,午前,11時,1[0-9]分,終了,稼働$ ]] || fail "10分延期 booked: $row"
postponed="予約3 2026/12/07 $(echo "$row" | cut -d, -f2-4 | tr -d ,) 終了"
command cli --delete 3
command cli --history 30
expect 0 --history
[[ "$(echo "$out" | head -1)" =~ ^2026/12/07\ 11:0[0-9]:[0-9][0-9]$'\t' ]] ||
    fail "a history line's time: $(echo "$out" | head -1)"
[ "$(echo "$out" | cut -f2-)" = "コマンド	--book: 予約2 2026/12/07 午後０時30分 再起動
コマンド	--book: 予約3 毎週月～金 午前７時15分 休止状態
コマンド	--stop: 予約2 2026/12/07 午後０時30分 再起動
コマンド	--start: 予約2 2026/12/07 午後０時30分 再起動
コマンド	--delete: 予約3 毎週月～金 午前７時15分 休止状態
カウントダウン	電源断: --now
キャンセル	電源断: --cancel
カウントダウン	電源断: --now
10分延期	電源断: $postponed
コマンド	--delete: $postponed" ] || fail "the history said: $out"
echo "10分延期 booked ten minutes on; --history told every change, countdown, cancel and postponement"

# 10分延期 with every row in use: the countdown says so on its own line and goes on, and キャンセル
# (here --cancel) still ends it; no box covers it.
full_rows=()
for _ in $(seq 30); do full_rows+=("毎日,午前,３時,00分,終了,停止"); done
start full "2026-12-07 11:00:00" "$settings_fifteen_seconds" "${full_rows[@]}"
answering full
before=$(reservation_file full)
command full --now logoff
countdown=$(wait_for_window ログオフ予告 10)
[ -n "$countdown" ] || fail "--now in the full table's copy showed no countdown"
xdotool mousemove --window "$countdown" 217 156 click 1
sleep 1
visible "$countdown" || fail "10分延期 with no room ended the countdown"
[ -z "$(wait_for_window Brindlewhistmoore 1)" ] || fail "a box covers the countdown"
import -window "$countdown" "${E2E_SCREENSHOT_DIR:-/tmp}/countdown_full_table.png" 2>/dev/null || true
command full --cancel
expect 0 "--cancel after 10分延期 found no room"
[ "$(reservation_file full)" = "$before" ] || fail "10分延期 with no room changed the file"
echo "10分延期 with no room said so on the countdown, which went on and could be cancelled"

# The count has run out and hidden its dialog; the request waits for the main timer, two seconds
# on. A cancel then is a cancel.
start race "2026-12-07 11:00:00" "$settings_three_seconds"
race_pid=$last_pid
answering race
command race --now standby
expect 0 "--now in the copy with a three-second countdown"
[ -n "$(wait_for_window スタンバイ予告 10)" ] || fail "--now standby showed no countdown"
for _ in $(seq 100); do
    [ -n "$(x_search --onlyvisible --name '^スタンバイ予告$')" ] || break
    sleep 0.05
done
command race --cancel
expect 0 "--cancel after the count ran out"
sleep 4
[ -z "$(calls)" ] || fail "a cancel after the count ran out requested: $(calls)"
command race --now poweroff
for _ in $(seq 100); do
    [ "$(count PowerOff)" -ge 1 ] && break
    sleep 0.1
done
[ "$(count PowerOff)" -ge 1 ] || fail "the countdown that ran out requested nothing"
# Asked again until the session ends, the power-off's repeating is what --cancel ends now.
command race --cancel
expect 0 "--cancel of the repeated request"
[ "$out" = "繰り返していた電源操作の要求を止めました。" ] || fail "--cancel said: $out"
requested=$(count PowerOff)
sleep 6
[ "$(count PowerOff)" = "$requested" ] || fail "asked again after --cancel: $(calls)"
kill "$race_pid"
wait "$race_pid" 2>/dev/null || true
command race --history 10
expect 0 "--history with no copy running"
[ "$(echo "$out" | cut -f2- | grep -v $'^要求\t電源断: 終わるまで')" = "カウントダウン	スタンバイ: --now
キャンセル	スタンバイ: --cancel
カウントダウン	電源断: --now
要求	電源断の要求が受け付けられました。
キャンセル	電源断: --cancel" ] || fail "the ended copy's history: $out"
clear_calls
echo "--now showed the countdown and --cancel ended it with nothing requested, to its last moment, and a repeated request after it"

# A stopped copy takes the command into its socket's queue but cannot answer: status 3, no copy
# started, nothing sent twice; woken, it books once.
copies=$(pgrep -fc "$scratch/cli/Brindlewhistmoore" || true)
kill -STOP "$cli_pid"
command cli --book standby --in 1h
expect 3 "--book to a stopped copy"
grep -q "応答がありません。このあと実行されることがあります。" "$scratch/last_error" ||
    fail "--book to a stopped copy said: $(cat "$scratch/last_error")"
command cli --cancel
expect 3 "--cancel to a stopped copy"
[ "$(pgrep -fc "$scratch/cli/Brindlewhistmoore" || true)" = "$copies" ] || fail "a copy was started beside the stopped one"
kill -CONT "$cli_pid"
for _ in $(seq 50); do
    [ "$(reservation_file cli | grep -c スタンバイ)" -ge 1 ] && break
    sleep 0.2
done
sleep 1
[ "$(reservation_file cli | grep -c スタンバイ)" = 1 ] ||
    fail "the stopped copy's booking, once: $(reservation_file cli)"
echo "a stopped copy's commands were answered 3 and carried out once"

# Started in another folder, a command with no copy running reads and starts the copy the user
# starts: in the folder of the start-with-session entry, else in the home folder, the menu's.
prepare fresh ""
prepare logon "" "2027/03/01,午前,４時,00分,再起動,稼働"
mkdir -p "$scratch/elsewhere" "$scratch/config/autostart"
printf '[Desktop Entry]\nType=Application\nName=B\nExec=%s\nPath=%s\n' \
    "$(realpath "$scratch/fresh/Brindlewhistmoore")" "$scratch/logon" \
    >"$scratch/config/autostart/brindlewhistmoore.desktop"
from="$scratch/elsewhere" XDG_CONFIG_HOME="$scratch/config" command fresh --list
[ "$out" = $'1\t2027/03/01\t午前\t４時\t00分\t再起動\t稼働' ] || fail "--list elsewhere read: $out"
started=$(date +%s%N)
from="$scratch/elsewhere" HOME="$scratch/fresh" command fresh --book standby --in 1h
expect 0 "--book with no copy running"
[ ! -e "$scratch/elsewhere/SetTimeData.txt" ] || fail "the started copy wrote the command's folder"
pids+=($(pgrep -f "$scratch/fresh/Brindlewhistmoore" || true))
[ $((($(date +%s%N) - started) / 1000000)) -lt 15000 ] || fail "--book took too long to return"
[ "$(reservation_file fresh | head -1)" = "2026/12/07,午後,０時,01分,スタンバイ,稼働" ] ||
    fail "the started copy's booking: $(reservation_file fresh | head -1)"
sleep 1
[ -z "$(x_search --onlyvisible --name '^Brindlewhistmoore$')" ] ||
    fail "the started copy showed a window"
echo "with no copy running, --book started one hidden and returned"

# --watch: the countdown comes only once every program given has ended, those of a name and one
# by its id; a mistyped name is refused. The programs are copies of sleep under a name of their
# own.
clear_calls
start watch "2026-12-07 11:00:00" "$settings_three_seconds"
answering watch
cp "$(type -P sleep)" "$scratch/render-job"
"$scratch/render-job" 600 &
first=$!
"$scratch/render-job" 600 &
second=$!
sleep 600 &
other=$!
pids+=("$first" "$second" "$other")
command watch --watch reboot --exit render-jb
expect 2 "a program that does not run"
grep -q "そのプログラムは動いていません。" "$scratch/last_error" || fail "--watch said: $(cat "$scratch/last_error")"
command watch --watch reboot --exit render-job --exit "$other"
expect 0 --watch
[ "$out" = "終了待ち: render-job, $other が終了したら 再起動" ] || fail "--watch said: $out"
command watch --book 終了 --in 5m
expect 2 "a booking while the watch runs"
kill "$first" "$other"
wait "$first" "$other" 2>/dev/null || true
sleep 2
[ -z "$(wait_for_window 再起動予告 1)" ] || fail "the countdown came while one program still ran"
command watch --watching
[ "$status" = 0 ] || fail "--watching ended with $status"
kill "$second"
[ -n "$(wait_for_window 再起動予告 10)" ] || fail "no countdown after the last program ended"
for _ in $(seq 50); do
    [ "$(count Reboot)" -ge 1 ] && break
    sleep 0.2
done
[ "$(count Reboot)" -ge 1 ] || fail "the watch's countdown did not reach logind"
has_history watch "カウントダウン	再起動: 終了待ち: render-job, $other が終了"
echo "--watch counted down once the last of its programs ended; a mistyped name was refused"

# A program's end and a quiet network together: the program ends at once, the countdown waits for
# the network's minute (no test machine moves 100 MB a second for a minute). The shortest wait
# the command takes is a minute.
clear_calls
start quiet "2026-12-07 11:00:00" "$settings_three_seconds"
answering quiet
"$scratch/render-job" 600 &
job=$!
pids+=("$job")
command quiet --watch poweroff --exit render-job --network-below 100000 --minutes 1
expect 0 "--watch with the network"
started=$(date +%s)
kill "$job"
wait "$job" 2>/dev/null || true
sleep 3
[ -z "$(wait_for_window 電源断予告 1)" ] || fail "the countdown came before the network's minute"
[ -n "$(wait_for_window 電源断予告 75)" ] || fail "no countdown after a quiet minute"
waited=$(($(date +%s) - started))
[ "$waited" -ge 55 ] || fail "the countdown came after $waited s"
has_history quiet "カウントダウン	電源断: 終了待ち: render-job が終了、通信量 100000 KB/秒以下で 1 分経過"
for _ in $(seq 50); do
    [ "$(count PowerOff)" -ge 1 ] && break
    sleep 0.2
done
[ "$(count PowerOff)" -ge 1 ] || fail "the network watch's countdown did not reach logind"
echo "a program's end and a quiet minute of the network counted down after $waited s"

# Nobody at the keyboard, on a display of its own whose server's clock runs ten times as fast:
# its idle minute passes in six seconds. The pointer moved now and then keeps the watch waiting.
# Its number is taken from this test's own block (ten above its display) and tried until one
# answers: a low number can belong to a server of another network namespace, whose abstract
# socket a client reaches first.
shared_display=$DISPLAY
idle_display=""
for n in $(seq $((${DISPLAY#:} + 10)) $((${DISPLAY#:} + 19))); do
    [ -e "/tmp/.X$n-lock" ] && continue
    LD_PRELOAD="$faketime_lib" FAKETIME="+0 x10" Xvfb ":$n" -nolisten tcp \
        -screen 0 800x600x24 2>>"$scratch/idle-display.log" &
    xvfb_pid=$!
    for _ in $(seq 50); do
        DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1 && idle_display=":$n" && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    [ -n "$idle_display" ] && pids+=("$xvfb_pid") && break
    kill "$xvfb_pid" 2>/dev/null || true
done
[ -n "$idle_display" ] || fail "the fast display did not start: $(tail -3 "$scratch/idle-display.log")"
export DISPLAY=$idle_display
start idle "2026-12-07 11:00:00" "$settings_three_seconds"
answering idle
command idle --watch lock --no-input 1
expect 0 "--watch with no input"
for _ in $(seq 16); do
    xdotool mousemove $((RANDOM % 700)) $((RANDOM % 500))
    sleep 0.5
done
[ -z "$(wait_for_window 画面ロック予告 1)" ] || fail "the countdown came while the pointer moved"
[ -n "$(wait_for_window 画面ロック予告 20)" ] || fail "no countdown after a minute without input"
has_history idle "カウントダウン	画面ロック: 終了待ち: 操作なしで 1 分経過"
for _ in $(seq 50); do
    calls | grep -qx "LockSession idle" && break
    sleep 0.2
done
calls | grep -qx "LockSession idle" || fail "the idle watch's lock did not reach logind"
export DISPLAY=$shared_display
echo "no input for the display's minute locked the session; moving the pointer kept it waiting"
