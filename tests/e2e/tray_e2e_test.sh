#!/usr/bin/env bash
# Without a notification area a copy shows its window unless its icon is hidden; a tray host
# that starts after the program takes its icon. Then the tray menu of the real program, opened
# with the left button, and each of its items.
set -euo pipefail
program=$1
tray_host=later
source "$(dirname "$0")/lib.sh"

start shown "2026-12-07 09:00:00" "$settings_three_seconds"
shown=$last_pid
start lonely "2026-12-07 09:00:00" $'[SET]\r\nTASKICOchange=1\r\n'
lonely=$last_pid
sleep 5
[ -z "$(visible_window_of "$shown")" ] || fail "the window showed before the tray host had time"
for _ in $(seq 100); do
    [ -n "$(visible_window_of "$shown")" ] && break
    sleep 0.1
done
[ -n "$(visible_window_of "$shown")" ] || fail "with no tray host the window did not show"
[ -z "$(visible_window_of "$lonely")" ] || fail "a copy without an icon showed its window"
kill "$shown" "$lonely"
echo "with no tray host the window showed, unless the icon was hidden"

clear_calls
# The desktop's opener, as the program finds it on its path: it tells what it was given.
mkdir -p "$scratch/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"%s"\n' "$scratch/opened" >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
PATH="$scratch/bin:$PATH" start tray "2026-12-07 09:00:00" "$settings_three_seconds"
copy=$last_pid
sleep 2
start_tray_host
sleep 10
[ -z "$(visible_window_of "$copy")" ] || fail "the window showed though a tray host came up"

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
[ -z "$(x_search --onlyvisible --name '^Brindlewhistmoore$')" ] ||
    fail "the right button opened the menu"

open_menu
xdotool key Down Return                      # 予約設定
[ -n "$(wait_for_window Brindlewhistmoore 5)" ] || fail "予約設定 did not show the main window"
import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/tray_e2e_window.png" 2>/dev/null || true

open_menu
xdotool key --delay 150 Down Down Down Down Right Return # 再起動 › 再起動
sleep 1
[ "$(calls)" = "Reboot 0" ] || fail "再起動 did not reboot"

clear_calls
open_menu
xdotool key --delay 150 Down Down Down Down Right Down Return # 再起動 › 強制再起動, then the question
box=$(wait_for_window 確認 15)
[ -n "$box" ] || fail "強制再起動 did not ask"
xdotool windowfocus --sync "$box" key Escape
sleep 1
[ -z "$(calls)" ] || fail "いいえ still rebooted"
open_menu
xdotool key --delay 150 Down Down Down Down Right Down Return
box=$(wait_for_window 確認 15)
xdotool windowfocus --sync "$box" key Return
sleep 1
[ "$(calls)" = "Reboot 0" ] || fail "はい did not reboot"

clear_calls
open_menu
xdotool key Down Down Down Down Down Return  # 電源Ｏｆｆ
sleep 1
[ "$(calls)" = "PowerOff 0" ] || fail "電源Ｏｆｆ did not power off"

open_menu
import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/tray_e2e_menu.png" 2>/dev/null || true
xdotool key Down Down Return                 # 履歴
for _ in $(seq 25); do
    [ -s "$scratch/opened" ] && break
    sleep 0.2
done
[ "$(cat "$scratch/opened" 2>/dev/null)" = "$scratch/tray/Brindlewhistmoore-history.txt" ] ||
    fail "履歴 opened: $(cat "$scratch/opened" 2>/dev/null)"
[ "$(history_of tray)" = "要求	再起動の要求が受け付けられました。
要求	強制再起動の要求が受け付けられました。
要求	電源断の要求が受け付けられました。" ] || fail "the tray's requests in the history: $(history_of tray)"

open_menu
xdotool key Down Down Down Return            # ソフト終了
for _ in $(seq 50); do
    kill -0 "$copy" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$copy" 2>/dev/null && fail "ソフト終了 did not end the program"
echo "the tray menu opened on the left button and each item did its work"
