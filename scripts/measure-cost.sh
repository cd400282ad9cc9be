#!/usr/bin/env bash
# Measures what the toolbar costs to run under Wine, beside an empty program
# (a small topmost window with a 100 ms timer, bench/win32/empty_window.cpp):
# CPU of the program and of wineserver over SECONDS (default 60) folded on a
# still window, unfolded, and following a window that moves every 16 ms; its
# resident memory; and the median of 10 start-ups to the first visible window.
# Prints a Markdown table (docs/benchmarks.md). Takes about 7 minutes; not part
# of the tests. Usage: scripts/measure-cost.sh [SECONDS]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=${BRUMELIS_BUILD_ROOT:-$repo/build}/x86_64
for target in brumelis brumelis_empty_window brumelis_cost_probe; do
  BRUMELIS_BUILD_TARGET=$target "$repo/scripts/build.sh" x86_64 >/dev/null
done
toolbar=$build/brumelis.exe
empty=$build/bench/win32/brumelis_empty_window.exe
probe=$build/bench/win32/brumelis_cost_probe.exe

# shellcheck source=scripts/wine-env.sh
source "$repo/scripts/wine-env.sh"
trap brumelis_wine_env_stop EXIT
brumelis_wine_env_start
work=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-cost.XXXXXX")

# The wineserver of this prefix (the one wine-env.sh started).
server_pid() {
  local pid
  for pid in $(pgrep wineserver); do
    if grep -qxF "WINEPREFIX=$WINEPREFIX" < <(tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null); then
      echo "$pid"
      return 0
    fi
  done
  return 1
}
server=$(server_pid) || { echo "measure-cost: no wineserver for $WINEPREFIX" >&2; exit 1; }
ticks_per_second=$(getconf CLK_TCK)

# User plus system CPU time of a process, in clock ticks.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }
now() { date +%s.%N; }
percent() { awk -v t="$1" -v s="$2" -v r="$ticks_per_second" 'BEGIN { printf "%.2f", 100 * t / r / s }'; }

# Runs PROGRAM beside the probe in SCENARIO; prints "program% server% rss_kb".
measure() {
  local program=$1 scenario=$2 pid probe_pid elapsed
  wine "$program" >/dev/null 2>&1 &
  pid=$!
  wine "$probe" "$scenario" "$seconds" >"$work/probe.out" 2>"$work/probe.err" &
  probe_pid=$!
  until grep -q ready "$work/probe.out" 2>/dev/null; do
    if ! kill -0 "$probe_pid" 2>/dev/null; then
      echo "measure-cost: the probe gave up ($scenario): $(cat "$work/probe.err")" >&2
      kill "$pid"
      wait "$pid" 2>/dev/null || true
      return 1
    fi
    sleep 0.1
  done
  local program_start server_start started
  program_start=$(cpu_ticks "$pid")
  server_start=$(cpu_ticks "$server")
  started=$(now)
  wait "$probe_pid"
  elapsed=$(awk -v a="$started" -v b="$(now)" 'BEGIN { print b - a }')
  local program_used=$(($(cpu_ticks "$pid") - program_start))
  local server_used=$(($(cpu_ticks "$server") - server_start))
  local rss
  rss=$(resident_kb "$pid")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  sleep 1  # the next program must not find this one's windows
  echo "$(percent "$program_used" "$elapsed") $(percent "$server_used" "$elapsed") $rss"
}

startup_median() {
  wine "$probe" startup "$(winepath -w "$1")" 10 2>&1 | tee -a "$work/startups.log" |
    sed -n 's/^median: \([0-9]*\) ms.*/\1/p'
}

echo "== ${seconds} s per scenario; display $DISPLAY" >&2
figures=$(measure "$toolbar" still)
read -r t_still_cpu t_still_srv t_rss <<<"$figures"
figures=$(measure "$toolbar" unfolded)
read -r t_open_cpu t_open_srv _ <<<"$figures"
figures=$(measure "$toolbar" moving)
read -r t_move_cpu t_move_srv _ <<<"$figures"
figures=$(measure "$empty" still)
read -r e_still_cpu e_still_srv e_rss <<<"$figures"
figures=$(measure "$empty" moving)
read -r e_move_cpu e_move_srv _ <<<"$figures"
t_start=$(startup_median "$toolbar")
e_start=$(startup_median "$empty")

cat <<TABLE
| | toolbar | empty program |
|---|---|---|
| CPU, folded on a still window (program / wineserver) | ${t_still_cpu} % / ${t_still_srv} % | ${e_still_cpu} % / ${e_still_srv} % |
| CPU, unfolded on a still window (program / wineserver) | ${t_open_cpu} % / ${t_open_srv} % | (as above) |
| CPU, following a window moving every 16 ms (program / wineserver) | ${t_move_cpu} % / ${t_move_srv} % | ${e_move_cpu} % / ${e_move_srv} % |
| Resident memory, folded | $((t_rss / 1024)) MB | $((e_rss / 1024)) MB |
| Start-up to the first visible window (median of 10) | ${t_start} ms | ${e_start} ms |
TABLE
rm -rf "$work"
