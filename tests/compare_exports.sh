# Sourced by the export checks: compares the names a library exports with the
# functions the C header declares. Usage: compare_exports EXPORTED HEADER;
# prints each difference and adds it to `faults`.
compare_exports() {
  local exported=$1 header=$2 declared symbol
  declared=$(grep -oE '^QUORVANE_API [^(]*\(' "$header" | grep -oE 'quorvane_[a-z_]+\($' | tr -d '(' | sort -u)
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
}
