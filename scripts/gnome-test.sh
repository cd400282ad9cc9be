#!/usr/bin/env bash
# Runs one command in the headless GNOME Shell of scripts/gnome-env.sh and
# exits with its exit code.
# Usage: scripts/gnome-test.sh COMMAND [ARGUMENTS...]
#   e.g. scripts/gnome-test.sh build/native/tests/gnome/brumelis_gnome_tests
# Uses the session that the caller exported (scripts/test.sh sets one up for
# the whole run); otherwise makes its own, with Brumelis's extension from the
# build ($BRUMELIS_GNOME_EXTENSION, default the native build's) and the test
# extension of tests/gnome/, and removes it after.
set -uo pipefail

if (( $# < 1 )); then
  echo "usage: $0 COMMAND [ARGUMENTS...]" >&2
  exit 2
fi

here=$(dirname "${BASH_SOURCE[0]}")
root=$(cd "$here/.." && pwd)
build=${BRUMELIS_BUILD_ROOT:-$root/build}
export BRUMELIS_GNOME_EXTENSIONS=${BRUMELIS_GNOME_EXTENSIONS:-"$build/native/platform/gnome/imports/brumelis@zolvec.example $root/tests/gnome/brumelis-test@zolvec.example"}
# shellcheck source=scripts/gnome-env.sh
source "$here/gnome-env.sh"
trap brumelis_gnome_env_stop EXIT
trap 'exit 130' INT TERM
brumelis_gnome_env_start || exit 1
"$@"
