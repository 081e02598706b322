#!/usr/bin/env bash
# Installs the system packages the build, the tests and the run command need.
# Idempotent: only packages that are absent are fetched. Runs as root on Debian 12.
set -euo pipefail

# Named one by one, since packages are installed without their
# recommendations: clang alone lacks the fuzzer and sanitizer runtimes.
native=(cmake make g++ clang libclang-rt-14-dev python3 git googletest xvfb xauth
        imagemagick mingw-w64 mingw-w64-tools libwine-dev fonts-wine
        wixl msitools osslsigncode openssl faketime)
i386=(wine wine64 wine32:i386)

missing=()
for p in "${native[@]}" "${i386[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror that is being synced fails the update now and then (an index of
# an unexpected size): try again after a pause, then go on with the indexes
# that did arrive; the install says plainly if a package cannot be had.
for attempt in 1 2 3 4 5; do
  apt-get update -qq && break
  echo "install-deps: package index update failed (attempt $attempt of 5)" >&2
  [ "$attempt" -lt 5 ] && sleep 30
done
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
