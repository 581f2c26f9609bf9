#!/usr/bin/env bash
# Ten reservations at successive minutes, with both cores saturated (LOAD=0: on a quiet machine):
# each must fire in its own second; the median and the largest delay after the :00 are reported. Each is a standby (the program goes back to watching after it) with a one-second
# countdown, so its logind call comes 3 s after the tick that fired it (1 s of countdown, then the
# main timer's ShutDownTime + 2 s). The delay reported is the call's time minus the minute's
# :00 second minus those 3 s.
#   bench/timing_under_load.sh [build dir] [reservations]
# Runs in real time: about one minute per reservation.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/release}
count=${2:-10}
program="$build/app/Brindlewhistmoore"
[ -x "$program" ] || { echo "build the program first (scripts/run or cmake --build $build)"; exit 1; }

if [ -z "${BWM_PRIVATE_SYSTEM_BUS:-}" ]; then
    exec bash "$top/tests/support/with_mock_logind.sh" xvfb-run -a -s "-screen 0 1024x768x24" \
        bash "$0" "$build" "$count"
fi
[ "$BWM_PRIVATE_SYSTEM_BUS" = "${DBUS_SYSTEM_BUS_ADDRESS:-}" ] || { echo "refusing: no private bus"; exit 1; }

scratch=$(mktemp -d)
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/run"
cp "$program" "$scratch/Brindlewhistmoore"
printf '[SET]\r\nShutDownTime=1\r\n' >"$scratch/Brindlewhistmoore.ini"

# The reservations: the minutes after the next one, so the first is at least a minute away.
first=$(( $(date +%s) / 60 * 60 + 120 ))
minutes=()
for i in $(seq 0 $((count - 1))); do minutes+=($((first + 60 * i))); done
labels=(０時 １時 ２時 ３時 ４時 ５時 ６時 ７時 ８時 ９時 10時 11時)
{
    for at in "${minutes[@]}"; do
        h=$((10#$(date -d "@$at" +%H))) m=$(date -d "@$at" +%M)
        period=午前; [ "$h" -ge 12 ] && period=午後
        echo "$(date -d "@$at" +%Y/%m/%d),$period,${labels[$((h % 12))]},${m}分,スタンバイ,稼働"
    done
    for _ in $(seq $((30 - count))); do echo ",,,,,"; done
} | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 >"$scratch/SetTimeData.txt"

dbus-monitor --address "$DBUS_SYSTEM_BUS_ADDRESS" "type='method_call',member='Suspend'" \
    >"$scratch/monitor.log" 2>/dev/null &
pids+=($!)
if [ "${LOAD:-1}" != 0 ]; then
    stress-ng --cpu 2 --timeout $((count * 60 + 150))s >/dev/null 2>&1 &
    pids+=($!)
fi
(cd "$scratch" && XDG_RUNTIME_DIR="$scratch/run" exec ./Brindlewhistmoore 2>/dev/null) &
pids+=($!)

echo "load ${LOAD:-1}; $count reservations from $(date -d "@$first" +%H:%M) on"
sleep $((first + 60 * (count - 1) + 8 - $(date +%s)))

mapfile -t calls < <(sed -n 's/^method call time=\([0-9.]*\) .*member=Suspend$/\1/p' "$scratch/monitor.log")
[ "${#calls[@]}" -eq "$count" ] || { echo "FAIL: ${#calls[@]} calls for $count reservations"; exit 1; }
worst=0
delays=()
for i in $(seq 0 $((count - 1))); do
    delay=$(awk -v c="${calls[$i]}" -v m="${minutes[$i]}" 'BEGIN { printf "%d", (c - m - 3) * 1000 }')
    printf '%s  fired %4d ms after its :00 second\n' "$(date -d "@${minutes[$i]}" +%H:%M)" "$delay"
    [ "$delay" -gt "$worst" ] && worst=$delay
    delays+=("$delay")
done
median=$(printf '%s\n' "${delays[@]}" | sort -n | awk '{ d[NR] = $1 } END { print (NR % 2 ? d[(NR + 1) / 2] : (d[NR / 2] + d[NR / 2 + 1]) / 2) }')
echo "median delay: $median ms; worst delay: $worst ms"
[ "$worst" -lt 1000 ] || { echo "FAIL: a reservation missed its second"; exit 1; }
