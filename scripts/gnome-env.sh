# shellcheck shell=bash
# Sourced by the scripts that run the Linux program and its tests on GNOME: a
# headless GNOME Shell (Wayland, one 1280x800 virtual monitor in logical
# pixels at BRUMELIS_WAYLAND_SCALE, a second at 100 % with
# BRUMELIS_WAYLAND_MONITORS=2, scripts/session.sh; Xwayland for
# the toolbar's window) with buses, settings, extensions and a runtime
# directory of its own, so that nothing meets another run or the machine's
# session.
#
#   brumelis_gnome_env_start    reuse the environment a caller exported, or make one
#   brumelis_gnome_env_run CMD  runs CMD in the session
#   brumelis_gnome_env_stop     tear down what brumelis_gnome_env_start made (idempotent)
#
# The Shell wants a system bus (it aborts without one): a private bus named
# by DBUS_SYSTEM_BUS_ADDRESS is enough. Where the machine runs systemd the
# Shell would look for logind seats; it runs in a mount namespace of its own
# with an empty /run/systemd, and a /tmp/.X11-unix of its own: Mutter wants
# it writable by all (1777) and Xvfb made it 1755 on some machines; X clients
# reach Xwayland through its abstract socket, which the namespace does not
# hide. Settings live in a keyfile of the run's own:
# the extensions enabled (Brumelis's from the build, the test extension of
# tests/gnome/), version checks off, banners off (as root the Shell shows a
# "privileged user" banner over the windows). The Shell starts in the
# overview, where no window has the focus: the test extension closes it.
#
# BRUMELIS_GNOME_EXTENSIONS: directories of extensions to install (each named
# after its uuid; @FORM@ in a path is the form the Shell loads: imports for
# 43 and 44, modules after), or bare uuids of extensions installed on the
# system (enabled, not copied); by default Brumelis's and the test extension
# from the native build ($BRUMELIS_BUILD_ROOT, default build/). A copy takes
# the place of an installed extension of the same uuid: the Shell reads the
# user's extensions first.
# BRUMELIS_GNOME_SHADER_CACHE: a folder for Mesa's shader cache that outlives
# the run, as a user's ~/.cache does (by default the run's own, empty: the
# Shell's software renderer compiles each drawing state on its first use).

# shellcheck source=scripts/session.sh
source "$(dirname "${BASH_SOURCE[0]}")/session.sh"

brumelis_gnome_env_log() { echo "gnome-env: $*" >&2; }

brumelis_gnome_env_run() { "$@"; }

brumelis_gnome_env_extensions() {
  local repo
  repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  local build=${BRUMELIS_BUILD_ROOT:-$repo/build}/native
  echo "$build/tests/gnome/@FORM@/brumelis-test@zolvec.example" \
    "$build/platform/gnome/@FORM@/brumelis@zolvec.example"
}

# The form of extension the installed Shell loads.
brumelis_gnome_env_form() {
  local version
  version=$(gnome-shell --version 2>/dev/null) || return 1
  [[ $version =~ ([0-9]+)\. ]] || return 1
  if ((BASH_REMATCH[1] >= 45)); then echo modules; else echo imports; fi
}

brumelis_gnome_env_uuids() {
  local extension uuids=()
  for extension in ${BRUMELIS_GNOME_ENV_EXTENSIONS:-}; do
    uuids+=("'$(basename "$extension")'")
  done
  local IFS=,
  echo "[${uuids[*]}]"
}

brumelis_gnome_env_settings() {
  mkdir -p "$XDG_CONFIG_HOME/glib-2.0/settings"
  cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<SETTINGS
[org/gnome/shell]
enabled-extensions=$(brumelis_gnome_env_uuids)
disable-extension-version-validation=true
welcome-dialog-last-shown-version='999'

[org/gnome/desktop/notifications]
show-banners=false

[org/gnome/desktop/interface]
enable-hot-corners=false

[org/gnome/mutter]
edge-tiling=false
SETTINGS
  brumelis_gnome_env_monitors
}

