# shellcheck shell=bash
# Sourced by the scripts of the desktop sessions the Linux suites run in
# (x11-env.sh, sway-env.sh, kwin-env.sh, gnome-env.sh): what they all do the
# same way. Each step waits for a state, never for a fixed time.
#
#   brumelis_session_wait SECONDS PID CMD   polls CMD until it succeeds
#   brumelis_session_user DEFAULT           the session's user (made as root)
#   brumelis_session_as_user USER CMD       CMD as that user
#   brumelis_session_plain CMD              CMD as it is (a RUN for the steps below)
#   brumelis_session_dir NAME [USER]        a directory of the run's own, printed,
#                                           with a private runtime directory (runtime/)
#   brumelis_session_spawn RUN CMD          RUN CMD in the background; its process
#                                           id in BRUMELIS_SESSION_PID
#   brumelis_session_bus FILE RUN [ARG...]  a bus daemon, its address written to FILE
#   brumelis_session_a11y DIR RUN           the accessibility bus on the session bus
#   brumelis_session_stop DIR OWNER VAR...  ends what was spawned, last first,
#                                           removes DIR, unsets the variables
#   brumelis_session_scaled LENGTH          a logical length in output pixels
# BRUMELIS_WAYLAND_SCALE: the output's scale (default 1; 2, or a fractional
# one such as 1.5). The output grows by it, so that the desktop stays
# 1280x800 logical pixels whatever the scale.
# BRUMELIS_WAYLAND_MONITORS: 2 adds a second monitor of 1280x800 pixels at
# scale 1 right of the first (at x 1280), as a monitor beside a laptop panel.
# RUN is a function that runs a command in the session (as its user, with
# its variables); with BRUMELIS_SESSION_EXEC=exec it replaces the shell.
# A shell holds one session at a time: what it spawns is ended with it.

declare -ga BRUMELIS_SESSION_PIDS

# Polls a command every 0.1 s until it succeeds, for at most the seconds
# given, giving up early when the process it waits for has died.
brumelis_session_wait() {
  local tries=$(($1 * 10)) pid=$2
  shift 2
  while ((tries > 0)); do
    "$@" && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
    tries=$((tries - 1))
  done
  return 1
}

# The user the session runs as, made (without a password, locked) when root
# asks for one that does not exist yet; an ordinary user runs it as himself.
brumelis_session_user() {
  if ((EUID != 0)); then
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
# (runuser would stay as its parent).
brumelis_session_as_user() {
  local user=$1
  shift
  if ((EUID == 0)); then
    local home
    home=$(getent passwd "$user" | cut -d: -f6)
    ${BRUMELIS_SESSION_EXEC:-} setpriv --reuid="$user" --regid="$user" --init-groups \
      env HOME="$home" USER="$user" "$@"
  else
    ${BRUMELIS_SESSION_EXEC:-} env HOME="$HOME" "$@"
  fi
}

brumelis_session_plain() { ${BRUMELIS_SESSION_EXEC:-} "$@"; }

brumelis_session_dir() {
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-$1.XXXXXX") || return 1
  chmod 0755 "$dir"
  mkdir -m 0700 "$dir/runtime" || return 1
  if ((EUID == 0)) && [[ -n ${2:-} ]]; then chown "$2:" "$dir/runtime" || return 1; fi
  echo "$dir"
}

# In the background, so that its process id is the command's.
brumelis_session_spawn() {
  BRUMELIS_SESSION_EXEC='exec' "$@" &
  BRUMELIS_SESSION_PID=$!
  BRUMELIS_SESSION_PIDS+=("$BRUMELIS_SESSION_PID")
}

brumelis_session_bus() {
  local file=$1 run=$2
  shift 2
  brumelis_session_spawn "$run" dbus-daemon --session --nofork --print-address=3 "$@" \
    3>"$file" >/dev/null 2>&1
  brumelis_session_wait 30 "$BRUMELIS_SESSION_PID" test -s "$file" || {
    echo "session: no bus daemon" >&2
    return 1
  }
}

# The accessibility bus answers with its address once its launcher owns the
# name on the session bus.
brumelis_session_a11y_ready() {
  "$1" dbus-send --session --print-reply=literal --dest=org.a11y.Bus \
    /org/a11y/bus org.a11y.Bus.GetAddress 2>/dev/null | grep -q unix:
}

# As a screen reader finds it: the tests read the toolbar's controls there.
brumelis_session_a11y() {
  local dir=$1 run=$2 launcher=/usr/libexec/at-spi-bus-launcher options=(--launch-immediately) probe=0
  # at-spi2-core 2.62 (Debian forky) aborts on --a11y=1 (the bus activates
  # it all the same); asked where it can reach no bus, any other ends well.
  { env -u DISPLAY DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent "$launcher" --a11y=1 \
    >/dev/null; } 2>/dev/null || probe=$?
  ((probe == 134)) || options+=(--a11y=1)
  brumelis_session_spawn "$run" "$launcher" "${options[@]}" >"$dir/at-spi.log" 2>&1
  brumelis_session_wait 30 "$BRUMELIS_SESSION_PID" brumelis_session_a11y_ready "$run" || {
    echo "session: the accessibility bus did not start:" >&2
    cat "$dir/at-spi.log" >&2
    return 1
  }
}

brumelis_session_stop() {
  local dir=$1 owner=$2 index pid
  shift 2
  [[ -n $dir ]] || return 0
  # Only the shell that made the session takes it down.
  [[ -z $owner || $owner == "$BASHPID" ]] || return 0
  for ((index = ${#BRUMELIS_SESSION_PIDS[@]} - 1; index >= 0; index--)); do
    pid=${BRUMELIS_SESSION_PIDS[index]}
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  BRUMELIS_SESSION_PIDS=()
  rm -rf "$dir"
  unset BRUMELIS_SESSION_PID "$@"
  return 0
}

brumelis_session_scaled() {
  awk -v size="$1" -v scale="${BRUMELIS_WAYLAND_SCALE:-1}" 'BEGIN { printf "%d", size * scale }'
}
