# shellcheck shell=bash
# Sourced by the scripts that run Win32 programs: a private X display and a
# fresh Wine prefix, set up once and shared by every program of the run.
#
#   brumelis_wine_env_start   reuse the environment a caller exported, or make one
#   brumelis_wine_env_stop    tear down what brumelis_wine_env_start made (idempotent)
#
# The prefix sets Managed=N for the X11 driver: without a window manager, a
# click on a managed-less borderless popup otherwise hands the foreground to
# the desktop window on release (docs/testing-under-wine.md).
# BRUMELIS_WINE_DPI (e.g. 144 for 150 %) sets the display's dots per inch
# (LogPixels) in the prefix it makes; 96 otherwise.

brumelis_wine_env_log() { echo "wine-env: $*" >&2; }

# Waits until the file holds a line or the process has died; Xvfb writes its
# display number there once it accepts clients.
brumelis_wine_env_wait_for_display() {
  local file=$1 pid=$2 tries=0
  while (( tries < 200 )); do
    if [[ -s $file ]] && grep -q '^[0-9][0-9]*$' "$file"; then return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

brumelis_wine_env_start() {
  if [[ ${BRUMELIS_WINE_ENV:-} == 1 ]]; then
    return 0
  fi
  local dir
  dir=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-wine.XXXXXX") || return 1
  BRUMELIS_WINE_ENV_DIR=$dir

  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  BRUMELIS_XVFB_PID=$!
  if ! brumelis_wine_env_wait_for_display "$dir/display" "$BRUMELIS_XVFB_PID"; then
    brumelis_wine_env_log "Xvfb did not start:"
    cat "$dir/xvfb.log" >&2
    brumelis_wine_env_stop
    return 1
  fi
  DISPLAY=":$(head -n 1 "$dir/display")"
  export DISPLAY

  export WINEPREFIX="$dir/prefix"
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs: nothing here needs them.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  local started=$SECONDS
  if ! wine wineboot --init >"$dir/wineboot.log" 2>&1; then
    brumelis_wine_env_log "wineboot failed:"
    cat "$dir/wineboot.log" >&2
    brumelis_wine_env_stop
    return 1
  fi
  wineserver -w
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 &&
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 &&
    if [[ -n ${BRUMELIS_WINE_DPI:-} ]]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$BRUMELIS_WINE_DPI" /f >/dev/null 2>&1
    fi
  local reg_status=$?
  wineserver -w
  if (( reg_status != 0 )); then
    brumelis_wine_env_log "could not write the prefix settings"
    brumelis_wine_env_stop
    return 1
  fi
  # One server for the whole run: programs start faster and share its state.
  # Its service processes start now, away from the callers' output pipes.
  wineserver -p >/dev/null 2>&1
  wine reg query 'HKCU\Software\Wine\X11 Driver' >/dev/null 2>&1 </dev/null
  export BRUMELIS_WINE_ENV=1
  BRUMELIS_WINE_ENV_OWNER=$BASHPID
  brumelis_wine_env_log "display $DISPLAY, prefix $WINEPREFIX ready in $((SECONDS - started)) s"
}

brumelis_wine_env_stop() {
  [[ -n ${BRUMELIS_WINE_ENV_DIR:-} ]] || return 0
  # Only the shell that made the environment takes it down.
  if [[ -n ${BRUMELIS_WINE_ENV_OWNER:-} && ${BRUMELIS_WINE_ENV_OWNER} != "$BASHPID" ]]; then
    return 0
  fi
  if [[ -d ${BRUMELIS_WINE_ENV_DIR}/prefix ]]; then
    WINEPREFIX="$BRUMELIS_WINE_ENV_DIR/prefix" wineserver -k 2>/dev/null
    WINEPREFIX="$BRUMELIS_WINE_ENV_DIR/prefix" wineserver -w 2>/dev/null
  fi
  if [[ -n ${BRUMELIS_XVFB_PID:-} ]]; then
    kill "$BRUMELIS_XVFB_PID" 2>/dev/null || true
    wait "$BRUMELIS_XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$BRUMELIS_WINE_ENV_DIR"
  unset BRUMELIS_WINE_ENV BRUMELIS_WINE_ENV_DIR BRUMELIS_XVFB_PID BRUMELIS_WINE_ENV_OWNER
  return 0
}
