# Sourced by the Linux measurements: waits on the display, and the still
# target they all measure beside. Needs $work (a scratch folder) and $build
# (the native build tree).
# shellcheck shell=bash disable=SC2154

# Polls until the command succeeds, for at most 20 s.
wait_for() {
  local tries=0
  until "$@"; do
    (( ++tries < 200 )) || return 1
    sleep 0.1
  done
}
# Read whole, then searched: under pipefail "| grep -q" fails when the
# writer outlives the first match.
shows() {
  local tree
  tree=$(xwininfo -root -tree) && grep -qE "$1" <<<"$tree"
}
active_is() {
  local active
  active=$(xprop -root _NET_ACTIVE_WINDOW) && [[ ${active,,} == *"$(printf '0x%x' "$1")"* ]]
}

# A framed window of another process, made the active one; its id in
# $target, its input on descriptor 4.
start_still_target() {
  mkfifo "$work/target-input"
  "$build/tests/x11/brumelis_x11_target" --title=Cible --rect=200,150,800,600 --decorated \
    <"$work/target-input" >"$work/target.out" &
  exec 4>"$work/target-input"
  wait_for test -s "$work/target.out" || return 1
  target=$(head -n 1 "$work/target.out")
  xdotool windowactivate "$target" 2>/dev/null || true
  wait_for active_is "$target"
}
