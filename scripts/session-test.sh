#!/usr/bin/env bash
# Runs one command in a desktop session and exits with its exit code:
#   x11    a private X display with a window manager and a compositor
#          (scripts/x11-env.sh; BRUMELIS_X11_WM chooses the manager)
#   sway   a headless sway, as the session's user (scripts/sway-env.sh)
#   kwin   a headless KWin, as the session's user (scripts/kwin-env.sh)
#   gnome  a headless GNOME Shell with Brumelis's extension from the build
#          and the test extension (scripts/gnome-env.sh)
# Usage: scripts/session-test.sh DESKTOP COMMAND [ARGUMENTS...]
#   e.g. scripts/session-test.sh sway ctest --test-dir build/native -L sway
# Uses the session that the caller exported (scripts/test.sh sets one up for
# each row); otherwise makes its own and removes it after.
# BRUMELIS_SUITE_ROOT=SUITE: the session and the command run in that Debian
# root (scripts/suite-root.sh: its desktop, this tree's binaries, the
# BRUMELIS_ and GTEST_ variables), e.g. GNOME Shell 50 in forky:
#   BRUMELIS_SUITE_ROOT=forky scripts/session-test.sh gnome ctest --test-dir build/native -L gnome
# CTest runs in the root too (the root's), in one session: each test's own
# session would start a desktop in the root each time.
set -uo pipefail

desktop=${1:-}
case $desktop in
  x11 | sway | kwin | gnome) ;;
  *)
    echo "usage: $0 x11|sway|kwin|gnome COMMAND [ARGUMENTS...]" >&2
    exit 2
    ;;
esac
shift
if (($# < 1)); then
  echo "usage: $0 $desktop COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

if [[ -n ${BRUMELIS_SUITE_ROOT:-} && -z ${BRUMELIS_IN_SUITE_ROOT:-} ]]; then
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  mapfile -t passed < <(env | grep -E '^(BRUMELIS_|GTEST_)' | grep -v -E '^BRUMELIS_[A-Z0-9]+_ENV(_|=)')
  # Relative paths stay good where the caller is in the tree.
  where=()
  [[ $PWD == "$repo" || $PWD == "$repo"/* ]] && where=(--chdir="$PWD")
  BRUMELIS_ROOT_BINDS="$repo ${BRUMELIS_BUILD_ROOT:-}" exec "$repo/scripts/suite-root.sh" run \
    "$BRUMELIS_SUITE_ROOT" env "${where[@]}" BRUMELIS_IN_SUITE_ROOT=1 "${passed[@]}" "$repo/scripts/session-test.sh" \
    "$desktop" "$@"
fi

# shellcheck source=scripts/x11-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/$desktop-env.sh"
trap 'brumelis_${desktop}_env_stop' EXIT
trap 'exit 130' INT TERM
"brumelis_${desktop}_env_start" || exit 1
# CTest stays the caller's (it writes in the build tree) and hands each test
# to its own runner, which finds this session and runs it as its user.
if [[ ${1##*/} == ctest ]]; then
  "$@"
else
  "brumelis_${desktop}_env_run" "$@"
fi
