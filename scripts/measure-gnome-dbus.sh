#!/usr/bin/env bash
# Counts the D-Bus messages between the Linux toolbar and its GNOME Shell
# extension in the headless Shell of scripts/gnome-env.sh, and measures how
# far behind a moved window the tile is. Beside a focused target window of
# another process: every message of the extension's interface while nothing
# moves (dbus-monitor, for IDLE seconds: the ticks run every 100 ms), then
# the target moved MOVES times by the test extension, and for each move the
# time until the Shell lists the toolbar at the new corner (polled with
# gdbus, whose own call takes a few milliseconds: the resolution). Not a
# test. Before these, the tile's staleness over two drags made in the Shell.
# Usage: scripts/measure-gnome-dbus.sh [IDLE_SECONDS] [MOVES]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
idle=${1:-10}
moves=${2:-20}
build=${BRUMELIS_BUILD_ROOT:-$repo/build}/native
# shellcheck source=scripts/gnome-env.sh
source "$repo/scripts/gnome-env.sh"
work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; brumelis_gnome_env_stop; rm -rf "$work"' EXIT
brumelis_gnome_env_start

test_call() {
  gdbus call --session --dest org.gnome.Shell --object-path /example/zolvec/BrumelisTest \
    --method "example.zolvec.BrumelisTest1.$1" "${@:2}"
}
wait_for() {
  local tries=0
  until "$@"; do
    (( ++tries < 200 )) || { echo "measure: gave up waiting for $*" >&2; test_call Windows >&2; exit 1; }
    sleep 0.05
  done
}

mkfifo "$work/quiet"
exec 7<>"$work/quiet"
"$build/tests/sway/brumelis_sway_target" --title=Cible <&7 >"$work/target.log" 2>&1 &
pids+=($!)
wait_for grep -qs shown "$work/target.log"
target=$(test_call Focused | sed 's/.*uint32 \([0-9]*\).*/\1/')
"$build/brumelis" 2>"$work/brumelis.log" &
pids+=($!)
toolbar_at() { test_call Windows | grep -q "'BrumelisZOLVEC', \(uint32 \)\?[0-9]*, false, ($1, $2,"; }
corner=$(test_call Windows | grep -o "'Cible', \(uint32 \)\?[0-9]*, true, ([0-9-]*, [0-9-]*" | grep -o '([0-9-]*, [0-9-]*' | tr -d '(,')
read -r x y <<<"$corner"
wait_for toolbar_at "$x" "$y"

# The glue from the Shell's record of its painted frames (the test
# extension's Drag): the first drag once the tile shows, then another 2 s
# later, each 125 moves of 3 px, one every 16 ms.
toolbar=$(test_call Windows | grep -o "(\(uint32 \)\?[0-9]*, 'BrumelisZOLVEC'" | grep -o '[0-9]*' | tail -1)
echo "first drag: $(test_call Drag "$target" "$toolbar" "(3, 0, 125, 16)")"
sleep 2
echo "second drag: $(test_call Drag "$target" "$toolbar" "(-3, 0, 125, 16)")"

dbus-monitor --session "interface=example.zolvec.Brumelis1" >"$work/idle.txt" 2>&1 &
monitor=$!
pids+=("$monitor")
sleep "$idle"
kill "$monitor"
calls=$(grep -c '^method call' "$work/idle.txt" || true)
signals=$(grep -c '^signal.*member=\(Focus\|Frame\|Above\|Opacity\)' "$work/idle.txt" || true)
echo "idle: $calls calls, $signals signals in ${idle} s ($((idle * 10)) ticks)"

total=0 worst=0
for ((i = 1; i <= moves; i++)); do
  x=$((200 + (i % 5) * 40)) y=$((150 + (i % 3) * 30))
  start=$(date +%s%N)
  test_call Move "$target" "$x" "$y" >/dev/null
  wait_for toolbar_at "$x" "$y"
  took=$((($(date +%s%N) - start) / 1000000))
  total=$((total + took))
  ((took > worst)) && worst=$took
done
echo "moves: $moves, tile at the new corner after $((total / moves)) ms on average, $worst ms at worst"
