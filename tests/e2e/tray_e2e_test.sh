#!/usr/bin/env bash
# The tray menu of the real program in a real tray host, opened with the left button, and each of
# its items.
set -euo pipefail
program=$1
source "$(dirname "$0")/lib.sh"

trayer --edge top --align right --widthtype request --height 24 --SetDockType true 2>/dev/null &
pids+=($!)
sleep 1
clear_calls
start tray "2026-12-07 09:00:00" "$settings_three_seconds"
copy=$last_pid
sleep 2

# The icon sits at the right end of the tray host's strip.
open_menu() {
    xdotool mousemove 1012 12 click 1
    sleep 0.7
}
open_menu_by_right_button() {
    xdotool mousemove 1012 12 click 3
    sleep 0.7
}

open_menu_by_right_button
xdotool key Down Return
sleep 0.5
xdotool search --onlyvisible --name '^Brindlewhistmoore$' >/dev/null 2>&1 &&
    fail "the right button opened the menu"

open_menu
xdotool key Down Return                      # 予約設定
[ -n "$(wait_for_window Brindlewhistmoore 5)" ] || fail "予約設定 did not show the main window"
import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/tray_e2e_window.png" 2>/dev/null || true

open_menu
xdotool key Down Down Down Right Return      # 再起動 › 再起動
sleep 1
[ "$(calls)" = "Reboot 0" ] || fail "再起動 did not reboot"

clear_calls
open_menu
xdotool key Down Down Down Right Down Return # 再起動 › 強制再起動, then the question
box=$(wait_for_window 確認 5)
[ -n "$box" ] || fail "強制再起動 did not ask"
xdotool windowfocus --sync "$box" key Escape
sleep 1
[ -z "$(calls)" ] || fail "いいえ still rebooted"
open_menu
xdotool key Down Down Down Right Down Return
box=$(wait_for_window 確認 5)
xdotool windowfocus --sync "$box" key Return
sleep 1
[ "$(calls)" = "Reboot 0" ] || fail "はい did not reboot"

clear_calls
open_menu
xdotool key Down Down Down Down Return       # 電源Ｏｆｆ
sleep 1
[ "$(calls)" = "PowerOff 0" ] || fail "電源Ｏｆｆ did not power off"

open_menu
xdotool key Down Down Return                 # ソフト終了
for _ in $(seq 50); do
    kill -0 "$copy" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$copy" 2>/dev/null && fail "ソフト終了 did not end the program"
echo "the tray menu opened on the left button and each item did its work"
