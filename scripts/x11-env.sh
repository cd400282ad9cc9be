# shellcheck shell=bash
# Sourced by the scripts that run the native Linux desktop programs and their
# tests: a private X display with a real EWMH window manager and a compositor,
# so that "above", the active window, frames and opacity behave as on a
# user's desktop.
#
#   brumelis_x11_env_start    reuse the environment a caller exported, or make one
#   brumelis_x11_env_run CMD  runs CMD on the display
#   brumelis_x11_env_stop     tear down what brumelis_x11_env_start made (idempotent)
#
# BRUMELIS_X11_WM chooses the window manager, each started as its users have it:
#   openbox    (the default) with xcompmgr beside it
#   metacity   frames with invisible resize borders; composites by itself
#   xfwm4      with its own compositor (--compositor=on)
#   i3         tiling, every window floating; no _NET_WM_STATE_ABOVE and no
#              compositor, as it comes
#   icewm      through icewm-session, as its users start it, with xcompmgr
# BRUMELIS_X11_COMPOSITOR=xcompmgr or none overrides the compositor of the
# window managers that have none of their own (openbox, i3).
# BRUMELIS_X11_ENV_BARE=1 starts the display alone, without window manager or
# compositor (for the cases that need a session without EWMH support).
# BRUMELIS_X11_WM_AFTER=FILE starts the display alone too; brumelis_x11_env_run
# then starts the desktop once its command makes FILE (a program started
# with the session, before its window manager).
# The display announces itself on a file descriptor, the window manager is
# ready once the root window names its check window
# (_NET_SUPPORTING_WM_CHECK), the compositor once the _NET_WM_CM_S0
# selection has an owner.

# shellcheck source=scripts/session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

brumelis_x11_env_log() { echo "x11-env: $*" >&2; }

brumelis_x11_env_wait() { brumelis_session_wait 20 "$@"; }

brumelis_x11_env_display_announced() {
  [[ -s $1 ]] && grep -q '^[0-9][0-9]*$' "$1"
}

# The window manager's check window is named on the root and names itself.
brumelis_x11_env_wm_ready() {
  local root_check own_check
  root_check=$(xprop -root -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [[ -n $root_check ]] || return 1
  own_check=$(xprop -id "$root_check" -notype _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -n 's/.*window id # \(0x[0-9a-f]*\).*/\1/p')
  [[ $own_check == "$root_check" ]]
}

# No command-line tool reads a selection's owner; Xlib through ctypes does.
brumelis_x11_env_compositor_ready() {
  python3 - <<'EOF'
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
display = x.XOpenDisplay(None)
if not display:
    sys.exit(1)
owner = x.XGetSelectionOwner(display, x.XInternAtom(display, b"_NET_WM_CM_S0", 0))
x.XCloseDisplay(display)
sys.exit(0 if owner else 1)
EOF
}

# Starts a process in the background, logging to DIR/NAME.log, and waits for
# the state the check tells; prints the log when it does not come.
brumelis_x11_env_launch() {
  local dir=$1 name=$2 check=$3
  shift 3
  brumelis_session_spawn brumelis_session_plain "$@" >"$dir/$name.log" 2>&1
  if ! brumelis_x11_env_wait "$BRUMELIS_SESSION_PID" "$check"; then
    brumelis_x11_env_log "$name did not come up:"
    cat "$dir/$name.log" >&2
    return 1
  fi
  BRUMELIS_X11_LAUNCHED_PID=$BRUMELIS_SESSION_PID
}

# The accessibility bus's socket goes in this environment's runtime
# directory, not in one shared by the user's displays of the same number.
brumelis_x11_env_in_dir() {
  ${BRUMELIS_SESSION_EXEC:-} env XDG_RUNTIME_DIR="$BRUMELIS_X11_ENV_DIR/runtime" "$@"
}

# The command; with BRUMELIS_X11_WM_AFTER, the desktop comes once the command
# asks for it by making the file.
brumelis_x11_env_run() {
  [[ -n ${BRUMELIS_X11_WM_AFTER:-} && -n ${BRUMELIS_X11_ENV_DIR:-} ]] || { "$@"; return; }
  rm -f "$BRUMELIS_X11_WM_AFTER"
  "$@" &
  local command_pid=$!
  until [[ -e $BRUMELIS_X11_WM_AFTER ]] || ! kill -0 "$command_pid" 2>/dev/null; do sleep 0.1; done
  [[ -e $BRUMELIS_X11_WM_AFTER ]] && brumelis_x11_env_start_desktop "$BRUMELIS_X11_ENV_DIR"
  wait "$command_pid"
}

# The window manager that BRUMELIS_X11_WM names, and a compositor where it
# has none of its own and BRUMELIS_X11_COMPOSITOR does not say none.
brumelis_x11_env_start_desktop() {
  local dir=$1 wm=${BRUMELIS_X11_WM:-openbox} compositor
  case $wm in
    openbox | icewm) compositor=${BRUMELIS_X11_COMPOSITOR:-xcompmgr} ;;
    i3) compositor=${BRUMELIS_X11_COMPOSITOR:-none} ;;
    metacity | xfwm4) compositor=own ;;
    *)
      brumelis_x11_env_log "unknown window manager '$wm' (openbox, metacity, xfwm4, i3, icewm)"
      return 1
      ;;
  esac
  # A session bus, as desktops have: metacity and xfwm4 (through xfconfd)
  # read their settings there and leave at once without one, and GTK
  # programs would otherwise start a bus of their own that outlives the run.
  brumelis_session_bus "$dir/session-bus" brumelis_session_plain || return 1
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/session-bus")
  export DBUS_SESSION_BUS_ADDRESS
  BRUMELIS_X11_ENV_BUS=1
  brumelis_session_a11y "$dir" brumelis_x11_env_in_dir || return 1
  case $wm in
    openbox)
      # Undecorated windows get no border either, so that a frame can be as
      # small as the window it holds; decorated ones keep the theme's.
      cat >"$dir/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><keepBorder>no</keepBorder></theme>
  <desktops><number>1</number></desktops>
