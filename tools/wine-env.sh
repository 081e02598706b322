# Sourced by the test and run commands: picks the Windows architecture that
# this host can execute under Wine and the matching build folder.
# The component ships as 32-bit code; where the kernel refuses 32-bit
# executables (Wine's 32-bit loader then fails with "Exec format error")
# the same sources are built for 64-bit Windows and tested that way.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  VTL_WIN_ARCH=i686
  VTL_WINE=/usr/lib/wine/wine
else
  VTL_WIN_ARCH=x86_64
  VTL_WINE=/usr/lib/wine/wine64
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installers: they would stop a prefix's start with a dialog.
export WINEDLLOVERRIDES="mscoree=;mshtml="

# Creates a fresh Wine prefix in the folder given and waits until it is ready.
vtl_new_prefix() {
  export WINEPREFIX=$1
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$VTL_WINE" wineboot -i >/dev/null 2>&1
  wineserver -w
}

# Runs a command inside Xvfb when no display is set.
vtl_with_display() {
  if [ -n "${DISPLAY:-}" ]; then
    "$@"
  else
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  fi
}
