#!/usr/bin/env bash
# Builds the Windows tree that this host can run and runs the Windows tests
# in a fresh Wine prefix; arguments go to the test program
# (e.g. --gtest_filter='Prefs*'). For quick runs while working.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
source "$root/tools/wine-env.sh"
vtl_configure_tree "$build/win32" "$build/win64" Debug || exit 1
cmake --build "$tree" -j "$(nproc)" 2>&1 | grep -E 'error|warning:|Error' ; 
[ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
prefix=$(mktemp -d /tmp/vtl-wine.XXXXXX)
vtl_new_prefix "$prefix"
export VTL_BIN_DIR=$tree/bin
(cd "$tree/bin" && vtl_with_display "$VTL_WINE" ./vtl_win_tests.exe "$@")
rc=$?
wineserver -k 2>/dev/null
rm -rf "$prefix"
exit $rc
