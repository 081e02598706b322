#!/usr/bin/env bash
# The package tests, run by the test command after the other tests: the
# package command (an older version, the current one, the current one
# again), the packages' tables, and under Wine, in fresh prefixes, install,
# the registry against regsvr32's, the browser opening the sheet from the
# installed DLL, upgrade from the older version, removal; then signing with
# a throwaway certificate and the package command's refusals of bad
# signing input. Prints one line per check and ends with
# "package: N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
dist=$build/dist
source "$root/tools/wine-env.sh"

passed=0
failed=0
if [ "$VTL_WIN_ARCH" != i686 ]; then
  # The packages' registry entries come from regsvr32 of both DLLs; the
  # 32-bit one cannot run here, so no faithful package can be built.
  echo "!! skipped: this host cannot run 32-bit code, so the package command cannot capture the 32-bit DLL's registration"
  echo "package: 0 passed, 0 failed"
  exit 0
fi
tmp=$(mktemp -d /tmp/vtl-pkgtest.XXXXXX)
prefixes=()
cleanup() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null; rm -rf "$p"; done
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "$*"; return 1; }
source "$root/installer/capture.sh"

# check NAME COMMAND...: runs the command, counts and reports its outcome.
check() {
  local name=$1; shift
  if "$@" >"$tmp/log" 2>&1; then
    echo "ok   $name"; passed=$((passed + 1))
  else
    echo "FAIL $name"; tail -40 "$tmp/log" | sed 's/^/     /'; failed=$((failed + 1))
  fi
}
winpath() { echo "Z:${1//\//\\}"; }
reg() { python3 "$root/installer/winreg.py" "$@"; }

version=$(tr -d ' \r\n' <"$root/VERSION")
IFS=. read -r major minor patch <<<"$version"
if [ "$patch" -gt 0 ]; then old=$major.$minor.$((patch - 1))
elif [ "$minor" -gt 0 ]; then old=$major.$((minor - 1)).$patch
else old=$((major - 1)).$minor.$patch; fi

# --- The package command. ---------------------------------------------------
check "package command, older version $old" env VTL_VERSION="$old" VTL_DIST_DIR="$tmp/old" bash "$root/tools/package.sh"
check "package command, version $version" bash "$root/tools/package.sh"
same_again() {
  VTL_DIST_DIR="$tmp/again" bash "$root/tools/package.sh" || return 1
  local f rc=0
  for f in x86/BrackwynVTL.dll x64/BrackwynVTL.dll VantrelOptions-$version-x86.msi VantrelOptions-$version-x64.msi \
           policy/VantrelOptions.admx policy/en-US/VantrelOptions.adml SHA256SUMS; do
    cmp "$dist/$f" "$tmp/again/$f" || rc=1
  done
  return $rc
}
check "a second run gives the same files" same_again
check "SHA256SUMS lists and matches every file" bash -c "cd '$dist' && sha256sum -c SHA256SUMS && [ \$(wc -l <SHA256SUMS) -eq 6 ]"
sizes() {
  local f s rc=0
  for f in x86 x64; do
    s=$(stat -c %s "$dist/$f/BrackwynVTL.dll"); echo "$f/BrackwynVTL.dll: $s bytes"
    [ "$s" -le $((512 * 1024)) ] || rc=1
  done
  return $rc
}
check "each release DLL is at most 512 KB" sizes
# The About page's dialog template stores its text as UTF-16; each DLL's
# must name the version it was built as, not the other.
about_versions() {
  python3 - "$dist" "$version" "$tmp/old" "$old" <<'PY'
import sys
rc = 0
pairs = [(sys.argv[1], sys.argv[2], sys.argv[4]), (sys.argv[3], sys.argv[4], sys.argv[2])]
for folder, own, other in pairs:
    for arch in ("x86", "x64"):
        data = open(f"{folder}/{arch}/BrackwynVTL.dll", "rb").read()
        shows = lambda v: f"Version {v}".encode("utf-16-le") in data
        print(f"{own} {arch}: About shows {own}: {shows(own)}, {other}: {shows(other)}")
        rc |= not shows(own) or shows(other)
sys.exit(rc)
PY
}
check "each DLL's About page shows the version it was built as" about_versions
check "without a certificate nothing is signed" bash -c "! osslsigncode verify -in '$dist/x64/BrackwynVTL.dll' >/dev/null 2>&1"

