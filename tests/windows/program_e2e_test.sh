#!/usr/bin/env bash
# The Windows program under wine, end to end: the hidden start with its tray icon and the notice
# balloon of a booking five minutes away, a second start answered no and yes, a booking made
# through the window (its file bytes), its hint, the settings dialog's OK, a countdown put off by
# ten minutes, a minimised window restored by a second start and by a click on the balloon, the
# row menu from the keyboard, a refused save told in the system's words, and a countdown that runs
# out and reaches the recording command interpreter; then the console program's commands against
# the running copy, and a command pipe whose name another process took first. All on a Japanese
# Windows: wine in the Japanese locale, code page 932.
# Usage: program_e2e_test.sh Brindlewhistmoore.exe recorder.exe BUILD_DIR probe.exe
set -euo pipefail
program=$1 recorder=$2 probe=$4
export BWM_BUILD=$3
# A prefix of its own: its clock is moved, and the other tests run beside it.
export BWM_PREFIX="$BWM_BUILD/e2e-prefix"
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
locale -a | grep -qx ja_JP.utf8 || { echo "the locale ja_JP.UTF-8 is missing"; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -e "$faketime_lib" ] || { echo "libfaketime is missing"; exit 1; }
wine_run="$(dirname "$0")/../support/wine_run.sh"
shots=${E2E_SCREENSHOT_DIR:-/tmp}

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    WINEPREFIX="$BWM_PREFIX" wineserver -k 2>/dev/null || true
    WINEPREFIX="$BWM_PREFIX" wineserver -w
    rm -rf "$scratch" "$BWM_PREFIX"
}
trap cleanup EXIT
rm -rf "$BWM_PREFIX"
fail() {
    echo "FAIL: $*"
    import -window root "$shots/windows_e2e_failure.png" 2>/dev/null || true
    echo "recorded: $(cat "$scratch/recorded.log" 2>/dev/null)"
    tail -n 20 "$scratch/wine.log" 2>/dev/null || true
    ps -eo pid,args | grep -i -e wine -e '\.exe' | grep -v grep || true
    exit 1
}
source "$(dirname "$0")/../support/x_windows.sh"
# Wine unmaps a hidden window a moment later.
hidden_soon() {
    for _ in $(seq 25); do
        visible "$1" || return 0
        sleep 0.2
    done
    return 1
}
# shot WINDOW NAME [WIDER]: a window just shown paints a moment later: until then it is one
# colour. Taken from the screen, as wine may draw a window into an X window of its own inside it,
# WIDER pixels wider for a hint that reaches past the window's edge.
shot() {
    local place
    sleep 1
    for _ in $(seq 10); do
        sleep 0.5
        place=$(xwininfo -id "$1" | awk -v wider="${3:-0}" '/Absolute upper-left X/ {x=$NF}
            /Absolute upper-left Y/ {y=$NF} /Width:/ {w=$NF} /Height:/ {h=$NF}
            END {print w + wider "x" h "+" x "+" y}')
        import -window root -crop "$place" +repage "$shots/windows_$2.png"
        [ "$(convert "$shots/windows_$2.png" -format %k info:)" -gt 1 ] && break
    done
    true
}

cp "$program" "${program%.exe}.com" "$recorder" "$probe" "$scratch/"
probe() { (cd "$scratch" && bash "$wine_run" "$(basename "$probe")" "$@" 2>/dev/null); }
# probe_until SECONDS ARGS...: the probe's output once it succeeds.
probe_until() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 2))); do
        probe "$@" && return 0
        sleep 0.5
    done
    return 1
}
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }
interpreter=$(winpath "$scratch/$(basename "$recorder")")
export BWM_RECORDER_LOG="$scratch/recorded.log"
{
    printf '%s\r\n' ",,,,," "毎日,午後,０時,00分,終了,稼働"
    for _ in $(seq 28); do printf ',,,,,\r\n'; done
} | iconv -f UTF-8 -t CP932 >"$scratch/SetTimeData.txt"
# The command before each action is the recorder too: its line comes before the request's.
printf '[SET]\r\nShutDownTime=15\r\nPRECOMMAND=%s before-action\r\n' "$interpreter" \
    >"$scratch/Brindlewhistmoore.ini"

