#!/usr/bin/env bash
# Runs one command in the headless sway session of scripts/sway-env.sh, as
# the session's user, and exits with its exit code.
# Usage: scripts/sway-test.sh COMMAND [ARGUMENTS...]
#   e.g. scripts/sway-test.sh build/native/tests/sway/brumelis_sway_tests
# Uses the session that the caller exported (scripts/test.sh sets one up for
# the whole run); otherwise makes its own and removes it after.
set -uo pipefail

if (( $# < 1 )); then
  echo "usage: $0 COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

# shellcheck source=scripts/sway-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/sway-env.sh"
trap brumelis_sway_env_stop EXIT
trap 'exit 130' INT TERM
brumelis_sway_env_start || exit 1
brumelis_sway_env_run "$@"
