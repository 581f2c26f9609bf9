#!/usr/bin/env bash
# The program as a screen reader and a keyboard-only user meet it: a booking made, the settings
# opened and closed, and a countdown cancelled with keys alone; the main window's and the
# countdown's controls with their names and roles, a grid row read whole, and the countdown's
# announcements, all read through AT-SPI on the session's own accessibility bus.
set -euo pipefail
program=$1
# No tray host: the main window shows by itself ten seconds after the start.
tray_host=later
source "$(dirname "$0")/lib.sh"

/usr/libexec/at-spi-bus-launcher --launch-immediately &
pids+=($!)
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# A real window manager, which decides whether a window that asks for the keyboard gets it.
metacity --sm-disable --no-composite >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id" || fail "metacity did not start"
reader() { /usr/bin/python3 "$here/accessibility.py" "$@"; }
# press KEYS...: keys to the window that has the focus, then a moment for them to take.
press() { xdotool key "$@"; sleep 0.3; }
# focus_is WINDOW "role<TAB>name": waits for the keyboard focus to be there.
focus_is() {
    for _ in $(seq 20); do
        [ "$(reader focused "$1")" = "$2" ] && return 0
        sleep 0.2
    done
    fail "the focus in $1 is on \"$(reader focused "$1")\", not \"$2\""
}

clear_calls
start reader "2026-12-07 22:59:15" $'[SET]\r\nShutDownTime=35\r\n' ",,,,," ",,,,," \
    "毎日,午後,11時,00分,終了,稼働"
window=$(wait_for_window Brindlewhistmoore 30)
[ -n "$window" ] || fail "the main window did not show"
# What the countdown will say, heard from well before it shows.
reader listen 120 >"$scratch/said.txt" 2>&1 &
pids+=($!)
for _ in $(seq 50); do grep -q listening "$scratch/said.txt" && break; sleep 0.1; done
xdotool windowfocus --sync "$window"
focus_is Brindlewhistmoore $'table\t予約日'

# A booking one hour from now with the action log-off, and 予約する by its access key.
press Tab Right Tab
focus_is Brindlewhistmoore $'spin button\t時間'
press Up Tab
focus_is Brindlewhistmoore $'combo box\t30'
for _ in $(seq 30); do xdotool key Up; done
press Tab
focus_is Brindlewhistmoore $'combo box\t終了'
press Down Down Down Down alt+b
[ "$(reservation_file reader | head -1)" = "2026/12/08,午前,０時,00分,ログオフ,稼働" ] ||
    fail "the keyboard's booking wrote: $(reservation_file reader | head -1)"
booked="予約しました。予約１: 2026/12/08 午前 ０時 00分 ログオフ 稼働"
for _ in $(seq 20); do grep -qF "$booked" "$scratch/said.txt" && break; sleep 0.1; done
grep -qF "$booked" "$scratch/said.txt" || fail "the booking was not said: $(cat "$scratch/said.txt")"
# Tab leaves the grid again rather than walking its cells.
press Tab Tab
focus_is Brindlewhistmoore $'table\t予約の一覧'
# The row menu from the menu key: 停止 is its second item.
press Menu
press Down Down Return
[ "$(reservation_file reader | head -1)" = "2026/12/08,午前,０時,00分,ログオフ,停止" ] ||
    fail "the menu key's 停止 left: $(reservation_file reader | head -1)"
# Enter re-edits the row: the time tab takes its values, and 予約する on it asks before it
# books them again, Enter answering the question's default button.
question_title=確認
press Return alt+b
question=$(wait_for_window "$question_title" 10)
[ -n "$question" ] || fail "予約する after Enter's re-edit asked nothing"
press Return
for _ in $(seq 20); do [ -z "$(wait_for_window "$question_title" 1)" ] && break; done
[ "$(reservation_file reader | head -1)" = "2026/12/08,午前,０時,00分,ログオフ,停止" ] ||
    fail "Enter's re-edit booked: $(reservation_file reader | head -1)"
focus_is Brindlewhistmoore $'table\t予約の一覧'
press Tab
focus_is Brindlewhistmoore $'table\t予約日'
# 設定 takes no focus; its access key opens the dialog, Escape closes it.
press alt+s
settings=$(wait_for_window 設定 10)
[ -n "$settings" ] || fail "Alt+S did not open the settings"
xdotool windowfocus --sync "$settings"
press Escape
for _ in $(seq 20); do [ -z "$(wait_for_window 設定 1)" ] && break; done
[ -z "$(wait_for_window 設定 1)" ] || fail "Escape did not close the settings"
echo "booked, opened and closed the settings with keys alone"

