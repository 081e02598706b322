#!/usr/bin/env bash
# The package command: installs what is missing, builds the release DLLs
# (32- and 64-bit, from the same sources), generates the Windows Installer
# packages' registry entries from what regsvr32 of the 64-bit DLL writes in
# a scratch Wine prefix (the 32-bit DLL's are derived from those, so that
# 64-bit Wine alone is needed and every host makes the same packages),
# builds the packages with wixl, signs everything when a certificate is
# given, and writes to build/dist/:
#   x86/BrackwynVTL.dll  x64/BrackwynVTL.dll
#   VantrelOptions-VERSION-x86.msi  VantrelOptions-VERSION-x64.msi
#   policy/VantrelOptions.admx, policy/en-US/VantrelOptions.adml (Group Policy)
#   SHA256SUMS
#
# Environment (all optional):
#   VTL_VERSION             MAJOR.MINOR.BUILD instead of the VERSION file's
#   VTL_DIST_DIR            output folder instead of build/dist
#   VTL_SIGN_CERT           code-signing certificate (PEM or DER; or a
#                           PKCS#12 .pfx/.p12 holding certificate and key)
#   VTL_SIGN_KEY            its private key (PEM or DER), unless in the .pfx
#   VTL_SIGN_PASS           the key's (or the .pfx's) password
#   VTL_SIGN_TIMESTAMP_URL  an RFC 3161 timestamp server; none by default
#   SOURCE_DATE_EPOCH       the packages' date (default: the last commit's)
#
# The output folder holds only what one successful run made. Everything is
# made in a new folder beside it, which replaces it only once all is built
# and signed; a failed run leaves the last good output as it was. An
# output folder that exists must be empty or a previous output (its
# SHA256SUMS lists exactly the files it holds): any other is refused, and
# nothing in it is touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
dist=${VTL_DIST_DIR:-$build/dist}
work=$build/package
jobs=$(nproc)

fail() { echo "package: $*" >&2; exit 1; }

version=${VTL_VERSION:-$(tr -d ' \r\n' <"$root/VERSION")}
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)$ ]] ||
  fail "version '$version' is not MAJOR.MINOR.BUILD"
# Windows Installer's ProductVersion: at most 255.255.65535.
((BASH_REMATCH[1] <= 255 && BASH_REMATCH[2] <= 255 && BASH_REMATCH[3] <= 65535)) ||
  fail "version '$version' is beyond 255.255.65535"

# True when the folder is a previous output of this command: its files are
# exactly those its SHA256SUMS lists, and SHA256SUMS.
previous_output() {
  [ -f "$1/SHA256SUMS" ] || return 1
  local listed present
  listed=$(sed -n 's/^[0-9a-f]\{64\} [ *]//p' "$1/SHA256SUMS" | sort)
  present=$(cd "$1" && find . -mindepth 1 \( -type d -empty -o ! -type d \) -printf '%P\n' | grep -vx SHA256SUMS | sort)
  [ -n "$listed" ] && [ "$listed" = "$present" ]
}
# The output folder: refused before anything is made when it holds what
# this command did not write.
dist=$(realpath -m "$dist")
if [ -e "$dist" ] || [ -L "$dist" ]; then
  [ -d "$dist" ] && [ ! -L "$dist" ] || fail "the output folder $dist is not a folder: refused"
  [ -z "$(ls -A "$dist")" ] || previous_output "$dist" ||
    fail "the output folder $dist holds files this command did not write: refused (name an empty or new folder in VTL_DIST_DIR)"
fi

bash "$root/tools/install-deps.sh" || fail "installing the build tools failed"
source "$root/tools/wine-env.sh"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/vtl-package.XXXXXX")
prefixes=()
new_dist=
cleanup() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  rm -rf "$tmp"
  [ -z "$new_dist" ] || rm -rf "$new_dist"
}
trap cleanup EXIT