</openbox_config>
EOF
      brumelis_x11_env_launch "$dir" openbox brumelis_x11_env_wm_ready \
        openbox --sm-disable --config-file "$dir/rc.xml" || return 1
      ;;
    metacity)
      brumelis_x11_env_launch "$dir" metacity brumelis_x11_env_wm_ready \
        metacity --sm-disable --composite || return 1
      ;;
    xfwm4)
      brumelis_x11_env_launch "$dir" xfwm4 brumelis_x11_env_wm_ready \
        xfwm4 --compositor=on || return 1
      ;;
    i3)
      # Floating windows keep the place and size their programs ask for, as
      # on the desktops the toolbar follows.
      cat >"$dir/i3.config" <<'EOF'
# i3 config file (v4)
for_window [class=".*"] floating enable
EOF
      brumelis_x11_env_launch "$dir" i3 brumelis_x11_env_wm_ready i3 -c "$dir/i3.config" || return 1
      ;;
    icewm)
      brumelis_x11_env_launch "$dir" icewm brumelis_x11_env_wm_ready icewm-session || return 1
      ;;
  esac
  BRUMELIS_X11_DESKTOP=$wm
  case $compositor in
    own)
      brumelis_x11_env_wait "$BRUMELIS_X11_LAUNCHED_PID" brumelis_x11_env_compositor_ready || {
        brumelis_x11_env_log "$wm did not start compositing:"
        cat "$dir/$wm.log" >&2
        return 1
      }
      BRUMELIS_X11_DESKTOP+=" (its own compositor)"
      ;;
    xcompmgr)
      brumelis_x11_env_launch "$dir" xcompmgr brumelis_x11_env_compositor_ready xcompmgr || return 1
      BRUMELIS_X11_DESKTOP+=" and xcompmgr"
      ;;
    none) BRUMELIS_X11_DESKTOP+=" (no compositor)" ;;
    *)
      brumelis_x11_env_log "unknown compositor '$compositor' (xcompmgr, none)"
      return 1
      ;;
  esac
}

brumelis_x11_env_start() {
  if [[ ${BRUMELIS_X11_ENV:-} == 1 ]]; then
    return 0
  fi
  local dir
  dir=$(brumelis_session_dir x11) || return 1
  BRUMELIS_X11_ENV_DIR=$dir
  BRUMELIS_X11_ENV_OWNER=$BASHPID

  # Spawned first, so ended last.
  brumelis_session_spawn brumelis_session_plain Xvfb -displayfd 3 -screen 0 1280x1024x24 \
    -nolisten tcp -noreset 3>"$dir/display" >"$dir/xvfb.log" 2>&1
  BRUMELIS_X11_XVFB_PID=$BRUMELIS_SESSION_PID
  if ! brumelis_x11_env_wait "$BRUMELIS_X11_XVFB_PID" brumelis_x11_env_display_announced "$dir/display"; then
    brumelis_x11_env_log "Xvfb did not start:"
    cat "$dir/xvfb.log" >&2
    brumelis_x11_env_stop
    return 1
  fi
  DISPLAY=":$(head -n 1 "$dir/display")"
  export DISPLAY
  # Whatever session the caller runs in, the programs here talk to this display only.
  unset WAYLAND_DISPLAY
  export XDG_SESSION_TYPE=x11

  if [[ ${BRUMELIS_X11_ENV_BARE:-} != 1 && -z ${BRUMELIS_X11_WM_AFTER:-} ]] &&
    ! brumelis_x11_env_start_desktop "$dir"; then
    brumelis_x11_env_stop
    return 1
  fi
  export BRUMELIS_X11_ENV=1
  brumelis_x11_env_log "display $DISPLAY ready${BRUMELIS_X11_DESKTOP:+ with $BRUMELIS_X11_DESKTOP}"
}

brumelis_x11_env_stop() {
  local bus=()
  [[ ${BRUMELIS_X11_ENV_BUS:-} == 1 ]] && bus=(DBUS_SESSION_BUS_ADDRESS)
  brumelis_session_stop "${BRUMELIS_X11_ENV_DIR:-}" "${BRUMELIS_X11_ENV_OWNER:-}" \
    BRUMELIS_X11_ENV BRUMELIS_X11_ENV_DIR BRUMELIS_X11_ENV_OWNER BRUMELIS_X11_ENV_BUS \
    BRUMELIS_X11_LAUNCHED_PID BRUMELIS_X11_DESKTOP BRUMELIS_X11_XVFB_PID "${bus[@]}"
}
