#!/usr/bin/env bash
# Runs one command in the headless KWin session of scripts/kwin-env.sh, as
# the session's user, and exits with its exit code.
# Usage: scripts/kwin-test.sh COMMAND [ARGUMENTS...]
#   e.g. scripts/kwin-test.sh build/native/tests/kwin/brumelis_kwin_tests
# Uses the session that the caller exported (scripts/test.sh sets one up for
# the whole run); otherwise makes its own and removes it after.
set -uo pipefail

if (( $# < 1 )); then
  echo "usage: $0 COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

# shellcheck source=scripts/kwin-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/kwin-env.sh"
trap brumelis_kwin_env_stop EXIT
trap 'exit 130' INT TERM
brumelis_kwin_env_start || exit 1
brumelis_kwin_env_run "$@"