tables() { # MSI: the tables expected, with rows; no self-registration, no custom action
  local msi=$1 t
  msiinfo tables "$msi" >"$tmp/tables" || return 1
  for t in File Component Directory Feature FeatureComponents Registry Upgrade Media; do
    grep -qx "$t" "$tmp/tables" || fail "no $t table"
    [ "$(msiinfo export "$msi" "$t" | wc -l)" -gt 3 ] || fail "the $t table is empty"
  done
  ! grep -qx SelfReg "$tmp/tables" || [ "$(msiinfo export "$msi" SelfReg | wc -l)" -eq 3 ] || fail "SelfReg rows"
  ! grep -qx CustomAction "$tmp/tables" || [ "$(msiinfo export "$msi" CustomAction | wc -l)" -eq 3 ] ||
    fail "custom actions"
  ! msiinfo export "$msi" InstallExecuteSequence | grep -q -E '^(SelfRegModules|RegisterTypeLibraries)' ||
    fail "self-registration in the sequence"
}
for arch in x86 x64; do
  check "$arch package: the expected tables, no SelfReg, no custom action" tables "$dist/VantrelOptions-$version-$arch.msi"
done

# --- Install, upgrade and removal under Wine. ---------------------------------
check "stand-in browser and checker build (release trees)" bash -c "
  cmake --build '$build/package/i686' -j '$(nproc)' --target vtlhost vtlinstalled &&
  cmake --build '$build/package/x86_64' -j '$(nproc)' --target vtlhost vtlinstalled"

folder64='C:\Program Files\Brackwyn Software\Vantrel'
folder32on64='C:\Program Files (x86)\Brackwyn Software\Vantrel'
folder32='C:\Program Files\Brackwyn Software\Vantrel'

