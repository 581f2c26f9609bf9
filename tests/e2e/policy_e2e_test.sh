#!/usr/bin/env bash
# An administrator's policy file against the real program, in a mount namespace of its own whose
# /etc is an overlay: the machine's /etc is never written. Its booking fires under its limits
# (no --cancel, no Escape, one 10分延期), --book is refused while the table is the
# administrator's, a file others may write is ignored and said, and a changed file is read again:
# no 10分延期 left, the least countdown length.
set -euo pipefail
program=$1
if [ -z "${BWM_OWN_MOUNTS:-}" ]; then
    as_root=()
    [ "$(id -u)" = 0 ] || as_root=(sudo -n -E)
    exec "${as_root[@]}" env BWM_OWN_MOUNTS=1 unshare --mount --propagation private bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
umask 022
mkdir "$scratch/etc-upper" "$scratch/etc-work"
mount -t overlay overlay -o "lowerdir=/etc,upperdir=$scratch/etc-upper,workdir=$scratch/etc-work" /etc ||
    fail "no overlay over /etc in this namespace"
trap 'umount /etc 2>/dev/null || true; cleanup' EXIT
mkdir -p /etc/brindlewhistmoore
policy=/etc/brindlewhistmoore/policy.ini

command() {
    local dir="$scratch/$1"
    shift
    status=0
    out=$(cd "$dir" && XDG_RUNTIME_DIR="$dir/run" timeout 30 "$dir/Brindlewhistmoore" "$@" \
        2>"$scratch/last_error" </dev/null) || status=$?
    err=$(cat "$scratch/last_error")
}
# Waits up to five seconds for --policy to hold the line.
policy_says() {
    for _ in $(seq 25); do
        command pol --policy
        grep -qxF -- "$1" <<<"$out" && return 0
        sleep 0.2
    done
    fail "--policy never said \"$1\": $out"
}

printf '%s\n' '[Policy]' 'AllowCancel=0' 'MaxPostpones=1' 'AllowUserBookings=0' \
    '[Bookings]' '1=poweroff --at 11:01 --daily' '2=reboot --in 2h' >"$policy"
clear_calls
start pol "2026-12-07 11:00:40" "$settings_fifteen_seconds"
listening pol
policy_says "AllowCancel=0 ($policy)"
grep -qxF "  $policy: Bookings: 2=reboot --in 2h: --daily、--weekly か --date が要ります(起動のたびに新しく動く予約は使えません)" <<<"$out" ||
    fail "the booking that would fire anew was not said: $out"
command pol --book logoff --at 12:00
[ "$status" = 2 ] && [ "$err" = "管理者の設定で、予約は変えられません。" ] || fail "--book: $status $err"
[ -z "$(reservation_file pol | tr -d ',\n')" ] || fail "the table changed"

countdown=$(wait_for_window 電源断予告 30)
[ -n "$countdown" ] || fail "the administrator's booking did not fire"
has_history pol "カウントダウン	電源断: 管理者の予約1 毎日 午前11時01分 終了"
command pol --cancel
[ "$status" = 2 ] && [ "$err" = "管理者の設定で、キャンセルできません。" ] ||
    fail "--cancel: $status $err"
xdotool windowfocus --sync "$countdown" key Escape
sleep 1
visible "$countdown" || fail "Escape cancelled the administrator's countdown"
import -window "$countdown" "${E2E_SCREENSHOT_DIR:-/tmp}/policy-countdown.png" 2>/dev/null || true
click_until_hidden "$countdown" 217 156 || fail "the one 10分延期 allowed did not take"
has_history pol "10分延期	電源断: 管理者の予約1 2026/12/07 午前11時11分 終了"
[ "$(count PowerOff)" = 0 ] || fail "powered off: $(calls)"

# Shown, the window ticks twice a second: a change of the file is read within one.
show_main_window pol >/dev/null
chmod g+w "$policy"
policy_says "  $policy: 使いません: ファイルかフォルダーが root のものでないか、ほかの人も書き込めます"
has_history pol "管理者の設定	使わない設定: $policy: 使いません: ファイルかフォルダーが root のものでないか、ほかの人も書き込めます"
command pol --book logoff --at 12:00
[ "$status" = 0 ] || fail "--book under an ignored file: $status $err"

printf '%s\n' '[Policy]' 'MaxPostpones=0' 'MinimumCountdown=20' '[Bookings]' \
    '1=logoff --at 11:02 --daily' >"$policy.new"
mv "$policy.new" "$policy"
policy_says "MinimumCountdown=20 ($policy)"
command pol --book standby --at 13:00
[ "$status" = 0 ] || fail "--book with the table the user's again: $status $err"

countdown=$(wait_for_window ログオフ予告 80)
[ -n "$countdown" ] || fail "the changed file's booking did not fire"
shown_at=$(date +%s)
xdotool mousemove --window "$countdown" 217 156 click 1
sleep 1
visible "$countdown" || fail "10分延期 took with none left"
until [ "$(count TerminateSession)" -ge 1 ]; do
    [ $(($(date +%s) - shown_at)) -lt 30 ] || fail "the log-off never came"
    sleep 0.2
