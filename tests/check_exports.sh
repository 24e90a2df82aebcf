#!/usr/bin/env bash
# Checks that the shared library exports exactly the functions the C header
# declares, and that its SONAME carries the major version.
# Usage: check_exports.sh LIBRARY HEADER SONAME
set -uo pipefail
library=$1 header=$2 soname=$3

exported=$(nm -D --defined-only "$library" | awk '{print $NF}' | sort -u)
declared=$(grep -oE '^QUORVANE_API [^(]*\(' "$header" | grep -oE 'quorvane_[a-z_]+\($' | tr -d '(' | sort -u)
faults=0
if [ -z "$declared" ]; then
  echo "no function declarations found in $header"
  faults=$((faults + 1))
fi
for symbol in $(comm -23 <(echo "$exported") <(echo "$declared")); do
  echo "exported but not part of the C interface: $symbol"
  faults=$((faults + 1))
done
for symbol in $(comm -13 <(echo "$exported") <(echo "$declared")); do
  echo "declared but not exported: $symbol"
  faults=$((faults + 1))
done
actual_soname=$(objdump -p "$library" | awk '$1 == "SONAME" {print $2}')
if [ "$actual_soname" != "$soname" ]; then
  echo "SONAME is '$actual_soname', not '$soname'"
  faults=$((faults + 1))
fi
if [ "$faults" -gt 0 ]; then exit 1; fi
echo "$(wc -l <<<"$exported") symbols exported, all of the C interface; SONAME $soname"
