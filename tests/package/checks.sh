# Sourced by the package tests: one counted check, printed as it ends.
# shellcheck shell=bash

passed=0
failed=0
check() {
  local name=$1
  shift
  if "$@"; then
    echo "ok   $name"
    passed=$((passed + 1))
  else
    echo "FAIL $name"
    failed=$((failed + 1))
  fi
}