# The virtual monitor at the scale asked (BRUMELIS_WAYLAND_SCALE), as the
# user's display settings would keep it, in Mutter's logical layout (which
# fractional scales need). Shell 50 scales Xwayland's coordinates by the
# highest monitor scale rounded up (its native scaling, no longer an
# experimental feature there); BRUMELIS_GNOME_X11_SCALE=1 keeps them in
# logical pixels, as Shell 43 always does (Mutter's xwayland-scaling-factor).
# Shells 47 to 49 scale them only with the experimental feature
# xwayland-native-scaling, which Debian's GNOME session turns on: on unless
# BRUMELIS_GNOME_X11_SCALE is set, where the installed Mutter knows it.
brumelis_gnome_env_monitors() {
  local scale=${BRUMELIS_WAYLAND_SCALE:-1} keyfile=$XDG_CONFIG_HOME/glib-2.0/settings/keyfile
  local features="'scale-monitor-framebuffer'"
  [[ $scale == 1 && ${BRUMELIS_WAYLAND_MONITORS:-1} == 1 ]] && return 0
  if [[ -z ${BRUMELIS_GNOME_X11_SCALE:-} ]] &&
    grep -q 'nick="xwayland-native-scaling"' /usr/share/glib-2.0/schemas/org.gnome.mutter.gschema.xml 2>/dev/null; then
    features+=", 'xwayland-native-scaling'"
  fi
  echo "experimental-features=[$features]" >>"$keyfile"
  if [[ -n ${BRUMELIS_GNOME_X11_SCALE:-} ]]; then
    printf '\n[org/gnome/mutter/wayland]\nxwayland-scaling-factor=%s.0\n' "$BRUMELIS_GNOME_X11_SCALE" >>"$keyfile"
  fi
  {
    echo '<monitors version="2">'
    echo '  <configuration>'
    brumelis_gnome_env_monitor 0 0 "$scale" yes "$(brumelis_session_scaled 1280)" "$(brumelis_session_scaled 800)"
    # The second (BRUMELIS_WAYLAND_MONITORS=2): at 100 %, right of the first.
    if [[ ${BRUMELIS_WAYLAND_MONITORS:-1} == 2 ]]; then
      brumelis_gnome_env_monitor 1 1280 1 no 1280 800
    fi
    echo '  </configuration>'
    echo '</monitors>'
  } >"$XDG_CONFIG_HOME/monitors.xml"
}

# One virtual monitor's logical monitor: the Shell's Nth (Meta-N, serial
# 0xNN), at X, scale, primary or not, its mode's size.
brumelis_gnome_env_monitor() {
  cat <<MONITOR
    <logicalmonitor>
      <x>$2</x><y>0</y><scale>$3</scale><primary>$4</primary>
      <monitor>
        <monitorspec><connector>Meta-$1</connector><vendor>MetaVendor</vendor>
          <product>MetaVirtualMonitor</product><serial>0x0$1</serial></monitorspec>
        <mode><width>$5</width><height>$6</height><rate>60.000</rate></mode>
      </monitor>
    </logicalmonitor>
MONITOR
}

