# Sourced by package_test.sh: the Debian package's maintainer scripts link the
# GNOME Shell extension's form that the installed Shell loads, in a root of
# their own whose dpkg database names that Shell.
# shellcheck shell=bash

: "${deb:?}" "${work:?}"

# A root with the package's files and GNOME Shell STATUS
# VERSION in its database ("none": not there at all).
form_root() {
  local root=$1 status=$2 version=$3
  rm -rf "$root"
  mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
  dpkg-deb -x "$deb" "$root"
  if [[ $status == none ]]; then
    : >"$root/var/lib/dpkg/status"
  else
    printf 'Package: gnome-shell\nStatus: install ok %s\nArchitecture: amd64\nVersion: %s\n\n' \
      "$status" "$version" >"$root/var/lib/dpkg/status"
  fi
}

# The form the link names in ROOT, or what is there instead.
linked_form() {
  local link=$1/usr/share/gnome-shell/extensions/brumelis@zolvec.example
  if [[ -L $link ]]; then
    readlink "$link" | sed -n 's|^/usr/share/brumelis/gnome-shell/\([0-9]*\)/brumelis@zolvec.example$|\1|p'
  elif [[ -e $link ]]; then
    echo "not a link"
  else
    echo "nothing"
  fi
}

maintainer() { DPKG_ROOT=$1 sh "$work/control/$2" "${@:3}" >"$work/maintainer.log" 2>&1; }

gnome_form_case() {
  local status=$1 version=$2 expected=$3 root=$work/root
  form_root "$root" "$status" "$version"
  maintainer "$root" postinst configure || { cat "$work/maintainer.log" >&2; return 1; }
  local form
  form=$(linked_form "$root")
  local linked=$root/usr/share/brumelis/gnome-shell/$form/brumelis@zolvec.example
  [[ $form == "$expected" && -f $linked/metadata.json ]] ||
    { echo "  GNOME Shell $status $version: linked '$form', expected $expected" >&2; return 1; }
  # The keys' schema, compiled, where the extension reads it.
  gsettings --schemadir "$linked/schemas" list-keys org.gnome.shell.extensions.brumelis | grep -x keep-above >/dev/null ||
    { echo "  the $form form has no compiled keys schema" >&2; return 1; }
}

# GNOME changes under the package: the trigger chooses again; removal takes
# the link away; a directory someone put there is left alone.
gnome_form_lifecycle() {
  local root=$work/root
  form_root "$root" installed 43.9-0+deb12u2
  maintainer "$root" postinst configure &&
    sed -i 's/^Version: .*/Version: 50.5-1/' "$root/var/lib/dpkg/status" &&
    maintainer "$root" postinst triggered /usr/bin/gnome-shell &&
    [[ $(linked_form "$root") == 45 ]] &&
    maintainer "$root" postrm remove && [[ $(linked_form "$root") == nothing ]] || return 1
  mkdir "$root/usr/share/gnome-shell/extensions/brumelis@zolvec.example"
  maintainer "$root" postinst configure && [[ $(linked_form "$root") == "not a link" ]] &&
    maintainer "$root" postrm purge && [[ $(linked_form "$root") == "not a link" ]]
}

gnome_forms() {
  dpkg-deb -e "$deb" "$work/control" || return 1
  grep -x 'interest-noawait /usr/bin/gnome-shell' "$work/control/triggers" >/dev/null ||
    { echo "  no trigger on GNOME Shell" >&2; return 1; }
  local cases=(
    "installed 43.9-0+deb12u2 43" "unpacked 44.10-1 43" "half-configured 43.9-0+deb12u2 43" "installed 46.0-0ubuntu6 45"
    "triggers-pending 1:50.5-1 45" "none - 45" "config-files 43.9-0+deb12u2 45"
  ) entry
  for entry in "${cases[@]}"; do
    # shellcheck disable=SC2086
    gnome_form_case $entry || return 1
  done
  gnome_form_lifecycle || { cat "$work/maintainer.log" >&2; echo "  the trigger, the removal or the left-alone directory failed" >&2; return 1; }
}
