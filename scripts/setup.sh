#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. Asks apt only
# when something is missing, so a second run does nothing.
set -euo pipefail

packages=(
  cmake g++ make                       # native build
  googletest libgtest-dev              # GoogleTest: sources for MinGW, library for native
  libbenchmark-dev                     # Google Benchmark
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64                          # runs the x86_64 program and test drivers
  xvfb x11-utils                       # a private display; xwininfo to watch it, xmessage
  imagemagick                          # screenshots (import) and BMP to PNG
  python3                              # resource generation
  libx11-dev pkg-config                # the native X11 window system
  libgtk-3-dev                         # the native form toolkit
  openbox xcompmgr                     # a real EWMH window manager and a compositor on Xvfb
  xdotool libxtst-dev                  # real input on the Linux desktop (XTest)
  nsis osslsigncode zip unzip openssl  # release files: installers, signing, the portable zip
  lintian                              # Debian's checker, run on the .deb
  libgtk-layer-shell-dev               # the toolbar as a layer-shell surface on wlroots
  nlohmann-json3-dev                   # sway's IPC speaks JSON
  libwayland-dev libwayland-bin        # the test pointer's Wayland client, wayland-scanner
  clang libclang-rt-14-dev             # the fuzz harnesses: libFuzzer and clang's sanitizers
)

# The window managers the end-to-end suite also runs under, without the
# desktop software they recommend (media players, spell checkers).
desktop_packages=(
  metacity                             # frames with invisible borders, its own compositor
  xfwm4 xfconf                         # its own compositor; its settings daemon
  i3-wm                                # tiling, without _NET_WM_STATE_ABOVE
  icewm                                # names its check window late in its start
  dbus-x11                             # a session bus for them (dbus-launch)
  at-spi2-core libatspi2.0-dev         # the accessibility bus, read by the end-to-end driver
  sway grim swaybg                     # a headless wlroots compositor, its screenshots, a plain background
  wtype                                # key presses on sway (the virtual keyboard)
  # Headless KWin 5.27 (about 40 s of apt on a machine with GTK already),
  # qdbus to load test scripts, Breeze so that KWin draws frames, and the
  # fake-input protocol's description for the test pointer.
  kwin-wayland qdbus-qt5 kwin-style-breeze plasma-wayland-protocols
  libkf5screen-bin qtwayland5          # kscreen-doctor: the second KWin output's scale and place
  gnome-shell xwayland                 # a headless GNOME Shell; Xwayland for the toolbar there
  nodejs                               # parses the GNOME 45+ form of the extension
  libglib2.0-bin                       # glib-compile-schemas: the extension's keys
)

# Prints the packages of the list that are not installed.
missing_of() {
  local package
  for package in "$@"; do
    if [[ $(dpkg-query -W -f='${Status}' "$package" 2>/dev/null) != 'install ok installed' ]]; then
      echo "$package"
    fi
  done
}
mapfile -t missing < <(missing_of "${packages[@]}")
mapfile -t missing_desktops < <(missing_of "${desktop_packages[@]}")

if (( ${#missing[@]} + ${#missing_desktops[@]} == 0 )); then
  echo "setup: all $((${#packages[@]} + ${#desktop_packages[@]})) packages present"
  exit 0
fi

echo "setup: installing ${missing[*]} ${missing_desktops[*]}"
sudo=()
if (( EUID != 0 )); then
  command -v sudo >/dev/null || { echo "setup: run as root (or install sudo) to install packages" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
if (( ${#missing[@]} > 0 )); then
  "${sudo[@]}" apt-get install -y "${missing[@]}"
fi
if (( ${#missing_desktops[@]} > 0 )); then
  "${sudo[@]}" apt-get install -y --no-install-recommends "${missing_desktops[@]}"
fi
