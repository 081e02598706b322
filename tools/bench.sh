#!/usr/bin/env bash
# The benchmark: builds the release tree of the architecture this host runs
# under Wine (build/bench32 or build/bench64), then runs vtl_bench in a fresh
# Wine prefix (under Xvfb when no display is set) and prints its table.
# Arguments go to the program: [--only=list|sheet|prefs] [runs [rows
# [slowRuns]]]; --only=prefs runs the preferences rows alone. Run on an idle
# machine; the system ListView's slowest steps take minutes under Wine.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
source "$root/tools/wine-env.sh"
vtl_configure_tree "$build/bench32" "$build/bench64" Release || exit 1
cmake --build "$tree" -j "$(nproc)" --target vtl_bench 2>&1 | grep -E 'error|warning:|Error'
[ "${PIPESTATUS[0]}" -eq 0 ] || exit 1
prefix=$(mktemp -d /tmp/vtl-wine.XXXXXX)
vtl_new_prefix "$prefix"
echo "vtl_bench, $VTL_WIN_ARCH release build ($tree), Wine $("$VTL_WINE" --version)"
(cd "$tree/bin" && vtl_with_display "$VTL_WINE" ./vtl_bench.exe "$@")
rc=$?
wineserver -k 2>/dev/null
rm -rf "$prefix"
exit $rc
