#!/usr/bin/env bash
# Signs Windows executables in place with osslsigncode (Authenticode,
# SHA-256), with the certificate that the environment names:
#
#   BRUMELIS_SIGN_PKCS12     a .pfx/.p12 file holding the certificate, its chain
#                            and its private key
#   BRUMELIS_SIGN_PASSWORD   the file's password (optional)
#   BRUMELIS_SIGN_TIMESTAMP  an RFC 3161 time-stamp server (optional; without
#                            one the signature ends with the certificate)
#
# Usage: scripts/sign.sh FILE.exe...
# scripts/package.sh calls it for the program and the installers, and makensis
# for the uninstaller it builds.
set -euo pipefail

if [[ -z ${BRUMELIS_SIGN_PKCS12:-} ]]; then
  echo "sign: BRUMELIS_SIGN_PKCS12 names no certificate" >&2
  exit 2
fi
if [[ ! -r $BRUMELIS_SIGN_PKCS12 ]]; then
  echo "sign: cannot read the certificate $BRUMELIS_SIGN_PKCS12" >&2
  exit 1
fi

options=(-pkcs12 "$BRUMELIS_SIGN_PKCS12" -h sha256 -n Brumelis)
if [[ -n ${BRUMELIS_SIGN_TIMESTAMP:-} ]]; then
  options+=(-ts "$BRUMELIS_SIGN_TIMESTAMP")
fi

for file in "$@"; do
  # osslsigncode writes a new file and will not overwrite one.
  signed=$file.signed.$$
  rm -f "$signed"
  # The password goes through a pipe, never on a command line.
  if ! printf '%s' "${BRUMELIS_SIGN_PASSWORD:-}" |
    osslsigncode sign "${options[@]}" -readpass - -in "$file" -out "$signed" >"$signed.log" 2>&1; then
    echo "sign: osslsigncode could not sign $file:" >&2
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    exit 1
  fi
  rm -f "$signed.log"
  chmod --reference="$file" "$signed"
  mv -f "$signed" "$file"
done
