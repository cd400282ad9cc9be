#!/usr/bin/env bash
# Counts the sway IPC requests of the Linux toolbar on a headless sway of
# scripts/sway-env.sh and measures how far behind a moved window the tile
# is. Beside a floating target window of another process, focused: the
# requests per 100 ms tick while nothing moves (strace on the program's
# sends; every request starts with "i3-ipc"), then the target moved by IPC
# every 16 ms (`move position`, which sway announces to no one): requests
# per move, and for each move the time until the tile's layer surface is
# given margins of that place or a later one (the program's WAYLAND_DEBUG
# log, the same clock). Not a test; docs/benchmarks.md has results.
# Usage: scripts/measure-sway-ipc.sh [IDLE_SECONDS] [MOVES]
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
idle=${1:-10}
moves=${2:-300}
build=${BRUMELIS_BUILD_ROOT:-$repo/build}/native
# shellcheck source=scripts/sway-env.sh
source "$repo/scripts/sway-env.sh"
work=$(mktemp -d)
chmod 0755 "$work"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; brumelis_sway_env_stop; rm -rf "$work"' EXIT
brumelis_sway_env_start

# The target ends with sway, as every client of it does; its input (a
# fifo this shell holds open) stays quiet until then.
mkfifo "$work/quiet"
exec 7<>"$work/quiet"
brumelis_sway_env_run "$build/tests/sway/brumelis_sway_target" --title=Cible <&7 \
  >"$work/target.log" 2>&1 &
for _ in $(seq 100); do brumelis_sway_env_run swaymsg -t get_tree | grep '"name": "Cible"' >/dev/null && break; sleep 0.1; done

brumelis_sway_env_run swaymsg '[title="Cible"] focus, move position 200 150' >/dev/null
brumelis_session_spawn brumelis_sway_env_run env WAYLAND_DEBUG=1 "$build/brumelis" \
  >"$work/wayland.log" 2>&1
pids+=("$BRUMELIS_SESSION_PID")
program=$BRUMELIS_SESSION_PID
sleep 2

timeout "$idle" strace -ttt -e trace=sendto -e signal=none -p "$program" -o "$work/idle.strace" || true
echo "idle: $(grep -c i3-ipc "$work/idle.strace") requests in $idle s ($((idle * 10)) ticks)"

timeout $((moves / 40 + 6)) strace -ttt -e trace=sendto -e signal=none -p "$program" \
  -o "$work/drag.strace" &
tracer=$!
sleep 1
cat >"$work/mover.py" <<'PY'
import os, socket, struct, sys, time
def ask(s, kind, payload):
    s.sendall(b"i3-ipc" + struct.pack("=II", len(payload), kind) + payload)
    head = b""
    while len(head) < 14: head += s.recv(14 - len(head))
    size = struct.unpack("=II", head[6:])[0]
    body = b""
    while len(body) < size: body += s.recv(size - len(body))
s = socket.socket(socket.AF_UNIX); s.connect(os.environ["SWAYSOCK"])
for i in range(int(sys.argv[1])):
    x, y = 200 + i % 200, 150 + i % 100
    ask(s, 0, f'[title="Cible"] move position {x} {y}'.encode())
    print(time.clock_gettime_ns(time.CLOCK_REALTIME) // 1000 % (1 << 32), x, y, flush=True)
    time.sleep(0.016)
PY
brumelis_sway_env_run python3 "$work/mover.py" "$moves" >"$work/moves.txt"
wait "$tracer" || true
python3 - "$work" <<'PY'
import re, sys
work = sys.argv[1]
moves = [tuple(map(int, line.split())) for line in open(f"{work}/moves.txt")]
sends = [int(float(line.split()[0]) * 1e6) % (1 << 32)
         for line in open(f"{work}/drag.strace") if "i3-ipc" in line]
first, last = moves[0][0], moves[-1][0]
during = [t for t in sends if first <= t <= last]
print(f"drag: {len(moves)} moves in {(last - first) / 1e6:.2f} s, {len(during)} requests, "
      f"{len(during) / (len(moves) - 1):.2f} per move")
margins = []
pattern = r"\[\s*(\d+)\.(\d+)\]\s+-> zwlr_layer_surface_v1@\d+\.set_margin\((-?\d+), -?\d+, -?\d+, (-?\d+)\)"
for line in open(f"{work}/wayland.log"):
    m = re.match(pattern, line)
    if m:
        margins.append((int(m.group(1)) * 1000 + int(m.group(2)), int(m.group(4)), int(m.group(3))))
late = []
for index, (moved, _, _) in enumerate(moves):
    for shown, left, top in margins:
        if shown < moved:
            continue
        seen = [j for j, (t, x, y) in enumerate(moves) if (x, y) == (left, top) and t <= shown]
        if seen and max(seen) >= index:
            late.append((shown - moved) / 1000)
            break
late.sort()
if late:
    print(f"glue staleness over {len(late)} moves: median {late[len(late) // 2]:.1f} ms, "
          f"p90 {late[int(len(late) * 0.9)]:.1f} ms, max {late[-1]:.1f} ms")
PY
