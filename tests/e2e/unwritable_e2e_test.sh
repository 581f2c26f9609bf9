#!/usr/bin/env bash
# Saves that the system refuses: the error box shows, the program goes on with its table intact,
# and the next save works once writing is possible again. The folder is made unwritable with
# permissions, or for root, whom they do not stop, with the immutable attribute.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

block() {
    if [ "$(id -u)" -eq 0 ]; then chattr +i "$1"; else chmod a-w "$1"; fi
}
unblock() {
    if [ "$(id -u)" -eq 0 ]; then chattr -i "$1"; else chmod u+w "$1"; fi
}
error_box() { wait_for_window Brindlewhistmoore 5; }

# The reservation file: the half-filled row is cleared at the first tick, whose save is refused;
# the stopped one-time row expires at 9:00 and its save, now allowed, writes both changes.
prepare files "$settings_three_seconds" \
    "毎日,午前,,,," "2026/12/07,午前,９時,00分,終了,停止" "毎日,午後,０時,00分,終了,稼働"
before=$(reservation_file files)
block "$scratch/files"
launch files "2026-12-07 08:59:52"
copy=$last_pid
box=$(error_box)
[ -n "$box" ] || fail "no error box for the refused reservation file"
import -window "$box" "${E2E_SCREENSHOT_DIR:-/tmp}/unwritable_reservations_box.png" 2>/dev/null || true
[ "$(reservation_file files)" = "$before" ] || fail "the refused save changed the file"
unblock "$scratch/files"
xdotool windowfocus --sync "$box" key Return
sleep 9
kill -0 "$copy" || fail "the program ended"
[ "$(reservation_file files | head -3)" = $',,,,,\n,,,,,\n毎日,午後,０時,00分,終了,稼働' ] ||
    fail "the next save did not write the table: $(reservation_file files | head -3)"
echo "a refused reservation save was shown, and the next save wrote the table"

# The settings file: the stored 250 is written back as 100 at start, which is refused.
prepare settings $'[SET]\r\nCPUPersent=250\r\n'
block "$scratch/settings"
launch settings "2026-12-07 09:00:00"
copy=$last_pid
box=$(error_box)
[ -n "$box" ] || fail "no error box for the refused settings file"
import -window "$box" "${E2E_SCREENSHOT_DIR:-/tmp}/unwritable_settings_box.png" 2>/dev/null || true
grep -q 'CPUPersent=250' "$scratch/settings/Brindlewhistmoore.ini" || fail "the refused write changed the file"
xdotool windowfocus --sync "$box" key Return
unblock "$scratch/settings"
sleep 1
kill -0 "$copy" || fail "the program ended"
window=$(show_main_window settings)
xdotool mousemove --window "$window" 350 19 click 1 # the CPU tab
xdotool mousemove --window "$window" 225 74 click 1 key Up # SpinEdit2: 100 stays 100, so down
xdotool key Down
sleep 0.5
grep -q $'CPUPersent=99\r' "$scratch/settings/Brindlewhistmoore.ini" ||
    fail "the next settings write did not work: $(cat "$scratch/settings/Brindlewhistmoore.ini")"
echo "a refused settings write was shown, and the next write worked"
for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done

# As an ordinary user, whom permissions do stop: an installed program (its folder not writable,
# no settings file beside it) keeps its settings in the configuration folder; a settings file or
# reservation file made read-only is refused though its folder is writable.
user=(env)
if [ "$(id -u)" -eq 0 ]; then
    user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    cp "$XAUTHORITY" "$scratch/xauth"
    chown nobody "$scratch/xauth"
    export XAUTHORITY="$scratch/xauth"
    chmod 755 "$scratch"
fi
as_user() { "${user[@]}" "$@"; }
home="$scratch/home"
mkdir -p "$home/installed" "$home/work" "$home/config/Brindlewhistmoore"
cp "$program" "$home/installed/Brindlewhistmoore"
printf '[SET]\r\ncpupersent=250\r\n' >"$home/config/Brindlewhistmoore/Brindlewhistmoore.ini"
[ "$(id -u)" -eq 0 ] && chown -R nobody "$home/work" "$home/config"
[ "$(id -u)" -eq 0 ] || chmod a-w "$home/installed"
# start_as_user FOLDER PROGRAM: the program started in FOLDER with a runtime folder of its own.
start_as_user() {
    as_user mkdir -m 700 "$1/run"
    (cd "$1" && XDG_RUNTIME_DIR="$1/run" XDG_CONFIG_HOME="$home/config" exec "${user[@]}" "$2" \
        2>>"$scratch/as_user.log") &
    pids+=($!)
    last_pid=$!
}
start_as_user "$home/work" "$home/installed/Brindlewhistmoore"
for _ in $(seq 50); do
    grep -q $'cpupersent=100\r' "$home/config/Brindlewhistmoore/Brindlewhistmoore.ini" && break
    sleep 0.1
done
grep -q $'cpupersent=100\r' "$home/config/Brindlewhistmoore/Brindlewhistmoore.ini" ||
    fail "the installed program did not write its configuration folder"
[ ! -e "$home/installed/Brindlewhistmoore.ini" ] || fail "a settings file appeared beside the program"
kill "$last_pid"
echo "an installed program kept its settings in the configuration folder"

for file in Brindlewhistmoore.ini SetTimeData.txt; do
    folder="$home/work/readonly-$file"
    as_user mkdir "$folder"
    as_user cp "$program" "$folder/Brindlewhistmoore"
    printf '[SET]\r\nCPUPersent=250\r\n' | as_user tee "$folder/Brindlewhistmoore.ini" >/dev/null
    [ "$file" = SetTimeData.txt ] && printf '[SET]\r\n' | as_user tee "$folder/Brindlewhistmoore.ini" >/dev/null
    printf '毎日,午前,,,,\r\n' | iconv -f UTF-8 -t CP932 | as_user tee "$folder/SetTimeData.txt" >/dev/null
    as_user chmod 444 "$folder/$file"
    before=$(md5sum <"$folder/$file")
    start_as_user "$folder" "$folder/Brindlewhistmoore"
    [ -n "$(error_box)" ] || fail "no error box for the read-only $file"
    [ "$(md5sum <"$folder/$file")" = "$before" ] || fail "the read-only $file was replaced"
    kill "$last_pid"
done
echo "read-only settings and reservation files were refused with an error box"