# Every copy starts from a command interpreter that points ComSpec at the recorder and refuses
# to start the program when it does not hold.
start_copy() {
    (cd "$scratch" && LD_PRELOAD="$faketime_lib" FAKETIME="@2026-12-07 11:59:00" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 exec bash "$wine_run" cmd /v:on /c \
        "set ComSpec=$interpreter&& if /i \"!ComSpec!\"==\"$interpreter\" (Brindlewhistmoore.exe) else (exit 3)" \
        >>"$scratch/wine.log" 2>&1) &
    pids+=($!)
    last_pid=$!
}

trayer --edge top --align right --widthtype request --height 24 --SetDockType true 2>/dev/null &
pids+=($!)
[ -n "$(wait_for_window panel 10)" ] || fail "trayer did not start"

start_copy
# A prefix made moments before may still be setting itself up at the first start.
for _ in $(seq 600); do
    main=$(x_search --name '^Brindlewhistmoore$' | head -1)
    [ -n "$main" ] && break
    sleep 0.2
done
[ -n "$main" ] || fail "the program did not start"
sleep 1
visible "$main" && fail "the main window showed at start"
# The tray icon is docked into the panel as its child.
panel=$(wait_for_window panel 1)
[ "$(xwininfo -children -id "$panel" | grep -c 'child')" -ge 1 ] || fail "no tray icon"
echo "hidden start with a tray icon"
# Started inside the notice window of the booking at noon: the notice comes at once.
balloon=$(probe_until 15 hint) || fail "no notice balloon"
[ "$balloon" = "12:00 に電源断します。" ] || fail "the balloon said: $balloon"
sleep 1
import -window root -crop 420x160+604+0 +repage "$shots/windows_notice.png"
echo "the notice came as the tray icon's balloon: $balloon"

answer() {
    start_copy
    local second=$last_pid box
    box=$(wait_for_window 確認 30)
    [ -n "$box" ] || fail "no question at a second start"
    [ "$1" = Escape ] || shot "$box" question
    # A box just mapped may not take keys yet.
    for _ in $(seq 10); do
        xdotool windowfocus --sync "$box" key "$1" 2>/dev/null || true
        hidden_soon "$box" && break
    done
    for _ in $(seq 50); do
        kill -0 "$second" 2>/dev/null || break
        sleep 0.2
    done
    kill -0 "$second" 2>/dev/null && fail "the second start did not end after $1"
    wait "$second" || fail "the second start failed"
}
answer Escape
sleep 1
visible "$main" && fail "the window showed after いいえ"
answer Return
[ -n "$(wait_for_window Brindlewhistmoore 10)" ] || fail "the window did not show after はい"
echo "a second start asked; no left the window hidden, yes showed it"

