#!/usr/bin/env bash
# Checks the Windows release zip: one folder quorvane-VERSION-win64 holding the
# command, the DLL, its import library and .def file, the headers, the Python
# package, the README and the licence.
# Usage: check_windows_zip.sh ZIP VERSION
set -uo pipefail
zip=$1 version=$2
top=quorvane-$version-win64
listing=$(python3 -m zipfile -l "$zip" | awk 'NR > 1 {print $1}')
faults=0
for name in quorvane.exe quorvane.dll libquorvane.dll.a quorvane.def README.md LICENSE \
            include/quorvane/quorvane.h include/quorvane/compiler.h include/quorvane/version.h \
            quorvane/__init__.py quorvane/_library.py; do
  if ! grep -qxF "$top/$name" <<<"$listing"; then
    echo "missing from $(basename "$zip"): $top/$name"
    faults=$((faults + 1))
  fi
done
if grep -v "^$top/" <<<"$listing" | grep -q .; then
  echo "files outside $top/:"; grep -v "^$top/" <<<"$listing"
  faults=$((faults + 1))
fi
[ "$faults" -eq 0 ] || exit 1
echo "$(basename "$zip"): $(wc -l <<<"$listing") entries, all in place"