# The test extension says the Shell is up, its overview closed, and which X
# display Xwayland serves, with its authority file.
brumelis_gnome_env_ready() {
  local answer
  answer=$(gdbus call --session --dest org.gnome.Shell --object-path /example/zolvec/BrumelisTest \
    --method example.zolvec.BrumelisTest1.Ready 2>/dev/null) || return 1
  [[ $answer =~ \(true,\ \'([^\']*)\',\ \'([^\']*)\' ]] || return 1
  DISPLAY=${BASH_REMATCH[1]} XAUTHORITY=${BASH_REMATCH[2]}
}

brumelis_gnome_env_start() {
  if [[ ${BRUMELIS_GNOME_ENV:-} == 1 ]]; then
    return 0
  fi
  command -v gnome-shell >/dev/null || { brumelis_gnome_env_log "gnome-shell is not installed (scripts/setup.sh)"; return 1; }
  local dir extension form
  form=$(brumelis_gnome_env_form) || { brumelis_gnome_env_log "gnome-shell --version failed"; return 1; }
  dir=$(brumelis_session_dir gnome) || return 1
  BRUMELIS_GNOME_ENV_DIR=$dir
  BRUMELIS_GNOME_ENV_OWNER=$BASHPID
  export XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data
  export XDG_CACHE_HOME=$dir/cache GSETTINGS_BACKEND=keyfile
  [[ -n ${BRUMELIS_GNOME_SHADER_CACHE:-} ]] && export MESA_SHADER_CACHE_DIR=$BRUMELIS_GNOME_SHADER_CACHE
  # The session's own list, the caller's left as given: a later session (in
  # a root whose Shell loads the other form) resolves @FORM@ again.
  BRUMELIS_GNOME_ENV_EXTENSIONS=${BRUMELIS_GNOME_EXTENSIONS:-$(brumelis_gnome_env_extensions)}
  BRUMELIS_GNOME_ENV_EXTENSIONS=${BRUMELIS_GNOME_ENV_EXTENSIONS//@FORM@/$form}
  mkdir -p "$XDG_DATA_HOME/gnome-shell/extensions" "$XDG_CACHE_HOME"
  for extension in $BRUMELIS_GNOME_ENV_EXTENSIONS; do
    [[ $extension == */* ]] || continue
    cp -r "$extension" "$XDG_DATA_HOME/gnome-shell/extensions/"
  done
  brumelis_gnome_env_settings
  unset WAYLAND_DISPLAY DISPLAY SWAYSOCK
  export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME

  if ! brumelis_session_bus "$dir/system-bus" brumelis_session_plain \
    --address="unix:path=$dir/system_bus" ||
    ! brumelis_session_bus "$dir/session-bus" brumelis_session_plain \
      --address="unix:path=$XDG_RUNTIME_DIR/bus"; then
    brumelis_gnome_env_stop
    return 1
  fi
  DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$dir/system-bus")
  DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/session-bus")
  export DBUS_SYSTEM_BUS_ADDRESS DBUS_SESSION_BUS_ADDRESS
  rm -f "$XDG_RUNTIME_DIR/gnome-shell-disable-extensions"

  BRUMELIS_GNOME_WAYLAND=brumelis-gnome-$$
  # In a suite root (scripts/suite-root.sh) the run has a mount namespace of
  # its own already, which the programs must share with the Shell: the
  # extension knows the program by its file's path as the Shell sees it.
  local isolate=(unshare -m) second_monitor=()
  [[ ${BRUMELIS_WAYLAND_MONITORS:-1} == 2 ]] && second_monitor=(--virtual-monitor 1280x800)
  [[ -n ${BRUMELIS_IN_SUITE_ROOT:-} ]] && isolate=()
  brumelis_session_spawn brumelis_session_plain "${isolate[@]}" sh -c \
    'mount -t tmpfs tmpfs /run/systemd 2>/dev/null
    mkdir -p /tmp/.X11-unix && mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix && exec "$@"' shell \
    gnome-shell --headless --wayland \
    --virtual-monitor "$(brumelis_session_scaled 1280)x$(brumelis_session_scaled 800)" \
    ${second_monitor[@]+"${second_monitor[@]}"} \
    --wayland-display "$BRUMELIS_GNOME_WAYLAND" >"$dir/shell.log" 2>&1
  # At most 40 s: the Shell took 15 s to start under load once.
  if ! brumelis_session_wait 40 "$BRUMELIS_SESSION_PID" brumelis_gnome_env_ready; then
    brumelis_gnome_env_log "gnome-shell did not start:"
    tail -40 "$dir/shell.log" >&2
    brumelis_gnome_env_stop
    return 1
  fi
  export WAYLAND_DISPLAY=$BRUMELIS_GNOME_WAYLAND DISPLAY XAUTHORITY BRUMELIS_GNOME_ENV=1
  brumelis_gnome_env_log "gnome-shell ready on $WAYLAND_DISPLAY, Xwayland on $DISPLAY"
}

brumelis_gnome_env_stop() {
  brumelis_session_stop "${BRUMELIS_GNOME_ENV_DIR:-}" "${BRUMELIS_GNOME_ENV_OWNER:-}" \
    BRUMELIS_GNOME_ENV BRUMELIS_GNOME_ENV_DIR BRUMELIS_GNOME_ENV_OWNER BRUMELIS_GNOME_ENV_EXTENSIONS \
    XDG_RUNTIME_DIR XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME GSETTINGS_BACKEND DBUS_SYSTEM_BUS_ADDRESS \
    DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY DISPLAY XAUTHORITY XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
}
