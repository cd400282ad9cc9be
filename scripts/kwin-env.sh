# shellcheck shell=bash
# Sourced by the scripts that run the Linux program and its tests on KWin: a
# headless KWin (kwin_wayland --virtual, one 1280x800 output in logical
# pixels at BRUMELIS_WAYLAND_SCALE, scripts/session.sh; with
# BRUMELIS_WAYLAND_MONITORS=2 a second of as many pixels at 100 % right of
# it, not nested) with session
# and system buses of its own, run by an ordinary user in a runtime
# directory of its own, so that its Wayland socket and buses never meet
# another run's.
#
#   brumelis_kwin_env_start    reuse the environment a caller exported, or make one
#   brumelis_kwin_env_run CMD  runs CMD as the session's user, in the session
#   brumelis_kwin_env_stop     tear down what brumelis_kwin_env_start made (idempotent)
#
# Debian gives /usr/bin/kwin_wayland the file capability cap_sys_resource;
# where the sandbox cannot grant it the start fails ("Operation not
# permitted"), so the session runs a copy without it, whose name must still
# end in kwin_wayland (KWin's Qt platform plugin checks it). KWin is ready
# once org.kde.KWin is on its session bus and its Wayland socket is there.
#
# KWin 6 takes screenshots only through OpenGL, which needs a DRM render
# node: without one it runs nested, full screen, in a headless sway drawing
# in software (BRUMELIS_KWIN_NESTED=1 asks for it, 0 refuses it), and the
# tests read the screen from sway, whose socket BRUMELIS_KWIN_HOST_DISPLAY
# names by path.

# shellcheck source=scripts/session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

brumelis_kwin_env_log() { echo "kwin-env: $*" >&2; }

# The command as the session's user, with the session's variables only.
brumelis_kwin_env_run() {
  brumelis_session_as_user "$BRUMELIS_KWIN_USER_NAME" env XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
    DBUS_SYSTEM_BUS_ADDRESS="$DBUS_SYSTEM_BUS_ADDRESS" \
    WAYLAND_DISPLAY="${WAYLAND_DISPLAY:-}" XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE \
    XDG_DATA_HOME="$BRUMELIS_KWIN_ENV_DIR/data" XDG_CONFIG_HOME="$BRUMELIS_KWIN_ENV_DIR/config" \
    KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 PATH="$PATH" LANG="${LANG:-C.UTF-8}" \
    GDK_BACKEND=wayland QT_QPA_PLATFORM=wayland "$@"
}

brumelis_kwin_env_answers() {
  [[ -S $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY ]] &&
    brumelis_kwin_env_run dbus-send --session --print-reply --dest=org.freedesktop.DBus \
      /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:org.kde.KWin 2>/dev/null |
    grep -q 'boolean true'
}

# KWin's virtual outputs all start at --scale, side by side: the second one
# set to 100 % right of the first as kscreen-doctor sets it (libkscreen's
# backend launcher, started over the session bus, reads KWin's outputs
# through Qt's Wayland platform).
brumelis_kwin_env_second_output() {
  brumelis_kwin_env_run kscreen-doctor output.Virtual-1.scale.1 output.Virtual-1.position.1280,0 \
    >/dev/null 2>&1 &&
    brumelis_session_wait 20 "$BRUMELIS_SESSION_PID" brumelis_kwin_env_second_placed &&
    brumelis_kwin_env_backdrop
}

brumelis_kwin_env_outputs() {
  brumelis_kwin_env_run timeout 20 kscreen-doctor --outputs 2>/dev/null | sed 's/\x1b\[[0-9;]*m//g'
}

brumelis_kwin_env_second_placed() {
  brumelis_kwin_env_outputs |
    grep -q "Virtual-1 .* Geometry: 1280,0 $(brumelis_session_scaled 1280)x$(brumelis_session_scaled 800) Scale: 1 "
}

# KWin 5.27 clears the background under what it repaints at the place the
# area has on the desktop, not on the output: on an output away from the
# desktop's corner a translucent window is drawn again over its last frame.
# Plasma's wallpaper hides it; a black one here, as swaybg draws it.
brumelis_kwin_env_backdrop() {
  brumelis_session_spawn brumelis_kwin_env_run swaybg -o '*' -c '#000000' \
    >"$BRUMELIS_KWIN_ENV_DIR/swaybg.log" 2>&1
}

brumelis_kwin_env_nested() {
  case ${BRUMELIS_KWIN_NESTED:-} in
    1) return 0 ;;
    0) return 1 ;;
  esac
  ! compgen -G '/dev/dri/renderD*' >/dev/null && compgen -G '/usr/lib/*/libkwin.so.6' >/dev/null
}

# The headless sway KWin runs in, with a runtime directory of its own: the
# program must not take it for a sway session.
brumelis_kwin_env_host() {
  local dir=$1
  command -v sway >/dev/null || {
    brumelis_kwin_env_log "KWin 6 runs nested in sway, not installed (in a suite root:" \
      "scripts/suite-root.sh make SUITE, scripts/roots/SUITE)"
    return 1
  }
  mkdir -m 0700 "$dir/host"
  ((EUID == 0)) && chown "$BRUMELIS_KWIN_USER_NAME:" "$dir/host"
  cat >"$dir/host.config" <<CONFIG
output HEADLESS-1 resolution $(brumelis_session_scaled 1280)x$(brumelis_session_scaled 800) scale ${BRUMELIS_WAYLAND_SCALE:-1} position 0 0 bg #000000 solid_color
xwayland disable
for_window [app_id=".*"] fullscreen enable
CONFIG
  chmod 0644 "$dir/host.config"
  brumelis_session_spawn brumelis_kwin_env_run env XDG_RUNTIME_DIR="$dir/host" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$dir/host.config" >"$dir/host.log" 2>&1
  if ! brumelis_session_wait 20 "$BRUMELIS_SESSION_PID" brumelis_kwin_env_host_socket "$dir/host"; then
    brumelis_kwin_env_log "sway, to hold KWin, did not start:"
    cat "$dir/host.log" >&2
    return 1
  fi
}

