#!/usr/bin/env bash
# Prints the time of reading every table of each Jet scale mission, one
# `quorvane dump FILE TABLE` per table, against one `mdb-export FILE TABLE`
# per table. Then one table of how the build grows with the mission: for generated
# SQLite missions of 1,000 to 30,000 units and the two Jet scale missions, the
# time of `quorvane build DB 1`, the time a plain reader needs to read the same
# tables (mdb-export for Jet files, the sqlite3 shell for SQLite files, one
# process per table), their ratio, the growth exponent of our time between
# neighbouring sizes, and the peak memory of the build. Then the time of
# `build --all` over examples/campaign.mdb and over a generated campaign of
# 1,000 small missions.
#
# Usage: scripts/bench.sh [--binary PATH] [--runs N]
#   --binary  the quorvane command to measure (default: a Release build made
#             in build-bench)
#   --runs    runs per time; the fastest counts (default 3)
# Needs GNU time (/usr/bin/time), mdbtools and sqlite3 (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

binary=""
runs=3
while [ $# -gt 0 ]; do
  case "$1" in
    --binary) binary=$(realpath "$2"); shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    *) echo "usage: scripts/bench.sh [--binary PATH] [--runs N]" >&2; exit 64 ;;
  esac
done

cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j2 --target quorvane quorvane_bench >/dev/null
[ -n "$binary" ] || binary=$root/build-bench/quorvane
generator=$root/build-bench/quorvane_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds (wall clock) of the fastest of $runs runs of a command.
fastest() {
  local best="" start end took
  for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s.%N)
    took=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$took < $best" | bc -l)" = 1 ]; then best=$took; fi
  done
  printf '%.3f' "$best"
}

# Peak resident memory (MiB) of one run of a command.
peak_mib() {
  /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ {printf "%.1f", $2 / 1024}'
}

read_jet() {
  local table
  for table in $(mdb-tables "$1"); do mdb-export "$1" "$table" >/dev/null; done
}

read_sqlite() {
  local table
  for table in $(sqlite3 "$1" "SELECT name FROM sqlite_master WHERE type = 'table'"); do
    sqlite3 -csv "$1" "SELECT * FROM \"$table\"" >/dev/null
  done
}

build_one() { rm -rf "$work/out" && mkdir "$work/out" && "$binary" build "$1" "$2" -o "$work/out"; }
build_all() { rm -rf "$work/out" && mkdir "$work/out" && "$binary" build "$1" --all -o "$work/out"; }

dump_jet() {
  local table
  for table in $(mdb-tables "$1"); do "$binary" dump "$1" "$table" >/dev/null; done
}
printf '%-22s %9s %9s %7s\n' "read every table" "dump s" "export s" ratio
for units in 10000 30000; do
  db=$root/tests/data/scale/units$units.mdb
  ours=$(fastest dump_jet "$db")
  theirs=$(fastest read_jet "$db")
  printf '%-22s %9s %9s %7.2f\n' "units$units.mdb" "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
done
echo

printf '%-22s %7s %9s %9s %7s %7s %9s %9s %8s\n' mission units "build s" "read s" ratio growth "peak MiB" "file MiB" "mem/file"
row() {  # label units database reader previous_units previous_time
  local label=$1 units=$2 db=$3 reader=$4 prev_units=$5 prev_time=$6
  local ours theirs peak size growth="-"
  ours=$(fastest build_one "$db" 1)
  theirs=$(fastest "$reader" "$db")
  peak=$(peak_mib "$binary" build "$db" 1 -o "$work")
  size=$(echo "$(stat -c %s "$db") / 1048576" | bc -l)
  if [ -n "$prev_units" ]; then
    growth=$(echo "l($ours / $prev_time) / l($units / $prev_units)" | bc -l)
    growth=$(printf '%.2f' "$growth")
  fi
  printf '%-22s %7s %9s %9s %7.2f %7s %9s %9.2f %8.1f\n' "$label" "$units" "$ours" "$theirs" \
    "$(echo "$ours / $theirs" | bc -l)" "$growth" "$peak" "$size" "$(echo "$peak / $size" | bc -l)"
  last_time=$ours
}

previous=""
last_time=""
for units in 1000 3000 10000 30000; do
  db=$work/units$units.sqlite
  "$generator" generate "$db" "$units"
  row "generated SQLite" "$units" "$db" read_sqlite "$previous" "$last_time"
  previous=$units
done
previous=""
for units in 10000 30000; do
  row "units$units.mdb" "$units" "$root/tests/data/scale/units$units.mdb" read_jet "$previous" \
    "$last_time"
  previous=$units
done

"$generator" generate "$work/campaign1000.sqlite" 24 1000
echo
printf '%-40s %9s %9s\n' "build --all" "s" "peak MiB"
printf '%-40s %9s %9s\n' "examples/campaign.mdb" "$(fastest build_all "$root/examples/campaign.mdb")" \
  "$(peak_mib "$binary" build "$root/examples/campaign.mdb" --all -o "$work")"
printf '%-40s %9s %9s\n' "generated, 1,000 missions of 24 units" \
  "$(fastest build_all "$work/campaign1000.sqlite")" \
  "$(peak_mib "$binary" build "$work/campaign1000.sqlite" --all -o "$work")"
