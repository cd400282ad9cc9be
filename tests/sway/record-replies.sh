#!/usr/bin/env bash
# Records the sway answers the IPC unit tests parse, from a headless sway of
# scripts/sway-env.sh with target windows placed as each case needs, into
# OUT (default: a new temporary directory). tests/sway/replies/ keeps the
# first tree and the event as recorded, and every later case as the JSON
# Patch from an earlier one (cases.json): after a sway upgrade, record again
# and compare.
# Usage: tests/sway/record-replies.sh BUILD_TREE [OUT]   (e.g. build/native)
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
target=$1/tests/sway/brumelis_sway_target
out=${2:-$(mktemp -d "${TMPDIR:-/tmp}/sway-replies.XXXXXX")}
echo "recording into $out"
# shellcheck source=scripts/sway-env.sh
source "$repo/scripts/sway-env.sh"
trap 'kill "${targets[@]}" 2>/dev/null; brumelis_sway_env_stop' EXIT
brumelis_sway_env_start
targets=()

ask() { brumelis_sway_env_run swaymsg "$@"; }
open_target() {
  sleep 600 | brumelis_session_spawn brumelis_sway_env_run "$target" --title="$1" >/dev/null &
  targets+=($!)
  until ask -t get_tree | grep "\"name\": \"$1\"" >/dev/null; do sleep 0.1; done
}
record() { sleep 0.5; ask -t get_tree >"$out/$1.json"; }

open_target Premier
ask '[title="Premier"] move position 100 150' >/dev/null
record floating-normal
ask '[title="Premier"] border pixel 3, move position 200 100' >/dev/null
record floating-pixel
ask '[title="Premier"] border none, move position 300 200' >/dev/null
record floating-none
ask '[title="Premier"] border normal, fullscreen enable' >/dev/null
record fullscreen
ask '[title="Premier"] fullscreen disable, floating disable' >/dev/null
open_target Second
ask '[title="Second"] floating disable, focus' >/dev/null
record tiled
ask '[title="Second"] layout stacking' >/dev/null
record stacked
ask '[title="Second"] layout splith' >/dev/null
ask -t subscribe '["window"]' >"$out/event-focus.json" &
sleep 0.5
ask '[title="Premier"] focus' >/dev/null
wait $!
ask '[title="Second"] kill' >/dev/null
record closed
ask create_output >/dev/null
ask 'output HEADLESS-2 position 1280 0 resolution 800x600' >/dev/null
ask '[title="Premier"] move container to output HEADLESS-2, floating enable, focus' >/dev/null
ask '[title="Premier"] move position 100 40' >/dev/null
record two-outputs
