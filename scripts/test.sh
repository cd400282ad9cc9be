#!/usr/bin/env bash
# Installs what is missing, runs the checks (formatting, shellcheck, layers),
# builds the three configurations and runs every test: the native suites,
# then those of the native Linux desktop program on a private X display with
# Openbox and a compositor, the Linux end-to-end suite again under each of
# the other window managers of scripts/x11-env.sh, the Wayland suites on a
# headless sway (scripts/sway-env.sh), a headless KWin (scripts/kwin-env.sh)
# and a headless GNOME Shell (scripts/gnome-env.sh), the GNOME, sway and KWin
# suites again on today's releases in a Debian forky root with this build's
# package installed there (made in the background meanwhile), then the Win32 suites
# under Wine on a private X display with a fresh prefix (one of each for the
# whole run), then the release files and the installer (on a prefix of their
# own), and last both run commands of the README without a display. The
# native, X11 and sway suites run a second time, program included, built
# under AddressSanitizer and UndefinedBehaviorSanitizer (native-asan; leaks
# are not checked: GTK and GLib keep their caches to the end), and each
# libFuzzer harness runs a few seconds (fuzz).
# Prints one summary and exits non-zero on any failure.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${BRUMELIS_BUILD_ROOT:-$repo/build}
artifacts=$repo/artifacts
started=$SECONDS
cd "$repo" || exit 1

"$repo/scripts/setup.sh" || { echo "test: setting up failed" >&2; exit 1; }

# The forky root (scripts/suite-root.sh, its packages in scripts/roots/forky),
# made or brought up to date while the trees build; waited for before its rows.
mkdir -p "$build_root"
"$repo/scripts/suite-root.sh" make forky >"$build_root/forky-root.log" 2>&1 &
root_maker=$!
root_started=$SECONDS

declare -A passed failed
failures=0

# The checks CI fails on besides the tests; they never stop the tests.
echo "== checks"
checks=3
"$repo/scripts/lint.sh"
failed[checks]=$?
passed[checks]=$((checks - failed[checks]))
failures=$((failures + failed[checks]))

"$repo/scripts/build.sh" native x86_64 i686 || { echo "test: building failed" >&2; exit 1; }

# What the sanitizer and fuzz builds and runs add, in seconds.
sanitizers_started=$SECONDS
sanitizers_built=yes
"$repo/scripts/build.sh" native-asan fuzz || sanitizers_built=
sanitizers_seconds=$((SECONDS - sanitizers_started))

# Runs CTest suites of one build tree and records their counts under a name,
# from CTest's own closing line ("N% tests passed, F tests failed out of T").
# CTest runs through ctest_via when it is set (a suite root's session).
ctest_via=()
run_suite() {
  local name=$1 tree=$2
  shift 2
  local log="$build_root/$name-ctest.log"
  echo "== tests: $name"
  "${ctest_via[@]}" ctest --test-dir "$build_root/$tree" --output-on-failure --no-tests=error "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  local counts
  counts=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' "$log" | tail -n 1)
  if [[ -n $counts ]]; then
    read -r "failed[$name]" total <<<"$counts"
    passed[$name]=$((total - failed[$name]))
  else
    passed[$name]=0
    failed[$name]=1
  fi
  if (( status != 0 && failed[$name] == 0 )); then failed[$name]=1; fi
  failures=$((failures + failed[$name]))
}

# Mark a suite as not run at all: one failure, nothing passed.
not_run() {
  echo "test: $2" >&2
  passed[$1]=0
  failed[$1]=1
  failures=$((failures + 1))
}

# The same suites in the sanitizer build, its time counted.
run_sanitized() {
  local started=$SECONDS
  if [[ -n $sanitizers_built ]]; then
    run_suite "$@"
  else
    not_run "$1" "the sanitizer builds failed, $1 did not run"
  fi
  sanitizers_seconds=$((sanitizers_seconds + SECONDS - started))
}

run_suite native native -j 2 -LE 'x11|sway|kwin|gnome|installed'
run_sanitized native-asan native-asan -j 2 -LE 'x11|sway|kwin|gnome|installed'
run_sanitized fuzz fuzz -L fuzz

