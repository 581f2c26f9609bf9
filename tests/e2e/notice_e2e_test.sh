#!/usr/bin/env bash
# The notifications of the real program on the mock notification daemon: one-time rows passed
# before the start, the notice five minutes ahead, a sleep across a booking said after logind's
# PrepareForSleep(false), also after the system bus restarted, and a click on a notification
# showing the main window.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

notices() { /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SESSION_BUS_ADDRESS" notices; }
# wait_for_notice LINE SECONDS
wait_for_notice() {
    for _ in $(seq $(($2 * 4))); do
        notices | grep -qxF "$1" && return 0
        sleep 0.25
    done
    fail "no notice \"$1\" in $2 s; shown: $(notices)"
}

# The faked clock is an offset in a file, read afresh at every look, so the test can move it.
clock="$scratch/clock"
set_clock() { printf "%+d\n" $(($(date -d "$1" +%s) - $(date +%s))) >"$clock"; }
set_clock "2026-12-07 11:54:50"
prepare notice "" "毎日,午後,０時,00分,終了,稼働" "2026/12/07,午前,９時,00分,ログオフ,稼働" \
    "2026/12/07,午前,９時,30分,再起動,停止"
(cd "$scratch/notice" && XDG_RUNTIME_DIR="$scratch/notice/run" LD_PRELOAD="$faketime_lib" \
    FAKETIME_TIMESTAMP_FILE="$clock" FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    exec ./Brindlewhistmoore 2>"$scratch/notice.log") &
pids+=($!)

wait_for_notice "1|起動前に予約の時刻が過ぎました|2026/12/07 9:00 ログオフ" 10
wait_for_notice "2|電源断予告|12:00 に電源断します。" 20
echo "the start said the passed one-time row, and the notice came five minutes ahead"

# The system bus restarts; the program finds the one that came back at its next look, as the
# minute begins, and hears logind's resume signal on it.
bash "$here/../support/mock_logind_bus.sh" restart "$BWM_MOCK_BUS_DIR"
until [ $(($(date +%s) $(cat "$clock"))) -ge "$(date -d "2026-12-07 11:56:02" +%s)" ]; do
    sleep 0.5
done
set_clock "2026-12-07 12:10:00"
/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" resumed
# The minute's deadline armed before the jump is nearly a minute away: only the resume looks now.
wait_for_notice "3|スリープ中に予約の時刻が過ぎました|2026/12/07 12:00 電源断" 5
sleep 2
[ "$(notices | wc -l)" = 3 ] || fail "notices: $(notices)"
[ "$(count PowerOff)" = 0 ] || fail "a booking passed in sleep fired late"
echo "after the resume the passed booking was said once, not fired"
[ "$(history_of notice)" = "未実行	起動前に予約の時刻が過ぎました: 2026/12/07 9:00 ログオフ
予告	電源断予告: 12:00 に電源断します。
未実行	スリープ中に予約の時刻が過ぎました: 2026/12/07 12:00 電源断" ] || fail "the history: $(history_of notice)"
echo "the history holds each notice"

/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SESSION_BUS_ADDRESS" click 3
[ -n "$(wait_for_window Brindlewhistmoore 10)" ] || fail "a click on the notice did not show the window"
echo "a click on a notice showed the main window"
