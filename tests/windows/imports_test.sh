#!/usr/bin/env bash
# The Windows programs carry their runtime: they import nothing but Windows' own DLLs.
set -euo pipefail
status=0
for program in "$@"; do
    imports=$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^\tDLL Name: //p' | tr 'A-Z' 'a-z')
    echo "$(basename "$program"): $(echo $imports)"
    for dll in $imports; do
        case "$dll" in
        kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | shell32.dll | comctl32.dll | \
            ole32.dll | ntdll.dll | msvcrt.dll | iphlpapi.dll | api-ms-win-*.dll) ;;
        *) echo "FAIL: $program imports $dll"; status=1 ;;
        esac
    done
done
exit "$status"
