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
# Writes OUT and, beside it, OUT's name with "-before" added: the prefix's
# registry before the registration (its links give the 32-bit view).
# The scratch prefix is removed whether the capture succeeds or not.
capture() {
  local out=$1 winearch=$2; shift 2
  local prefix loader=$VTL_WINE32 entry arch wpath file modules=() rc=0
  [ "$winearch" = win64 ] && loader=$VTL_WINE64
  [ -n "$loader" ] || { fail "no Wine here runs a $winearch prefix"; return 1; }
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/vtl-capture.XXXXXX")
  prefixes+=("$prefix")
  # In a subshell: the Wine variables it sets end with it.
  rm -f "$tmp/capture.error"
  (capture_in "$@") || rc=$?
  WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix"
  [ $rc -eq 0 ] || fail "$(cat "$tmp/capture.error" 2>/dev/null || echo "the registration capture failed")"
  return $rc
}

# The steps of capture, in its prefix; writes what failed to
# $tmp/capture.error.
capture_in() {
  export WINEARCH=$winearch WINEPREFIX=$prefix
  rm -rf "$prefix"
  "$loader" wineboot -i >/dev/null 2>&1
  wineserver -w
  for entry in "$@"; do
    IFS='|' read -r arch wpath file <<<"$entry"
    mkdir -p "$(dirname "$(winpath_in "$prefix" "$wpath")")"
    cp "$file" "$(winpath_in "$prefix" "$wpath")"
  done
  python3 "$root/installer/winreg.py" snapshot "$prefix" "$tmp/capture-before.json"
  regsvr32_each "" "$@" || return 1
  python3 "$root/installer/winreg.py" snapshot "$prefix" "$tmp/capture-after.json"
  # Unregistered again, last first: what that leaves (keys the scripts mark
  # as never removed) a package must not remove either.
  local i reversed=()
  for ((i = $#; i >= 1; i--)); do reversed+=("${!i}"); done
  regsvr32_each /u "${reversed[@]}" || return 1
  python3 "$root/installer/winreg.py" snapshot "$prefix" "$tmp/capture-unregistered.json"
  python3 "$root/installer/winreg.py" capture "$tmp/capture-before.json" "$tmp/capture-after.json" "$tmp/capture-unregistered.json" \
    "$winearch" "$out" "${modules[@]}" && cp "$tmp/capture-before.json" "${out%.json}-before.json"
}

regsvr32_each() { # "" or /u, entries...
  local flag=$1; shift
  for entry in "$@"; do
    IFS='|' read -r arch wpath file <<<"$entry"
    local regsvr32=regsvr32
    [ "$winearch" = win64 ] && [ "$arch" = x86 ] && regsvr32='C:\windows\syswow64\regsvr32.exe'
    if ! "$loader" "$regsvr32" /s $flag "$wpath" >/dev/null 2>&1; then
      echo "regsvr32 ${flag:+$flag }of the $arch DLL failed in a scratch $winearch prefix" >"$tmp/capture.error"
      return 1
    fi
    wineserver -w
    [ -n "$flag" ] || modules+=("$arch=$wpath")
  done
}
