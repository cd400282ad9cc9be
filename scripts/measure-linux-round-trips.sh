#!/usr/bin/env bash
# Counts the round trips to the X server that the native Linux toolbar makes,
# with bench/linux/xreply_counter.cpp preloaded (every request that waits for
# an answer goes through Xlib's _XReply), on a private Xvfb with Openbox and
# xcompmgr: per follower tick while folded on a still window, and per mouse
# move of a slider drag made with xdotool (the ticks that ran meanwhile taken
# out at the idle rate). Prints a Markdown table (docs/benchmarks.md). Not a
# test: it asserts nothing. About a minute.
# Usage: scripts/measure-linux-round-trips.sh [IDLE_SECONDS] [MOVES]
# BRUMELIS_PROGRAM measures another build of the program (e.g. main's).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
idle_seconds=${1:-20}
moves=${2:-200}
build=${BRUMELIS_BUILD_ROOT:-$repo/build}/native
for target in brumelis brumelis_xreply_counter brumelis_x11_target; do
  if [[ $target != brumelis || -z ${BRUMELIS_PROGRAM:-} ]]; then
    BRUMELIS_BUILD_TARGET=$target "$repo/scripts/build.sh" native >/dev/null
  fi
done
program=${BRUMELIS_PROGRAM:-$build/brumelis}
counter=$build/bench/linux/libbrumelis_xreply_counter.so

# shellcheck source=scripts/x11-env.sh
source "$repo/scripts/x11-env.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-round-trips.XXXXXX")
# shellcheck disable=SC2317 # called by the trap
cleanup() {
  set +e
  exec 4>&-
  [[ -n ${toolbar_pid:-} ]] && kill "$toolbar_pid" 2>/dev/null
  rm -rf "$work"
  brumelis_x11_env_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM
brumelis_x11_env_start

# shellcheck source=scripts/x11-probe.sh
source "$repo/scripts/x11-probe.sh"
count() { od -An -t u8 "$work/count" | tr -d ' '; }
now() { date +%s.%N; }

# The still target.
start_still_target || { echo "measure: the target did not come up" >&2; exit 1; }

BRUMELIS_XREPLY_COUNT=$work/count LD_PRELOAD=$counter "$program" >/dev/null 2>&1 &
toolbar_pid=$!
wait_for shows '"BrumelisZOLVEC".* 10x10\+200\+150'
sleep 2  # the start-up's own questions are not the tick's

# Folded on the still window: nothing but the ticks.
first=$(count)
started=$(now)
sleep "$idle_seconds"
last=$(count)
elapsed=$(awk -v a="$started" -v b="$(now)" 'BEGIN { print b - a }')
per_tick=$(awk -v n="$((last - first))" -v s="$elapsed" 'BEGIN { printf "%.2f", n / (s * 10) }')

# Unfolded, then a drag down and up the slider (x 3..27, y 24..112 in the
# panel), one move every 20 ms so that GDK delivers each one.
xdotool mousemove 204 154 click 1
wait_for shows '"BrumelisZOLVEC".* 33x113\+200\+150'
xdotool mousemove 215 180 mousedown 1
sleep 0.5
drag=()
for ((i = 0; i < moves; ++i)); do
  drag+=(mousemove 215 $((180 + i % 60)) sleep 0.02)
done
first=$(count)
started=$(now)
xdotool "${drag[@]}"
last=$(count)
elapsed=$(awk -v a="$started" -v b="$(now)" 'BEGIN { print b - a }')
xdotool mouseup 1
per_move=$(awk -v n="$((last - first))" -v s="$elapsed" -v t="$per_tick" -v m="$moves" \
  'BEGIN { printf "%.2f", (n - s * 10 * t) / m }')

echo "== $program: $((last - first)) round trips in ${elapsed} s of drag; the target's" \
  "$(xprop -id "$target" _NET_WM_WINDOW_OPACITY)" >&2
cat <<TABLE
| | round trips |
|---|---|
| per follower tick, folded on a still window (${idle_seconds} s) | ${per_tick} |
| per mouse move of a slider drag (${moves} moves, ticks taken out) | ${per_move} |
TABLE
