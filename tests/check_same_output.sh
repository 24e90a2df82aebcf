#!/usr/bin/env bash
# Compiles every mission of the example campaign with the Linux command and
# with the Windows command under Wine, from the same database file, and
# compares the output folders byte for byte. The one line allowed to differ is
# the one that names the lookout include by its path, whose separator is the
# system's.
# Usage: check_same_output.sh LINUX_QUORVANE WINDOWS_QUORVANE_EXE EMULATOR DATABASE
# (a DATABASE ending in .sql is the SQL text of a SQLite twin, loaded first)
set -euo pipefail
linux=$1 windows=$2 emulator=$3 database=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name=$(basename "$database")
if [[ $name == *.sql ]]; then
  name=${name%.sql}.sqlite
  sqlite3 "$work/$name" <"$database"
else
  cp "$database" "$work/"
fi
mkdir "$work/linux" "$work/windows"
(cd "$work" && "$linux" build "$name" --all -o linux --date 2026-01-01 >/dev/null 2>linux.err) || true
(cd "$work" && "$emulator" "$windows" build "$name" --all -o windows --date 2026-01-01 \
   >/dev/null 2>windows.err) || true
# The messages name the output folder; the rest of each line must agree.
if ! diff <(sed 's|linux/|OUT/|g' "$work/linux.err") \
          <(sed 's|windows\\|OUT/|g' "$work/windows.err"); then
  echo "the two commands said different things"
  exit 1
fi
files=$(ls "$work/linux" | wc -l)
if [ "$files" -eq 0 ]; then echo "nothing was written"; exit 1; fi
faults=0
for file in "$work"/linux/*; do
  base=$(basename "$file")
  other="$work/windows/$base"
  if [ ! -f "$other" ]; then
    echo "$base: not written on Windows"; faults=$((faults + 1)); continue
  fi
  if cmp -s "$file" "$other"; then continue; fi
  # Only a path line may differ, and only by its separator.
  if cmp -s <(sed 's|linux/|OUT/|g' "$file") <(sed 's|windows\\|OUT/|g' "$other"); then continue; fi
  echo "$base differs:"; diff <(sed 's|linux/|OUT/|g' "$file") <(sed 's|windows\\|OUT/|g' "$other") | head -5
  faults=$((faults + 1))
done
[ "$(ls "$work/windows" | wc -l)" -eq "$files" ] || { echo "Windows wrote other files"; faults=$((faults + 1)); }
[ "$faults" -eq 0 ] || exit 1
echo "$files files byte-identical (path lines aside) from $name"
