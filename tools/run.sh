#!/usr/bin/env bash
# The run command: installs what is missing, builds the component, registers
# it in a Wine prefix of its own (inside the build folder) and starts the
# stand-in browser. With a display, press its "VTL options" button. Without
# one, it runs under Xvfb, opens the sheet and writes a PNG of each page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}

bash "$root/tools/install-deps.sh"
source "$root/tools/wine-env.sh"
if [ "$VTL_WIN_ARCH" = x86_64 ]; then
  echo "This host cannot run 32-bit code: running the x86_64 build of the same sources."
  tree=$build/win64
else
  tree=$build/win32
fi
[ -f "$tree/CMakeCache.txt" ] ||
  cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$VTL_WIN_ARCH.cmake" >/dev/null
cmake --build "$tree" -j "$(nproc)" --target BrackwynVTL vtlhost vtlshot >/dev/null

prefix=$tree/wineprefix
[ -f "$prefix/system.reg" ] || vtl_new_prefix "$prefix"
export WINEPREFIX=$prefix
cd "$tree/bin"
"$VTL_WINE" regsvr32 /s BrackwynVTL.dll
# Let the prefix's processes end, so the browser starts on the display below.
wineserver -w

if [ -n "${DISPLAY:-}" ]; then
  exec "$VTL_WINE" vtlhost.exe
fi

shots=$build/screenshots
rm -rf "$shots"; mkdir -p "$shots"
# Drive Z: is the Linux root in every Wine prefix.
shots_win="Z:${shots//\//\\}"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$0" vtlhost.exe /press /exit & host=$!
  "$0" vtlshot.exe "$1"; status=$?
  wait $host
  exit $status' "$VTL_WINE" "$shots_win"
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
wineserver -k 2>/dev/null || true
echo "Screenshots of the options sheet:"
ls -1 "$shots"/*.png
