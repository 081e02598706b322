#!/usr/bin/env bash
# The package tests, run by the test command after the other tests: the
# generator's derivation and package code (no Wine), the package command
# (an older version with a caller's Wine settings exported, the current one,
# the current one again), its output folder's safety, the packages' tables,
# and under Wine, in fresh prefixes, install, the registry against the
# package's registration, other products' keys kept, the browser opening
# the sheet from the installed DLL, upgrade from the older version, removal,
# the x86 package's refusal of 64-bit Windows; then signing with a
# throwaway certificate and the package command's refusals of bad signing
# input. Where 32-bit Wine runs, also: the derived 32-bit registration
# against regsvr32's, the x86 package in a win32 prefix and the 32-bit
# browser. Prints one line per check and ends with
# "package: N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
dist=$build/dist
source "$root/tools/wine-env.sh"

passed=0
failed=0
tmp=$(mktemp -d "${TMPDIR:-/tmp}/vtl-pkgtest.XXXXXX")
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

# --- The generator, without Wine. ----------------------------------------------
check "32-bit registration derived from the 64-bit capture; package code from the whole source" \
  python3 "$root/tests/package/derive32_test.py"

# --- The package command. ---------------------------------------------------
# A caller's Wine settings (a 32-bit prefix's, as users of 32-bit Wine
# export) must not reach the registration capture: the older version's run
# always captures anew (the capture is kept for the last DLL only).
check "package command, older version $old, with WINEARCH=win32 and other Wine settings exported" \
  env WINEARCH=win32 WINEPREFIX="$tmp/not-a-prefix" WINELOADER=/bin/false WINEDEBUG=+all \
  VTL_VERSION="$old" VTL_DIST_DIR="$tmp/old" bash "$root/tools/package.sh"
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