# shellcheck source=scripts/x11-env.sh
source "$repo/scripts/x11-env.sh"
# shellcheck source=scripts/wine-env.sh
source "$repo/scripts/wine-env.sh"
# shellcheck source=scripts/sway-env.sh
source "$repo/scripts/sway-env.sh"
# shellcheck source=scripts/kwin-env.sh
source "$repo/scripts/kwin-env.sh"
# shellcheck source=scripts/gnome-env.sh
source "$repo/scripts/gnome-env.sh"
trap 'kill "$root_maker" 2>/dev/null; brumelis_x11_env_stop; brumelis_sway_env_stop; brumelis_kwin_env_stop; brumelis_gnome_env_stop; brumelis_wine_env_stop' EXIT
trap 'exit 130' INT TERM

# A row's suites in a desktop's session (those of scripts/session-test.sh),
# made for the row and removed after it; without one they did not run.
# Usage: session_row DESKTOP NAME run_suite|run_sanitized TREE CTEST-ARGUMENTS...
session_row() {
  local desktop=$1 name=$2 runner=$3
  shift 3
  if "brumelis_${desktop}_env_start"; then
    "$runner" "$name" "$@"
  else
    not_run "$name" "no $desktop session, the $name suites did not run"
  fi
  "brumelis_${desktop}_env_stop"
}

# The Linux desktop suites share one display, its window manager and the
# pointer: one test at a time.
session_row x11 x11 run_suite native -L x11
session_row x11 x11-asan run_sanitized native-asan -L x11

# The end-to-end suite under the window managers users run besides Openbox:
# invisible frame borders, a window manager's own compositor, a tiling one.
x11_desktops=(metacity xfwm4 i3)
for wm in "${x11_desktops[@]}"; do
  BRUMELIS_X11_WM=$wm session_row x11 "x11-$wm" run_suite native -L x11 -R '^x11_e2e_'
done

# The Wayland suites on a headless sway, as the user it runs as; the KWin
# suites (the live tests, the scenario table) on a headless KWin with buses
# of its own, as its user; the GNOME suites in a headless GNOME Shell, with
# this build's extension and the test extension installed in the session.
session_row sway sway run_suite native -L sway
session_row sway sway-asan run_sanitized native-asan -L sway
session_row kwin kwin run_suite native -L kwin
session_row gnome gnome run_suite native -L gnome

# The same on GNOME Shell 50, sway 1.12 and KWin 6 in the forky root, CTest and each
# row's session in the root, with this build's package installed there as a
# user installs it (apt-get install ./brumelis_...deb): the suites' copy of
# the extension takes the place of the package's, and the installed-package
# entry runs the installed program with the package's own.
# The rows are named by the versions the root holds (gnome-50, sway-1.12,
# kwin-6.7).
forky_rows=(gnome-forky sway-forky kwin-forky)
echo "== forky root"
wait "$root_maker"
root_status=$?
echo "forky root: made or kept in $((SECONDS - root_started)) s from the start of the run, status $root_status"
deb_dir=$build_root/forky-package
forky_package() {
  rm -rf "$deb_dir"
  (cd "$build_root/native" && cpack -G DEB -B "$deb_dir" >"$build_root/forky-package.log" 2>&1) || return 1
  local deb
  deb=$(cd "$deb_dir" && ls brumelis_*_amd64.deb) || return 1
  # shellcheck disable=SC2016 # the root's shell expands them
  BRUMELIS_ROOT_BINDS=$deb_dir "$repo/scripts/suite-root.sh" run forky sh -c \
    'dpkg --purge brumelis && cd "$1" && apt-get install -y -q "./$2"' sh "$deb_dir" "$deb" \
    >>"$build_root/forky-package.log" 2>&1
}
if ((root_status != 0)); then
  tail -n 30 "$build_root/forky-root.log"
  for row in "${forky_rows[@]}"; do not_run "$row" "the forky root could not be made ($build_root/forky-root.log)"; done
elif ! forky_package; then
  tail -n 30 "$build_root/forky-package.log"
  for row in "${forky_rows[@]}"; do not_run "$row" "the package did not install in the forky root"; done
