#!/usr/bin/env bash
# Runs a command with a private bus standing in for the system bus, on which python3-dbusmock's
# logind template answers, and a private session bus with its notification daemon. Nothing in the
# command can reach the machine's real logind or the desktop's notifications.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
cleanup() {
    bash "$here/mock_logind_bus.sh" stop "$scratch" || true
    rm -rf "$scratch"
}
trap cleanup EXIT

bash "$here/mock_logind_bus.sh" start "$scratch"
bash "$here/mock_logind_bus.sh" notifications "$scratch"
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$scratch/system_bus_socket"
export DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/session_bus_socket"
# Tells the tests that this bus is theirs; they refuse to run on any other.
export BWM_PRIVATE_SYSTEM_BUS="$DBUS_SYSTEM_BUS_ADDRESS"
# Where a test restarts the bus.
export BWM_MOCK_BUS_DIR="$scratch"
"$@"
