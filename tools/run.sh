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
[ "$VTL_WIN_ARCH" = x86_64 ] &&
  echo "This host cannot run 32-bit code: running the x86_64 build of the same sources."
vtl_configure_tree "$build/win32" "$build/win64" Debug
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
setting() { "$VTL_WINE" reg "$@" /f >/dev/null 2>&1 || true; }
dpi() { # pixels per inch, read by Wine from either place
  setting add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1"
  setting add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1"
}
# No window manager runs under Xvfb: let Wine draw frames and captions itself.
setting add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N
# A few header pairs, unless the prefix's preferences already have some.
"$VTL_WINE" vtlshot.exe /seed
# Each look: file-name prefix, visual styles on (1) or off (0), pixels per inch.
for look in "themed- 1 96" "classic- 0 96" "themed-144dpi- 1 144"; do
  set -- $look
  setting add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
    /v ThemeActive /t REG_SZ /d "$2"
  dpi "$3"
  wineserver -w
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$0" vtlhost.exe /press /exit & host=$!
    "$0" vtlshot.exe "$1" "$2"; status=$?
    wait $host
    exit $status' "$VTL_WINE" "$shots_win" "$1"
done
# Back to the prefix's ordinary look for a run with a display.
setting add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' \
  /v ThemeActive /t REG_SZ /d 1
dpi 96
# The RDF Data Access page with both endpoints set by an administrator's
# machine policies, for one more shot; the policies go again afterwards.
policy='HKLM\Software\Policies\Brackwyn Software\Vantrel'
while read -r name value; do
  setting add "$policy" /v "$name" /t REG_SZ /d "$value" /reg:64
done <<'POLICIES'
proxyservice custom
proxycustendpoint https://rdfizer.corp.example/about/?url=
sparqltype corvessa-ssl
sparqlhost sparql.corp.example
sparqlport 443
sparqlcustendpoint https://sparql.corp.example/sparql
POLICIES
wineserver -w
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  "$0" vtlhost.exe /press /exit & host=$!
  "$0" vtlshot.exe "$1" policy-; status=$?
  wait $host
  exit $status' "$VTL_WINE" "$shots_win"
rm -f "$shots"/policy-viewers.bmp "$shots"/policy-about.bmp
setting delete "$policy" /reg:64
setting delete 'HKCU\Software\Wine\X11 Driver' /v Decorated
wineserver -w
for bmp in "$shots"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm "$bmp"
done
wineserver -k 2>/dev/null || true
echo "Screenshots of the options sheet:"
ls -1 "$shots"/*.png
