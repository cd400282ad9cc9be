#!/usr/bin/env bash
# Makes the release files in dist/ (or BRUMELIS_DIST_DIR):
#
#   brumelis-<version>-win64-setup.exe   per-user installers (NSIS)
#   brumelis-<version>-win32-setup.exe
#   brumelis-<version>-win64.zip         the portable program and LISEZMOI.txt
#   brumelis-<version>-win64-selftest.zip the program, the end-to-end driver and
#                                        autotest.cmd, for a run on a real PC
#   brumelis_<version>_amd64.deb         the Linux/X11 program
#   SHA256SUMS
#
# The version is the one of the program's version record
# (resources/brumelis.rc); the Debian package takes it from there too.
# Installs what is missing and builds what is out of date first.
# With BRUMELIS_SIGN_PKCS12 set, the programs, the uninstallers and the
# installers are signed (scripts/sign.sh says how); without it they are not,
# and this script says so.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_root=${BRUMELIS_BUILD_ROOT:-$repo/build}
dist=${BRUMELIS_DIST_DIR:-$repo/dist}
cd "$repo"

"$repo/scripts/setup.sh"
BRUMELIS_BUILD_TARGET=brumelis "$repo/scripts/build.sh" x86_64 i686
# The driver brings the program and the hung target along.
BRUMELIS_BUILD_TARGET=brumelis_e2e "$repo/scripts/build.sh" x86_64
# CPack builds the whole native tree before it packages.
"$repo/scripts/build.sh" native

record=$repo/resources/brumelis.rc
version=$(sed -n 's/.*VALUE "ProductVersion", "\([0-9.]*\)".*/\1/p' "$record")
file_version=$(sed -n 's/^FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' "$record")
if [[ -z $version || -z $file_version ]]; then
  echo "package: no version record in $record" >&2
  exit 1
fi
echo "== package Brumelis $version into $dist"

sign=()
if [[ -n ${BRUMELIS_SIGN_PKCS12:-} ]]; then
  sign=("$repo/scripts/sign.sh")
  echo "package: signing with $BRUMELIS_SIGN_PKCS12"
else
  echo "package: BRUMELIS_SIGN_PKCS12 is not set: the Windows files are NOT signed"
fi

staging=$build_root/package
rm -rf "$staging"
mkdir -p "$staging" "$dist"
# Only what an earlier run wrote: the folder may hold other files.
rm -f "$dist"/brumelis-*-setup.exe "$dist"/brumelis-*.zip "$dist"/brumelis_*.deb "$dist/SHA256SUMS"

# Every file of the archive gets the same time, so that the same sources
# give the same zip.
epoch=$(git log -1 --format=%ct 2>/dev/null || date +%s)

# The programs, signed before they go into the installers and the zip.
for arch in win64 win32; do
  case $arch in
    win64) tree=x86_64 ;;
    win32) tree=i686 ;;
  esac
  mkdir -p "$staging/$arch"
  cp "$build_root/$tree/brumelis.exe" "$staging/$arch/brumelis.exe"
  if (( ${#sign[@]} > 0 )); then "${sign[@]}" "$staging/$arch/brumelis.exe"; fi

  setup=$dist/brumelis-$version-$arch-setup.exe
  defines=(-DVERSION="$version" -DFILE_VERSION="$file_version" -DARCH="$arch"
    -DPROGRAM="$staging/$arch/brumelis.exe" -DICON="$repo/resources/brumelis.ico"
    -DOUTFILE="$setup")
  if (( ${#sign[@]} > 0 )); then defines+=(-DSIGN_COMMAND="${sign[0]}"); fi
  makensis -V2 -WX "${defines[@]}" "$repo/packaging/windows/brumelis.nsi"
  if (( ${#sign[@]} > 0 )); then "${sign[@]}" "$setup"; fi
done

# The portable zip: one folder with the program and its text, in Windows'
# line endings and with a byte-order mark, so that every Notepad reads it as
# UTF-8.
portable=brumelis-$version-win64
mkdir -p "$staging/zip/$portable"
cp "$staging/win64/brumelis.exe" "$staging/zip/$portable/"
{
  printf '\xef\xbb\xbf'
  sed "s/@VERSION@/$version/g; s/\$/\r/" "$repo/packaging/windows/LISEZMOI.txt"
} >"$staging/zip/$portable/LISEZMOI.txt"
find "$staging/zip" -exec touch -d "@$epoch" {} +
(cd "$staging/zip" && TZ=UTC zip -q -X -r "$dist/$portable.zip" "$portable")

# The self-test: the end-to-end driver runs unchanged on Windows and finds the
# program and the hung target beside it; autotest.cmd writes its table.
selftest=brumelis-$version-win64-selftest
mkdir -p "$staging/selftest/$selftest"
cp "$staging/win64/brumelis.exe" "$build_root/x86_64/tests/e2e/brumelis_e2e.exe" \
  "$build_root/x86_64/tests/e2e/brumelis_hung_target.exe" "$staging/selftest/$selftest/"
for text in autotest.cmd AUTOTEST.txt; do
  {
    [[ $text == *.txt ]] && printf '\xef\xbb\xbf'
    sed "s/@VERSION@/$version/g; s/\$/\r/" "$repo/packaging/windows/$text"
  } >"$staging/selftest/$selftest/$text"
done
find "$staging/selftest" -exec touch -d "@$epoch" {} +
(cd "$staging/selftest" && TZ=UTC zip -q -X -r "$dist/$selftest.zip" "$selftest")

# The Debian package, from the native tree.
rm -rf "$build_root/native/packages"
(cd "$build_root/native" && cpack -G DEB >"$staging/cpack.log" 2>&1) ||
  { cat "$staging/cpack.log" >&2; exit 1; }
cp "$build_root/native/packages/brumelis_${version}_amd64.deb" "$dist/"

released=("brumelis-$version-win64-setup.exe" "brumelis-$version-win32-setup.exe"
  "$portable.zip" "$selftest.zip" "brumelis_${version}_amd64.deb")
(cd "$dist" && sha256sum -- "${released[@]}" >SHA256SUMS)

echo "== dist"
(cd "$dist" && stat -c '%10s  %n' -- "${released[@]}" SHA256SUMS)
