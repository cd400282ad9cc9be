#!/usr/bin/env bash
# A Debian root of another suite (trixie, forky...), made once and kept in
# BRUMELIS_ROOTS (default /var/cache/brumelis/roots), where a package or a
# desktop of that suite is tried as its users have it.
#
#   scripts/suite-root.sh make SUITE [PACKAGES...]   make it (or add packages)
#   scripts/suite-root.sh run SUITE COMMAND...        run a command chrooted in it
#
# A root is made with debootstrap (--variant=minbase, then apt-get install
# --no-install-recommends); a half-made one (no stamp) is made again. Without
# PACKAGES, `make` installs those of the suite's list, scripts/roots/SUITE,
# when they are not all in yet (a second stamp keeps the list installed).
# Documentation, manual pages and translations are left out, and dpkg does
# not sync each file: a root is a cache, made again when half-made. `run`
# bind-mounts /proc, /sys, /dev, /dev/pts, /dev/shm and /run for the command
# in a mount namespace of its own (they end with it), with the directories
# BRUMELIS_ROOT_BINDS names
# (absolute, space-separated: a build tree run in the root) at their paths.
set -euo pipefail

roots=${BRUMELIS_ROOTS:-/var/cache/brumelis/roots}
mirror=${BRUMELIS_MIRROR:-http://deb.debian.org/debian}
mounts=(proc sys dev dev/pts dev/shm run)
for bind in ${BRUMELIS_ROOT_BINDS:-}; do
  [[ $bind == /* ]] || { echo "suite-root: BRUMELIS_ROOT_BINDS wants absolute paths: $bind" >&2; exit 2; }
  mounts+=("${bind#/}")
done

usage() {
  echo "usage: $0 make SUITE [PACKAGES...] | run SUITE COMMAND..." >&2
  exit 2
}

(( $# >= 2 )) || usage
action=$1 suite=$2
shift 2
root=$roots/$suite
list=$(dirname "${BASH_SOURCE[0]}")/roots/$suite

# The command runs in a mount namespace of its own (`enter`, below): the
# mounts go with it, whoever else uses the root meanwhile.
in_root() {
  unshare -m "${BASH_SOURCE[0]}" enter "$suite" "$@"
}

case $action in
  make)
    # One maker at a time; users of the root meanwhile are not stopped.
    mkdir -p "$roots"
    exec 9>"$root.lock"
    flock 9
    if [[ ! -f $root/.made ]]; then
      command -v debootstrap >/dev/null || apt-get install -y --no-install-recommends debootstrap
      rm -rf "$root"
      mkdir -p "$roots"
      # Suites newer than this debootstrap know are made as sid is.
      script=/usr/share/debootstrap/scripts/$suite
      [[ -e $script ]] || script=/usr/share/debootstrap/scripts/sid
      debootstrap --variant=minbase "$suite" "$root" "$mirror" "$script"
      # The registry this machine reaches is a copy frozen in time: its
      # Release files outlive their Valid-Until.
      echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99brumelis-frozen-registry"
      printf '%s\n' force-unsafe-io path-exclude=/usr/share/doc/* path-include=/usr/share/doc/*/copyright \
        path-exclude=/usr/share/man/* path-exclude=/usr/share/info/* path-exclude=/usr/share/locale/* \
        >"$root/etc/dpkg/dpkg.cfg.d/99brumelis-cache"
      rm -f "$root/.packages"
      touch "$root/.made"
    fi
    from_list=
    if (( $# == 0 )) && [[ -f $list ]]; then
      read -r -a packages <<<"$(sed 's/#.*//' "$list" | tr '\n' ' ')"
      set -- "${packages[@]}"
      [[ $(cat "$root/.packages" 2>/dev/null) == "$*" ]] && set --
      from_list=$*
    fi
    if (( $# > 0 )); then
      in_root apt-get update -q
      in_root apt-get install -y -q --no-install-recommends "$@"
      [[ -z $from_list ]] || echo "$from_list" >"$root/.packages"
    fi
    echo "$root"
    ;;
  run)
    [[ -f $root/.made ]] || { echo "suite-root: no $suite root; make it first" >&2; exit 1; }
    (( $# > 0 )) || usage
    in_root "$@"
    ;;
  enter)
    # The root a mount point, as / is: a command that makes its own mount
    # namespace there (the GNOME session's) could not make / private else.
    mount --bind "$root" "$root"
    for mount in "${mounts[@]}"; do
      mkdir -p "$root/$mount"
      mount --bind "/$mount" "$root/$mount"
    done
    exec chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
      DEBIAN_FRONTEND=noninteractive "$@"
    ;;
  *) usage ;;
esac