click() { xdotool mousemove --window "$main" "$1" "$2" click 1; sleep 0.4; }
# The calendar takes the room it asks for: what lies right of it and below it moves as far as
# the window grew from its designed 498 by 398.
eval "$(xdotool getwindowgeometry --shell "$main")"
right=$((WIDTH - 498)) down=$((HEIGHT - 398))
# From the keyboard alone, the focus starting on the calendar; the tab order runs from the
# calendar to the tabs, the action and on through the window, then the page shown.
keys() { xdotool windowfocus --sync "$main" key "$@"; sleep 0.4; }
focus_is() { [ "$(probe focus)" = "$1" ] || fail "the focus is on \"$(probe focus)\", not \"$1\""; }
focus_is $'SysMonthCal32\t'
keys Tab Right                                 # the tabs, to 経過予約
focus_is $'SysTabControl32\t'
keys shift+Tab shift+Tab                       # back past the calendar to the page's minutes
for _ in $(seq 29); do xdotool key Up; done    # from "30" to "01"
keys Tab Tab Tab                               # the calendar, the tabs, the action on "終了"
for _ in $(seq 4); do xdotool key Down; done   # to "ログオフ"
keys alt+b                                     # 予約する, which takes no focus
sleep 0.5
expected=$( {
    printf '%s\r\n' "2026/12/07,午後,０時,01分,ログオフ,稼働" "毎日,午後,０時,00分,終了,稼働"
    for _ in $(seq 28); do printf ',,,,,\r\n'; done
} | iconv -f UTF-8 -t CP932 | od -An -tx1)
[ "$(od -An -tx1 "$scratch/SetTimeData.txt")" = "$expected" ] ||
    fail "the booking wrote: $(iconv -f CP932 -t UTF-8 "$scratch/SetTimeData.txt" | head -2)"
shot "$main" main_window
echo "a booking made with keys alone wrote the expected bytes"

xdotool mousemove --window "$main" 200 $((314 + down)) # over the grid
hint=$(probe_until 5 hint) || fail "no hint over the grid"
[ "$hint" = "ダブルクリックで再編集。右クリックで削除・停止・稼働。" ] || fail "the grid's hint: $hint"
shot "$main" hint 160
xdotool mousemove --window "$main" $((475 + right)) $((384 + down))
echo "the grid shows its hint"

# settings_dialog [tick]: opens the settings dialog, ticks ログオン時に起動する when asked, and
# presses OK with Enter.
settings_dialog() {
    click 221 $((372 + down))                  # 設定
    dialog=$(wait_for_window 設定 10)
    [ -n "$dialog" ] || fail "no settings dialog"
    if [ "${1:-}" = tick ]; then
        # Wine without a window manager may leave a window just shown below the one clicked.
        xdotool windowraise "$dialog" 2>/dev/null || true
        shot "$dialog" settings
        # From the first switch, where it opens, to the fourth, past the spin field.
        xdotool windowfocus --sync "$dialog" key Tab Tab Tab Tab space 2>/dev/null
        sleep 0.4
    fi
    for _ in $(seq 5); do
        xdotool windowfocus --sync "$dialog" key Return 2>/dev/null || true
        hidden_soon "$dialog" && break
    done
    visible "$dialog" && fail "OK left the dialog open"
    true
}
# Wine spells the folder "StartUp".
startup="$BWM_PREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/StartUp/Brindlewhistmoore.lnk"
rm -f "$startup"
settings_dialog tick
[ "$(tr -d '\r' <"$scratch/Brindlewhistmoore.ini")" = "$(printf '%s\n' '[SET]' ShutDownTime=15 \
    "PRECOMMAND=$interpreter before-action" CPUchange=0 BEEPchange=0 TASKICOchange=0 \
    NOTICEchange=1 NOTICETime=5 WAKEchange=0 DEFERchange=0 PRECOMMANDTime=30 ABORTchange=0)" ] ||
    fail "OK wrote: $(cat "$scratch/Brindlewhistmoore.ini")"
echo "the settings dialog's OK wrote the settings file beside the program"
[ -f "$startup" ] || fail "ticking ログオン時に起動する made no Startup shortcut"
link=$(probe shortcut "$(winpath "$startup")") || fail "the Startup shortcut cannot be read"
[ "$link" = "$(winpath "$scratch")\Brindlewhistmoore.exe|$(winpath "$scratch")" ] ||
    fail "the Startup shortcut starts $link"

countdown=$(wait_for_window 電源断予告 75)
[ -n "$countdown" ] || fail "no countdown for the reservation at noon"
shot "$countdown" countdown
for _ in $(seq 10); do
    xdotool windowfocus --sync "$countdown" key alt+l 2>/dev/null || true # 10分延期
    hidden_soon "$countdown" && break