# The output folder: a folder holding what the command did not write is
# refused untouched; a failed run leaves the last good output as it was.
foreign_folder() {
  mkdir -p "$tmp/home/Documents"; echo precious >"$tmp/home/notes.txt"; echo kept >"$tmp/home/Documents/a"
  if VTL_DIST_DIR=$tmp/home bash "$root/tools/package.sh" >"$tmp/out" 2>&1; then echo "it succeeded"; return 1; fi
  grep -F "holds files this command did not write" "$tmp/out" || { cat "$tmp/out"; return 1; }
  [ "$(cat "$tmp/home/notes.txt" "$tmp/home/Documents/a")" = "precious
kept" ] && [ "$(find "$tmp/home" | wc -l)" -eq 4 ] || { find "$tmp/home"; return 1; }
  # Nothing beside it either.
  [ -z "$(find "$tmp" -maxdepth 1 -name '.home.*')" ] || { ls -a "$tmp"; return 1; }
}
check "an output folder holding other files is refused and left as it was (VTL_DIST_DIR=~)" foreign_folder
kept_on_failure() {
  rm -rf "$tmp/last"; cp -a "$dist" "$tmp/last"
  if VTL_DIST_DIR=$tmp/last VTL_SIGN_CERT=$tmp/missing.pem bash "$root/tools/package.sh" >"$tmp/out" 2>&1; then
    echo "it succeeded"; return 1
  fi
  diff -r "$dist" "$tmp/last" && [ -z "$(find "$tmp" -maxdepth 1 -name '.last.*')" ]
}
check "a failed run leaves the last good output as it was" kept_on_failure
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
refuses_64bit_windows() {
  msiinfo export "$dist/VantrelOptions-$version-x86.msi" LaunchCondition |
    grep -F "NOT VersionNT64" | grep -F "VantrelOptions-$version-x64.msi" &&
  ! msiinfo export "$dist/VantrelOptions-$version-x64.msi" LaunchCondition | grep -F VersionNT64
}
check "x86 package: a launch condition refuses 64-bit Windows, naming the x64 package" refuses_64bit_windows

# A failed capture removes its scratch prefix (in a subshell: capture's
# failure must not end this script).
failed_capture() {
  echo "not a DLL" >"$tmp/bogus.dll"
  (
    if capture "$tmp/bogus.json" win64 "x64|C:\\bogus\\BrackwynVTL.dll|$tmp/bogus.dll"; then
      echo "the capture of a file that is no DLL succeeded"; exit 1
    fi
    [ ! -e "${prefixes[-1]}" ] || { echo "left behind: ${prefixes[-1]}"; exit 1; }
  )
}
check "a failed registration capture removes its scratch Wine prefix" failed_capture

# --- Install, upgrade and removal under Wine. ---------------------------------
browser_trees=("$build/package/x86_64")
[ -z "$VTL_WINE32" ] || browser_trees+=("$build/package/i686")
check "stand-in browser and checker build (release trees)" bash -c "
  for t in ${browser_trees[*]}; do cmake --build \$t -j '$(nproc)' --target vtlhost vtlinstalled || exit 1; done"

folder64='C:\Program Files\Brackwyn Software\Vantrel'
folder32on64='C:\Program Files (x86)\Brackwyn Software\Vantrel'
folder32='C:\Program Files\Brackwyn Software\Vantrel'

new_prefix() { # WINEARCH -> sets prefix and loader (64-bit msiexec on win64)
  prefix=$(mktemp -d "${TMPDIR:-/tmp}/vtl-pkgwine.XXXXXX"); prefixes+=("$prefix")
  loader=$VTL_WINE32; [ "$1" = win64 ] && loader=$VTL_WINE64
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

# Another product's class and browser extension, in each view of the
# prefix: "add" puts them there, "present" finds them in a snapshot.
others() { # add|present WINEARCH [snapshot]
  local views=("") key
  [ "$2" = win64 ] && views+=(/reg:32)
  local keys=('HKLM\Software\Classes\CLSID\{0C0FFEE0-0000-4000-8000-00000000C1A5}\InprocServer32'
              'HKLM\Software\Microsoft\Internet Explorer\Extensions\{0C0FFEE0-0000-4000-8000-0000000E1E55}')
  if [ "$1" = add ]; then
    local view
    for key in "${keys[@]}"; do for view in "${views[@]}"; do
      in_prefix "$loader" reg add "$key" /v Other /d "another product" /f $view >/dev/null || return 1
    done; done
    return 0
  fi
  python3 - "$3" "$2" "${keys[@]}" <<'PY'
import json, sys
keys = {k.lower(): v for k, v in json.load(open(sys.argv[1])).items()}
rc = 0
for key in sys.argv[3:]:
    views = [key]
    if sys.argv[2] == "win64":
        views.append(key.replace("\\Classes\\", "\\Classes\\Wow6432Node\\") if "\\Classes\\" in key
                     else key.replace("HKLM\\Software\\", "HKLM\\Software\\Wow6432Node\\"))
    for k in views:
        ok = keys.get(k.lower(), {}).get("Other") == ["sz", "another product"]
        print(("kept: " if ok else "GONE: ") + k)
        rc |= not ok
sys.exit(rc)
PY
}

# cycle ARCH WINEARCH SPECS...: one package through install, browser,
# removal, upgrade and removal again in one prefix, against the
# registration the package was made from (which the comparisons with
# regsvr32 below hold to the real thing where 32-bit Wine runs). SPECS are
# "Windows folder|dist subfolder|release tree|loader", the first the
# package's native DLL; an empty loader: that DLL cannot run here.
cycle() {
  local arch=$1 winearch=$2; shift 2
  local msi=$dist/VantrelOptions-$version-$arch.msi oldmsi=$tmp/old/VantrelOptions-$old-$arch.msi
  local entry folders=() files=()
  for entry in "$@"; do
    IFS='|' read -r f sub tree ld <<<"$entry"
    folders+=("$f"); files+=("$f|$sub")
  done
  cp "$build/package/registration-$arch.json" "$tmp/reference.json"
  new_prefix "$winearch"
  check "$arch: another product's class and browser extension in a fresh $winearch prefix" others add "$winearch"
  snapshot s0
  check "$arch package installs (msiexec /i /qn)" msiexec /i "$msi"
  snapshot after
  check "$arch package: its files, and only those, under Program Files" same_files "$dist" "${files[@]}"
  check "$arch package: registry equals the package's registration, key by key, value by value" \
    reg compare "$tmp/s0.json" "$tmp/after.json" "$tmp/reference.json"

  for entry in "$@"; do
    IFS='|' read -r f sub tree ld <<<"$entry"
    [ -n "$ld" ] || continue
    check "$arch package: the $sub browser opens the sheet from the installed DLL, OK writes both files" \
      browser "$ld" "$tree" "$f\\BrackwynVTL.dll"
  done
  check "$arch package removes (msiexec /x /qn)" msiexec /x "$msi"
  snapshot after
  check "$arch package removed: registry as before, no file left, preferences kept" removed "${folders[@]}"
  check "$arch package removed: the other product's class and extension are still there" others present "$winearch" "$tmp/after.json"

  check "$arch package $old installs" msiexec /i "$oldmsi"
  check "$arch package $old: its files" same_files "$tmp/old" "${files[@]}"
  check "$arch package $version over $old installs" msiexec /i "$msi"
  snapshot after
  check "$arch upgrade: the newer files only" same_files "$dist" "${files[@]}"
  check "$arch upgrade: one registration, the package's" reg compare "$tmp/s0.json" "$tmp/after.json" "$tmp/reference.json"
  check "$arch upgrade: the older product is gone" one_product "$msi" "$oldmsi"
  check "$arch upgrade removes" msiexec /x "$msi"
  snapshot after
  check "$arch after upgrade and removal: registry as before, no file left" removed "${folders[@]}"
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
}

# On 64-bit Windows only the x64 package installs (it holds both DLLs).
x86_refused_on_win64() {
  new_prefix win64
  snapshot s0
  if msiexec /i "$dist/VantrelOptions-$version-x86.msi"; then echo "the x86 package installed"; return 1; fi
  snapshot after
  cp "$build/package/registration-x86.json" "$tmp/reference.json"
  [ -z "$(installed_files "$folder64" "$folder32on64")" ] || fail "files: $(installed_files "$folder64" "$folder32on64")"
  reg restored "$tmp/s0.json" "$tmp/after.json" "$tmp/reference.json"
  local rc=$?
  WINEPREFIX=$prefix wineserver -k 2>/dev/null
  return $rc
}

cycle x64 win64 "$folder64|x64|$build/package/x86_64|$VTL_WINE64" \
                "$folder32on64|x86|$build/package/i686|$VTL_WINE32"
check "x86 package in a fresh win64 prefix: refused, nothing installed, registry as before" x86_refused_on_win64

# --- Where 32-bit Wine runs: the derivation against regsvr32 itself. -----------
# derived REGISTRATION WINEARCH ENTRIES...: regsvr32 of the DLLs in a
# fresh prefix writes what the package command derived.
derived_as_captured() {
  local derived=$1 winearch=$2; shift 2
  capture "$tmp/real.json" "$winearch" "$@" && reg same "$derived" "$tmp/real.json"
}
if [ -n "$VTL_WINE32" ]; then
  pf64="$folder64\\BrackwynVTL.dll" pf32on64="$folder32on64\\BrackwynVTL.dll" pf32="$folder32\\BrackwynVTL.dll"
  check "derived x86 registration equals regsvr32's in a win32 prefix, key by key, value by value" \
    derived_as_captured "$build/package/registration-x86.json" win32 "x86|$pf32|$dist/x86/BrackwynVTL.dll"
  check "derived registration of both DLLs equals regsvr32's in a win64 prefix (the x86 one through syswow64)" \
    derived_as_captured "$build/package/registration-x64.json" win64 \
      "x64|$pf64|$dist/x64/BrackwynVTL.dll" "x86|$pf32on64|$dist/x86/BrackwynVTL.dll"
  cycle x86 win32 "$folder32|x86|$build/package/i686|$VTL_WINE32"
else
  echo "!! not run without 32-bit Wine: the derived x86 registration against regsvr32's, the x86 package in a win32 prefix, the x86 browser"
fi

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

refused() { # expected message part, environment...: non-zero exit, message, no dist made
  local want=$1; shift
  rm -rf "$tmp/refused"
  if env "$@" VTL_DIST_DIR="$tmp/refused" bash "$root/tools/package.sh" >"$tmp/out" 2>&1; then
    echo "the package command succeeded"; return 1
  fi
  grep -F -- "$want" "$tmp/out" || { cat "$tmp/out"; return 1; }
  [ ! -e "$tmp/refused" ] || { echo "made: $(ls -A "$tmp/refused")"; return 1; }
}
check "bad signing input is refused with a message and no output folder" bash -c '
  set -e; '"$(declare -f refused)"'; tmp='"$tmp"' root='"$root"' certs='"$certs"'
  refused "no such file" VTL_SIGN_CERT=$certs/missing.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=secret
  refused "VTL_SIGN_PASS is missing or wrong" VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=wrong
  refused "VTL_SIGN_PASS is missing or wrong" VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/key.pem
  refused "is not the key of the certificate" VTL_SIGN_CERT=$certs/cert.pem VTL_SIGN_KEY=$certs/other.pem
  refused "is not a certificate" VTL_SIGN_CERT=$certs/key.pem VTL_SIGN_KEY=$certs/key.pem VTL_SIGN_PASS=secret
  refused "VTL_SIGN_CERT (the certificate) is not" VTL_SIGN_KEY=$certs/key.pem'

echo "package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
