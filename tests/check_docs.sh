#!/usr/bin/env bash
# Checks that every subcommand of the command has its section in the man page
# and its entry in the bash completion.
# Usage: check_docs.sh QUORVANE MANPAGE COMPLETION
set -uo pipefail
command=$1 manpage=$2 completion=$3

# The names under "Subcommands:" in the help text, one per line.
subcommands=$("$command" --help | awk '/^Subcommands:/ {on = 1; next} on && NF == 0 {on = 0} on {print $1}')
listed=$(sed -nE 's/^_quorvane_subcommands="(.*)"$/\1/p' "$completion")
faults=0
if [ -z "$subcommands" ]; then
  echo "no subcommands found in the help text"
  faults=1
fi
for name in $subcommands; do
  grep -qx ".SS $name" "$manpage" || { echo "man page: no section '.SS $name'"; faults=$((faults + 1)); }
  [[ " $listed " == *" $name "* ]] || { echo "completion: '$name' missing"; faults=$((faults + 1)); }
done
if [ "$faults" -gt 0 ]; then exit 1; fi
echo "subcommands documented:" $subcommands
