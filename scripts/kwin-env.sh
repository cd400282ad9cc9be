# shellcheck shell=bash
# Sourced by the scripts that run the Linux program and its tests on KWin: a
# headless KWin (kwin_wayland --virtual, one 1280x800 output in logical
# pixels: BRUMELIS_WAYLAND_SCALE, scripts/wayland-session.sh) with session
# and system buses of its own, run by an ordinary user in a runtime
# directory of its own, so that its Wayland socket and buses never meet
# another run's.
#
#   brumelis_kwin_env_start    reuse the environment a caller exported, or make one
#   brumelis_kwin_env_run CMD  runs CMD as the session's user, in the session
#   brumelis_kwin_env_spawn    the same in the background; its process id in
#                              BRUMELIS_KWIN_SPAWNED_PID
#   brumelis_kwin_env_stop     tear down what brumelis_kwin_env_start made (idempotent)
#
# Debian gives /usr/bin/kwin_wayland the file capability cap_sys_resource;
# where the sandbox cannot grant it the start fails ("Operation not
# permitted"), so the session runs a copy without it, whose name must still
# end in kwin_wayland (KWin's Qt platform plugin checks it). Each step waits
# for a state, never for a fixed time: KWin is ready once org.kde.KWin is on
# its session bus and its Wayland socket is there.

# shellcheck source=scripts/wayland-session.sh
source "$(dirname "${BASH_SOURCE[0]}")/wayland-session.sh"

brumelis_kwin_env_log() { echo "kwin-env: $*" >&2; }

brumelis_kwin_env_wait() { brumelis_wayland_wait 30 "$@"; }

# The command as the session's user, with the session's variables only.
brumelis_kwin_env_as_user() {
  brumelis_wayland_as_user "$BRUMELIS_KWIN_USER_NAME" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS" \
    WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE \
    XDG_DATA_HOME="$BRUMELIS_KWIN_ENV_DIR/data" XDG_CONFIG_HOME="$BRUMELIS_KWIN_ENV_DIR/config" \
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 PATH="$PATH" LANG="${LANG:-C.UTF-8}" \
    GDK_BACKEND=wayland QT_QPA_PLATFORM=wayland "$@"
}

brumelis_kwin_env_run() {
  brumelis_kwin_env_as_user "$@"
}

brumelis_kwin_env_spawn() {
  BRUMELIS_WAYLAND_EXEC='exec' brumelis_kwin_env_as_user "$@" &
  BRUMELIS_KWIN_SPAWNED_PID=$!
}

brumelis_kwin_env_a11y_ready() { brumelis_wayland_a11y_ready brumelis_kwin_env_as_user; }

brumelis_kwin_env_answers() {
  [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] &&
    brumelis_kwin_env_as_user dbus-send --session --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:org.kde.KWin 2>/dev/null |
    grep -q 'boolean true'
}

# A bus daemon of the session's user, its address written to a file; its
# process id in BRUMELIS_KWIN_SPAWNED_PID.
brumelis_kwin_env_bus() {
  local address_file=$1
  brumelis_kwin_env_spawn dbus-daemon --session --nofork --print-address=3 \
    3>"$address_file" >/dev/null 2>&1
  brumelis_kwin_env_wait "$BRUMELIS_KWIN_SPAWNED_PID" test -s "$address_file"
}

