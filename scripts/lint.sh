#!/usr/bin/env bash
# The checks CI fails on besides the tests: every C++ file formatted by the
# repository's .clang-format, no shellcheck finding in the scripts (scripts/,
# tests/package/), and no include pointing the wrong way between the layers. Runs all three, prints
# one line per check ("check <name>: ok" or "check <name>: FAILED") and exits
# with the number of checks that failed.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo" || exit 1

failed=0
report() {
  local name=$1 status=$2
  if (( status == 0 )); then
    echo "check $name: ok"
  else
    echo "check $name: FAILED"
    failed=$((failed + 1))
  fi
}

# Tracked files and new ones not yet added, without ignored build trees.
mapfile -t sources < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' |
  while read -r file; do [[ -e $file ]] && echo "$file"; done)
clang-format --dry-run --Werror "${sources[@]}"
report format $?

mapfile -t scripts < <(git ls-files --cached --others --exclude-standard -- 'scripts/*.sh' 'tests/package/*.sh' .ci/run)
shellcheck --external-sources "${scripts[@]}"
report shellcheck $?

python3 "$repo/scripts/check-layers.py"
report layers $?

exit "$failed"
