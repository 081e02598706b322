# Sourced by every command that runs Wine (test, run, package, soak, bench
# and the package tests): the one place that decides which Wine is used.
# Picks the Windows architecture that this host can execute under Wine and
# the matching build folder.
# The component ships as 32-bit code; where 32-bit Wine is not installed or
# the kernel refuses 32-bit executables (Wine's 32-bit loader then fails
# with "Exec format error") the same sources are built for 64-bit Windows
# and tested that way.
VTL_WINE64=/usr/lib/wine/wine64
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  VTL_WIN_ARCH=i686
  VTL_WINE32=/usr/lib/wine/wine
  VTL_WINE=$VTL_WINE32
else
  VTL_WIN_ARCH=x86_64
  VTL_WINE32=
  VTL_WINE=$VTL_WINE64
fi
# What a host without 32-bit Wine does not run, for the commands' summaries.
VTL_NO_WINE32_NOTE="32-bit Wine is not available: the i686 DLL was built and checked (exports, imports, PE headers) but not run; the Windows tests ran on the x86_64 build, and the x86 package was checked in a 64-bit prefix only"

# The caller's Wine settings are not inherited: a WINEARCH=win32 or a
# WINEPREFIX of the user's own would change what every command here does.
# Each command names its prefix (and, where it matters, its WINEARCH).
unset WINEARCH WINEPREFIX WINELOADER WINESERVER WINEDLLPATH
export WINEDEBUG=-all
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

# Sets tree to the Windows build folder this host can run (the first
# argument for i686, the second for x86_64) and configures it with the
# build type given when it is new.
vtl_configure_tree() {
  if [ "$VTL_WIN_ARCH" = x86_64 ]; then tree=$2; else tree=$1; fi
  [ -f "$tree/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE="$3" \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$VTL_WIN_ARCH.cmake" >/dev/null
}
