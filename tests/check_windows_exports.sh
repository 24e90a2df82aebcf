#!/usr/bin/env bash
# Checks the Windows build's DLL and command: the DLL exports exactly the
# functions the C header declares, and both import only Windows' own DLLs (the
# C++ and GCC runtimes are linked in).
# Usage: check_windows_exports.sh DLL EXE HEADER
set -uo pipefail
dll=$1 exe=$2 header=$3
objdump=x86_64-w64-mingw32-objdump
exported=$($objdump -p "$dll" | awk '/^\[Ordinal\/Name Pointer\] Table/ {table = 1; next}
                                   table && /^\t\[/ {print $NF; next} table && !/^\t/ {table = 0}' | sort -u)
faults=0
source "$(dirname "$0")/compare_exports.sh"
compare_exports "$exported" "$header"
system_dlls='^(KERNEL32|msvcrt|ADVAPI32|SHELL32|USER32|WS2_32|bcrypt|ucrtbase|api-ms-win-[a-z0-9-]+)\.dll$'
for file in "$dll" "$exe"; do
  for imported in $($objdump -p "$file" | awk '/DLL Name:/ {print $3}'); do
    if ! grep -qiE "$system_dlls" <<<"$imported"; then
      echo "$(basename "$file") needs $imported, which is not part of Windows"
      faults=$((faults + 1))
    fi
  done
done
if [ "$faults" -gt 0 ]; then exit 1; fi
echo "$(wc -l <<<"$exported") functions exported, all of the C interface; only Windows DLLs imported"