done
visible "$countdown" && fail "the countdown stayed after 10分延期"
[ "$(iconv -f CP932 -t UTF-8 "$scratch/SetTimeData.txt" | sed -n 3p | tr -d '\r')" = \
    "2026/12/07,午後,０時,10分,終了,稼働" ] ||
    fail "the postponed booking: $(iconv -f CP932 -t UTF-8 "$scratch/SetTimeData.txt" | sed -n 3p)"
# The rest of the settings dialog's steps take part of the twenty seconds in which nothing may
# run: before the countdown they could outlast the time up to it on a loaded machine.
postponed=$SECONDS
settings_dialog                                # shown ticked: OK alone leaves it
[ -f "$startup" ] || fail "an OK that left the switch alone removed the shortcut"
settings_dialog tick                           # unticks it
[ ! -e "$startup" ] || fail "unticking left the Startup shortcut"
echo "ログオン時に起動する made and removed this copy's Startup shortcut: $link"
sleep $((postponed + 20 > SECONDS ? postponed + 20 - SECONDS : 0))
[ ! -s "$scratch/recorded.log" ] || fail "a postponed countdown ran: $(cat "$scratch/recorded.log")"
echo "10分延期 booked the action ten minutes on and requested nothing"

probe minimise TForm1 Brindlewhistmoore || fail "could not minimise the main window"
[ "$(probe state TForm1 Brindlewhistmoore)" = minimised ] || fail "the window did not minimise"
answer Return
[ "$(probe_until 5 state TForm1 Brindlewhistmoore)" = shown ] ||
    fail "a second start left the window $(probe state TForm1 Brindlewhistmoore)"
echo "a second start restored the minimised window"
probe minimise TForm1 Brindlewhistmoore || fail "could not minimise the main window"
probe balloon-click TForm1 Brindlewhistmoore || fail "the balloon's click was not taken"
[ "$(probe_until 5 state TForm1 Brindlewhistmoore)" = shown ] ||
    fail "a click on the balloon left the window $(probe state TForm1 Brindlewhistmoore)"
echo "a click on the balloon showed the window"

# The tray icon answers the keyboard: Space or Enter on it, and the menu key, open its menu.
for key in tray-key tray-menu-key; do
    probe "$key" TForm1 Brindlewhistmoore || fail "the window took no $key"
    probe_until 5 menu >/dev/null || fail "$key opened no tray menu"
    [ "$key" = tray-key ] && shot "$main" tray_menu_from_keys
    xdotool key Escape
    for _ in $(seq 10); do probe menu >/dev/null || break; sleep 0.3; done
    probe menu >/dev/null && fail "Escape left the tray menu open"
done
echo "the tray icon's menu opened from the keyboard"

chmod a-w "$scratch/SetTimeData.txt"
click 100 $((264 + down))                      # the grid's second row
xdotool key Menu
probe_until 5 menu >/dev/null || fail "the menu key opened no row menu"
shot "$main" row_menu
xdotool key Down Down Return                   # 停止
text=$(probe_until 10 message Brindlewhistmoore) || fail "no error box for the read-only file"
shot "$main" error
expected="予約を保存できません: SetTimeData.txt: $(probe system-message 5)"
[ "$text" = "$expected" ] || fail "the error box said \"$text\", not \"$expected\""
case $text in *拒否*) ;; *) fail "the system's reason is not in Japanese: $text" ;; esac
xdotool key Return
chmod u+w "$scratch/SetTimeData.txt"
echo "the menu key opened the row menu; a refused save said: $text"

[ -n "$(wait_for_window ログオフ予告 60)" ] || fail "no countdown for the booking"
for _ in $(seq 150); do
    grep -q shutdown "$scratch/recorded.log" 2>/dev/null && break
    sleep 0.2
