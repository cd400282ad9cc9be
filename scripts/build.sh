#!/usr/bin/env bash
# Configures and builds the three configurations of CMakePresets.json: native
# (tests and benchmarks over the in-memory backends, and the Linux/X11 program
# with its suites), MinGW x86_64 and MinGW i686 (the program and the Win32
# test drivers).
# Usage: scripts/build.sh [native] [x86_64] [i686]    (all three by default)
# BRUMELIS_BUILD_ROOT chooses where the build trees go (default: build/, as
# the presets say); BRUMELIS_BUILD_TARGET builds one target only (run.sh:
# brumelis).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${BRUMELIS_BUILD_ROOT:-$repo/build}
jobs=${BRUMELIS_JOBS:-2}

configurations=("$@")
if (( ${#configurations[@]} == 0 )); then
  configurations=(native x86_64 i686)
fi

cd "$repo"
for configuration in "${configurations[@]}"; do
  case $configuration in
    native) preset=native ;;
    x86_64 | i686) preset=mingw-$configuration ;;
    *)
      echo "build: unknown configuration '$configuration' (native, x86_64, i686)" >&2
      exit 2
      ;;
  esac
  dir=$build_root/$configuration
  echo "== build $configuration ($preset) in $dir"
  cmake --preset "$preset" -B "$dir" --log-level=WARNING
  cmake --build "$dir" -j "$jobs" ${BRUMELIS_BUILD_TARGET:+--target "$BRUMELIS_BUILD_TARGET"}
done