new_prefix() { # WINEARCH -> sets prefix and loader (64-bit msiexec on win64)
  prefix=$(mktemp -d /tmp/vtl-pkgwine.XXXXXX); prefixes+=("$prefix")
  loader=/usr/lib/wine/wine; [ "$1" = win64 ] && loader=/usr/lib/wine/wine64
  rm -rf "$prefix"
  WINEARCH=$1 WINEPREFIX=$prefix "$loader" wineboot -i >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
}
in_prefix() { WINEPREFIX=$prefix "$@"; local rc=$?; WINEPREFIX=$prefix wineserver -w; return $rc; }
msiexec() { # /i or /x, package file
  in_prefix "$loader" msiexec "$1" "$(winpath "$2")" /qn
}
snapshot() { reg snapshot "$prefix" "$tmp/$1.json"; }
installed_files() { # the files under the install folders, one a line
  local f
  for f in "$@"; do [ -d "$(winpath_in "$prefix" "$f")" ] && (cd "$(winpath_in "$prefix" "$f")" && find . -type f); done
  return 0
}
same_files() { # dist folder, Windows folder:arch ...
  local from=$1 entry; shift
  for entry in "$@"; do
    [ "$(installed_files "${entry%|*}")" = "./BrackwynVTL.dll" ] || fail "not just BrackwynVTL.dll in ${entry%|*}"
    cmp "$from/${entry#*|}/BrackwynVTL.dll" "$(winpath_in "$prefix" "${entry%|*}")/BrackwynVTL.dll" || return 1
  done
}
browser() { # loader, release tree, installed DLL's Windows path
  local out
  out=$(WINEPREFIX=$prefix vtl_with_display "$1" "$(winpath "$2/bin/vtlinstalled.exe")" \
        "$(winpath "$2/bin/vtlhost.exe")" "$3" 2>/dev/null | tr -d '\r')
  local rc=$?
  echo "$out"
  WINEPREFIX=$prefix wineserver -w
  [ $rc -eq 0 ] || return 1
  # Both preferences files, for the removal check.
  echo "$out" | tail -2 | while read -r f; do winpath_in "$prefix" "$f"; done >"$tmp/prefs-files"
  while read -r f; do sha256sum "$f"; done <"$tmp/prefs-files" >"$tmp/prefs.sha"
  [ "$(wc -l <"$tmp/prefs.sha")" -eq 2 ]
}
removed() { # Windows folders...: nothing left, registry back, preferences kept
  reg restored "$tmp/s0.json" "$tmp/after.json" "$tmp/reference.json" || return 1
  [ -z "$(installed_files "$@")" ] || fail "files left: $(installed_files "$@")"
  sha256sum -c "$tmp/prefs.sha"
}
product_code() { msiinfo export "$1" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r'; }
one_product() { # the newer product registered, the older one not
  local uninstall="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
  python3 - "$tmp/after.json" "$uninstall$(product_code "$1")" "$uninstall$(product_code "$2")" <<'EOF'
import json, sys
keys = {k.lower() for k in json.load(open(sys.argv[1]))}
new, old = sys.argv[2].lower(), sys.argv[3].lower()
print("newer registered:", new in keys, "older registered:", old in keys)
sys.exit(0 if new in keys and old not in keys else 1)
EOF
}

# cycle ARCH WINEARCH SPECS...: one package through install, browser,
# removal, upgrade and removal again in one prefix; its reference is
# regsvr32 of the installed DLLs in a second fresh prefix. SPECS are
# "Windows folder|dist subfolder|release tree|loader", the first the
# package's native DLL.
cycle() {
  local arch=$1 winearch=$2; shift 2
  local msi=$dist/VantrelOptions-$version-$arch.msi oldmsi=$tmp/old/VantrelOptions-$old-$arch.msi
  local entry folders=() files=() refentries=() regarch
  for entry in "$@"; do
    IFS='|' read -r f sub tree ld <<<"$entry"
    folders+=("$f"); files+=("$f|$sub")
  done
  new_prefix "$winearch"
  snapshot s0
  check "$arch package installs (msiexec /i /qn, fresh $winearch prefix)" msiexec /i "$msi"
  snapshot after
  check "$arch package: its files, and only those, under Program Files" same_files "$dist" "${files[@]}"

  # The reference: regsvr32 of the installed DLLs, same paths, fresh prefix.
  for entry in "$@"; do
    IFS='|' read -r f sub tree ld <<<"$entry"
    regarch=x86; [ "$sub" = x64 ] && regarch=x64
    refentries+=("$regarch|$f\\BrackwynVTL.dll|$(winpath_in "$prefix" "$f")/BrackwynVTL.dll")
  done
  cp "$tmp/s0.json" "$tmp/s0.keep"
  check "$arch: regsvr32 of the installed DLLs in a second fresh prefix" capture "$tmp/reference.json" "$winearch" "${refentries[@]}"
  check "$arch package: registry equals regsvr32's, key by key, value by value" reg compare "$tmp/s0.json" "$tmp/after.json" "$tmp/reference.json"

  for entry in "$@"; do
    IFS='|' read -r f sub tree ld <<<"$entry"
    check "$arch package: the $sub browser opens the sheet from the installed DLL, OK writes both files" \
      browser "$ld" "$tree" "$f\\BrackwynVTL.dll"
  done
  check "$arch package removes (msiexec /x /qn)" msiexec /x "$msi"
  snapshot after
  check "$arch package removed: registry as before, no file left, preferences kept" removed "${folders[@]}"

  check "$arch package $old installs" msiexec /i "$oldmsi"
  check "$arch package $old: its files" same_files "$tmp/old" "${files[@]}"
  check "$arch package $version over $old installs" msiexec /i "$msi"
  snapshot after
  check "$arch upgrade: the newer files only" same_files "$dist" "${files[@]}"
  check "$arch upgrade: one registration, as regsvr32's" reg compare "$tmp/s0.json" "$tmp/after.json" "$tmp/reference.json"
  check "$arch upgrade: the older product is gone" one_product "$msi" "$oldmsi"
  check "$arch upgrade removes" msiexec /x "$msi"
  snapshot after
  check "$arch after upgrade and removal: registry as before, no file left" removed "${folders[@]}"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
}

cycle x64 win64 "$folder64|x64|$build/package/x86_64|/usr/lib/wine/wine64" \
                "$folder32on64|x86|$build/package/i686|/usr/lib/wine/wine"
cycle x86 win32 "$folder32|x86|$build/package/i686|/usr/lib/wine/wine"

# --- Signing. -----------------------------------------------------------------
certs=$tmp/certs
mkdir -p "$certs"
openssl req -x509 -newkey rsa:2048 -sha256 -days 30 -subj "/CN=Vantrel Test Signing" \
  -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" \
  -keyout "$certs/key.pem" -out "$certs/cert.pem" -passout pass:secret >/dev/null 2>&1
openssl req -x509 -newkey rsa:2048 -sha256 -days 30 -subj "/CN=Someone Else" -nodes \
  -keyout "$certs/other.pem" -out "$certs/other-cert.pem" >/dev/null 2>&1

signed_run() {
  VTL_DIST_DIR=$tmp/signed VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=secret \
    bash "$root/tools/package.sh" || return 1
  local f rc=0
  for f in x86/BrackwynVTL.dll x64/BrackwynVTL.dll VantrelOptions-$version-x86.msi VantrelOptions-$version-x64.msi; do
    echo "== $f"
    osslsigncode verify -in "$tmp/signed/$f" -CAfile "$certs/cert.pem" || rc=1
    # One byte changed: the signature no longer holds.
    cp "$tmp/signed/$f" "$tmp/tampered"
    python3 -c "import sys; p=sys.argv[1]; b=bytearray(open(p,'rb').read()); b[len(b)//3]^=1; open(p,'wb').write(b)" "$tmp/tampered"
    if osslsigncode verify -in "$tmp/tampered" -CAfile "$certs/cert.pem" >/dev/null 2>&1; then
      echo "a copy with one byte changed still verifies: $f"; rc=1
    fi
  done
  (cd "$tmp/signed" && sha256sum -c SHA256SUMS) || rc=1
  return $rc
}
check "signed with a throwaway certificate: each file verifies, a changed byte does not" signed_run

refused() { # expected message part, environment...: non-zero exit, message, empty dist
  local want=$1; shift
  mkdir -p "$tmp/refused"; touch "$tmp/refused/stale"
  if env "$@" VTL_DIST_DIR="$tmp/refused" bash "$root/tools/package.sh" >"$tmp/out" 2>&1; then
    echo "the package command succeeded"; return 1
  fi
  grep -F -- "$want" "$tmp/out" || { cat "$tmp/out"; return 1; }
  [ -z "$(ls -A "$tmp/refused" 2>/dev/null)" ] || { echo "left in dist: $(ls -A "$tmp/refused")"; return 1; }
}
check "bad signing input is refused with a message and an empty dist folder" bash -c '
  set -e; '"$(declare -f refused)"'; tmp='"$tmp"' root='"$root"' certs='"$certs"'
  refused "no such file" VTL_SIGN_CERT=$certs/missing.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=secret
  refused "VTL_SIGN_PASS is missing or wrong" VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=wrong
  refused "VTL_SIGN_PASS is missing or wrong" VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/key.pem
  refused "is not the key of the certificate" VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/other.pem
  refused "is not a certificate" VTL_SIGN_CERT=$certs/key.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=secret
  refused "VTL_SIGN_CERT (the certificate) is not" VTL_SIGN_KEY=$certs/key.pem'

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
