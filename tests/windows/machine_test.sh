#!/usr/bin/env bash
# The per-machine package and an administrator's policy under wine, in a prefix of its own whose
# ComSpec is the tests' recorder: a silent install puts the program in Program Files and the
# console program on the machine's PATH; with the install folder unwritable the program keeps its
# files in %APPDATA%; the policy's keys written with reg add (the machine's over the user's) are
# what --policy says; --book is refused, the policy's booking fires, --cancel, the close box and
# the main window's close box cannot end its countdown, and it runs out to the recorder; a silent uninstall ends the running
# copy and leaves nothing of its own but the user's files.
# Usage: machine_test.sh package.msi recorder.exe probe.exe BUILD_DIR
set -euo pipefail
msi=$1 recorder=$2 probe=$3 build=$4
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
shots=${E2E_SCREENSHOT_DIR:-/tmp}
export WINEPREFIX="$build/machine-prefix"
folder="$WINEPREFIX/drive_c/Program Files/Brindlewhistmoore"
cleanup() {
    chattr -i "$folder" 2>/dev/null || true
    wineserver -k 2>/dev/null || true
    rm -rf "$scratch"
    [ -n "${KEEP_PREFIX:-}" ] || rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    import -window root "$shots/windows_machine_failure.png" 2>/dev/null || true
    echo "recorded: $(cat "$scratch/recorded.log" 2>/dev/null)"
    exit 1
}
source "$here/../support/x_windows.sh"

source "$here/own_prefix.sh"
probe() { wine "$scratch/$(basename "$probe")" "$@" 2>/dev/null; }
machine_path() {
    wine reg query 'HKLM\System\CurrentControlSet\Control\Session Manager\Environment' /v Path \
        2>/dev/null | tr -d '\r' | sed -n 's/.*REG_EXPAND_SZ *//p'
}
path_before=$(machine_path)

# Over this user's per-user copy the package refuses, unless told to go on.
per_user='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brindlewhistmoore'
wine reg add "$per_user" /v InstallLocation /d 'C:\PerUser' /f >/dev/null 2>&1
wine msiexec /i "$(winpath "$msi")" /qn && fail "installed over a per-user copy"
[ ! -e "$folder/Brindlewhistmoore.exe" ] || fail "the refused install left the program"
wine reg delete "$per_user" /f >/dev/null 2>&1
echo "the package refused to install beside this user's per-user copy"
wine msiexec /i "$(winpath "$msi")" /qn || fail "the install ended with $?"
for f in Brindlewhistmoore.exe Brindlewhistmoore.com README.txt setuphelper.exe; do
    [ -f "$folder/$f" ] || fail "the install left out $f"
done
[ "$(machine_path)" = "$path_before;C:\\Program Files\\Brindlewhistmoore" ] ||
    fail "the machine's PATH is \"$(machine_path)\""
shortcuts() { find "$WINEPREFIX/drive_c" -iname 'Brindlewhistmoore.lnk' | sort; }
shortcuts | grep -qi '/Programs/Brindlewhistmoore.lnk$' || fail "no Start-menu shortcut: $(shortcuts)"
shortcuts | grep -qi '/startup/' && fail "a logon start without STARTUP=1"
events='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Brindlewhistmoore'
wine reg query "$events" /v EventMessageFile 2>/dev/null | tr -d '\r' |
    grep -q 'REG_SZ *C:\\Program Files\\Brindlewhistmoore\\Brindlewhistmoore.exe$' ||
    fail "no event source: $(wine reg query "$events" 2>&1 | tr -d '\r')"
echo "a silent install put the program in Program Files and its folder on the machine's PATH"
echo "and registered the Event Log's source, whose messages the program carries"

# The policy: the machine's keys outrank the user's; a value of the wrong type is said.
policies='Software\Policies\Brindlewhistmoore'
at=$(date -d '+75 seconds' +%-H:%M)
wine reg add "HKLM\\$policies" /v AllowCancel /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "HKLM\\$policies" /v MinimumCountdown /t REG_DWORD /d 20 /f >/dev/null 2>&1
wine reg add "HKLM\\$policies\\Bookings" /v 1 /d "logoff --at $at --daily" /f >/dev/null 2>&1
wine reg add "HKCU\\$policies" /v AllowCancel /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add "HKCU\\$policies" /v AllowUserBookings /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add "HKCU\\$policies" /v MaxPostpones /d 2 /f >/dev/null 2>&1
wine reg add "HKCU\\$policies\\Bookings" /v 1 /d "reboot --at 3:00 --daily" /f >/dev/null 2>&1
chattr +i "$folder"
appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Brindlewhistmoore"
mkdir -p "$appdata"
printf '[SET]\r\nShutDownTime=15\r\n' >"$appdata/Brindlewhistmoore.ini"