done
grep -q '/c shutdown /l' "$scratch/recorded.log" || fail "the log-off did not reach the interpreter"
[ "$(grep -c shutdown "$scratch/recorded.log")" -eq 1 ] || fail "more than one request"
head -1 "$scratch/recorded.log" | grep -q ' before-action$' ||
    fail "the command before the action did not run first: $(cat "$scratch/recorded.log")"
echo "the booked log-off reached the interpreter: $(cat "$scratch/recorded.log")"

# The console program: with no copy running it starts one hidden (here too from a command
# interpreter that points ComSpec at the recorder), then books, lists, starts a countdown and
# cancels it through that copy. Its output comes in the console's code page. Started in another
# folder, it starts the copy in the folder the menu's shortcut starts it in, the program's.
# Closes the running copy as its close box does, and waits until its window is gone.
close_copy() {
    probe close TForm1 Brindlewhistmoore || fail "could not close the program"
    for _ in $(seq 50); do
        probe state TForm1 Brindlewhistmoore >/dev/null || break
        sleep 0.2
    done
}
close_copy
cli() {
    status=0
    out=$(cd "${from:-$scratch}" && bash "$wine_run" cmd /v:on /c \
        "set ComSpec=$interpreter&& if /i \"!ComSpec!\"==\"$interpreter\" (${console:-Brindlewhistmoore.com} $*) else (exit 9)" \
        2>/dev/null | iconv -f CP932 -t UTF-8 | tr -d '\r') || status=$?
}
rows_in_use() { iconv -f CP932 -t UTF-8 "$scratch/SetTimeData.txt" | tr -d '\r' | grep -v '^,,,,,$' || true; }
# The started copy runs on the real clock: the file's one-time rows of the test's day are past and
# go; the daily row stays. Its bookings lie years ahead, so that they are never in the past.
kept=$(rows_in_use | grep '^毎日')
[ -n "$kept" ] || fail "no daily row before the console program's booking"
mkdir -p "$scratch/elsewhere"
from="$scratch/elsewhere" console='..\Brindlewhistmoore.com' cli --book 休止状態 --at 23:00 --date 2036/12/31
[ "$status" = 0 ] || fail "--book ended with $status: $out"
[ ! -e "$scratch/elsewhere/SetTimeData.txt" ] || fail "the started copy wrote the command's folder"
case $out in *$'\t2036/12/31\t午後\t11時\t00分\t休止状態\t稼働') ;; *) fail "--book said: $out" ;; esac
rows_in_use | grep -q '^2036/12/31,午後,11時,00分,休止状態,稼働' || fail "the booking is not in the file"
# The started copy took the command only once it had loaded the file.
rows_in_use | grep -qxF "$kept" || fail "the daily row was lost by the booking: $(rows_in_use)"
visible "$(x_search --name '^Brindlewhistmoore$' | head -1)" && fail "the started copy showed its window"
cli --list
echo "$out" | grep -q $'\t2036/12/31\t午後\t11時\t00分\t休止状態\t稼働$' || fail "--list said: $out"
cli --now logoff
[ "$status" = 0 ] || fail "--now ended with $status"
countdown=$(wait_for_window ログオフ予告 20)
[ -n "$countdown" ] || fail "--now showed no countdown"
cli --cancel
[ "$status" = 0 ] || fail "--cancel ended with $status: $out"
hidden_soon "$countdown" || fail "--cancel left the countdown"
# The close box and Alt+F4 (WM_CLOSE) cancel as キャンセル does.
cli --now logoff
countdown=$(wait_for_window ログオフ予告 20)
[ -n "$countdown" ] || fail "the second --now showed no countdown"
probe close TForm2 ログオフ予告 || fail "could not close the countdown"
hidden_soon "$countdown" || fail "closing left the countdown"
sleep 17
[ "$(grep -c shutdown "$scratch/recorded.log")" -eq 1 ] ||
    fail "a cancelled or closed countdown reached the interpreter"
