#!/usr/bin/env bash
# Side-by-side figures of this program and the tray shutdown timers users pick today on Debian,
# qshutdown and kshutdown, launched alternately under one Xvfb with trayer as tray host:
#   - time from launch to the icon in the tray, the median of five launches
#   - peak resident memory (VmHWM) and settled proportional memory (PSS) after the idle time
#   - CPU time idle, over 120 s and given per 60 s (and over 60 s of a running countdown, for
#     this program)
#   - wake-ups per minute idle: the voluntary context switches of all the process's threads over
#     the same 120 s (a thread that sleeps and wakes switches once), which costs the program
#     nothing to count
# Every program runs as the unprivileged user "nobody" with no system bus it could reach, so no
# power request can leave it; this program once more with a system bus as on a desktop, a mock
# logind on a private bus (python3-dbusmock), to which its requests would go. Needs root (to run as nobody) and: apt-get install qshutdown
# kshutdown trayer xvfb x11-utils.
#   bench/peers.sh [rounds]        (about 20 minutes a round)
# BASELINE=path/to/an/older/Brindlewhistmoore adds that build to each round, for before/after.
# Each round also starts bench/TrayOnly.cpp, a Qt program that shows the tray icon and nothing
# else: the floor a Qt tray program cannot go below.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
rounds=${1:-3}
program="$top/build/release/app/Brindlewhistmoore"
floor="$top/build/release/bench/tray_only"
[ "$(id -u)" -eq 0 ] || { echo "run as root: the programs are started as nobody"; exit 1; }
if [ -z "${PEERS_UNDER_XVFB:-}" ]; then
    cmake -S "$top" -B "$top/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DBWM_BENCHMARKS=ON >/dev/null
    cmake --build "$top/build/release" --target Brindlewhistmoore tray_only >/dev/null
    PEERS_UNDER_XVFB=1 exec xvfb-run -a -s "-ac -noreset -screen 0 1280x1024x24" bash "$0" "$rounds"
fi

scratch=$(mktemp -d)
chmod 755 "$scratch"
pids=()
bus_dir="$scratch/bus"
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    bash "$top/tests/support/mock_logind_bus.sh" stop "$bus_dir" || true; rm -rf "$scratch"' EXIT
trayer --edge top --align right --widthtype request --height 24 --SetDockType true 2>/dev/null &
pids+=($!)
sleep 1

# Runs a command as nobody in a fresh home, with a session bus of its own (qshutdown will not
# start without one) and no system bus, or the one system_bus names.
as_nobody() {
    local home=$1
    shift
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -i DISPLAY="$DISPLAY" HOME="$home" PATH=/usr/bin:/bin XDG_RUNTIME_DIR="$home/run" \
        DBUS_SYSTEM_BUS_ADDRESS="${system_bus:-unix:path=/nonexistent}" LANG=C.UTF-8 dbus-run-session -- "$@"
}

