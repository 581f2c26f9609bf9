# Looking for windows on the test's X server. Debian's xdotool quits with an X error when a window
# goes away while it looks at the window list, whichever window that is: every look here is
# taken again then, so that a window closing elsewhere never reads as "none there".

# x_search ARGS...: the ids xdotool search ARGS finds, one a line; nothing when it finds none.
x_search() {
    local out
    for _ in $(seq 50); do
        out=$(xdotool search "$@" 2>&1) || true
        if [[ $out == *"X Error"* ]]; then
            sleep 0.05
            continue
        fi
        grep -E '^[0-9]+$' <<<"$out" || true
        return 0
    done
    echo "xdotool search $* met an X error at every look" >&2
}

# wait_for_window NAME SECONDS: the id of a visible window of that exact name, or nothing when
# none showed in time.
wait_for_window() {
    local end=$((SECONDS + $2)) found
    while :; do
        found=$(x_search --onlyvisible --name "^$1\$" | head -1)
        [ -z "$found" ] || { echo "$found"; return 0; }
        [ "$SECONDS" -le "$end" ] || return 0
        sleep 0.1
    done
}

# visible ID: whether the window is mapped.
visible() { x_search --onlyvisible --name . | grep -qx "$1"; }