# The 終了待ち watch through the console program: the countdown comes once the program given by
# its name has ended. The program is the probe under a name of its own, which ends by itself.
cp "$scratch/$(basename "$probe")" "$scratch/render-job.exe"
(cd "$scratch" && exec bash "$wine_run" render-job.exe wait 12 >/dev/null 2>&1) &
render=$!
pids+=($render)
for _ in $(seq 40); do
    cli --watch logoff --exit render-job
    [ "$status" = 0 ] && break
    sleep 0.5
done
[ "$status" = 0 ] || fail "--watch ended with $status: $out"
[ "$out" = "終了待ち: render-job が終了したら ログオフ" ] || fail "--watch said: $out"
[ -z "$(wait_for_window ログオフ予告 1)" ] || fail "the countdown came while the program ran"
kill -0 "$render" 2>/dev/null || fail "the program ended too soon for the test"
countdown=$(wait_for_window ログオフ予告 30)
[ -n "$countdown" ] || fail "no countdown after the program ended"
cli --cancel
[ "$status" = 0 ] || fail "--cancel of the watch's countdown ended with $status"
hidden_soon "$countdown" || fail "--cancel left the watch's countdown"
echo "the console program's --watch counted down once the program had ended"
# A power-off is asked for again a countdown's length apart until the session ends: --cancel ends
# that, and so does the system calling the session's end off (a user's Cancel on its screen).
requests() { grep -c -- "$1" "$scratch/recorded.log" || true; }
requested() {
    for _ in $(seq 120); do
        [ "$(requests "$1")" -ge "$2" ] && return 0
        sleep 0.5
    done
    return 1
}
asked_no_more() {
    local before
    before=$(requests "$1")
    sleep 19
    [ "$(requests "$1")" = "$before" ]
}
cli --now poweroff
[ -n "$(wait_for_window 電源断予告 20)" ] || fail "--now poweroff showed no countdown"
requested '/s /t 0' 2 || fail "the power-off was not asked for again: $(cat "$scratch/recorded.log")"
cli --cancel
[ "$status" = 0 ] && [ "$out" = "繰り返していた電源操作の要求を止めました。" ] ||
    fail "--cancel of the repeated power-off: $status $out"
asked_no_more '/s /t 0' || fail "the power-off was asked for after --cancel"
cli --now reboot
[ -n "$(wait_for_window 再起動予告 20)" ] || fail "--now reboot showed no countdown"
requested '/r /t 0' 1 || fail "the reboot was not asked for"
probe session-end-off TForm1 Brindlewhistmoore || fail "could not tell the copy of a called-off end"
asked_no_more '/r /t 0' || fail "the reboot was asked for again after the session's end was called off"
echo "the repeated request ended by --cancel and by the system's call-off"
# The history beside the settings file, through the running copy: the window's postponement, the
# booked log-off and its request, the console's booking and the countdowns it cancelled.
cli --history 60
[ "$status" = 0 ] || fail "--history ended with $status"
echo "$out" | grep -qvE $'^[0-9]{4}/[0-9]{2}/[0-9]{2} [0-9]{1,2}:[0-9]{2}:[0-9]{2}\t[^\t]+\t' &&
    fail "a history line out of form: $out"
events=$(echo "$out" | cut -f2-)
for line in $'10分延期\t電源断: 予約3 2026/12/07 午後０時10分 終了' \
    $'要求\tログオフの要求が受け付けられました。' \
    $'キャンセル\tログオフ: --cancel' $'キャンセル\tログオフ: 閉じるボタン' \
    $'要求\t電源断: 終わるまで 17 秒ごとに繰り返し要求します' $'キャンセル\t電源断: --cancel' \
    $'キャンセル\t再起動: システムが終了を取り消しました' \
    $'カウントダウン\tログオフ: 終了待ち: render-job が終了'; do
    echo "$events" | grep -qxF "$line" || fail "no history line \"$line\" in: $out"
