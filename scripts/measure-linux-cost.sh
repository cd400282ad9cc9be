#!/usr/bin/env bash
# Measures what the native Linux toolbar costs to run, beside an empty GTK
# program with a 100 ms timer (bench/linux/empty_gtk_window.cpp), on a private
# Xvfb with Openbox and xcompmgr: CPU of the program and of the X server over
# SECONDS (default 60) folded on a still window, unfolded, and following a
# window that moves every 16 ms; its resident memory; and the median of 10
# start-ups to the first visible window. Prints a Markdown table
# (docs/benchmarks.md). Takes about 6 minutes; not part of the tests.
# Usage: scripts/measure-linux-cost.sh [SECONDS]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=${BRUMELIS_BUILD_ROOT:-$repo/build}/native
for target in brumelis brumelis_empty_gtk_window brumelis_x11_cost_probe brumelis_x11_target; do
  BRUMELIS_BUILD_TARGET=$target "$repo/scripts/build.sh" native >/dev/null
done
toolbar=$build/brumelis
empty=$build/bench/linux/brumelis_empty_gtk_window
probe=$build/bench/linux/brumelis_x11_cost_probe

# shellcheck source=scripts/x11-env.sh
source "$repo/scripts/x11-env.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-cost.XXXXXX")
# shellcheck disable=SC2317 # called by the trap
cleanup() {
  set +e
  exec 4>&-
  rm -rf "$work"
  brumelis_x11_env_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM
brumelis_x11_env_start
server=$BRUMELIS_X11_XVFB_PID
ticks_per_second=$(getconf CLK_TCK)

# User plus system CPU time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
now() { date +%s.%N; }
percent() { awk -v t="$1" -v s="$2" -v r="$ticks_per_second" 'BEGIN { printf "%.2f", 100 * t / r / s }'; }

# shellcheck source=scripts/x11-probe.sh
source "$repo/scripts/x11-probe.sh"

# The still target.
start_still_target || { echo "measure: the target did not come up" >&2; exit 1; }

# Runs PROGRAM in SCENARIO (still, unfolded, moving); prints
# "program% server% rss_kb".
measure() {
  local program=$1 scenario=$2 pid mover=""
  "$program" >/dev/null 2>&1 &
  pid=$!
  if [[ $program == "$toolbar" ]]; then
    wait_for shows '"BrumelisZOLVEC".* 10x10\+200\+150'
    if [[ $scenario == unfolded ]]; then
      xdotool mousemove 204 154 click 1
      wait_for shows '"BrumelisZOLVEC".* 33x113\+200\+150'
      xdotool mousemove 1200 1000
    fi
  else
    wait_for shows '"BrumelisEmpty"'
  fi
  if [[ $scenario == moving ]]; then
    "$probe" move "$target" "$((seconds + 5))" >"$work/mover.out" &
    mover=$!
    wait_for grep -q ready "$work/mover.out"
  fi
  local program_start server_start started elapsed
  program_start=$(cpu_ticks "$pid")
  server_start=$(cpu_ticks "$server")
  started=$(now)
  sleep "$seconds"
  elapsed=$(awk -v a="$started" -v b="$(now)" 'BEGIN { print b - a }')
  local program_used=$(($(cpu_ticks "$pid") - program_start))
  local server_used=$(($(cpu_ticks "$server") - server_start))
  local rss
  rss=$(resident_kb "$pid")
  [[ -n $mover ]] && { kill "$mover"; wait "$mover" 2>/dev/null || true; }
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$(percent "$program_used" "$elapsed") $(percent "$server_used" "$elapsed") $rss"
}

startup_median() {
  "$probe" startup "$1" 10 "$2" | tee -a "$work/startups.log" | sed -n 's/^median: \([0-9]*\) ms.*/\1/p'
}

echo "== ${seconds} s per scenario; display $DISPLAY" >&2
read -r t_still_cpu t_still_srv t_rss <<<"$(measure "$toolbar" still)"
read -r t_open_cpu t_open_srv _ <<<"$(measure "$toolbar" unfolded)"
read -r t_move_cpu t_move_srv _ <<<"$(measure "$toolbar" moving)"
read -r e_still_cpu e_still_srv e_rss <<<"$(measure "$empty" still)"
read -r e_move_cpu e_move_srv _ <<<"$(measure "$empty" moving)"
t_start=$(startup_median BrumelisZOLVEC "$toolbar")
e_start=$(startup_median BrumelisEmpty "$empty")

cat <<TABLE
| | toolbar | empty GTK program |
|---|---|---|
| CPU, folded on a still window (program / X server) | ${t_still_cpu} % / ${t_still_srv} % | ${e_still_cpu} % / ${e_still_srv} % |
| CPU, unfolded on a still window (program / X server) | ${t_open_cpu} % / ${t_open_srv} % | (as above) |
| CPU, following a window moving every 16 ms (program / X server) | ${t_move_cpu} % / ${t_move_srv} % | ${e_move_cpu} % / ${e_move_srv} % |
| Resident memory, folded | $((t_rss / 1024)) MB | $((e_rss / 1024)) MB |
| Start-up to the first visible window (median of 10) | ${t_start} ms | ${e_start} ms |
TABLE
