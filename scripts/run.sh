#!/usr/bin/env bash
# Installs what is missing, builds the program and starts the toolbar.
#
#   scripts/run.sh [windows]   the Win32 program under Wine (the default)
#   scripts/run.sh linux       the native Linux program (X11, sway)
#
# On the current display (the Linux program: the Wayland session's, else
# DISPLAY) it runs until the user quits it (No in the box that
# a double click on the red square shows). Without a display it runs on a
# private Xvfb beside a sample window, waits for the tile on that window's
# corner, writes a screenshot to artifacts/ and stops everything. The Linux
# run's private display has Openbox and a compositor; there the sample window
# is also made half transparent through the slider, over another window,
# before the screenshot (artifacts/run-linux-screenshot.png).
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${BRUMELIS_BUILD_ROOT:-$repo/build}
artifacts=$repo/artifacts
platform=${1:-windows}

case $platform in
  windows | linux) ;;
  *)
    echo "run: unknown platform '$platform' (windows, linux)" >&2
    exit 2
    ;;
esac

"$repo/scripts/setup.sh"

# Waits until the command succeeds, for at most the seconds given, saying
# what it waits for when it starts, every 10 s while it waits and when it
# ends. A busy machine slows every start (Wine's first start of notepad in a
# fresh prefix once missed a 20 s deadline): the deadlines are minutes, there
# to end a run that cannot succeed, not to time one that is slow.
wait_until() {
  local seconds=$1 what=$2 started=$SECONDS next=10
  shift 2
  echo "run: waiting for $what (at most $seconds s)"
  until "$@"; do
    if (( SECONDS - started >= seconds )); then
      echo "run: $what did not come within $seconds s" >&2
      return 1
    fi
    if (( SECONDS - started >= next )); then
      echo "run: still waiting for $what ($((SECONDS - started)) s)"
      next=$((next + 10))
    fi
    sleep 0.2
  done
  echo "run: $what came after $((SECONDS - started)) s"
}

# Whether an X window whose line in the window tree matches the pattern
# exists (name, class, geometry). The tree is read whole before it is
# searched: "grep -q" leaves at the first match, and the writer of a long
# tree would die of the closed pipe and fail the test under pipefail.
x_window_exists() {
  local tree
  tree=$(xwininfo -root -tree 2>/dev/null) && grep -qE "$1" <<<"$tree"
}

run_windows() {
  local program=$build_root/x86_64/brumelis.exe
  BRUMELIS_BUILD_TARGET=brumelis "$repo/scripts/build.sh" x86_64

  if [[ -n ${DISPLAY:-} ]]; then
    echo "run: starting the toolbar on $DISPLAY"
    exec env WINEDEBUG="${WINEDEBUG:--all}" wine "$program"
  fi

  # shellcheck source=scripts/wine-env.sh
  source "$repo/scripts/wine-env.sh"
  trap brumelis_wine_env_stop EXIT
  trap 'exit 130' INT TERM
  brumelis_wine_env_start

  # The sample window: Wine's notepad, placed where the tile will show against it.
  local notepad='HKCU\Software\Microsoft\Notepad' setting
  for setting in iWindowPosX:160 iWindowPosY:120 iWindowPosDX:640 iWindowPosDY:420; do
    wine reg add "$notepad" /v "${setting%%:*}" /t REG_DWORD /d "${setting##*:}" /f >/dev/null 2>&1
  done
  wine notepad >/dev/null 2>&1 &
  wait_until 300 "the sample window (Wine's notepad)" \
    x_window_exists '"Untitled - Notepad".* 640x420\+160\+120' || exit 1

  wine "$program" >/dev/null 2>&1 &
  if ! wait_until 300 "the tile on the sample window's corner" \
    x_window_exists '"BrumelisZOLVEC".* 10x10\+160\+120'; then
    xwininfo -root -tree | grep -E 'Notepad|Brumelis' >&2 || true
    exit 1
  fi

  mkdir -p "$artifacts"
  import -window root "$artifacts/run-screenshot.png"
  echo "run: the toolbar showed on the sample window; screenshot in artifacts/run-screenshot.png"
}