brumelis_kwin_env_start() {
  if [[ ${BRUMELIS_KWIN_ENV:-} == 1 ]]; then
    return 0
  fi
  command -v kwin_wayland >/dev/null ||
    { brumelis_kwin_env_log "KWin is not installed (scripts/setup.sh)"; return 1; }
  BRUMELIS_KWIN_USER_NAME=$(brumelis_wayland_user "${BRUMELIS_KWIN_USER:-brumelis-test}") || {
    brumelis_kwin_env_log "cannot make the test user"
    return 1
  }
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-kwin.XXXXXX") || return 1
  chmod 0755 "$dir"
  BRUMELIS_KWIN_ENV_DIR=$dir
  BRUMELIS_KWIN_ENV_OWNER=$BASHPID
  export XDG_RUNTIME_DIR=$dir/runtime WAYLAND_DISPLAY=brumelis-kwin
  mkdir -m 0700 "$XDG_RUNTIME_DIR" "$dir/data" "$dir/config"
  mkdir -p "$dir/data/applications"
  (( EUID == 0 )) && chown -R "$BRUMELIS_KWIN_USER_NAME:" "$XDG_RUNTIME_DIR" "$dir/data" "$dir/config"
  unset DISPLAY
  # The copy without the file capability, readable by the session's user.
  cp /usr/bin/kwin_wayland "$dir/brumelis_kwin_wayland"
  chmod 0755 "$dir/brumelis_kwin_wayland"

  # The system bus only answers KWin's questions (logind, UPower) with
  # "nobody here"; without one it waits for them.
  # A second session bus stands for the system bus: KWin's questions there
  # (logind, UPower) are answered "nobody here" at once.
  export DBUS_SESSION_BUS_ADDRESS='' DBUS_SYSTEM_BUS_ADDRESS=''
  brumelis_kwin_env_bus "$dir/system-bus" || {
    brumelis_kwin_env_log "no bus daemon"; brumelis_kwin_env_stop; return 1; }
  BRUMELIS_KWIN_SYSTEM_BUS_PID=$BRUMELIS_KWIN_SPAWNED_PID
  brumelis_kwin_env_bus "$dir/session-bus" || {
    brumelis_kwin_env_log "no bus daemon"; brumelis_kwin_env_stop; return 1; }
  BRUMELIS_KWIN_SESSION_BUS_PID=$BRUMELIS_KWIN_SPAWNED_PID
  DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$dir/system-bus")
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/session-bus")

  brumelis_kwin_env_spawn "$dir/brumelis_kwin_wayland" --virtual --socket "$WAYLAND_DISPLAY" \
    --width "$(brumelis_wayland_scaled 1280)" --height "$(brumelis_wayland_scaled 800)" \
    --scale "${BRUMELIS_WAYLAND_SCALE:-1}" --no-lockscreen --no-global-shortcuts --no-kactivities \
    >"$dir/kwin.log" 2>&1
  BRUMELIS_KWIN_PID=$BRUMELIS_KWIN_SPAWNED_PID
  if ! brumelis_kwin_env_wait "$BRUMELIS_KWIN_PID" brumelis_kwin_env_answers; then
    brumelis_kwin_env_log "KWin did not start:"
    cat "$dir/kwin.log" >&2
    brumelis_kwin_env_stop
    return 1
  fi
  # The accessibility bus on the session bus, as a screen reader finds it:
  # the scenarios read the toolbar's controls and message boxes there.
  brumelis_kwin_env_spawn /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 \
    >"$dir/at-spi.log" 2>&1
  BRUMELIS_KWIN_A11Y_PID=$BRUMELIS_KWIN_SPAWNED_PID
  if ! brumelis_kwin_env_wait "$BRUMELIS_KWIN_A11Y_PID" brumelis_kwin_env_a11y_ready; then
    brumelis_kwin_env_log "the accessibility bus did not start:"
    cat "$dir/at-spi.log" >&2
    brumelis_kwin_env_stop
    return 1
  fi
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
  export XDG_DATA_HOME=$dir/data XDG_CONFIG_HOME=$dir/config
  export BRUMELIS_KWIN_ENV=1 BRUMELIS_KWIN_USER_NAME BRUMELIS_KWIN_ENV_DIR BRUMELIS_KWIN_ENV_OWNER
  brumelis_kwin_env_log "KWin ready on $WAYLAND_DISPLAY as $BRUMELIS_KWIN_USER_NAME"
}

brumelis_kwin_env_stop() {
  [[ -n ${BRUMELIS_KWIN_ENV_DIR:-} ]] || return 0
  if [[ -n ${BRUMELIS_KWIN_ENV_OWNER:-} && ${BRUMELIS_KWIN_ENV_OWNER} != "$BASHPID" ]]; then
    return 0
  fi
  # shellcheck disable=SC2086 # the ones started, none when empty
  brumelis_wayland_end ${BRUMELIS_KWIN_A11Y_PID:-} ${BRUMELIS_KWIN_PID:-} \
    ${BRUMELIS_KWIN_SESSION_BUS_PID:-} ${BRUMELIS_KWIN_SYSTEM_BUS_PID:-}
  rm -rf "$BRUMELIS_KWIN_ENV_DIR"
  unset BRUMELIS_KWIN_ENV BRUMELIS_KWIN_ENV_DIR BRUMELIS_KWIN_ENV_OWNER BRUMELIS_KWIN_PID \
    BRUMELIS_KWIN_A11Y_PID \
    BRUMELIS_KWIN_SESSION_BUS_PID BRUMELIS_KWIN_SYSTEM_BUS_PID BRUMELIS_KWIN_SPAWNED_PID \
    XDG_RUNTIME_DIR WAYLAND_DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS \
    DBUS_SYSTEM_BUS_ADDRESS XDG_DATA_HOME XDG_CONFIG_HOME KWIN_SCREENSHOT_NO_PERMISSION_CHECKS
  return 0
}
