#!/usr/bin/env bash
# The package command: installs what is missing, builds the release DLLs
# (32- and 64-bit, from the same sources), generates the Windows Installer
# packages' registry entries from what regsvr32 of those DLLs writes in a
# scratch Wine prefix, builds the packages with wixl, signs everything when
# a certificate is given, and writes to build/dist/:
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
# build/dist/ holds only what a successful run made: it is emptied at the
# start, and files get there only once everything is built and signed.
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

rm -rf "$dist"

bash "$root/tools/install-deps.sh" || fail "installing the build tools failed"
source "$root/tools/wine-env.sh"

tmp=$(mktemp -d /tmp/vtl-package.XXXXXX)
prefixes=()
cleanup() {
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  rm -rf "$tmp"
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
  cmake --build "$tree" -j "$jobs" --target BrackwynVTL >"$tree.build.log" 2>&1 ||
    { tail -30 "$tree.build.log"; fail "building the $arch DLL failed"; }
  bash "$root/tools/check-dll.sh" "$tree/bin/BrackwynVTL.dll" "${triplet[$arch]}" >/dev/null ||
    fail "the $arch DLL has unexpected exports or imports"
  cp -p "$tree/bin/BrackwynVTL.dll" "$stage/$arch/BrackwynVTL.dll"
done
# The Group Policy templates, generated from the component's own table.
cmake --build "$work/x86_64" --target vtl_policy_templates_files >>"$work/x86_64.build.log" 2>&1 ||
  fail "generating the Group Policy templates failed"

# --- What regsvr32 writes: captured in scratch Wine prefixes. ---------------
# The DLLs are registered from the paths the packages install them to, so
# that the capture holds those paths; make_wxs.py turns them into "[#file]".
# Kept in build/package/ under the DLLs' digest: the same DLLs need no new
# capture.
pf64='C:\Program Files\Brackwyn Software\Vantrel\BrackwynVTL.dll'
pf32on64='C:\Program Files (x86)\Brackwyn Software\Vantrel\BrackwynVTL.dll'
pf32='C:\Program Files\Brackwyn Software\Vantrel\BrackwynVTL.dll'
source "$root/installer/capture.sh"

digest=$(cat "$stage/x86/BrackwynVTL.dll" "$stage/x64/BrackwynVTL.dll" "$root/installer/winreg.py" "$root/installer/capture.sh" |
         sha256sum | cut -c1-16)
cap64=$work/capture-x64-$digest.json
cap32=$work/capture-x86-$digest.json
if [ ! -f "$cap64" ] || [ ! -f "$cap32" ]; then
  rm -f "$work"/capture-*.json
  [ "$VTL_WIN_ARCH" = i686 ] ||
    fail "this host cannot run 32-bit code: the 32-bit DLL's registration cannot be captured here"
  echo "Capturing what regsvr32 writes (scratch Wine prefixes)..."
  capture "$tmp/cap64.json" win64 "x64|$pf64|$stage/x64/BrackwynVTL.dll" "x86|$pf32on64|$stage/x86/BrackwynVTL.dll"
  capture "$tmp/cap32.json" win32 "x86|$pf32|$stage/x86/BrackwynVTL.dll"
  mv "$tmp/cap64.json" "$cap64"
  mv "$tmp/cap32.json" "$cap32"
fi

# --- Signing the DLLs, then the packages. -----------------------------------
if [ "$signing" = yes ]; then
  sign_file "$stage/x86/BrackwynVTL.dll"
  sign_file "$stage/x64/BrackwynVTL.dll"
else
  echo "No VTL_SIGN_CERT given: the DLLs and packages are not signed."
fi

# The packages' dates: SOURCE_DATE_EPOCH, else the last commit's; with the
# package code derived from the contents, a second run gives the same bytes.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 946684800)}
stamp=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
touch -d "@$epoch" "$stage/x86/BrackwynVTL.dll" "$stage/x64/BrackwynVTL.dll"
fixed_time() { TZ=UTC faketime -f "$stamp" "$@"; }

for arch in x86 x64; do
  msi=VantrelOptions-$version-$arch.msi
  cap=$cap32; [ "$arch" = x64 ] && cap=$cap64
  (cd "$stage" && python3 "$root/installer/make_wxs.py" --arch "$arch" --version "$version" \
     --capture "$cap" --dll32 x86/BrackwynVTL.dll --dll64 x64/BrackwynVTL.dll --out "$arch.wxs")
  (cd "$stage" && fixed_time wixl -a "$arch" -o "$msi" "$arch.wxs" 2>"$tmp/wixl.log") ||
    { cat "$tmp/wixl.log" >&2; fail "wixl failed for $arch"; }
  # wixl makes a new random package code each time: set it from the contents.
  code=$(python3 "$root/installer/make_wxs.py" --package-code "$stage/$arch.wxs")
  (cd "$stage" && fixed_time msibuild "$msi" -s "Vantrel Options $version ($arch)" "Brackwyn Software" \
     "$( [ "$arch" = x64 ] && echo x64 || echo Intel);1033" "$code")
  [ "$signing" = yes ] && sign_file "$stage/$msi"
done

# --- Into build/dist/, all at once. ----------------------------------------
mkdir -p "$tmp/dist/x86" "$tmp/dist/x64"
cp -p "$stage/x86/BrackwynVTL.dll" "$tmp/dist/x86/"
cp -p "$stage/x64/BrackwynVTL.dll" "$tmp/dist/x64/"
cp -p "$stage"/VantrelOptions-"$version"-x86.msi "$stage"/VantrelOptions-"$version"-x64.msi "$tmp/dist/"
cp -pr "$work/x86_64/policy-templates" "$tmp/dist/policy"
(cd "$tmp/dist" && sha256sum x86/BrackwynVTL.dll x64/BrackwynVTL.dll VantrelOptions-*.msi \
   policy/VantrelOptions.admx policy/en-US/VantrelOptions.adml >SHA256SUMS)
mkdir -p "$(dirname "$dist")"
mv "$tmp/dist" "$dist"
echo "Packages of version $version$( [ "$signing" = yes ] && echo ", signed") in $dist:"
(cd "$dist" && find . -type f -printf '%P\t%s bytes\n' | sort)
