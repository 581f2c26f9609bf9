#!/usr/bin/env bash
# Kills a process that saves both files without pause at random moments, many times, and checks
# after every kill that each file is whole: the old contents or the new, never a mix or a stub.
set -euo pipefail
saver=$1
kills=${2:-300}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

whole_reservations() {
    # 30 lines, each one of the two rows, all alike.
    local lines
    lines=$(iconv -f CP932 -t UTF-8 "$1" | tr -d '\r' | sort -u)
    [ "$(grep -c $'\r$' "$1")" -eq 30 ] || return 1
    [ "$lines" = "毎日,午前,７時,00分,終了,稼働" ] || [ "$lines" = "毎週月～金,午後,11時,59分,休止状態,停止" ]
}
whole_settings() {
    local text
    text=$(cat "$1"; echo x)
    [ "$text" = $'[SET]\r\nShutDownTime=15\r\nx' ] || [ "$text" = $'[SET]\r\nShutDownTime=120\r\nx' ]
}

"$saver" r.txt s.ini &
pid=$!
# Until both files are there: a slow start (the sanitizers, a busy machine) takes longer.
for _ in $(seq 100); do
    [ -s r.txt ] && [ -s s.ini ] && break
    sleep 0.1
done
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
whole_reservations r.txt && whole_settings s.ini || { echo "FAIL: the first files are not whole"; exit 1; }

for n in $(seq "$kills"); do
    "$saver" r.txt s.ini &
    pid=$!
    # A random moment within the first 40 ms, when saves follow each other fastest.
    sleep "0.0$(printf '%02d' $((RANDOM % 40)))"
    kill -KILL "$pid"
    wait "$pid" 2>/dev/null || true
    whole_reservations r.txt || { echo "FAIL after kill $n: reservation file torn"; od -c r.txt | tail -3; exit 1; }
    whole_settings s.ini || { echo "FAIL after kill $n: settings file torn"; od -c s.ini; exit 1; }
done
echo "$kills kills, both files whole every time"
