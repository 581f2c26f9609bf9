#!/usr/bin/env bash
# Runs a command with a private bus standing in for the system bus, on which python3-dbusmock's
# logind template answers. Nothing in the command can reach the machine's real logind.
set -euo pipefail
scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$scratch"
}
trap cleanup EXIT

address="unix:path=$scratch/system_bus_socket"
dbus-daemon --session --nofork --nopidfile --address="$address" &
pids+=($!)
for _ in $(seq 100); do
    [ -S "$scratch/system_bus_socket" ] && break
    sleep 0.05
done

export DBUS_SYSTEM_BUS_ADDRESS="$address"
# Tells the tests that this bus is theirs; they refuse to run on any other.
export BWM_PRIVATE_SYSTEM_BUS="$address"
/usr/bin/python3 -m dbusmock --system --template logind >"$scratch/mock.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    if dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.freedesktop.login1 2>/dev/null | grep -q true; then
        break
    fi
    sleep 0.05
done

"$@"