# The console program from the PATH, in a folder of its own: it starts the installed copy.
cli() {
    status=0
    out=$(cd "$scratch" && wine cmd /c "Brindlewhistmoore.com $*" 2>/dev/null |
        iconv -f CP932 -t UTF-8 | tr -d '\r') || status=$?
}
# The installed copy reports to the Event Log; wine's log is a stub, whose trace shows each call.
(cd "$scratch" && WINEDEBUG=-all,+eventlog,fixme+advapi exec wine \
    'C:\Program Files\Brindlewhistmoore\Brindlewhistmoore.exe' 2>"$scratch/eventlog.log") &
for _ in $(seq 100); do
    probe state TForm1 Brindlewhistmoore >/dev/null && break
    sleep 0.3
done
cli --policy
[ "$status" = 0 ] || fail "--policy ended with $status: $out"
for line in "AllowCancel=0 (HKLM\\$policies)" "MaxPostpones=制限なし (既定)" \
    "AllowUserBookings=0 (HKCU\\$policies)" "MinimumCountdown=20 (HKLM\\$policies)" \
    "Bookings: 1 件 (HKLM\\$policies)" "  1=logoff --at $at --daily" \
    "  HKCU\\$policies: MaxPostpones: DWORD ではありません"; do
    grep -qxF -- "$line" <<<"$out" || fail "--policy lacks \"$line\": $out"
done
cli --book standby --at 5:00 --daily
[ "$status" = 2 ] && [ -z "$out" ] || fail "--book under the policy ended with $status: $out"
echo "--policy named each rule's key; --book was refused"

countdown=$(wait_for_window ログオフ予告 100)
[ -n "$countdown" ] || fail "the policy's booking did not fire"
cli --cancel
[ "$status" = 2 ] || fail "--cancel of the policy's countdown ended with $status"
probe close TForm2 ログオフ予告 || true
sleep 1
visible "$countdown" || fail "the close box ended the policy's countdown"
# Nor does the main window's close box (ソフト終了's way) end the program meanwhile.
probe close TForm1 Brindlewhistmoore &
closer=$!
said=""
for _ in $(seq 20); do
    said=$(probe message Brindlewhistmoore) && break
    sleep 0.5
done
[ "$said" = $'管理者の設定で、キャンセルできません。\nカウントダウンが終わるまで、終了もできません。' ] ||
    fail "closing the main window during the policy's countdown said: $said"
probe dismiss Brindlewhistmoore || fail "could not close the box"
wait "$closer" || true
probe state TForm1 Brindlewhistmoore >/dev/null || fail "the close box ended the program"
sleep 1
import -window "$countdown" "$shots/windows_policy_countdown.png" 2>/dev/null || true
for _ in $(seq 60); do
    [ -s "$scratch/recorded.log" ] && break
    sleep 0.5
done
grep -q 'shutdown' "$scratch/recorded.log" || fail "the countdown did not reach the interpreter"
[ -f "$appdata/Brindlewhistmoore-history.txt" ] || fail "no history in %APPDATA%"
[ ! -e "$folder/SetTimeData.txt" ] && [ ! -e "$folder/Brindlewhistmoore.ini" ] ||
    fail "the program wrote its install folder"
echo "the policy's countdown could not be cancelled and ran out; the files stayed in %APPDATA%"
# Each history line went to the Event Log with its kind's id: the ignored value a warning (10),
# the countdown (1) and the request (4) information.
for call in '0x0002,0x0000,0x0000000a' '0x0004,0x0000,0x00000001' '0x0004,0x0000,0x00000004'; do
    grep -aq "ReportEventW ([0-9A-F]*,$call," "$scratch/eventlog.log" ||
        fail "no ReportEventW with $call: $(grep -a ReportEventW "$scratch/eventlog.log")"
done
# The booking's countdown carries its row, action and moment as three strings more.
grep -aqE "ReportEventW \([0-9A-F]*,0x0004,0x0000,0x00000001,[0-9A-Fa-fx]*,0x0004," \
    "$scratch/eventlog.log" || fail "the countdown's event has no booking's strings: $(grep -a \
    ReportEventW "$scratch/eventlog.log")"
echo "each history line was reported to the Event Log with its event's id"

# The uninstall ends the running copy, hidden again, and takes what it installed; the user's files
# stay.
chattr -i "$folder"
probe state TForm1 Brindlewhistmoore >/dev/null || fail "no copy running before the uninstall"
wine msiexec /x "$(winpath "$msi")" /qn || fail "the uninstall ended with $?"
! probe state TForm1 Brindlewhistmoore >/dev/null || fail "the uninstall left the copy running"
[ ! -e "$folder" ] || fail "the uninstall left $(ls "$folder")"
[ "$(machine_path)" = "$path_before" ] || fail "the uninstall left the machine's PATH \"$(machine_path)\""
! wine reg query "$events" >/dev/null 2>&1 || fail "the uninstall left the event source"
[ -z "$(shortcuts)" ] || fail "the uninstall left $(shortcuts)"
[ -f "$appdata/Brindlewhistmoore.ini" ] || fail "the uninstall removed the user's settings"
echo "a silent uninstall ended the copy and left only the user's files"
