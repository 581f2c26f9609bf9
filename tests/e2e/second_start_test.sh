#!/usr/bin/env bash
# The real program under a private X server: a first start shows nothing and writes nothing; a
# second start asks, and "はい" shows the first copy's window while "いいえ" leaves it hidden.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/x_windows.sh"
scratch=$(mktemp -d)
first=""
tray=""
cleanup() {
    [ -n "$first" ] && kill "$first" 2>/dev/null || true
    [ -n "$tray" ] && kill "$tray" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# No system bus can be reached from this run, so no power request can leave it.
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/no-bus"
[[ $DBUS_SYSTEM_BUS_ADDRESS == "unix:path=$scratch/"* ]] || { echo "refusing: not a private bus"; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
export XDG_RUNTIME_DIR="$scratch/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

# The settings file lies beside the program: give it a folder of its own.
mkdir "$scratch/bin" "$scratch/work"
cp "$program" "$scratch/bin/Brindlewhistmoore"
cd "$scratch/work"

fail() {
    echo "FAIL: $*"
    import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/second_start_failure.png" 2>/dev/null || true
    exit 1
}

# A notification area, or the hidden start would show its window after some seconds.
trayer --edge top --align right --widthtype request --height 24 --SetDockType true 2>/dev/null &
tray=$!

main_window_visible() { [ -n "$(x_search --onlyvisible --name '^Brindlewhistmoore$')" ]; }

start_first() {
    "$scratch/bin/Brindlewhistmoore" 2>"$scratch/first.log" &
    first=$!
    # The running copy is ready once its socket listens.
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/Brindlewhistmoore.socket" ] && return 0
        sleep 0.1
    done
    fail "the first copy did not start"
}

second_start_answering() {
    local key=$1
    "$scratch/bin/Brindlewhistmoore" 2>"$scratch/second.log" &
    local second=$!
    local box
    box=$(wait_for_window 確認 10)
    [ -n "$box" ] || fail "no question box"
    xdotool windowfocus --sync "$box" key "$key"
    local rc=0
    timeout 10 tail --pid="$second" -f /dev/null || fail "the second copy did not end"
    wait "$second" || rc=$?
    [ "$rc" -eq 0 ] || fail "the second copy exited with $rc"
}

start_first
sleep 1
main_window_visible && fail "the first start showed its window"
[ -z "$(ls -A "$scratch/work" "$scratch/bin" | grep -v '^Brindlewhistmoore$' | grep -v '^$' | grep -v ':$')" ] ||
    fail "the first start wrote files: $(ls -A "$scratch/work" "$scratch/bin")"

second_start_answering Escape
sleep 0.5
main_window_visible && fail "いいえ showed the window"

second_start_answering Return
for _ in $(seq 50); do
    main_window_visible && break
    sleep 0.1
done
main_window_visible || fail "はい did not show the first copy's window"
kill -0 "$first" || fail "the first copy ended"

# A copy that crashed leaves its lock and socket behind; the next start takes them over.
kill -9 "$first"
wait "$first" 2>/dev/null || true
"$scratch/bin/Brindlewhistmoore" 2>"$scratch/after-crash.log" &
first=$!
sleep 2
[ -z "$(x_search --onlyvisible --name '^確認$')" ] || fail "the crashed copy's lock was not taken over"
kill -0 "$first" || fail "the start after a crash ended"
second_start_answering Escape
echo "second start checks passed"
