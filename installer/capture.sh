# Sourced by the package command and the package tests (after
# tools/wine-env.sh): registers DLLs with regsvr32 in a scratch Wine prefix
# and records what that wrote to the registry.
# Needs: root (the source tree), tmp (a scratch folder), prefixes (an array
# the caller's cleanup ends the wineservers of), fail (reports and exits).

winpath_in() { # prefix, Windows path -> the Linux path in that prefix
  local p=${2#C:\\}
  echo "$1/drive_c/${p//\\//}"
}

# capture OUT WINEARCH ARCH|WINDOWSPATH|FILE... (registered in that order)
capture() {
  local out=$1 winearch=$2; shift 2
  local prefix loader=/usr/lib/wine/wine entry arch wpath file modules=()
  prefix=$(mktemp -d /tmp/vtl-capture.XXXXXX)
  prefixes+=("$prefix")
  [ "$winearch" = win64 ] && loader=/usr/lib/wine/wine64
  rm -rf "$prefix"
  WINEARCH=$winearch WINEPREFIX=$prefix "$loader" wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
  for entry in "$@"; do
    IFS='|' read -r arch wpath file <<<"$entry"
    mkdir -p "$(dirname "$(winpath_in "$prefix" "$wpath")")"
    cp "$file" "$(winpath_in "$prefix" "$wpath")"
  done
  python3 "$root/installer/winreg.py" snapshot "$prefix" "$tmp/before.json"
  for entry in "$@"; do
    IFS='|' read -r arch wpath file <<<"$entry"
    local regsvr32=regsvr32
    [ "$winearch" = win64 ] && [ "$arch" = x86 ] && regsvr32='C:\windows\syswow64\regsvr32.exe'
    WINEPREFIX=$prefix "$loader" "$regsvr32" /s "$wpath" >/dev/null 2>&1 ||
      { fail "regsvr32 of the $arch DLL failed in a scratch $winearch prefix"; return 1; }
    WINEPREFIX=$prefix wineserver -w
    modules+=("$arch=$wpath")
  done
  python3 "$root/installer/winreg.py" snapshot "$prefix" "$tmp/after.json"
  # Unregistered again, last first: what that leaves (keys the scripts mark
  # as never removed) a package must not remove either.
  local i
  for ((i = $# - 1; i >= 0; i--)); do
    entry=${*:i+1:1}
    IFS='|' read -r arch wpath file <<<"$entry"
    local regsvr32=regsvr32
    [ "$winearch" = win64 ] && [ "$arch" = x86 ] && regsvr32='C:\windows\syswow64\regsvr32.exe'
    WINEPREFIX=$prefix "$loader" "$regsvr32" /s /u "$wpath" >/dev/null 2>&1 ||
      { fail "regsvr32 /u of the $arch DLL failed in a scratch $winearch prefix"; return 1; }
    WINEPREFIX=$prefix wineserver -w
  done
  python3 "$root/installer/winreg.py" snapshot "$prefix" "$tmp/unregistered.json"
  python3 "$root/installer/winreg.py" capture "$tmp/before.json" "$tmp/after.json" "$tmp/unregistered.json" \
    "$winearch" "$out" "${modules[@]}"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
}

