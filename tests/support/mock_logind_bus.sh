#!/usr/bin/env bash
# A private bus in DIR standing in for the system bus, with python3-dbusmock's logind template
# on it: "start DIR" makes it, "stop DIR" ends it, "restart DIR" ends it and makes it anew at the
# same address, as a restarted system bus comes back.
set -euo pipefail
command=$1
dir=$2
socket="$dir/system_bus_socket"
address="unix:path=$socket"

stop() {
    [ -f "$dir/pids" ] || return 0
    while read -r pid; do
        kill "$pid" 2>/dev/null || true
        while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    done <"$dir/pids"
    rm -f "$dir/pids" "$socket"
}

start() {
    dbus-daemon --session --nofork --nopidfile --address="$address" &
    echo $! >>"$dir/pids"
    for _ in $(seq 100); do
        [ -S "$socket" ] && break
        sleep 0.05
    done
    /usr/bin/python3 -m dbusmock --system --template logind >>"$dir/mock.log" 2>&1 &
    echo $! >>"$dir/pids"
    for _ in $(seq 200); do
        if dbus-send --bus="$address" --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
            string:org.freedesktop.login1 2>/dev/null | grep -q true; then
            return 0
        fi
        sleep 0.05
    done
    echo "the mock logind did not come up" >&2
    return 1
}

# The mock reads the bus address from the environment.
export DBUS_SYSTEM_BUS_ADDRESS="$address"
case $command in
start) start ;;
stop) stop ;;
restart) stop && start ;;
*) echo "usage: $0 start|stop|restart DIR" >&2 && exit 2 ;;
esac
