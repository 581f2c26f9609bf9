#!/usr/bin/env bash
# The Windows program under wine beside the Linux program, in one run under one Xvfb with trayer
# as tray host: time from launch to the icon in the tray, resident memory after the idle time,
# and CPU time idle over 120 s, given per 60 s (for wine, the program's process and, apart, wine's
# server), beside a window program under wine that does nothing at all (the tests' probe); then,
# with the Windows program's window shown, how many milliseconds after each second's start its
# clock label turned, read by the probe.
#   bench/windows_figures.sh LINUX_PROGRAM WINDOWS_BUILD_DIR
# BASELINE=path/to/an/older/Brindlewhistmoore.exe measures that build too, in the same run.
# Both start with no reservations and the tray menu is never opened, so nothing can request a
# power action; the Linux program has no system bus it could reach.
set -euo pipefail
linux=$(realpath "$1")
build=$(realpath "$2")
[ -x "$linux" ] && [ -e "$build/Brindlewhistmoore.exe" ] || { echo "build both programs first"; exit 1; }
if [ -z "${FIGURES_UNDER_XVFB:-}" ]; then
    FIGURES_UNDER_XVFB=1 exec xvfb-run -a -s "-noreset -screen 0 1280x1024x24" bash "$0" "$@"
fi
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tests/support/x_windows.sh"
scratch=$(mktemp -d)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all
# A Japanese Windows, as the program's users have.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
trayer --edge top --align right --widthtype request --height 24 --SetDockType true 2>/dev/null &
pids+=($!)
sleep 1
# The prefix ready and wine's server running, as Windows is when a program starts.
BWM_BUILD=$build bash "$top/tests/support/wine_run.sh" cmd /c exit 0
wineserver -k 2>/dev/null || true
wineserver -p

tray_icons() { xwininfo -root -tree | grep -A1 '"panel"' | sed -n 's/^ *\([0-9]*\) child.*/\1/p'; }
cpu_us() { cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { printf "%d", ns / 1000 }'; }
rss_kb() { sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\) kB/\1/p' "/proc/$1/status"; }
ms_now() { date +%s%3N; }

# launch DIR COMMAND...: starts the program in DIR; prints the milliseconds until its icon was in
# the tray ("-" for never) and leaves it running.
launch() {
    local dir=$1
    shift
    local before start
    before=$(tray_icons)
    start=$(ms_now)
    # Its output away from this function's, which a caller reads to its end.
    (cd "$dir" && DBUS_SYSTEM_BUS_ADDRESS=unix:path=/nonexistent exec "$@" >/dev/null 2>&1) &
    for _ in $(seq 3000); do
        if [ "$(tray_icons)" != "$before" ]; then echo $(($(ms_now) - start)); return; fi
        sleep 0.005
    done
    echo "-"
}

# stop PATTERN: ends the program and waits until it has gone.
stop() {
    pkill -f "$1" 2>/dev/null || true
    for _ in $(seq 200); do
        pgrep -f "$1" >/dev/null || break
        sleep 0.05
    done
    sleep 1
}

# measure NAME PROCESS_PATTERN COMMAND...: five launches to the tray (LAUNCHES of them), of which
# the median is given, then one launch measured idle.
measure() {
    local name=$1 pattern=$2
    shift 2
    local dir="$scratch/$name"
    mkdir -p "$dir"
    local launches=()
    for _ in $(seq "${LAUNCHES:-5}"); do
        launches+=("$(launch "$dir" "$@")")
        stop "$pattern"
    done
    local tray_ms=-
    [ ${#launches[@]} -eq 0 ] ||
        tray_ms=$(printf '%s\n' "${launches[@]}" | sort -n | sed -n "$(((${#launches[@]} + 1) / 2))p")
    launch "$dir" "$@" >/dev/null
    local pid server
    pid=$(pgrep -n -f "$pattern")
    server=$(pgrep -n wineserver || true)
    # Idle from here, past the start's one-off timers.
    sleep 35
    local t0 s0
    t0=$(cpu_us "$pid")
    s0=$([ -n "$server" ] && cpu_us "$server" || echo 0)
    sleep 120
    local idle server_ms
    idle=$(awk -v d=$(( $(cpu_us "$pid") - t0 )) 'BEGIN { printf "%.1f", d / 2000 }')
    server_ms=$(awk -v d=$(( $([ -n "$server" ] && cpu_us "$server" || echo 0) - s0 )) \
        'BEGIN { printf "%.1f", d / 2000 }')
    # Wine's server works for every wine program; idle it costs something of its own too.
    printf '%-8s tray %5s ms (%s)  RSS %7s kB  idle CPU %6s ms/60 s  (meanwhile wine server %s ms/60 s)\n' \
        "$name" "$tray_ms" "${launches[*]}" "$(rss_kb "$pid")" "$idle" "$server_ms"
    stop "$pattern"
}

cp "$build/Brindlewhistmoore.exe" "$build/tests/windows/probe.exe" "$scratch/"
measure linux "^$linux" "$linux"
measure windows 'Brindlewhistmoore.exe' wine "$scratch/Brindlewhistmoore.exe"
if [ -n "${BASELINE:-}" ]; then
    # Named apart, so that each measure finds its own process.
    cp "$BASELINE" "$scratch/Brindlewhistmoore-before.exe"
    measure before 'Brindlewhistmoore-before.exe' wine "$scratch/Brindlewhistmoore-before.exe"
fi
# It shows no icon.
LAUNCHES=0 measure idle-win32 'probe.exe idle' wine "$scratch/probe.exe" idle

# The window shown by a second start answered yes, then ten seconds of its clock label.
(cd "$scratch" && exec wine Brindlewhistmoore.exe >/dev/null 2>&1) &
pids+=($!)
sleep 5
(cd "$scratch" && exec wine Brindlewhistmoore.exe >/dev/null 2>&1) &
box=$(wait_for_window 確認 30)
xdotool windowfocus --sync "$box" key Return
sleep 3
echo "clock label turned, ms after each second's start: $(wine "$scratch/probe.exe" clock-turns 10 2>/dev/null)"
echo "Brindlewhistmoore.exe: $(stat -c %s "$build/Brindlewhistmoore.exe") bytes"
