# shellcheck shell=bash
# Sourced by the scripts that run the Linux program and its tests on sway: a
# headless sway with one 1280x800 output (logical pixels at
# BRUMELIS_WAYLAND_SCALE; a second at 100 % with BRUMELIS_WAYLAND_MONITORS=2,
# scripts/session.sh), run by an ordinary user (sway
# refuses to run as root) in a runtime directory of its own, so that its
# Wayland and IPC sockets are private and never meet another run's.
#
#   brumelis_sway_env_start    reuse the environment a caller exported, or make one
#   brumelis_sway_env_run CMD  runs CMD as the session's user, in the session
#   brumelis_sway_env_stop     tear down what brumelis_sway_env_start made (idempotent)
#
# As root the script makes the test user BRUMELIS_SWAY_USER (default
# brumelis-test) once and runs sway and every program as that user
# (scripts/session.sh). The compositor is ready once its IPC socket answers
# and it lists its Wayland socket.

# shellcheck source=scripts/session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

brumelis_sway_env_log() { echo "sway-env: $*" >&2; }

# The command as the session's user, with the session's variables only.
brumelis_sway_env_run() {
  brumelis_session_as_user "$BRUMELIS_SWAY_USER_NAME" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    SWAYSOCK="$SWAYSOCK" WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" XDG_SESSION_TYPE=wayland \
    XDG_CURRENT_DESKTOP=sway DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-}" \
    PATH="$PATH" LANG="${LANG:-C.UTF-8}" GDK_BACKEND=wayland "$@"
}

brumelis_sway_env_answers() {
  brumelis_sway_env_run swaymsg -s "$SWAYSOCK" -t get_version >/dev/null 2>&1
}

brumelis_sway_env_outputs() {
  [[ $(brumelis_sway_env_run swaymsg -s "$SWAYSOCK" -t get_outputs -r | grep -c '"active": true') == "$1" ]]
}

# wlroots names its socket wayland-N in the runtime directory, a private one here.
brumelis_sway_env_wayland_socket() {
  local socket
  for socket in "$XDG_RUNTIME_DIR"/wayland-*; do
    [[ -S $socket ]] && { basename "$socket"; return 0; }
  done
  return 1
}

brumelis_sway_env_start() {
  if [[ ${BRUMELIS_SWAY_ENV:-} == 1 ]]; then
    return 0
  fi
  command -v sway >/dev/null || { brumelis_sway_env_log "sway is not installed (scripts/setup.sh)"; return 1; }
  BRUMELIS_SWAY_USER_NAME=$(brumelis_session_user "${BRUMELIS_SWAY_USER:-brumelis-test}") || {
    brumelis_sway_env_log "cannot make the test user"
    return 1
  }
  local dir
  dir=$(brumelis_session_dir sway "$BRUMELIS_SWAY_USER_NAME") || return 1
  BRUMELIS_SWAY_ENV_DIR=$dir
  BRUMELIS_SWAY_ENV_OWNER=$BASHPID
  export XDG_RUNTIME_DIR=$dir/runtime SWAYSOCK=$dir/runtime/sway-ipc.sock
  unset WAYLAND_DISPLAY DISPLAY

  # Windows float where their programs put them, as on the desktops the
  # toolbar follows; the pointer never moves the focus; no X11 server.
  cat >"$dir/config" <<CONFIG
output HEADLESS-1 resolution $(brumelis_session_scaled 1280)x$(brumelis_session_scaled 800) scale ${BRUMELIS_WAYLAND_SCALE:-1} position 0 0 bg #000000 solid_color
output HEADLESS-2 resolution 1280x800 scale 1 position 1280 0 bg #000000 solid_color
xwayland disable
focus_follows_mouse no
focus_on_window_activation focus
for_window [app_id=".*"] floating enable
CONFIG
  # Bindings a test holds as the user's configuration would (tests/sway/e2e).
  echo "include $dir/runtime/held-keys.conf" >>"$dir/config"
  chmod 0644 "$dir/config"
  brumelis_sway_env_run touch "$dir/runtime/held-keys.conf"
  brumelis_session_spawn brumelis_sway_env_run env WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 \
    WLR_RENDERER=pixman sway -c "$dir/config" >"$dir/sway.log" 2>&1
  if ! brumelis_session_wait 20 "$BRUMELIS_SESSION_PID" brumelis_sway_env_answers ||
    ! WAYLAND_DISPLAY=$(brumelis_sway_env_wayland_socket); then
    brumelis_sway_env_log "sway did not start:"
    cat "$dir/sway.log" >&2
    brumelis_sway_env_stop
    return 1
  fi
  # The second monitor (BRUMELIS_WAYLAND_MONITORS=2): a headless output made
  # once sway runs, which the configuration above places.
  if [[ ${BRUMELIS_WAYLAND_MONITORS:-1} == 2 ]] &&
    { ! brumelis_sway_env_run swaymsg -s "$SWAYSOCK" create_output >/dev/null ||
      ! brumelis_session_wait 20 "$BRUMELIS_SESSION_PID" brumelis_sway_env_outputs 2; }; then
    brumelis_sway_env_log "sway made no second output"
    brumelis_sway_env_stop
    return 1
  fi
  export WAYLAND_DISPLAY XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
  # A session bus of the user's, and the accessibility bus on it.
  export DBUS_SESSION_BUS_ADDRESS=''
  if ! brumelis_session_bus "$dir/session-bus" brumelis_sway_env_run ||
    ! DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/session-bus") ||
    ! brumelis_session_a11y "$dir" brumelis_sway_env_run; then
    brumelis_sway_env_stop
    return 1
  fi
  export BRUMELIS_SWAY_ENV=1 BRUMELIS_SWAY_USER_NAME
  brumelis_sway_env_log "sway ready on $WAYLAND_DISPLAY (IPC $SWAYSOCK) as $BRUMELIS_SWAY_USER_NAME"
}

brumelis_sway_env_stop() {
  brumelis_session_stop "${BRUMELIS_SWAY_ENV_DIR:-}" "${BRUMELIS_SWAY_ENV_OWNER:-}" \
    BRUMELIS_SWAY_ENV BRUMELIS_SWAY_ENV_DIR BRUMELIS_SWAY_ENV_OWNER DBUS_SESSION_BUS_ADDRESS \
    XDG_RUNTIME_DIR SWAYSOCK WAYLAND_DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
}