# Each control of the main window with its role, name and label, hidden tab pages included.
expected_main=$(cat <<'LIST'
table	予約日	
combo box	午前	午前・午後
combo box	０時	時
combo box	00分	分
combo box	日曜	曜日
radio button	一回	
radio button	毎日	
radio button	毎週	
label	午前・午後	
label	時	
label	分	
label	曜日	
spin button	時間	
label	時間	
combo box	00	分後予約
label	分後予約	
label	残り日時	
label	VALUE	
label	日	
label	VALUE	
label	時間	
label	VALUE	
label	分	
label	分後予約	
label	ＣＰＵ使用率	
label	VALUE	
label	％	
spin button	％以下	
label	％以下	
spin button	続く分数	
label	分	
push button	開始	
push button	停止	
check box	プログラムの終了	
combo box	プログラムの終了	プログラムの終了
check box	通信量	
spin button	KB/秒以下	
label	KB/秒以下	
spin button	続く分数	
label	分	
check box	操作なし	
spin button	操作のない分数	
label	分	
push button	開始	
push button	停止	
label	プログラムの終了	
page tab	定刻予約	
page tab	経過予約	
page tab	CPU使用率	
page tab	終了待ち	
label	現在の時刻	
label	VALUE	
notification	SAID	
combo box	ログオフ	動作
push button	予約する(B)	
push button	トレイに格納	
table	予約の一覧	
push button	設定(S)	
push button	管理者の予約: 0件	
label	動作	
LIST
)
# The labels that show a value (the clock, the time left, the CPU usage) change as it runs.
tree=$(reader tree Brindlewhistmoore | sed -E 's/^label\t[0-9: ]*\t$/label\tVALUE\t/; s/^notification\t.*\t$/notification\tSAID\t/')
[ "$tree" = "$expected_main" ] ||
    fail "the main window reads otherwise: $(diff <(echo "$expected_main") <(echo "$tree"))"
# Each cell says its own word, so a row read whole says each once.
row3=$(for column in 0 1 2 3 4 5; do reader cell Brindlewhistmoore 予約の一覧 2 $column; done | paste -sd' ')
[ "$row3" = "毎日 午後 11時 00分 終了 稼働" ] || fail "row 3 reads \"$row3\""
[ "$(reader cell Brindlewhistmoore 予約の一覧 0 5)" = "停止" ] || fail "row 1 reads otherwise"
echo "the main window's controls are named; each cell says its own word"

# Work in another program's window, typed into a moment before the countdown comes.
xmessage -buttons "" -title other-work "other work" &
pids+=($!)
other=$(wait_for_window other-work 10)
[ -n "$other" ] || fail "the other program's window did not show"
xdotool windowactivate --sync "$other" key space

# The countdown at 23:00: what it says as it appears and with 30 seconds left.
countdown=$(wait_for_window 電源断予告 60)
[ -n "$countdown" ] || fail "no countdown"
expected_countdown=$(cat <<'LIST'
label	35秒後にPowerOffします	
label	キャンセルする場合は、キャンセルボタンを押してください。	
progress bar	残り時間	
notification	SAID	
push button	キャンセル(C)	
push button	10分延期(L)	
LIST
)
appeared="電源断予告: 35秒後にPowerOffします キャンセルする場合は、キャンセルボタンを押してください。 Esc キーでキャンセル、Alt+L で10分延期"
for _ in $(seq 100); do
    grep -qxF "object:state-changed:showing	残り30秒" "$scratch/said.txt" && break
    sleep 0.1
done
grep -qxF "object:state-changed:showing	$appeared" "$scratch/said.txt" ||
    fail "the countdown did not say itself: $(cat "$scratch/said.txt")"
grep -qxF "object:state-changed:showing	残り30秒" "$scratch/said.txt" ||
    fail "no announcement of 30 seconds left: $(cat "$scratch/said.txt")"
[ "$(grep -c 残り "$scratch/said.txt")" -le 2 ] || fail "announced more than the set points"
tree=$(reader tree 電源断予告 | sed -E 's/^notification\t.*\t$/notification\tSAID\t/')
[ "$tree" = "$expected_countdown" ] ||
    fail "the countdown reads otherwise: $(diff <(echo "$expected_countdown") <(echo "$tree"))"
# It took the keyboard from the window in use, under a window manager, with no help.
for _ in $(seq 20); do [ "$(xdotool getactivewindow 2>/dev/null)" = "$countdown" ] && break; sleep 0.2; done
[ "$(xdotool getactivewindow 2>/dev/null)" = "$countdown" ] ||
    fail "the countdown did not take the keyboard: $(xdotool getactivewindow getwindowname 2>&1)"
xdotool key Escape
has_history reader "キャンセル	電源断: Esc キー"
[ "$(count PowerOff)" -eq 0 ] || fail "the cancelled countdown powered off"
for _ in $(seq 20); do grep -qF "電源断をキャンセルしました。" "$scratch/said.txt" && break; sleep 0.1; done
grep -qF "電源断をキャンセルしました。" "$scratch/said.txt" || fail "the cancel was not said"
echo "the countdown took the keyboard, named its keys, and Escape cancelled it"
