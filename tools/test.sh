#!/usr/bin/env bash
# The test command: installs what is missing, builds everything, runs every
# test (native under sanitizers, a bounded fuzz pass, the Windows tests under
# Wine, the release packages) and ends with one line "N passed, N failed".
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
fuzz_seconds=${VTL_FUZZ_SECONDS:-30}
jobs=$(nproc)

bash "$root/tools/install-deps.sh" || { echo "installing the build tools failed"; exit 1; }
source "$root/tools/wine-env.sh"

passed=0
failed=0
logs=$build/logs
mkdir -p "$logs"

# Adds a GoogleTest run's counts from its log; a run that printed no
# summary (a crash, a hang) counts as one failure.
count_gtest() {
  local log=$1 p f
  p=$(grep -a -E '^\[  PASSED  \] [0-9]+ test' "$log" | tail -1 | grep -o -E '[0-9]+' | head -1)
  f=$(grep -a -E '^\[  FAILED  \] [0-9]+ test' "$log" | tail -1 | grep -o -E '[0-9]+' | head -1)
  if [ -z "$p" ] && [ -z "$f" ]; then
    echo "!! $log: the test program ended without a summary"
    failed=$((failed + 1))
    return
  fi
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-0}))
}

step() { echo; echo "== $*"; }

build_tree() { # folder, cmake arguments...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Debug "$@" >"$dir.configure.log" 2>&1 &&
    cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1
}

mkdir -p "$build"
step "Native build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
if build_tree "$build/native"; then
  "$build/native/bin/vtl_native_tests" 2>&1 | tee "$logs/native.log" | grep -a -E '^\[  (PASSED|FAILED) ' || true
  count_gtest "$logs/native.log"
else
  echo "!! native build failed: $build/native.build.log"; tail -30 "$build/native.build.log"; failed=$((failed + 1))
fi

step "Fuzzing the preferences reader for ${fuzz_seconds}s"
if build_tree "$build/fuzz" -DVTL_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++; then
  for fuzzer in "$build"/fuzz/bin/*_fuzz; do
    [ -x "$fuzzer" ] || continue
    corpus=$build/fuzz/corpus-$(basename "$fuzzer"); mkdir -p "$corpus"
    if "$fuzzer" -max_total_time="$fuzz_seconds" -max_len=4096 "$corpus" "$root/tests/fuzz/seeds" \
        >"$logs/$(basename "$fuzzer").log" 2>&1; then
      echo "$(basename "$fuzzer"): no crash, $(grep -a -o -E '#[0-9]+' "$logs/$(basename "$fuzzer").log" | tail -1 | tr -d '#') runs"
      passed=$((passed + 1))
    else
      echo "!! $(basename "$fuzzer") found a fault:"; tail -40 "$logs/$(basename "$fuzzer").log"; failed=$((failed + 1))
    fi
  done
else
  echo "!! fuzz build failed: $build/fuzz.build.log"; tail -30 "$build/fuzz.build.log"; failed=$((failed + 1))
fi

step "Windows build of the shipped component (i686)"
if build_tree "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"; then
  if bash "$root/tools/check-dll.sh" "$build/win32/bin/BrackwynVTL.dll" i686; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
else
  echo "!! i686 build failed: $build/win32.build.log"; tail -30 "$build/win32.build.log"; failed=$((failed + 1))
fi

wintree=$build/win32
if [ "$VTL_WIN_ARCH" = x86_64 ]; then
  step "This host cannot run 32-bit Wine: the Windows tests run on the same sources built for x86_64"
  wintree=$build/win64
  build_tree "$wintree" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" ||
    { echo "!! x86_64 build failed: $wintree.build.log"; tail -30 "$wintree.build.log"; failed=$((failed + 1)); }
fi

step "Windows tests under Wine ($VTL_WIN_ARCH), in a fresh prefix"
if [ -x "$wintree/bin/vtl_win_tests.exe" ] || [ -f "$wintree/bin/vtl_win_tests.exe" ]; then
  prefix=$(mktemp -d /tmp/vtl-wine.XXXXXX)
  vtl_new_prefix "$prefix"
  export VTL_BIN_DIR=$wintree/bin
  (cd "$wintree/bin" && vtl_with_display "$VTL_WINE" ./vtl_win_tests.exe) >"$logs/win.log" 2>&1
  grep -a -E '^\[  (PASSED|FAILED) |^\[  FAILED  \]' "$logs/win.log" || true
  count_gtest "$logs/win.log"

  wineserver -k 2>/dev/null
  rm -rf "$prefix"
else
  echo "!! no Windows test program was built"; failed=$((failed + 1))
fi

step "Release packages: the package command, then install, upgrade, removal and signing under Wine"
bash "$root/tests/package/package_test.sh" >"$logs/package.log" 2>&1
grep -a -E '^(ok|FAIL|!!) |^     ' "$logs/package.log" || true
summary=$(grep -a -E '^package: [0-9]+ passed, [0-9]+ failed$' "$logs/package.log" | tail -1)
if [ -n "$summary" ]; then
  passed=$((passed + $(echo "$summary" | grep -o -E '[0-9]+ passed' | grep -o -E '[0-9]+')))
  failed=$((failed + $(echo "$summary" | grep -o -E '[0-9]+ failed' | grep -o -E '[0-9]+')))
else
  echo "!! the package tests ended without a summary: $logs/package.log"; failed=$((failed + 1))
fi

echo
echo "Logs: $logs"
[ -n "$VTL_WINE32" ] || echo "Not run: $VTL_NO_WINE32_NOTE."
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
