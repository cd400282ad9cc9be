#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix, as a user meets it:
# silent install (files, shortcut, Uninstall values), the installed toolbar
# started from its shortcut, a second install with the log-on option over the
# running toolbar, then a silent uninstall that must leave the user's registry
# and the install folder as they were before.
# Usage: tests/package/installer_test.sh brumelis-<version>-win64-setup.exe
# With BRUMELIS_TEST_SIGNING_CA naming the signing certificate (PEM), the
# installed program and uninstaller must carry its signature.
# Prints one line per check and a last line "installer: P passed, F failed";
# exits non-zero on any failure.
set -uo pipefail

if (( $# != 1 )); then
  echo "usage: $0 brumelis-<version>-win64-setup.exe" >&2
  exit 2
fi
setup=$(realpath "$1")
version=$(basename "$setup" | sed -n 's/^brumelis-\(.*\)-win64-setup\.exe$/\1/p')
if [[ ! -f $setup || -z $version ]]; then
  echo "installer: no installer named brumelis-<version>-win64-setup.exe at $1" >&2
  exit 2
fi

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
# shellcheck source=scripts/wine-env.sh
source "$repo/scripts/wine-env.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-installer.XXXXXX")
finish() {
  brumelis_wine_env_stop
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 130' INT TERM

# Always a prefix of our own: the snapshots compare against a fresh one.
unset BRUMELIS_WINE_ENV
brumelis_wine_env_start || exit 1
# Shortcuts would otherwise become menu entries of this machine's desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

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

# Polls a condition until it holds or the deadline passes; says which one
# did not come.
wait_until() {
  local what=$1 seconds=$2
  shift 2
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    if (( SECONDS >= deadline )); then
      echo "  still not $what after $seconds s" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Wine's helper processes inherit the output descriptors: through a file, so
# that none of them keeps a pipe open.
wine_quiet() { wine "$@" >>"$work/wine.log" 2>&1 </dev/null; }
windows_variable() { wine cmd /c echo "%$1%" 2>/dev/null </dev/null | tr -d '\r'; }

# One value of a key, as "reg query" prints it: name, type, data.
registry_value() {
  wine reg query "$1" /v "$2" 2>/dev/null </dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print; found = 1 } END { exit !found }'
}
expect_value() {
  local actual
  actual=$(registry_value "$1" "$2") || { echo "  no value $2 in $1" >&2; return 1; }
  [[ $actual == "$3" ]] || { echo "  $2 is '$actual', expected '$3'" >&2; return 1; }
}

local_appdata=$(windows_variable LOCALAPPDATA)
install_dir="$local_appdata\\Programs\\Brumelis"
install_unix=$(winepath -u "$install_dir" 2>/dev/null)
shortcut_unix=$(winepath -u "$(windows_variable APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Brumelis.lnk" 2>/dev/null)
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumelis'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
program="$install_dir\\brumelis.exe"

# The Linux processes of toolbars in this prefix (other runs may have their own).
toolbar_pids() {
  local pid
  for pid in $(pgrep -f '\\brumelis\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && echo "$pid"
  done
}
no_toolbar() { [[ -z $(toolbar_pids) ]]; }
# Gone, or a zombie that nobody reaps: orphans here may stay so.
toolbar_gone() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -d ' ' -f 1)
  [[ -z $state || $state == Z ]]
}
# One toolbar, other than the one given, whose collapsed tile (10 x 10) is on
# screen; its process id goes to $toolbar.
toolbar=
tile_shown_by_new_toolbar() {
  local old=${1:-} pids id
  pids=$(toolbar_pids)
  [[ -n $pids && $(wc -l <<<"$pids") == 1 && $pids != "$old" ]] || return 1
  # The old toolbar's window may linger a moment: look at every tile.
  for id in $(xwininfo -root -tree 2>/dev/null | awk '/"BrumelisZOLVEC".* 10x10\+/ { print $1 }'); do
    [[ $(xprop -id "$id" _NET_WM_PID 2>/dev/null) == *" = $pids" ]] || continue
    xwininfo -id "$id" 2>/dev/null | grep 'Map State: IsViewable' >/dev/null || continue
    toolbar=$pids
    return 0
  done
  return 1
}

# Leftover processes of the uninstaller (NSIS reruns it from a temporary copy).
uninstaller_done() {
  local pid
  for pid in $(pgrep -f 'desinstaller\.exe|Au_\.exe'); do
    tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 1
  done
  return 0
}

snapshot() {
  wine reg export HKCU "$(winepath -w "$work/$1.reg")" /y >/dev/null 2>&1 </dev/null || return 1
  # The install folder with every file and its size, or nothing.
  if [[ -d $install_unix ]]; then
    (cd "$install_unix" && find . -printf '%p %s\n' | sort)
  fi >"$work/$1.files"
  [[ -e $shortcut_unix ]] && echo "shortcut" >>"$work/$1.files"
  return 0
}

# Before: nothing of ours.
check "fresh prefix has no trace of Brumelis" snapshot before
check "fresh prefix has no install folder" test ! -s "$work/before.files"

# 1. Silent install.
silent_install() {
  wine_quiet "$setup" /S "$@" || { echo "  the installer exited with $?" >&2; return 1; }
}
installed_files() {
  [[ -f $install_unix/brumelis.exe && -f $install_unix/desinstaller.exe ]] ||
    { echo "  missing in $install_unix: $(ls "$install_unix" 2>&1)" >&2; return 1; }
  [[ -f $shortcut_unix ]] || { echo "  no shortcut $shortcut_unix" >&2; return 1; }
}
uninstall_values() {
  local size
  expect_value "$uninstall_key" DisplayName Brumelis &&
    expect_value "$uninstall_key" DisplayVersion "$version" &&
    expect_value "$uninstall_key" Publisher ZOLVEC &&
    expect_value "$uninstall_key" DisplayIcon "$program,0" &&
    expect_value "$uninstall_key" UninstallString "\"$install_dir\\desinstaller.exe\"" || return 1
  # Kilobytes, as Windows' list of programs reads it.
  size=$(registry_value "$uninstall_key" EstimatedSize)
  if [[ ! $size =~ ^0x([0-9a-f]+)$ ]] || (( 16#${BASH_REMATCH[1]} == 0 )); then
    echo "  EstimatedSize is '$size'" >&2
    return 1
  fi
}
installed_signed() {
  local file
  for file in brumelis.exe desinstaller.exe; do
    osslsigncode verify -CAfile "$BRUMELIS_TEST_SIGNING_CA" -in "$install_unix/$file" \
      >"$work/verify.log" 2>&1 || { echo "  $file:" >&2; cat "$work/verify.log" >&2; return 1; }
  done
}
no_run_value() { ! registry_value "$run_key" Brumelis >/dev/null; }

check "silent install succeeds" silent_install
check "installs the program, its uninstaller and the Start-menu shortcut" installed_files
check "registers the uninstaller with name, version, publisher, icon and size" uninstall_values
if [[ -n ${BRUMELIS_TEST_SIGNING_CA:-} ]]; then
  check "the installed program and uninstaller are signed" installed_signed
fi
check "leaves log-on start off by default" no_run_value
check "no toolbar started by a first silent install" no_toolbar

# 2. The installed program, started from its shortcut, shows its tile.
wine_quiet start /unix "$shortcut_unix"
check "the shortcut starts the toolbar, which shows its tile" \
  wait_until "showing a tile" 30 tile_shown_by_new_toolbar
first=$toolbar

# 3. Installing again, with the log-on option, over the running toolbar.
check "silent install over the running toolbar succeeds" silent_install /DEMARRAGE
check "the running toolbar has ended" wait_until "ended" 10 toolbar_gone "${first:-0}"
check "a new toolbar runs and shows its tile" \
  wait_until "showing a new tile" 30 tile_shown_by_new_toolbar "${first:-0}"
check "the log-on option names the installed program in Run" \
  expect_value "$run_key" Brumelis "\"$program\""

# 4. Silent uninstall, with the toolbar running: nothing of ours is left.
second=$toolbar
uninstalled() {
  [[ ! -e $install_unix ]] && ! wine reg query "$uninstall_key" >/dev/null 2>&1 </dev/null
}
check "silent uninstall succeeds" wine_quiet "$install_dir\\desinstaller.exe" /S
check "the uninstaller removes the install folder and its key" \
  wait_until "uninstalled" 30 uninstalled
check "the uninstaller has finished" wait_until "finished" 30 uninstaller_done
check "the uninstaller ended the toolbar" toolbar_gone "${second:-0}"
check "after uninstalling, a snapshot can be taken" snapshot after
check "the user's registry is as before the install" diff "$work/before.reg" "$work/after.reg"
check "the install folder and shortcut are as before" diff "$work/before.files" "$work/after.files"

echo "installer: $passed passed, $failed failed"
(( failed == 0 ))
