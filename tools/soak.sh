#!/usr/bin/env bash
# The soak run: one process (vtl_soak.exe) opens and closes the options
# sheet RUNS times (200) through one command object, visiting every page,
# editing values and header rows, alternating OK and Cancel. The program
# itself checks its windows, GDI objects, handles and heap, that the DLL can
# unload and that both preferences files are complete and identical. Wine
# reports no memory figures of its own, so this script reads the Unix
# process's VmData from outside at each checkpoint and checks that it is
# back where it was after the first runs. Ends with "soak: passed" or
# "soak: FAILED ..."; exit code 0 when passed.
#
#   tools/soak.sh [RUNS]
#
# Runs in a fresh prefix of its own (a WINEPREFIX of the caller's is not
# used: tools/wine-env.sh clears it). Builds the Windows tree first.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${VTL_BUILD_DIR:-$root/build}
runs=${1:-200}
# The checkpoint whose figures count as "after the first runs": the first
# runs fill caches (Wine's and the heap's) that then stay as they are.
baseline_run=10
# VmData moves in steps: the Unix heap grows by 130-180 kB now and then and
# stays there (once in a few hundred runs). Leaks of objects and of the
# Windows heap are caught exactly by the program; this catches the rest.
vmdata_tolerance_kb=512
source "$root/tools/wine-env.sh"
vtl_configure_tree "$build/win32" "$build/win64" Debug ||
  { echo "soak: FAILED: the Windows tree cannot be configured"; exit 1; }
cmake --build "$tree" -j "$(nproc)" --target vtl_soak >"$tree.soak-build.log" 2>&1 ||
  { echo "soak: FAILED: the soak program does not build ($tree.soak-build.log)"; exit 1; }

own_prefix=
work=
cleanup() {
  [ -n "$own_prefix" ] && { wineserver -k 2>/dev/null; rm -rf "$own_prefix"; }
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT
own_prefix=$(mktemp -d /tmp/vtl-wine.XXXXXX)
vtl_new_prefix "$own_prefix"
# Without a window manager Wine waits two seconds for every hidden managed
# window to be withdrawn; unmanaged windows close at once.
"$VTL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

work=$(mktemp -d /tmp/vtl-soak.XXXXXX)
work_win="Z:${work//\//\\}\\files"

# The soak program of this prefix (Wine names the Unix process after the exe).
soak_pid() {
  local pid
  for pid in $(pgrep -x vtl_soak.exe); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return
    fi
  done
}

echo "soak: $runs runs in one process (Wine $VTL_WIN_ARCH)"
start=$SECONDS
# A soak that hangs is ended after 15 minutes (and fails).
coproc SOAK {
  cd "$tree/bin" &&
    vtl_with_display timeout 900 "$VTL_WINE" ./vtl_soak.exe BrackwynVTL.dll "$work_win" "$runs" /wait 2>&1
}
soak_pid_outer=$SOAK_PID
exec {soak_out}<&"${SOAK[0]}"
baseline_kb=
last_kb=
last_run=
while IFS= read -r line <&"$soak_out"; do
  line=${line%$'\r'}
  if [[ $line =~ ^checkpoint\ ([0-9]+) ]]; then
    run=${BASH_REMATCH[1]}
    pid=$(soak_pid)
    kb=$( [ -n "$pid" ] && awk '/^VmData:/ {print $2}' "/proc/$pid/status")
    line="$line VmData=${kb:-?}kB"
    [ "$run" -eq "$baseline_run" ] && baseline_kb=$kb
    last_kb=$kb
    last_run=$run
    : >"$work/files/ack-$run"
  fi
  echo "  $line"
done
wait "$soak_pid_outer"
rc=$?
exec {soak_out}<&-

verdict=
[ "$rc" -eq 0 ] || verdict="the soak program found faults (exit code $rc)"
if [ -z "$baseline_kb" ] || [ -z "$last_kb" ]; then
  verdict="${verdict:+$verdict; }no VmData read at the checkpoints"
elif [ $((last_kb - baseline_kb)) -gt "$vmdata_tolerance_kb" ]; then
  verdict="${verdict:+$verdict; }VmData grew from ${baseline_kb} kB after run $baseline_run to ${last_kb} kB after run $last_run"
fi
echo "  VmData after run $baseline_run: ${baseline_kb:-?} kB, after run ${last_run:-?}: ${last_kb:-?} kB" \
     "(at most +$vmdata_tolerance_kb kB allowed); $((SECONDS - start)) s"
if [ -z "$verdict" ]; then
  echo "soak: passed"
else
  echo "soak: FAILED: $verdict"
  exit 1
fi