# wlroots names its socket wayland-N in the runtime directory.
brumelis_kwin_env_host_socket() {
  local socket
  for socket in "$1"/wayland-*; do
    [[ -S $socket ]] && { BRUMELIS_KWIN_HOST_DISPLAY=$socket; return 0; }
  done
  return 1
}

brumelis_kwin_env_start() {
  if [[ ${BRUMELIS_KWIN_ENV:-} == 1 ]]; then
    return 0
  fi
  command -v kwin_wayland >/dev/null || {
    brumelis_kwin_env_log "KWin is not installed (scripts/setup.sh; in a suite root:" \
      "scripts/suite-root.sh make SUITE, scripts/roots/SUITE)"
    return 1
  }
  BRUMELIS_KWIN_USER_NAME=$(brumelis_session_user "${BRUMELIS_KWIN_USER:-brumelis-test}") || {
    brumelis_kwin_env_log "cannot make the test user"
    return 1
  }
  local dir
  dir=$(brumelis_session_dir kwin "$BRUMELIS_KWIN_USER_NAME") || return 1
  BRUMELIS_KWIN_ENV_DIR=$dir
  BRUMELIS_KWIN_ENV_OWNER=$BASHPID
  export XDG_RUNTIME_DIR=$dir/runtime WAYLAND_DISPLAY=brumelis-kwin
  mkdir -m 0700 "$dir/data" "$dir/config"
  mkdir -p "$dir/data/applications"
  ((EUID == 0)) && chown -R "$BRUMELIS_KWIN_USER_NAME:" "$dir/data" "$dir/config"
  unset DISPLAY
  # The copy without the file capability, readable by the session's user.
  cp /usr/bin/kwin_wayland "$dir/brumelis_kwin_wayland"
  chmod 0755 "$dir/brumelis_kwin_wayland"

  # A second session bus stands for the system bus: KWin's questions there
  # (logind, UPower) are answered "nobody here" at once; without one it
  # waits for them.
  export DBUS_SESSION_BUS_ADDRESS='' DBUS_SYSTEM_BUS_ADDRESS=''
  if ! brumelis_session_bus "$dir/system-bus" brumelis_kwin_env_run ||
    ! brumelis_session_bus "$dir/session-bus" brumelis_kwin_env_run; then
    brumelis_kwin_env_stop
    return 1
  fi
  DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$dir/system-bus")
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/session-bus")

  # A virtual output's size is in logical pixels, its mode that times --scale.
  local monitors=${BRUMELIS_WAYLAND_MONITORS:-1}
  local backend=(--virtual --output-count "$monitors" --width 1280 --height 800)
  if brumelis_kwin_env_nested; then
    ((monitors == 1)) || brumelis_kwin_env_log "KWin nested in sway has one output: no second monitor"
    monitors=1
    brumelis_kwin_env_host "$dir" || { brumelis_kwin_env_stop; return 1; }
    backend=(--wayland-display "$BRUMELIS_KWIN_HOST_DISPLAY" --width "$(brumelis_session_scaled 1280)"
      --height "$(brumelis_session_scaled 800)")
    export BRUMELIS_KWIN_HOST_DISPLAY
  fi
  brumelis_session_spawn brumelis_kwin_env_run "$dir/brumelis_kwin_wayland" "${backend[@]}" \
    --socket "$WAYLAND_DISPLAY" --scale "${BRUMELIS_WAYLAND_SCALE:-1}" --no-lockscreen \
    --no-kactivities >"$dir/kwin.log" 2>&1
  if ! brumelis_session_wait 30 "$BRUMELIS_SESSION_PID" brumelis_kwin_env_answers; then
    brumelis_kwin_env_log "KWin did not start:"
    cat "$dir/kwin.log" >&2
    brumelis_kwin_env_stop
    return 1
  fi
  if ((monitors == 2)) && ! brumelis_kwin_env_second_output; then
    brumelis_kwin_env_log "KWin's second output not set to 100 % right of the first:"
    brumelis_kwin_env_outputs >&2
    brumelis_kwin_env_stop
    return 1
  fi
  # The scenarios read the toolbar's controls and message boxes there.
  brumelis_session_a11y "$dir" brumelis_kwin_env_run || { brumelis_kwin_env_stop; return 1; }
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
  export XDG_DATA_HOME=$dir/data XDG_CONFIG_HOME=$dir/config
  export BRUMELIS_KWIN_ENV=1 BRUMELIS_KWIN_USER_NAME BRUMELIS_KWIN_ENV_DIR BRUMELIS_KWIN_ENV_OWNER
  brumelis_kwin_env_log "KWin ready on $WAYLAND_DISPLAY as $BRUMELIS_KWIN_USER_NAME"
}

brumelis_kwin_env_stop() {
  brumelis_session_stop "${BRUMELIS_KWIN_ENV_DIR:-}" "${BRUMELIS_KWIN_ENV_OWNER:-}" \
    BRUMELIS_KWIN_ENV BRUMELIS_KWIN_ENV_DIR BRUMELIS_KWIN_ENV_OWNER XDG_RUNTIME_DIR \
    WAYLAND_DISPLAY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP DBUS_SESSION_BUS_ADDRESS \
    DBUS_SYSTEM_BUS_ADDRESS XDG_DATA_HOME XDG_CONFIG_HOME KWIN_SCREENSHOT_NO_PERMISSION_CHECKS \
    BRUMELIS_KWIN_HOST_DISPLAY
}
