# shellcheck shell=bash
# Sourced by the scripts that run the native Linux desktop programs and their
# tests: a private X display with a real EWMH window manager (Openbox) and a
# compositor (xcompmgr), so that "above", the active window, frames and
# opacity behave as on a user's desktop.
#
#   brumelis_x11_env_start   reuse the environment a caller exported, or make one
#   brumelis_x11_env_stop    tear down what brumelis_x11_env_start made (idempotent)
#
# BRUMELIS_X11_ENV_BARE=1 starts the display alone, without window manager or
# compositor (for the cases that need a session without EWMH support).
# Each step waits for the state it needs, never for a fixed time: the display
# announces itself on a file descriptor, Openbox is ready once the root window
# names its check window (_NET_SUPPORTING_WM_CHECK), the compositor once the
# _NET_WM_CM_S0 selection has an owner.

brumelis_x11_env_log() { echo "x11-env: $*" >&2; }

# Polls a command every 0.1 s until it succeeds, for at most 20 s, giving up
# early when the process it waits for has died.
brumelis_x11_env_wait() {
  local pid=$1 tries=0
  shift
  while (( tries < 200 )); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

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

brumelis_x11_env_start() {
  if [[ ${BRUMELIS_X11_ENV:-} == 1 ]]; then
    return 0
  fi
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-x11.XXXXXX") || return 1
  BRUMELIS_X11_ENV_DIR=$dir
  BRUMELIS_X11_ENV_OWNER=$BASHPID

  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  BRUMELIS_X11_XVFB_PID=$!
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

  if [[ ${BRUMELIS_X11_ENV_BARE:-} != 1 ]]; then
    # Undecorated windows get no border either, so that a frame can be as
    # small as the window it holds; decorated ones keep the theme's.
    cat >"$dir/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><keepBorder>no</keepBorder></theme>
  <desktops><number>1</number></desktops>
</openbox_config>
EOF
    openbox --sm-disable --config-file "$dir/rc.xml" >"$dir/openbox.log" 2>&1 &
    BRUMELIS_X11_WM_PID=$!
    if ! brumelis_x11_env_wait "$BRUMELIS_X11_WM_PID" brumelis_x11_env_wm_ready; then
      brumelis_x11_env_log "Openbox did not come up:"
      cat "$dir/openbox.log" >&2
      brumelis_x11_env_stop
      return 1
    fi
    xcompmgr >"$dir/xcompmgr.log" 2>&1 &
    BRUMELIS_X11_COMPOSITOR_PID=$!
    if ! brumelis_x11_env_wait "$BRUMELIS_X11_COMPOSITOR_PID" brumelis_x11_env_compositor_ready; then
      brumelis_x11_env_log "the compositor did not come up:"
      cat "$dir/xcompmgr.log" >&2
      brumelis_x11_env_stop
      return 1
    fi
  fi
  export BRUMELIS_X11_ENV=1
  brumelis_x11_env_log "display $DISPLAY ready${BRUMELIS_X11_WM_PID:+ with Openbox and xcompmgr}"
}

brumelis_x11_env_stop() {
  [[ -n ${BRUMELIS_X11_ENV_DIR:-} ]] || return 0
  # Only the shell that made the environment takes it down.
  if [[ -n ${BRUMELIS_X11_ENV_OWNER:-} && ${BRUMELIS_X11_ENV_OWNER} != "$BASHPID" ]]; then
    return 0
  fi
  local pid
  for pid in ${BRUMELIS_X11_COMPOSITOR_PID:-} ${BRUMELIS_X11_WM_PID:-} ${BRUMELIS_X11_XVFB_PID:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$BRUMELIS_X11_ENV_DIR"
  unset BRUMELIS_X11_ENV BRUMELIS_X11_ENV_DIR BRUMELIS_X11_ENV_OWNER \
    BRUMELIS_X11_XVFB_PID BRUMELIS_X11_WM_PID BRUMELIS_X11_COMPOSITOR_PID
  return 0
}