# The child of the root that holds a window: the window manager's frame.
frame_of() {
  local window=$1 tree
  for _ in 1 2 3 4 5 6 7 8; do
    tree=$(xwininfo -id "$window" -tree) || return 1
    if [[ $tree == *"Parent window id: "*"(the root window)"* ]]; then
      echo "$window"
      return 0
    fi
    window=$(sed -n 's/^  Parent window id: \(0x[0-9a-f]*\).*/\1/p' <<<"$tree")
  done
  return 1
}

# Whether the window's property reads as the value.
property_is() {
  local read
  read=$(xprop -id "$2" "$1" 2>/dev/null) && [[ $read == *"= $3" ]]
}

run_linux() {
  local program=$build_root/native/brumelis
  BRUMELIS_BUILD_TARGET=brumelis "$repo/scripts/build.sh" native

  # A Wayland session (sway) or an X display: the program picks its desktop.
  if [[ -n ${WAYLAND_DISPLAY:-} || -n ${DISPLAY:-} ]]; then
    echo "run: starting the toolbar on ${WAYLAND_DISPLAY:-$DISPLAY}"
    exec "$program"
  fi

  cmake --build "$build_root/native" --target brumelis_x11_target >/dev/null
  # shellcheck source=scripts/x11-env.sh
  source "$repo/scripts/x11-env.sh"
  # Globals: the trap runs after this function has returned.
  sample_input=$(mktemp -u "${TMPDIR:-/tmp}/brumelis-sample.XXXXXX")
  # shellcheck disable=SC2317 # called by the trap
  cleanup() {
    # What is stopped reports its end as a failure: not a reason to stop early.
    set +e
    exec 4>&-
    rm -f "$sample_input"
    local pid
    for pid in ${toolbar_pid:-} ${below_pid:-}; do kill "$pid" 2>/dev/null; done
    brumelis_x11_env_stop
  }
  trap cleanup EXIT
  trap 'exit 130' INT TERM
  brumelis_x11_env_start
  # Something below the sample window (xmessage shows Latin-1 only), so that its fading shows what lies beneath.
  xmessage -geometry 520x260+420+330 -bg '#f0d020' -fg black -center \
    "Sous la fenetre exemple" \
    >/dev/null 2>&1 &
  below_pid=$!
  wait_until 120 "the window below (xmessage)" x_window_exists '"xmessage"' || exit 1

  # The sample window runs until its input closes: a pipe kept open here.
  mkfifo "$sample_input"
  "$build_root/native/tests/x11/brumelis_x11_target" --title='Fenêtre exemple' \
    --rect=160,120,800,540 --decorated <"$sample_input" >/dev/null &
  exec 4>"$sample_input"
  wait_until 120 "the sample window" x_window_exists '"Fenêtre exemple"' || exit 1
  local sample
  sample=$(xdotool search --name 'Fenêtre exemple')
  sample=${sample%%$'\n'*}
  # The tile waits below for the window manager to make it active.
  xdotool windowactivate "$sample" 2>/dev/null || true

  "$program" &
  toolbar_pid=$!
  if ! wait_until 120 "the tile on the sample window's corner" \
    x_window_exists '"BrumelisZOLVEC".* 10x10\+160\+120'; then
    xwininfo -root -tree | grep -E 'exemple|Brumelis' >&2 || true
    exit 1
  fi

  # Unfold, then drag on the slider to its middle: about half opacity.
  xdotool mousemove 164 124 click 1
  wait_until 60 "the unfolded panel" x_window_exists '"BrumelisZOLVEC".* 33x113\+160\+120' ||
    exit 1
  xdotool mousemove 175 150 mousedown 1 mousemove 175 160 mousemove 175 188 mouseup 1
  # 44 pixels down the 89 of the slider: alpha 129, times 0x01010101.
  local frame
  frame=$(frame_of "$sample")
  wait_until 60 "the sample window faded to half" \
    property_is _NET_WM_WINDOW_OPACITY "$frame" 2172748161 || exit 1

  mkdir -p "$artifacts"
  import -window root "$artifacts/run-linux-screenshot.png"
  echo "run: the toolbar faded the sample window to half; screenshot in artifacts/run-linux-screenshot.png"
}

"run_$platform"
