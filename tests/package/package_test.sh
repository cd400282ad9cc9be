#!/usr/bin/env bash
# The release files as CI proves them: scripts/package.sh with a throwaway
# self-signed certificate into a directory of its own (dist/ is left alone),
# then the files themselves: checksums, signatures, the zip's contents,
# lintian on the Debian package, the GNOME Shell extension's form its
# maintainer scripts choose, and the installer under Wine
# (installer_test.sh).
# Usage: tests/package/package_test.sh
# Prints one line per check and a last line "package: P passed, F failed";
# exits non-zero on any failure.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brumelis-package.XXXXXX")
trap 'rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

# shellcheck source=tests/package/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"

make_certificate() {
  if ! {
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Brumelis test signing" \
      -addext extendedKeyUsage=codeSigning -keyout "$work/key.pem" -out "$work/cert.pem" &&
      openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.p12" \
        -passout pass:jetable
  } >"$work/openssl.log" 2>&1; then
    cat "$work/openssl.log" >&2
    return 1
  fi
}
check "a throwaway signing certificate" make_certificate

dist=$work/dist
package() {
  BRUMELIS_SIGN_PKCS12=$work/cert.p12 BRUMELIS_SIGN_PASSWORD=jetable BRUMELIS_DIST_DIR=$dist \
    "$repo/scripts/package.sh" >"$work/package.log" 2>&1 || { cat "$work/package.log" >&2; return 1; }
  sed -n '/^== dist/,$p' "$work/package.log"
}
check "scripts/package.sh makes the release files, signed" package

version=$(sed -n 's/.*VALUE "ProductVersion", "\([0-9.]*\)".*/\1/p' "$repo/resources/brumelis.rc")
setup64=$dist/brumelis-$version-win64-setup.exe
setup32=$dist/brumelis-$version-win32-setup.exe
zip=$dist/brumelis-$version-win64.zip
deb=$dist/brumelis_${version}_amd64.deb

checksums() { (cd "$dist" && sha256sum --quiet -c SHA256SUMS) && [[ $(wc -l <"$dist/SHA256SUMS") == 5 ]]; }
check "SHA256SUMS lists the five files and matches them" checksums

signed() {
  osslsigncode verify -CAfile "$work/cert.pem" -in "$1" >"$work/verify.log" 2>&1 ||
    { cat "$work/verify.log" >&2; return 1; }
}
check "the win64 installer is signed" signed "$setup64"
check "the win32 installer is signed" signed "$setup32"

zip_contents() {
  local listing
  listing=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  [[ $listing == "brumelis-$version-win64/ brumelis-$version-win64/LISEZMOI.txt brumelis-$version-win64/brumelis.exe " ]] ||
    { echo "  the zip holds: $listing" >&2; return 1; }
  unzip -q -d "$work/zip" "$zip"
}
check "the zip holds one folder with the program and LISEZMOI.txt" zip_contents
check "the zip's program is signed" signed "$work/zip/brumelis-$version-win64/brumelis.exe"

selftest_contents() {
  local folder=brumelis-$version-win64-selftest listing
  listing=$(unzip -Z1 "$dist/$folder.zip" | sort | tr '\n' ' ')
  [[ $listing == "$folder/ $folder/AUTOTEST.txt $folder/autotest.cmd $folder/brumelis.exe $folder/brumelis_e2e.exe $folder/brumelis_hung_target.exe " ]] ||
    { echo "  the self-test zip holds: $listing" >&2; return 1; }
}
check "the self-test zip holds the program, the driver, the hung target and autotest.cmd" selftest_contents

lintian_clean() {
  # Errors and warnings fail; informational tags are shown, not counted.
  lintian --fail-on error,warning -I "$deb" 2>&1 | grep -v 'running with root privileges'
  return "${PIPESTATUS[0]}"
}
check "lintian accepts the Debian package (no error, no warning)" lintian_clean

# The toolbar's layer-shell surface on sway needs gtk-layer-shell.
layer_shell_dependency() {
  dpkg-deb -f "$deb" Depends | tr ',' '\n' | grep '^ *libgtk-layer-shell0' >/dev/null
}
check "the Debian package depends on gtk-layer-shell" layer_shell_dependency

# shellcheck source=tests/package/gnome_form_test.sh
source "$(dirname "${BASH_SOURCE[0]}")/gnome_form_test.sh"
check "the Debian package links the GNOME Shell extension's form the installed Shell loads" gnome_forms

installer() {
  BRUMELIS_TEST_SIGNING_CA=$work/cert.pem "$repo/tests/package/installer_test.sh" "$setup64" |
    tee "$work/installer.log"
  local status=${PIPESTATUS[0]} counts
  counts=$(sed -n 's/^installer: \([0-9]*\) passed, \([0-9]*\) failed$/\1 \2/p' "$work/installer.log")
  if [[ -n $counts ]]; then
    read -r installer_passed installer_failed <<<"$counts"
    passed=$((passed + installer_passed))
    failed=$((failed + installer_failed))
  fi
  return "$status"
}
installer_passed=0
installer_failed=0
if [[ -f $setup64 ]]; then
  installer || (( installer_failed > 0 )) || { echo "FAIL the installer test did not run"; failed=$((failed + 1)); }
else
  echo "FAIL no win64 installer to test"
  failed=$((failed + 1))
fi

echo "package: $passed passed, $failed failed"
(( failed == 0 ))
