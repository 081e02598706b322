#!/usr/bin/env bash
# Installs the system packages the build, the tests and the run command need.
# Idempotent: only packages that are absent are fetched. Runs as root on Debian 12.
#
# Two steps. The amd64 tool set is required: when it cannot be installed
# the command stops with a message. 32-bit Wine only adds tests (the
# commands work with 64-bit Wine alone), so its install may fail: the plain
# install is tried, then once more with the i386 packages and their twins
# taken from the main archive only (a security index that is out of sync
# otherwise leaves them unresolvable). When both fail, the command goes on
# and says what that costs. The failure is remembered in $wine32_marker for
# a day, so that later runs (every command calls this one) do not try the
# package indexes again each time; remove that file to try at once.
set -euo pipefail

# Named one by one, since packages are installed without their
# recommendations: clang alone lacks the fuzzer and sanitizer runtimes.
native=(cmake make g++ clang libclang-rt-14-dev python3 git googletest xvfb xauth
        imagemagick mingw-w64 mingw-w64-tools libwine-dev fonts-wine
        wixl msitools osslsigncode openssl faketime wine wine64)
wine32=wine32:i386
wine32_marker=${VTL_WINE32_MARKER:-/var/lib/vantrel-build/wine32-unavailable}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

export DEBIAN_FRONTEND=noninteractive
updated=no
# A mirror that is being synced fails the update now and then (an index of
# an unexpected size): try again after a pause, then go on with the indexes
# that did arrive; the install says plainly if a package cannot be had.
update_indexes() {
  [ "$updated" = yes ] && return 0
  local attempt
  for attempt in 1 2 3; do
    apt-get update -qq && break
    echo "install-deps: package index update failed (attempt $attempt of 3)" >&2
    [ "$attempt" -lt 3 ] && sleep 20
  done
  updated=yes
}

# --- The amd64 tool set: required. --------------------------------------------
missing=()
for p in "${native[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  update_indexes
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null || {
    echo "install-deps: the build tools could not be installed (${missing[*]}); see apt-get's message above" >&2
    exit 1
  }
fi

# --- 32-bit Wine: optional. ----------------------------------------------------
installed "$wine32" && exit 0
if [ -f "$wine32_marker" ] && [ -n "$(find "$wine32_marker" -mmin -1440)" ]; then
  exit 0
fi
unavailable() {
  mkdir -p "$(dirname "$wine32_marker")"
  { date -u '+%Y-%m-%d %H:%M UTC'; echo "$1"; } >"$wine32_marker"
  echo "install-deps: 32-bit Wine is not available ($1): the Windows tests run on the x86_64 build," \
       "and the i686 DLL is built and checked but not run (no tests, no install of the x86 package in a 32-bit prefix)" >&2
  exit 0
}
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386 2>/dev/null || unavailable "dpkg refuses the i386 architecture"
  updated=no
fi
update_indexes
apt-get install -y -qq --no-install-recommends "$wine32" >/dev/null 2>&1 ||
  apt-get install -y -qq --no-install-recommends -t bookworm "$wine32" >/dev/null 2>&1 ||
  unavailable "apt-get cannot install $wine32, from the security archive nor from the main archive alone"
rm -f "$wine32_marker"
