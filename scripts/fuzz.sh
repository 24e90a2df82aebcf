#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (build folder build-fuzz), then runs each target
# in turn for SECONDS (default 60), one process at a time.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: jet_file sqlite_file
#        criteria_text edited_mission; default all)
# Working corpora grow in build-fuzz/corpus/TARGET, seeded from the test data,
# fuzz/seeds and the inputs kept in tests/data/fuzz/TARGET. An input that finds
# a fault is written to build-fuzz/findings/TARGET (emptied at the start of each
# run, beside the run's log fuzz-0.log) and the script fails; once
# the fault is mended, keep the input in tests/data/fuzz/TARGET, where ctest
# replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
root=$PWD
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(jet_file sqlite_file criteria_text edited_mission)
dir=$root/build-fuzz

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DQUORVANE_FUZZ=ON -DQUORVANE_BENCHMARKS=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"

# Seeds of each target: the test databases, the SQLite twins built with small
# pages (small inputs mutate faster), and the texts under fuzz/seeds.
seeds=$dir/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{jet_file,sqlite_file,criteria_text,edited_mission}
cp tests/data/*.mdb "$seeds/jet_file/"
for sql in tests/data/*.sql; do
  name=$(basename "$sql" .sql)
  [ "$name" = schema ] && continue
  tables=/dev/null  # a mission fixture holds only its rows: the tables come first
  grep -q 'CREATE TABLE' "$sql" || tables=tests/data/schema.sql
  { echo "PRAGMA page_size = 512;"; cat "$tables" "$sql"; echo "VACUUM;"; } |
    sqlite3 "$seeds/sqlite_file/$name.sqlite"
done
cp fuzz/seeds/criteria/* "$seeds/criteria_text/"
cp fuzz/seeds/mission/* "$seeds/edited_mission/"

declare -A max_len=([jet_file]=400000 [sqlite_file]=200000 [criteria_text]=2048 [edited_mission]=8192)
status=0
for target in "${targets[@]}"; do
  corpus=$dir/corpus/$target
  findings=$dir/findings/$target
  rm -rf "$findings"  # the findings of this run only
  mkdir -p "$corpus" "$findings"
  kept=()
  [ -d "tests/data/fuzz/$target" ] && kept=("tests/data/fuzz/$target")
  echo "== $target: ${seconds}s"
  (cd "$findings" && "$dir/fuzz_$target" -jobs=1 -workers=1 -max_total_time="$seconds" \
      -timeout=30 -rss_limit_mb=4096 -max_len="${max_len[$target]}" \
      -dict="$root/fuzz/dict/$target.dict" -artifact_prefix="$findings/" -print_final_stats=1 \
      "$corpus" "$seeds/$target" "${kept[@]/#/$root/}" >/dev/null 2>&1) || true
  # The job's log: its last coverage line and the final figures.
  grep -E '^#[0-9]+' "$findings/fuzz-0.log" | tail -n 1 || true
  grep -E '^stat::number_of_executed_units' "$findings/fuzz-0.log" || true
  faults=$(find "$findings" -maxdepth 1 -type f \( -name 'crash-*' -o -name 'leak-*' \
                 -o -name 'timeout-*' -o -name 'oom-*' \))
  if [ -n "$faults" ]; then
    echo "$target found faults:"
    echo "$faults"
    grep -E 'ERROR|SUMMARY|quorvane fuzz' "$findings/fuzz-0.log" | head -n 5 || true
    status=1
  fi
done
exit $status
