#!/usr/bin/env bash
# Installs what is missing, builds the program and starts the toolbar under
# Wine. On the current DISPLAY it runs until the user quits it (No in the box
# that a double click on the red square shows). Without a display it runs on
# a private Xvfb beside a sample window, waits for the tile on that window's
# corner, writes artifacts/run-screenshot.png and stops everything.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${BRUMELIS_BUILD_ROOT:-$repo/build}
program=$build_root/x86_64/brumelis.exe
artifacts=$repo/artifacts

"$repo/scripts/setup.sh"
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

# Waits until an X window with that name and geometry exists; Wine names each
# X window after its Win32 window's title.
wait_for_x_window() {
  local pattern=$1 tries=0
  until xwininfo -root -tree 2>/dev/null | grep -qE "$pattern"; do
    (( ++tries < 200 )) || return 1
    sleep 0.1
  done
}

# The sample window: Wine's notepad, placed where the tile will show against it.
notepad='HKCU\Software\Microsoft\Notepad'
for setting in iWindowPosX:160 iWindowPosY:120 iWindowPosDX:640 iWindowPosDY:420; do
  wine reg add "$notepad" /v "${setting%%:*}" /t REG_DWORD /d "${setting##*:}" /f >/dev/null 2>&1
done
wine notepad >/dev/null 2>&1 &
wait_for_x_window '"Untitled - Notepad".* 640x420\+160\+120' ||
  { echo "run: the sample window did not appear" >&2; exit 1; }

wine "$program" >/dev/null 2>&1 &
if ! wait_for_x_window '"BrumelisZOLVEC".* 10x10\+160\+120'; then
  echo "run: the tile did not appear on the sample window's corner" >&2
  xwininfo -root -tree | grep -E 'Notepad|Brumelis' >&2 || true
  exit 1
fi

mkdir -p "$artifacts"
import -window root "$artifacts/run-screenshot.png"
echo "run: the toolbar showed on the sample window; screenshot in artifacts/run-screenshot.png"
