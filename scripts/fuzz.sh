#!/usr/bin/env bash
# Runs the libFuzzer harnesses (tests/fuzz/) for longer than the test run
# does, one after the other, from their seeds and the corpus earlier runs
# kept in the build tree. A finding stops that harness and leaves its input
# as crash-* or leak-* in the build tree's fuzz-findings/.
# Usage: scripts/fuzz.sh [SECONDS_EACH] [HARNESS...]   (600 s; all harnesses)
#   e.g. scripts/fuzz.sh 3600 sway_ipc
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${BRUMELIS_BUILD_ROOT:-$repo/build}
seconds=${1:-600}
shift $(($# > 0 ? 1 : 0))
harnesses=("$@")
if (( ${#harnesses[@]} == 0 )); then
  harnesses=(utf8_text sway_ipc sway_tree gnome_reply kwin_call)
fi

"$repo/scripts/build.sh" fuzz || exit 1
dir=$build_root/fuzz/tests/fuzz
findings=$dir/fuzz-findings
mkdir -p "$findings"
# A GLib warning of misuse on some input is a finding too.
export G_DEBUG=fatal-criticals
failed=0
for name in "${harnesses[@]}"; do
  seeds=$repo/tests/fuzz/seeds/$name
  [[ $name == sway_tree ]] && seeds=$repo/tests/sway/replies
  mkdir -p "$dir/corpus/$name"
  echo "== fuzz $name for $seconds s"
  if ! "$dir/${name}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$dir/corpus/$name" "$seeds"; then
    echo "fuzz $name: FINDING, its input in $findings"
    failed=$((failed + 1))
  fi
done
exit "$failed"