# --- Signing: the inputs are checked before anything is built. -------------
signing=no
sign_args=()
if [ -n "${VTL_SIGN_CERT:-}${VTL_SIGN_KEY:-}" ]; then
  [ -n "${VTL_SIGN_CERT:-}" ] || fail "VTL_SIGN_KEY is set but VTL_SIGN_CERT (the certificate) is not"
  [ -f "$VTL_SIGN_CERT" ] || fail "VTL_SIGN_CERT: no such file: $VTL_SIGN_CERT"
  # The password goes to the tools through a file, never a command line.
  passfile=$tmp/pass
  (umask 077; printf '%s' "${VTL_SIGN_PASS:-}" >"$passfile")
  passin=(-passin "file:$passfile")
  [ -n "${VTL_SIGN_PASS:-}" ] || passin=(-passin pass:)
  if [ -z "${VTL_SIGN_KEY:-}" ]; then
    openssl pkcs12 -in "$VTL_SIGN_CERT" -noout "${passin[@]}" </dev/null >/dev/null 2>&1 ||
      fail "VTL_SIGN_CERT is not a PKCS#12 file that VTL_SIGN_PASS opens (give VTL_SIGN_KEY for a separate key)"
    sign_args=(-pkcs12 "$VTL_SIGN_CERT")
  else
    [ -f "$VTL_SIGN_KEY" ] || fail "VTL_SIGN_KEY: no such file: $VTL_SIGN_KEY"
    certform=PEM
    openssl x509 -in "$VTL_SIGN_CERT" -noout </dev/null >/dev/null 2>&1 || certform=DER
    openssl x509 -inform "$certform" -in "$VTL_SIGN_CERT" -noout </dev/null >/dev/null 2>&1 ||
      fail "VTL_SIGN_CERT is not a certificate (PEM or DER): $VTL_SIGN_CERT"
    keypub=$(openssl pkey -in "$VTL_SIGN_KEY" "${passin[@]}" -pubout </dev/null 2>/dev/null) ||
      keypub=$(openssl pkey -inform DER -in "$VTL_SIGN_KEY" "${passin[@]}" -pubout </dev/null 2>/dev/null) ||
      fail "VTL_SIGN_KEY cannot be read: not a private key, or VTL_SIGN_PASS is missing or wrong"
    certpub=$(openssl x509 -inform "$certform" -in "$VTL_SIGN_CERT" -noout -pubkey </dev/null)
    [ "$keypub" = "$certpub" ] || fail "VTL_SIGN_KEY is not the key of the certificate in VTL_SIGN_CERT"
    sign_args=(-certs "$VTL_SIGN_CERT" -key "$VTL_SIGN_KEY")
  fi
  [ -n "${VTL_SIGN_PASS:-}" ] && sign_args+=(-readpass "$passfile")
  sign_args+=(-h sha256 -n "Vantrel Options")
  [ -n "${VTL_SIGN_TIMESTAMP_URL:-}" ] && sign_args+=(-ts "$VTL_SIGN_TIMESTAMP_URL")
  signing=yes
fi

# Signs one file in place, through a copy: the file is replaced only by a
# complete signed one.
sign_file() {
  local f=$1
  rm -f "$f.signed"
  osslsigncode sign "${sign_args[@]}" -in "$f" -out "$f.signed" </dev/null >"$tmp/sign.log" 2>&1 ||
    { cat "$tmp/sign.log" >&2; rm -f "$f.signed"; fail "signing $(basename "$f") failed"; }
  mv "$f.signed" "$f"
}

# The date of the DLLs and packages: SOURCE_DATE_EPOCH, else the last
# commit's. The linker stamps the DLLs with it (each is linked anew, so that
# an older link's stamp does not stay); with the package code derived from
# the contents, every run on every host gives the same bytes.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)}
export SOURCE_DATE_EPOCH=$epoch
stamp=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')

# --- The release DLLs. -----------------------------------------------------
declare -A triplet=([x86]=i686 [x64]=x86_64)
stage=$work/stage
rm -rf "$stage"
mkdir -p "$stage/x86" "$stage/x64"
for arch in x86 x64; do
  tree=$work/${triplet[$arch]}
  mkdir -p "$tree"
  # MinSizeRel (cmake/mingw-common.cmake); the win32 thread model: the DLL
  # starts no threads, and so carries no POSIX-threads layer.
  cmake -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=MinSizeRel -DVTL_MINGW_THREADS=win32 \
        -DVTL_VERSION="$version" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-${triplet[$arch]}.cmake" \
        >"$tree.configure.log" 2>&1 || { tail -20 "$tree.configure.log"; fail "configuring $arch failed"; }
  rm -f "$tree/bin/BrackwynVTL.dll"
  cmake --build "$tree" -j "$jobs" --target BrackwynVTL >"$tree.build.log" 2>&1 ||
    { tail -30 "$tree.build.log"; fail "building the $arch DLL failed"; }
  bash "$root/tools/check-dll.sh" "$tree/bin/BrackwynVTL.dll" "${triplet[$arch]}" >/dev/null ||
    fail "the $arch DLL has unexpected exports or imports"
  cp -p "$tree/bin/BrackwynVTL.dll" "$stage/$arch/BrackwynVTL.dll"
done
# The Group Policy templates, generated from the component's own table.
cmake --build "$work/x86_64" --target vtl_policy_templates_files >>"$work/x86_64.build.log" 2>&1 ||
  fail "generating the Group Policy templates failed"
cp -pr "$work/x86_64/policy-templates" "$stage/policy"

# --- What regsvr32 writes: captured in a scratch Wine prefix. ---------------
# The 64-bit DLL is registered from the path the packages install it to, so
# that the capture holds that path; make_wxs.py turns it into "[#file]".
# The 32-bit DLL's entries are derived from the capture, never captured,
# even where 32-bit Wine runs: the packages are the same on every host (the
# package tests compare the derivation with regsvr32 where they can).
# Kept in build/package/ under the 64-bit DLL's digest: the same DLL needs
# no new capture.
pf64='C:\Program Files\Brackwyn Software\Vantrel\BrackwynVTL.dll'
pf32on64='C:\Program Files (x86)\Brackwyn Software\Vantrel\BrackwynVTL.dll'
pf32='C:\Program Files\Brackwyn Software\Vantrel\BrackwynVTL.dll'
source "$root/installer/capture.sh"

