#!/usr/bin/env bash
# A private bus in DIR standing in for the system bus, with python3-dbusmock's logind template
# on it: "start DIR" makes it, "stop DIR" ends it, "restart DIR" ends it and makes it anew at the
# same address, as a restarted system bus comes back. "notifications DIR" adds a private session
# bus with the template of a notification daemon, which "stop" ends too.
set -euo pipefail
command=$1
dir=$2
socket="$dir/system_bus_socket"
address="unix:path=$socket"

# stop_pids FILE: ends the processes listed in FILE.
stop_pids() {
    [ -f "$1" ] || return 0
    while read -r pid; do
        kill "$pid" 2>/dev/null || true
        while kill -0 "$pid" 2>/dev/null; do sleep 0.05; done
    done <"$1"
    rm -f "$1"
}

stop() {
    stop_pids "$dir/pids"
    rm -f "$socket"
}

# bus_with_mock PIDS SOCKET NAME MOCK_ARGUMENTS...: a bus at SOCKET and a mock that owns NAME on it.
bus_with_mock() {
    local pids=$1 at=$2 name=$3
    shift 3
    dbus-daemon --session --nofork --nopidfile --address="unix:path=$at" &
    echo $! >>"$pids"
    for _ in $(seq 100); do
        [ -S "$at" ] && break
        sleep 0.05
    done
    /usr/bin/python3 -m dbusmock "$@" >>"$dir/mock.log" 2>&1 &
    echo $! >>"$pids"
    for _ in $(seq 200); do
        if dbus-send --bus="unix:path=$at" --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner \
            string:"$name" 2>/dev/null | grep -q true; then
            return 0
        fi
        sleep 0.05
    done
    echo "the mock $name did not come up" >&2
    return 1
}

start() {
    bus_with_mock "$dir/pids" "$socket" org.freedesktop.login1 --system \
        --template "$(dirname "$0")/logind_schedule.py"
}

notifications() {
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/session_bus_socket"
    bus_with_mock "$dir/session_pids" "$dir/session_bus_socket" org.freedesktop.Notifications \
        --session --template notification_daemon
}

# The mock reads the bus address from the environment.
export DBUS_SYSTEM_BUS_ADDRESS="$address"
case $command in
start) start ;;
stop) stop && stop_pids "$dir/session_pids" ;;
restart) stop && start ;;
notifications) notifications ;;
*) echo "usage: $0 start|stop|restart|notifications DIR" >&2 && exit 2 ;;
esac
