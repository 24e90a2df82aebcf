#!/usr/bin/env bash
# Checks that every layer includes only its own headers and those of the layers
# below it. Usage: check_layers.sh SRC LAYER=SEEN,SEEN... for each layer folder
# of SRC. Unit tests (*_test.cc) may also include the test helpers (support/).
# A relative include ("../x.h") and a layer folder without a rule are faults.
set -uo pipefail
src=$1
shift
declare -A sees
for rule in "$@"; do sees[${rule%%=*}]=",${rule#*=},"; done

faults=0
for dir in "$src"/*/; do
  layer=$(basename "$dir")
  if [ -z "${sees[$layer]:-}" ]; then
    echo "src/$layer: a layer folder with no place among the layers"
    faults=$((faults + 1))
    continue
  fi
  while IFS=: read -r file number line; do
    target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$line")
    case $target in
      */*) top=${target%%/*} ;;
      *) continue ;;  # a header beside the file or a system header
    esac
    if [[ ${sees[$layer]} == *",$top,"* ]]; then continue; fi
    if [ "$top" = support ] && [[ $file == *_test.cc ]]; then continue; fi
    echo "${file#"$src"/}:$number: layer $layer includes \"$target\""
    faults=$((faults + 1))
  done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$dir" --include='*.h' --include='*.cc')
done
if [ "$faults" -gt 0 ]; then
  echo "$faults include(s) reach a higher or sibling layer"
  exit 1
fi
echo "every include stays in its layer or below"