tray_icons() { xwininfo -root -tree | grep -A1 '"panel"' | sed -n 's/^ *\([0-9]*\) child.*/\1/p'; }
# CPU time of all the process's threads, in microseconds (the scheduler's own count, not ticks).
cpu_us() { cat /proc/"$1"/task/*/schedstat | awk '{ ns += $1 } END { printf "%d", ns / 1000 }'; }
switches() { cat /proc/"$1"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
idle_seconds=120
status_kb() { sed -n "s/^$2:[[:space:]]*\([0-9]*\) kB/\1/p" "/proc/$1/status"; }
pss_kb() { sed -n 's/^Pss: *\([0-9]*\) kB/\1/p' "/proc/$1/smaps_rollup"; }
ms_now() { date +%s%3N; }

# launch NAME COMMAND...: starts the program in a fresh home; prints the milliseconds until its
# icon was in the tray ("-" for never) and leaves it running.
launch() {
    local home="$scratch/$1-home"
    shift
    rm -rf "$home"
    mkdir -p "$home/run"
    chmod 700 "$home/run"
    chown -R nobody:nogroup "$home"
    local before start
    before=$(tray_icons)
    start=$(ms_now)
    # Its output away from this function's, which a caller reads to its end.
    (cd "$home" && as_nobody "$home" "$@") >/dev/null 2>&1 &
    for _ in $(seq 3000); do
        if [ "$(tray_icons)" != "$before" ]; then echo $(($(ms_now) - start)); return; fi
        sleep 0.005
    done
    echo "-"
}

# stop COMMAND: ends the program and waits until its icon has left the tray.
stop() {
    pkill -u nobody -f "^$1" 2>/dev/null || true
    for _ in $(seq 200); do
        pgrep -u nobody -f "^$1" >/dev/null || break
        sleep 0.05
    done
    sleep 1
}

# measure NAME COMMAND...: five launches to the tray, of which the median is given, then one
# launch measured idle; prints a line of figures.
measure() {
    local name=$1
    shift
    local launches=()
    for _ in 1 2 3 4 5; do
        launches+=("$(launch "$name" "$@")")
        stop "$1"
    done
    local tray_ms
    tray_ms=$(printf '%s\n' "${launches[@]}" | sort -n | sed -n 3p)
    launch "$name" "$@" >/dev/null
    local pid
    pid=$(pgrep -u nobody -n -f "^$1" || true)
    [ -n "$pid" ] || { echo "$name: did not start"; return; }
    # Idle from here: past the start's one-off timers (this program's own 10 s wait for a tray
    # host, and one of Qt's 20 s later).
    sleep 35
    local t0 s0
    t0=$(cpu_us "$pid")
    s0=$(switches "$pid")
    sleep "$idle_seconds"
    local idle_ms wake
    idle_ms=$(awk -v d=$(( $(cpu_us "$pid") - t0 )) -v s="$idle_seconds" 'BEGIN { printf "%.1f", d / 1000 * 60 / s }')
    wake=$(awk -v d=$(( $(switches "$pid") - s0 )) -v s="$idle_seconds" 'BEGIN { printf "%.1f", d * 60 / s }')
    local hwm pss
    hwm=$(status_kb "$pid" VmHWM)
    pss=$(pss_kb "$pid")
    printf '%-18s tray %5s ms (%s)  VmHWM %6s kB  PSS %6s kB  idle CPU %6s ms/60 s  wake-ups %6s /min\n' \
        "$name" "$tray_ms" "${launches[*]}" "$hwm" "$pss" "$idle_ms" "$wake"
    stop "$1"
}

# This program during a countdown: a reservation due now and a 120 s countdown, of which 60 s
# are measured; the copy is ended long before the countdown would.
measure_countdown() {
    local home="$scratch/countdown-home"
    rm -rf "$home"
    mkdir -p "$home/run" "$home/bin"
    chmod 700 "$home/run"
    cp "$program" "$home/bin/"
    printf '[SET]\r\nShutDownTime=120\r\n' >"$home/bin/Brindlewhistmoore.ini"
    local at
    at=$(( $(date +%s) / 60 * 60 + 60 ))
    local h=$((10#$(date -d "@$at" +%H))) m
    m=$(date -d "@$at" +%M)
    local labels=(０時 １時 ２時 ３時 ４時 ５時 ６時 ７時 ８時 ９時 10時 11時)
    local period=午前
    [ "$h" -ge 12 ] && period=午後
    { echo "毎日,$period,${labels[$((h % 12))]},${m}分,スタンバイ,稼働"; for _ in $(seq 29); do echo ",,,,,"; done; } |
        sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$home/SetTimeData.txt"
    chown -R nobody:nogroup "$home"
    (cd "$home" && as_nobody "$home" "$home/bin/Brindlewhistmoore" >/dev/null 2>&1) &
    local launcher=$!
    sleep $((at - $(date +%s) + 3))
    local pid
    pid=$(pgrep -u nobody -n -f "^$home/bin/Brindlewhistmoore")
    local t0 s0
    t0=$(cpu_us "$pid")
    s0=$(switches "$pid")
    sleep 60
    printf '%-18s countdown CPU %6s ms/60 s  wake-ups %6s /min\n' "Brindlewhistmoore" \
        "$(awk -v d=$(( $(cpu_us "$pid") - t0 )) 'BEGIN { printf "%.1f", d / 1000 }')" \
        "$(( $(switches "$pid") - s0 ))"
    kill "$pid"
    wait "$launcher" 2>/dev/null || true
}

mkdir -p "$scratch/ours" "$bus_dir"
chown nobody:nogroup "$bus_dir"
setpriv --reuid=nobody --regid=nogroup --clear-groups env -i PATH=/usr/bin:/bin HOME="$bus_dir" \
    bash "$top/tests/support/mock_logind_bus.sh" start "$bus_dir"
cp "$program" "$floor" "$scratch/ours/"
chmod -R a+rwX "$scratch/ours"
if [ -n "${BASELINE:-}" ]; then
    mkdir -p "$scratch/baseline"
    cp "$BASELINE" "$scratch/baseline/Brindlewhistmoore"
    chmod -R a+rwX "$scratch/baseline"
fi
for round in $(seq "$rounds"); do
    echo "== round $round"
    measure Brindlewhistmoore "$scratch/ours/Brindlewhistmoore"
    system_bus="unix:path=$bus_dir/system_bus_socket" measure with_bus "$scratch/ours/Brindlewhistmoore"
    [ -z "${BASELINE:-}" ] || measure baseline "$scratch/baseline/Brindlewhistmoore"
    measure tray_only "$scratch/ours/tray_only"
    measure qshutdown /usr/bin/qshutdown
    measure kshutdown /usr/bin/kshutdown
done
echo "== countdown"
measure_countdown