digest=$(cat "$stage/x64/BrackwynVTL.dll" "$root/installer/winreg.py" "$root/installer/capture.sh" |
         sha256sum | cut -c1-16)
cap=$work/capture-x64-$digest.json
if [ ! -f "$cap" ] || [ ! -f "${cap%.json}-before.json" ]; then
  rm -f "$work"/capture-*.json
  echo "Capturing what regsvr32 writes (a scratch Wine prefix)..."
  capture "$tmp/cap.json" win64 "x64|$pf64|$stage/x64/BrackwynVTL.dll"
  mv "$tmp/cap-before.json" "${cap%.json}-before.json"
  mv "$tmp/cap.json" "$cap"
fi
# The registration of each package: both DLLs for x64, the 32-bit one for x86.
python3 "$root/installer/derive32.py" "$cap" "${cap%.json}-before.json" "$pf32on64" "$pf32" \
  "$work/registration-x64.json" "$work/registration-x86.json" || fail "deriving the 32-bit registration failed"

# --- Signing the DLLs, then the packages. -----------------------------------
if [ "$signing" = yes ]; then
  sign_file "$stage/x86/BrackwynVTL.dll"
  sign_file "$stage/x64/BrackwynVTL.dll"
else
  echo "No VTL_SIGN_CERT given: the DLLs and packages are not signed."
fi

touch -d "@$epoch" "$stage/x86/BrackwynVTL.dll" "$stage/x64/BrackwynVTL.dll"
fixed_time() { TZ=UTC faketime -f "$stamp" "$@"; }

for arch in x86 x64; do
  msi=VantrelOptions-$version-$arch.msi
  (cd "$stage" && python3 "$root/installer/make_wxs.py" --arch "$arch" --version "$version" \
     --capture "$work/registration-$arch.json" --dll32 x86/BrackwynVTL.dll --dll64 x64/BrackwynVTL.dll \
     --out "$arch.wxs") || fail "generating the $arch package source failed"
  (cd "$stage" && fixed_time wixl -a "$arch" -o "$msi" "$arch.wxs" 2>"$tmp/wixl.log") ||
    { cat "$tmp/wixl.log" >&2; fail "wixl failed for $arch"; }
  while IFS= read -r query; do
    (cd "$stage" && fixed_time msibuild "$msi" -q "$query") || fail "msibuild failed on: $query"
  done <"$stage/$arch.wxs.sql"
  # wixl makes a new random package code each time: set it from the whole
  # package source.
  code=$(python3 "$root/installer/make_wxs.py" --package-code "$stage/$arch.wxs")
  (cd "$stage" && fixed_time msibuild "$msi" -s "Vantrel Options $version ($arch)" "Brackwyn Software" \
     "$( [ "$arch" = x64 ] && echo x64 || echo Intel);1033" "$code")
  [ "$signing" = yes ] && sign_file "$stage/$msi"
done

# --- Into the output folder, all at once. ---------------------------------
# What the output holds: "file in the stage|its place in the output". The
# one list of it; SHA256SUMS covers each.
outputs=("x86/BrackwynVTL.dll|x86/BrackwynVTL.dll"
         "x64/BrackwynVTL.dll|x64/BrackwynVTL.dll"
         "VantrelOptions-$version-x86.msi|VantrelOptions-$version-x86.msi"
         "VantrelOptions-$version-x64.msi|VantrelOptions-$version-x64.msi"
         "policy/VantrelOptions.admx|policy/VantrelOptions.admx"
         "policy/en-US/VantrelOptions.adml|policy/en-US/VantrelOptions.adml")
mkdir -p "$(dirname "$dist")"
new_dist=$(dirname "$dist")/.$(basename "$dist").new.$$
mkdir "$new_dist" || fail "cannot make $new_dist"
listed=()
for entry in "${outputs[@]}"; do
  mkdir -p "$(dirname "$new_dist/${entry#*|}")"
  cp -p "$stage/${entry%%|*}" "$new_dist/${entry#*|}"
  listed+=("${entry#*|}")
done
(cd "$new_dist" && sha256sum "${listed[@]}" >SHA256SUMS)
# The previous output is removed only once the new one is in its place, and
# only if it still is one.
old_dist=
if [ -e "$dist" ]; then
  [ -z "$(ls -A "$dist")" ] || previous_output "$dist" ||
    fail "the output folder $dist changed during the run and holds files this command did not write: refused"
  old_dist=$(dirname "$dist")/.$(basename "$dist").old.$$
  mv "$dist" "$old_dist"
fi
mv "$new_dist" "$dist"
new_dist=
[ -z "$old_dist" ] || rm -rf "$old_dist"
echo "Packages of version $version$( [ "$signing" = yes ] && echo ", signed") in $dist:"
(cd "$dist" && find . -type f -printf '%P\t%s bytes\n' | sort)
