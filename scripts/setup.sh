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
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$package")
  fi
done

if (( ${#missing[@]} == 0 )); then
  echo "setup: all ${#packages[@]} packages present"
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=()
if (( EUID != 0 )); then
  command -v sudo >/dev/null || { echo "setup: run as root (or install sudo) to install packages" >&2; exit 1; }
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y "${missing[@]}"
