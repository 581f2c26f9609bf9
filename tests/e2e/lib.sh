# Shared by the end-to-end tests: guards, copies of the program with their own files and clocks,
# and the calls the mock logind recorded. Source it with the program's path in $program.

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../support/x_windows.sh"

[ -n "${BWM_PRIVATE_SYSTEM_BUS:-}" ] && [ "$BWM_PRIVATE_SYSTEM_BUS" = "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] ||
    { echo "refusing to run: no private system bus (use with_mock_logind.sh)"; exit 1; }
[ -n "${DISPLAY:-}" ] || { echo "needs a display: run under xvfb-run"; exit 1; }
faketime_lib=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -e "$faketime_lib" ] || { echo "libfaketime is missing"; exit 1; }
unset QT_QPA_PLATFORM
# The program speaks the session's language: these tests expect its source language, whatever
# the machine's; a test of another language sets its own for the copies it starts.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C.UTF-8
# A sanitized build must accept libfaketime loaded ahead of its runtime.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    chattr -R -i "$scratch" 2>/dev/null || true
    chmod -R u+w "$scratch"
    rm -rf "$scratch"
}
trap cleanup EXIT

# A notification area, as on most desktops; without one a copy shows its window after some
# seconds. A test that wants to start it later sets tray_host=later before sourcing this file.
start_tray_host() {
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true 2>/dev/null &
    pids+=($!)
    for _ in $(seq 50); do
        # Its panel is mapped once it holds the tray selection.
        [ -z "$(x_search --onlyvisible --name '^panel$')" ] || return 0
        sleep 0.1
    done
    fail "trayer did not start"
}

# A reader such as grep -q stops at its first match and closes the pipe; the lines after it are
# then not wanted, and their failed write must not fail the pipeline (pipefail).
calls() (
    trap '' PIPE
    recorded=$(/usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS")
    [ -z "$recorded" ] || printf '%s\n' "$recorded" 2>/dev/null || true
)
clear_calls() { /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" clear; }
count() { calls | grep -c "^$1\b" || true; }
# The inhibitor locks held on the mock logind, one a line: what, who and mode.
inhibitors() { /usr/bin/python3 "$here/mock_calls.py" "$DBUS_SYSTEM_BUS_ADDRESS" inhibitors; }

fail() {
    echo "FAIL: $*"
    import -window root "${E2E_SCREENSHOT_DIR:-/tmp}/$(basename "$0" .sh)_failure.png" 2>/dev/null || true
    echo "calls recorded:"
    calls
    tail -n 12 "$scratch"/*.log "$scratch"/*/Brindlewhistmoore-history.txt 2>/dev/null || true
    exit 1
}

# start NAME FAKE_START SETTINGS ROW... : a copy of the program in a folder of its own, with the
# settings file text and reservation rows given, its clock starting at FAKE_START, its own
# runtime folder and XDG_SESSION_ID NAME (so a log-off names the copy that asked).
start() {
    prepare "$1" "$3" "${@:4}"
    launch "$1" "$2"
}

prepare() {
    local name=$1 settings=$2
    shift 2
    local dir="$scratch/$name"
    mkdir -p "$dir/run"
    chmod 700 "$dir/run"
    cp "$program" "$dir/Brindlewhistmoore"
    printf '%s' "$settings" >"$dir/Brindlewhistmoore.ini"
    {
        for row in "$@"; do printf '%s\r\n' "$row"; done
        for _ in $(seq $((30 - $#))); do printf ',,,,,\r\n'; done
    } | iconv -f UTF-8 -t CP932 >"$dir/SetTimeData.txt"
}

launch() {
    local name=$1 fake=$2
    local dir="$scratch/$name"
    (cd "$dir" && XDG_RUNTIME_DIR="$dir/run" XDG_SESSION_ID="$name" \
        LD_PRELOAD="$faketime_lib" FAKETIME="@$fake" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        exec ./Brindlewhistmoore 2>"$scratch/$name.log") &
    pids+=($!)
    last_pid=$!
    echo "$last_pid" >"$scratch/$name.pid"
}

# The visible main window of the process given, or nothing: other copies' windows have the
# same name.
visible_window_of() {
    for window in $(x_search --onlyvisible --name '^Brindlewhistmoore$'); do
        [ "$(xdotool getwindowpid "$window" 2>/dev/null)" = "$1" ] && { echo "$window"; return 0; }
    done
    return 0
}

# Waits until the copy NAME listens for commands: before that a command starts a copy of its own.
listening() {
    for _ in $(seq 100); do
        compgen -G "$scratch/$1/run/*.socket" >/dev/null && return 0
        sleep 0.1
    done
    fail "$1 does not listen"
}

# Shows a copy's main window the way a user does: a second start answered with Enter.
show_main_window() {
    local dir="$scratch/$1"
    # A second start before the copy listens would be the first.
    listening "$1"
    (cd "$dir" && XDG_RUNTIME_DIR="$dir/run" exec ./Brindlewhistmoore 2>>"$scratch/$1.log") &
    local second=$!
    local box
    box=$(wait_for_window 確認 10)
    [ -n "$box" ] || fail "no question box"
    # A box just mapped may not take the key yet: Enter again until it is gone.
    for _ in $(seq 10); do
        xdotool windowfocus --sync "$box" key Return 2>/dev/null || true
        for _ in $(seq 10); do
            kill -0 "$second" 2>/dev/null || break 2
            sleep 0.1
        done
    done
    wait "$second" || fail "the second start failed"
    local pid window
    pid=$(cat "$scratch/$1.pid")
    for _ in $(seq 50); do
        window=$(visible_window_of "$pid")
        [ -z "$window" ] || { echo "$window"; return 0; }
        sleep 0.2
    done
}

# Clicks at X Y in WINDOW until it is hidden: a window just mapped may not take input yet.
click_until_hidden() {
    local window=$1 x=$2 y=$3
    for _ in $(seq 20); do
        xdotool mousemove --window "$window" "$x" "$y" click 1 2>/dev/null || true
        sleep 0.5
        visible "$window" || return 0
    done
    return 1
}

# The reservation file of a copy, one decoded line per row.
reservation_file() { iconv -f CP932 -t UTF-8 "$scratch/$1/SetTimeData.txt" | tr -d '\r'; }

# A copy's history, one event a line, without its time.
history_of() { cut -f2- "$scratch/$1/Brindlewhistmoore-history.txt" 2>/dev/null || true; }
# has_history NAME LINE [SECONDS]: waits up to five seconds, or as many as given, for the line
# (an answer of logind comes later).
has_history() {
    for _ in $(seq $((${3:-5} * 5))); do
        history_of "$1" | grep -qxF "$2" && return 0
        sleep 0.2
    done
    fail "no history line \"$2\" of $1; it holds: $(history_of "$1")"
}

settings_three_seconds=$'[SET]\r\nShutDownTime=3\r\n'
settings_fifteen_seconds=$'[SET]\r\nShutDownTime=15\r\n'

[ "${tray_host:-now}" = later ] || start_tray_host
