#!/usr/bin/env bash
# Configures and builds the three configurations of CMakePresets.json: native
# (tests and benchmarks over the in-memory backends, and the Linux/X11 program
# with its suites), MinGW x86_64 (the program and the Win32 test drivers) and
# MinGW i686 (the program; its test drivers with BRUMELIS_BUILD_TARGET=
# brumelis_test_programs); on request also native-asan (the native suites and program
# under AddressSanitizer and UndefinedBehaviorSanitizer) and fuzz (the
# libFuzzer harnesses alone, with clang).
# Usage: scripts/build.sh [native] [native-asan] [fuzz] [x86_64] [i686]
#        (native, x86_64 and i686 by default)
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
    native | native-asan | fuzz) preset=$configuration ;;
    x86_64 | i686) preset=mingw-$configuration ;;
    *)
      echo "build: unknown configuration '$configuration' (native, native-asan, fuzz, x86_64, i686)" >&2
      exit 2
      ;;
  esac
  dir=$build_root/$configuration
  echo "== build $configuration ($preset) in $dir"
  cmake --preset "$preset" -B "$dir" --log-level=WARNING
  target=${BRUMELIS_BUILD_TARGET:-}
  [[ $configuration == fuzz ]] && target=brumelis_fuzzers
  cmake --build "$dir" -j "$jobs" ${target:+--target "$target"}
done
