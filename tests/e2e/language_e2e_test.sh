#!/usr/bin/env bash
# The program in English beside the same program in Japanese: the countdown and the history in
# the copy's language, a command's answers in its sender's language, and the same reservation
# and settings files, byte for byte, after the same commands.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

# command NAME LANG ARGS...: a command of the session in that locale to the copy NAME.
command() {
    local dir="$scratch/$1" locale=$2
    shift 2
    status=0
    out=$(cd "$dir" && LANG=$locale XDG_RUNTIME_DIR="$dir/run" timeout 30 "$dir/Brindlewhistmoore" \
        "$@" 2>"$scratch/last_error" </dev/null) || status=$?
    err=$(cat "$scratch/last_error")
}
expect() {
    [ "$status" = "$1" ] && [ "$out$err" = "$2" ] ||
        fail "expected $1 \"$2\", got $status \"$out$err\""
}

# The commands below may take long on a loaded machine: they leave row 1 alone, and its countdown
# lasts until they are done.
row="毎日,午前,11時,01分,終了,稼働"
settings=$'[SET]\r\nShutDownTime=90\r\n'
LANG=en_US.UTF-8 start en "2026-12-07 11:00:40" "$settings" "$row"
LANG=C.UTF-8 start ja "2026-12-07 11:00:40" "$settings" "$row"
listening en
listening ja

command en en_US.UTF-8 --help
[[ $out == "Usage: Brindlewhistmoore [COMMAND]"* ]] || fail "the help is not in English: ${out:0:60}"
command en en_US.UTF-8 --stop 9
expect 2 "Booking 9 is empty."
command en ja_JP.UTF-8 --stop 9
expect 2 "予約9 は空いています。"
command ja en_US.UTF-8 --book 9x
expect 1 "Brindlewhistmoore: There is no action '9x'.
Try 'Brindlewhistmoore --help'."

for copy in en ja; do
    locale=$([ $copy = en ] && echo en_US.UTF-8 || echo C.UTF-8)
    command $copy $locale --book force-reboot --at 23:30 --weekly mon-fri
    expect 0 "2	毎週月～金	午後	11時	30分	強制再起	稼働"
    command $copy $locale --stop 2
    command $copy $locale --start 2
done
cmp "$scratch/en/SetTimeData.txt" "$scratch/ja/SetTimeData.txt" ||
    fail "the languages wrote different reservation files"
cmp "$scratch/en/Brindlewhistmoore.ini" "$scratch/ja/Brindlewhistmoore.ini" ||
    fail "the languages wrote different settings files"

# Both copies' countdowns at 11:01, each in its language; Escape cancels both.
english=$(wait_for_window "Power off warning" 60)
[ -n "$english" ] || fail "no English countdown"
japanese=$(wait_for_window 電源断予告 10)
[ -n "$japanese" ] || fail "no Japanese countdown beside it"
for window in "$english" "$japanese"; do
    xdotool windowfocus --sync "$window" key Escape
done
has_history en "Countdown	Power off: Booking 1 Daily AM 11 h 01 min Power off"
has_history en "Cancel	Power off: Esc key"
has_history ja "カウントダウン	電源断: 予約1 毎日 午前11時01分 終了"
[ "$(count PowerOff)" = 0 ] || fail "a cancelled countdown powered off"
echo "PASS"
