# shellcheck shell=bash
# Sourced by the scripts of the headless Wayland sessions (sway-env.sh,
# kwin-env.sh, gnome-env.sh): what they all do the same way.
#
#   brumelis_wayland_wait SECONDS PID CMD    polls CMD until it succeeds
#   brumelis_wayland_user DEFAULT            the session's user (made as root)
#   brumelis_wayland_as_user USER CMD        CMD as that user
#   brumelis_wayland_a11y_ready RUN          the accessibility bus answers
#   brumelis_wayland_end PID...              ends the processes, waits for them
#   brumelis_wayland_scaled LENGTH           a logical length in output pixels
#
# BRUMELIS_WAYLAND_SCALE: the output's scale (default 1; 2, or a fractional
# one such as 1.5). The output grows by it, so that the desktop stays
# 1280x800 logical pixels whatever the scale.

# Polls a command every 0.1 s until it succeeds, for at most the seconds
# given, giving up early when the process it waits for has died.
brumelis_wayland_wait() {
  local tries=$(( $1 * 10 )) pid=$2
  shift 2
  while (( tries > 0 )); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

# The user the session runs as, made (without a password, locked) when root
# asks for one that does not exist yet; an ordinary user runs it as himself.
brumelis_wayland_user() {
  if (( EUID != 0 )); then
    id -un
    return 0
  fi
  local user=$1
  if ! id "$user" >/dev/null 2>&1; then
    useradd --create-home --shell /usr/sbin/nologin "$user" >&2 || return 1
  fi
  echo "$user"
}

# The command as the session's user. As root through setpriv, which replaces
# itself with the program: a signal to the process id reaches the program
# (runuser would stay as its parent). With BRUMELIS_WAYLAND_EXEC=exec the
# shell becomes the command (a background subshell), so that its process id
# is the command's.
brumelis_wayland_as_user() {
  local user=$1
  shift
  if (( EUID == 0 )); then
    local home
    home=$(getent passwd "$user" | cut -d: -f6)
    ${BRUMELIS_WAYLAND_EXEC:-} setpriv --reuid="$user" --regid="$user" --init-groups \
      env HOME="$home" USER="$user" "$@"
  else
    ${BRUMELIS_WAYLAND_EXEC:-} env HOME="$HOME" "$@"
  fi
}

# The accessibility bus answers with its address once its launcher owns the
# name on the session bus; RUN runs a command in the session.
brumelis_wayland_a11y_ready() {
  "$1" dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | grep -q unix:
}

brumelis_wayland_end() {
  local pid
  for pid in "$@"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}

brumelis_wayland_scaled() {
  awk -v size="$1" -v scale="${BRUMELIS_WAYLAND_SCALE:-1}" 'BEGIN { printf "%d", size * scale }'
}
