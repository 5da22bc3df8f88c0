#!/usr/bin/env bash
# Checks that Windows executables import only DLLs and functions that Windows
# XP has. Without arguments, checks both executables of both MinGW builds.
# Usage: scripts/check-windows-imports.sh [file.exe ...]
set -euo pipefail
cd "$(dirname "$0")/.."

# DLLs of Windows XP that the program may use (compared in lower case).
allowed_dlls="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll
ole32.dll oleaut32.dll uxtheme.dll msvcrt.dll"
# Functions that came after Windows XP and that toolchains are known to pull in.
forbidden_functions='^(GetTickCount64|.*SRWLock.*|.*ConditionVariable.*|Fls.*|InitOnce.*|WakeByAddress.*|WaitOnAddress|GetSystemTimePreciseAsFileTime|CreateEventEx[AW]|CreateMutexEx[AW]|CreateSemaphoreEx[AW]|GetLocaleInfoEx|CompareStringEx|LCMapStringEx|LocaleNameToLCID|LCIDToLocaleName|GetFileInformationByHandleEx|SetFileInformationByHandle|QueryFullProcessImageName[AW]|SetWindowSubclass)$'

if (($# == 0)); then
    set -- build/mingw-{i686,x86_64}/src/ui/win32/{"Kalvoro XP",kalvoro-xp-e2e}.exe
fi

objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=objdump

status=0
for executable in "$@"; do
    if [[ ! -f $executable ]]; then
        echo "MISSING $executable"
        status=1
        continue
    fi
    # One line "DLL function" per import, from the import tables that objdump prints.
    imports=$("$objdump" -p "$executable" | awk '
        /^\tDLL Name: / { dll = tolower($3); print dll, "-"; next }
        /^\t*$/ { if (dll != "") dll = "" }
        dll != "" && $1 ~ /^[0-9a-f]+$/ && NF >= 3 { print dll, $3 }')
    problems=()
    while read -r dll function; do
        [[ -z $dll ]] && continue
        case "$dll" in api-ms-win-* | ucrtbase*) problems+=("$dll (not on Windows XP)") ;; esac
        if ! grep -qw -- "$dll" <<<"$allowed_dlls"; then
            problems+=("$dll (not an allowed DLL)")
        fi
        if [[ $function != - ]] && grep -Eq "$forbidden_functions" <<<"$function"; then
            problems+=("$dll!$function (not on Windows XP)")
        fi
    done <<<"$imports"
    dlls=$(awk '$2 == "-" { print $1 }' <<<"$imports" | sort -u | tr '\n' ' ')
    functions=$(awk '$2 != "-"' <<<"$imports" | wc -l)
    if ((${#problems[@]})); then
        echo "FAIL $executable"
        printf '     %s\n' "${problems[@]}" | sort -u
        status=1
    else
        echo "ok   $executable: $functions functions from $dlls"
    fi
done
exit "$status"