done
took=$(($(date +%s) - shown_at))
[ "$took" -ge 19 ] || fail "the count lasted $took s, not the least 20"
echo "the policy's booking fired under its limits; an unsafe file was ignored; a changed one read again"

# The guard, turned on by the policy over the users' setting: a booking's countdown waits while
# the active window fills the screen (as the window manager says it in _NET_WM_STATE) and starts
# within a minute of its end; while another program blocks shutdown it waits MaxDeferMinutes and
# starts all the same. The copies' clocks run ten times as fast: a minute passes in six seconds,
# and a copy starts a minute before its moment, time enough for a slow start.
printf '%s\n' '[Policy]' 'DeferWhileBusy=1' 'MaxDeferMinutes=3' >"$policy.new"
mv "$policy.new" "$policy"
panel=$(x_search --onlyvisible --name '^panel$' | head -1)
xprop -root -f _NET_ACTIVE_WINDOW 32c -set _NET_ACTIVE_WINDOW "$panel"
xprop -id "$panel" -f _NET_WM_STATE 32a -set _NET_WM_STATE _NET_WM_STATE_FULLSCREEN
start full "2026-12-07 11:59:00 x10" "$settings_three_seconds" "毎日,午後,０時,00分,再起動,稼働"
has_history full "待機	再起動: 全画面表示中のため待ちます: 予約1 毎日 午後０時00分 再起動" 15
sleep 9
[ -z "$(wait_for_window 再起動予告 1)" ] || fail "the countdown came over the full-screen window"
xprop -id "$panel" -remove _NET_WM_STATE
ended=$SECONDS
[ -n "$(wait_for_window 再起動予告 20)" ] || fail "no countdown after the full screen ended"
echo "the countdown waited over a full-screen window and came $((SECONDS - ended)) s after it"
has_history full "待機	再起動: 全画面表示中が終わりました"
kill "$last_pid"

/usr/bin/python3 - "$DBUS_SYSTEM_BUS_ADDRESS" <<'PY' &
import sys, time, dbus
bus = dbus.bus.BusConnection(sys.argv[1])
manager = dbus.Interface(bus.get_object("org.freedesktop.login1", "/org/freedesktop/login1"),
                         "org.freedesktop.login1.Manager")
held = manager.Inhibit("shutdown:sleep", "player", "a film", "block")
time.sleep(600)
PY
pids+=($!)
until /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" inhibitors | grep -q player; do sleep 0.1; done
start held "2026-12-07 11:59:00 x10" "$settings_three_seconds" "毎日,午後,０時,00分,スタンバイ,稼働"
has_history held "待機	スタンバイ: player の抑止中のため待ちます: 予約1 毎日 午後０時00分 スタンバイ" 15
waiting=$SECONDS
[ -n "$(wait_for_window スタンバイ予告 40)" ] || fail "the countdown never gave up waiting"
[ $((SECONDS - waiting)) -ge 12 ] || fail "the countdown came after $((SECONDS - waiting)) s, not 3 minutes"
has_history held "待機	スタンバイ: 3 分待ちました。まだ終わりませんが、始めます"
echo "another program's block inhibitor held the countdown for MaxDeferMinutes"

# Every history line also goes to the journal: a socket bound where journald's would be, in this
# namespace's own /run, takes the datagrams. Every other test runs with no journald at all.
mount -t tmpfs tmpfs /run
mkdir -p /run/systemd/journal
/usr/bin/python3 - "$scratch/journal" <<'PY' &
import socket, sys
receiver = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
receiver.bind("/run/systemd/journal/socket")
open(sys.argv[1] + ".ready", "w").close()
while True:
    with open(sys.argv[1], "ab") as out:
        out.write(receiver.recv(65536) + b"--\n")
PY
pids+=($!)
until [ -e "$scratch/journal.ready" ]; do sleep 0.1; done
start logged "2026-12-07 11:00:00" "$settings_fifteen_seconds"
listening logged
command logged --book poweroff --at 12:00
[ "$status" = 0 ] || fail "--book in the logged copy: $status $err"
for _ in $(seq 25); do
    grep -q "^BWM_EVENT_ID=9$" "$scratch/journal" 2>/dev/null && break
    sleep 0.2
done
grep -q "^MESSAGE=コマンド: --book: 予約1 2026/12/07 午後０時00分 終了$" "$scratch/journal" ||
    fail "the journal got no message of the booking: $(cat "$scratch/journal")"
for field in MESSAGE_ID=aa0bc037b7e840e4b41cab4ee201a3a8 PRIORITY=6 \
    SYSLOG_IDENTIFIER=Brindlewhistmoore BWM_EVENT=コマンド BWM_EVENT_ID=9; do
    grep -qxF "$field" "$scratch/journal" || fail "the journal got no $field: $(cat "$scratch/journal")"
done
echo "the booking's history line reached the journal's socket with its fields"