done
echo "$events" | grep -qxF $'カウントダウン\tログオフ: 予約1 2026/12/07 午後０時01分 ログオフ' ||
    fail "no countdown of the booked log-off in: $out"
echo "$events" | grep -qE $'^実行前のコマンド\tログオフ: 終了コード 0、[0-9.]+ 秒: 出力なし$' ||
    fail "no line of the command before the log-off in: $out"
echo "$events" | grep -qE $'^コマンド\t--book: 予約[0-9]+ 2036/12/31 午後11時00分 休止状態$' ||
    fail "no line of the console's booking in: $out"
last=$(echo "$out" | tail -1)
cli --stop 99
[ "$status" = 1 ] || fail "a usage error ended with $status"
# Redirected, the help comes in code page 932 with CR LF, its wave dashes whole, with the examples
# of Windows' shells.
(cd "$scratch" && bash "$wine_run" cmd /c "Brindlewhistmoore.com --help" 2>/dev/null) >"$scratch/help.txt"
[ "$(grep -c $'\r$' "$scratch/help.txt")" = "$(wc -l <"$scratch/help.txt")" ] || fail "--help has lines without CR"
help=$(iconv -f CP932 -t UTF-8 "$scratch/help.txt") || fail "--help is not in code page 932"
case $help in *'?'*) fail "--help lost characters to the code page" ;; esac
case $help in *月～金*PowerShell:*'--list --utf8 | Select-String'*) ;; *) fail "--help said: $help" ;; esac
# With --utf8, in UTF-8 whatever the console's code page, the table's words whole.
(cd "$scratch" && bash "$wine_run" cmd /c "Brindlewhistmoore.com --list --utf8" 2>/dev/null) >"$scratch/list.txt"
iconv -f UTF-8 -t UTF-8 "$scratch/list.txt" >/dev/null && grep -q $'\t休止状態\t稼働\r$' "$scratch/list.txt" ||
    fail "--list --utf8 wrote: $(od -c "$scratch/list.txt" | head -3)"
echo "the console program started a copy, booked, listed, started a countdown and cancelled it"

# Three bookings at once with no copy running: one copy starts, the others wait for it, and all
# three are kept. Before them, --history with no copy reads the file itself.
close_copy
cli --history 1
[ "$status" = 0 ] && [ "$out" = "$last" ] || fail "--history with no copy: $status, $out"
before=$(rows_in_use | wc -l)
parallel=()
for minute in 10 20 30; do
    (
        cli --book standby --at "5:$minute" --date 2036/12/30
        [ "$status" = 0 ] || echo "5:$minute ended with $status: $out" >>"$scratch/parallel.log"
    ) &
    parallel+=($!)
done
for pid in "${parallel[@]}"; do wait "$pid"; done
[ ! -s "$scratch/parallel.log" ] || fail "a booking at once: $(cat "$scratch/parallel.log")"
[ "$(rows_in_use | wc -l)" = $((before + 3)) ] || fail "three bookings at once left: $(rows_in_use)"
echo "three bookings at once with no copy running were all kept"

# Another process took the command pipe's name first: the copy says so, and a command sent to the
# squatter, which never answers, ends with 3, sent once.
close_copy
probe squat-pipe 60 &
pids+=($!)
sleep 2
start_copy
said=$(probe_until 30 message Brindlewhistmoore) || fail "the copy did not say its pipe was taken"
[ "$said" = "コマンドの受け口をほかのプロセスが使っています。このコピーはコマンドを受け付けません。" ] ||
    fail "the copy said: $said"
import -window root "$shots/windows_pipe_taken.png" 2>/dev/null || true
cli --list
[ "$status" = 3 ] || fail "a command to the squatted pipe ended with $status: $out"
echo "a pipe taken first by another process was said by the copy and answered 3"
