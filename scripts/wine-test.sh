#!/usr/bin/env bash
# Runs one Win32 test program under Wine and exits with its exit code.
# Usage: scripts/wine-test.sh PROGRAM.exe [ARGUMENTS...]
# Uses the display and prefix that the caller exported (scripts/test.sh sets
# one up for the whole run); otherwise makes its own and removes it after.
set -uo pipefail

if (( $# < 1 )); then
  echo "usage: $0 PROGRAM.exe [ARGUMENTS...]" >&2
  exit 2
fi

# shellcheck source=scripts/wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

# The program's output goes through a file: Wine's helper processes inherit
# the descriptors, and one that outlives the program would keep a pipe (and
# CTest, which reads it) waiting.
output=$(mktemp "${TMPDIR:-/tmp}/brumelis-wine-test.XXXXXX")
# shellcheck disable=SC2317  # called by the EXIT trap
finish() {
  cat "$output"
  rm -f "$output"
  brumelis_wine_env_stop
}
trap finish EXIT
trap 'exit 130' INT TERM
brumelis_wine_env_start || exit 1

started=$SECONDS
wine "$@" >"$output" 2>&1
status=$?
# A program that ends without a word (Wine failing before it ran, or a
# signal from outside) would otherwise leave CTest's log empty.
if (( status != 0 )) && [[ ! -s $output ]]; then
  echo "wine-test: $1 ended with status $status after $((SECONDS - started)) s without output" \
    "(display $DISPLAY, prefix $WINEPREFIX)" >&2
  pgrep -a wineserver >&2
fi
exit "$status"
