#!/usr/bin/env bash
# Checks that the shared library exports exactly the functions the C header
# declares, and that its SONAME carries the major version.
# Usage: check_exports.sh LIBRARY HEADER SONAME
set -uo pipefail
library=$1 header=$2 soname=$3

exported=$(nm -D --defined-only "$library" | awk '{print $NF}' | sort -u)
faults=0
source "$(dirname "$0")/compare_exports.sh"
compare_exports "$exported" "$header"
actual_soname=$(objdump -p "$library" | awk '$1 == "SONAME" {print $2}')
if [ "$actual_soname" != "$soname" ]; then
  echo "SONAME is '$actual_soname', not '$soname'"
  faults=$((faults + 1))
fi
if [ "$faults" -gt 0 ]; then exit 1; fi
echo "$(wc -l <<<"$exported") symbols exported, all of the C interface; SONAME $soname"
