#!/usr/bin/env bash
# Checks the built component: the four COM exports and the rundll32 entry
# ApplyPolicy under undecorated names,
# and imports from system DLLs only (the C and C++ runtimes are linked in).
set -uo pipefail
dll=$1 triplet=${2}-w64-mingw32
dump=$("$triplet-objdump" -p "$dll") || { echo "!! cannot read $dll"; exit 1; }
ok=0
for e in DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer ApplyPolicy; do
  grep -E "\] $e\$" <<<"$dump" >/dev/null || { echo "!! $dll does not export $e"; ok=1; }
done
bad=$(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | grep -v -i -E '^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|oleacc|comctl32|shell32|shlwapi|uxtheme|msimg32|msvcrt|uuid)\.dll$|^api-ms-win-')
[ -z "$bad" ] || { echo "!! $dll imports non-system DLLs: $bad"; ok=1; }
[ $ok -eq 0 ] && echo "$(basename "$dll") ($2): exports and imports as expected"
exit $ok
