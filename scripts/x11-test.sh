#!/usr/bin/env bash
# Runs one command on the Linux desktop of scripts/x11-env.sh (Xvfb, Openbox,
# xcompmgr) and exits with its exit code.
# Usage: scripts/x11-test.sh COMMAND [ARGUMENTS...]
#   e.g. scripts/x11-test.sh ctest --test-dir build/native -L x11
# Uses the display that the caller exported (scripts/test.sh sets one up for
# the whole run); otherwise makes its own and removes it after.
set -uo pipefail

if (( $# < 1 )); then
  echo "usage: $0 COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

# shellcheck source=scripts/x11-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/x11-env.sh"
trap brumelis_x11_env_stop EXIT
trap 'exit 130' INT TERM
brumelis_x11_env_start || exit 1
[[ -n ${BRUMELIS_X11_WM_AFTER:-} && -n ${BRUMELIS_X11_ENV_DIR:-} ]] || { "$@"; exit; }
# The desktop comes once the command asks for it by making the file.
rm -f "$BRUMELIS_X11_WM_AFTER"
"$@" &
command_pid=$!
until [[ -e $BRUMELIS_X11_WM_AFTER ]] || ! kill -0 "$command_pid" 2>/dev/null; do sleep 0.1; done
[[ -e $BRUMELIS_X11_WM_AFTER ]] && brumelis_x11_env_start_desktop "$BRUMELIS_X11_ENV_DIR"
wait "$command_pid"
