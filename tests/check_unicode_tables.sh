#!/usr/bin/env bash
# Checks that the committed Unicode tables are what the generator makes from
# Debian's unicode-data (a hand edit, or a new Unicode version, shows here).
# Usage: check_unicode_tables.sh SOURCE_DIR
set -euo pipefail
source=$1
made=$(mktemp)
trap 'rm -f "$made"' EXIT
python3 "$source/scripts/gen-unicode-tables.py" /usr/share/unicode "$made"
if ! cmp -s "$made" "$source/src/platform/unicode_tables.cc"; then
  echo "src/platform/unicode_tables.cc differs from what scripts/gen-unicode-tables.py makes"
  diff "$made" "$source/src/platform/unicode_tables.cc" | head -20
  exit 1
fi
echo "unicode_tables.cc is as generated from $(head -1 /usr/share/unicode/CaseFolding.txt | tr -d '# ')"