else
  # shellcheck disable=SC2016 # the root's shell expands them
  versions=$("$repo/scripts/suite-root.sh" run forky sh -c \
    'gnome-shell --version | sed "s/.* \([0-9]*\)\..*/\1/"; sway --version | sed "s/.* \([0-9.]*\)$/\1/"
     kwin_wayland --version | sed "s/.* \([0-9]*\.[0-9]*\).*/\1/"')
  read -r -d '' gnome_version sway_version kwin_version <<<"$versions"
  forky_rows=("gnome-${gnome_version:-unknown}" "sway-${sway_version:-unknown}" "kwin-${kwin_version:-unknown}")
  ctest_via=(env BRUMELIS_SUITE_ROOT=forky "$repo/scripts/session-test.sh" gnome)
  run_suite "${forky_rows[0]}" native -L 'gnome|installed'
  ctest_via=(env BRUMELIS_SUITE_ROOT=forky "$repo/scripts/session-test.sh" sway)
  run_suite "${forky_rows[1]}" native -L sway
  ctest_via=(env BRUMELIS_SUITE_ROOT=forky "$repo/scripts/session-test.sh" kwin)
  run_suite "${forky_rows[2]}" native -L kwin
  ctest_via=()
fi

# The Win32 suites share the display and the pointer: one at a time.
mkdir -p "$artifacts"
rm -f "$artifacts"/e2e-*.bmp "$artifacts"/e2e-*.png
if brumelis_wine_env_start; then
  run_suite x86_64 x86_64
else
  not_run x86_64 "no Wine environment, the Win32 suites did not run"
fi
brumelis_wine_env_stop

# The release files, signed with a throwaway certificate, and the installer
# on a Wine prefix of its own (the suite's closing line gives its counts).
echo "== tests: package"
"$repo/tests/package/package_test.sh" 2>&1 | tee "$build_root/package-test.log"
package_status=${PIPESTATUS[0]}
package_counts=$(sed -n 's/^package: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$build_root/package-test.log")
if [[ -n $package_counts ]]; then
  read -r "passed[package]" "failed[package]" <<<"$package_counts"
  if (( package_status != 0 && failed[package] == 0 )); then failed[package]=1; fi
  failures=$((failures + failed[package]))
else
  not_run package "the packaging suite did not finish"
fi

for bitmap in "$artifacts"/e2e-*.bmp; do
  [[ -e $bitmap ]] || continue
  convert "$bitmap" "${bitmap%.bmp}.png" && rm -f "$bitmap"
done

# The README's run commands as a new user meets them on a machine without a
# display: each must end well and leave its screenshot.
echo "== run commands"
passed[run]=0
failed[run]=0
for platform in windows linux; do
  shot=$artifacts/run-screenshot.png
  [[ $platform == linux ]] && shot=$artifacts/run-linux-screenshot.png
  rm -f "$shot"
  log=$build_root/run-$platform.log
  if env -u DISPLAY -u BRUMELIS_X11_ENV -u BRUMELIS_WINE_ENV "$repo/scripts/run.sh" "$platform" \
    >"$log" 2>&1 && [[ -s $shot ]]; then
    echo "run $platform: ok, ${shot#"$repo"/}"
    passed[run]=$((passed[run] + 1))
  else
    echo "run $platform: FAILED (no screenshot or a failure status); its output:"
    tail -n 20 "$log"
    failed[run]=$((failed[run] + 1))
  fi
done
failures=$((failures + failed[run]))

echo
echo "== summary ($((SECONDS - started)) s; i686: the program built, not run: this machine runs 64-bit Wine only)"
total_passed=0
for name in checks native native-asan fuzz x11 x11-asan "${x11_desktops[@]/#/x11-}" sway \
  sway-asan kwin gnome "${forky_rows[@]}" x86_64 package run; do
  printf '%-12s %d passed, %d failed\n' "$name" "${passed[$name]}" "${failed[$name]}"
  total_passed=$((total_passed + passed[$name]))
done
echo "sanitizer and fuzz builds and runs: $sanitizers_seconds s of the total"
shots=("$artifacts"/e2e-*.png)
[[ -e ${shots[0]} ]] && echo "screenshots: ${shots[*]}"
echo "Total: $total_passed passed, $failures failed"
(( failures == 0 ))
