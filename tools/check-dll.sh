#!/usr/bin/env bash
# Checks the built component: a DLL's PE headers for the architecture asked
# (i686: PE32 for i386, x86_64: PE32+ for x86-64), the four COM exports and
# the rundll32 entry ApplyPolicy under undecorated names, and imports from
# system DLLs only (the C and C++ runtimes are linked in). No Wine needed:
# the x86 DLL is checked this way on hosts that cannot run it.
set -uo pipefail
dll=$1 triplet=${2}-w64-mingw32
dump=$("$triplet-objdump" -p "$dll") || { echo "!! cannot read $dll"; exit 1; }
ok=0
declare -A format=([i686]=pei-i386 [x86_64]=pei-x86-64) magic=([i686]="010b	(PE32)" [x86_64]="020b	(PE32+)")
grep -q "file format ${format[$2]}\$" <<<"$dump" || { echo "!! $dll is not ${format[$2]}"; ok=1; }
grep -q -F "Magic			${magic[$2]}" <<<"$dump" || { echo "!! $dll: optional header is not ${magic[$2]}"; ok=1; }
chars=$(sed -n 's/^Characteristics\s*0x\([0-9a-f]*\)$/\1/p' <<<"$dump")
(( 0x${chars:-0} & 0x2000 )) || { echo "!! $dll: not marked as a DLL in its file header"; ok=1; }
for e in DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer ApplyPolicy; do
  grep -E "\] $e\$" <<<"$dump" >/dev/null || { echo "!! $dll does not export $e"; ok=1; }
done
bad=$(echo "$dump" | sed -n 's/^\s*DLL Name: //p' | grep -v -i -E '^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|oleacc|comctl32|shell32|shlwapi|uxtheme|msimg32|msvcrt|uuid)\.dll$|^api-ms-win-')
[ -z "$bad" ] || { echo "!! $dll imports non-system DLLs: $bad"; ok=1; }
[ $ok -eq 0 ] && echo "$(basename "$dll") ($2): PE headers, exports and imports as expected"
exit $ok
