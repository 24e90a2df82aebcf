#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# With --sanitize the tests are built and run under AddressSanitizer and
# UndefinedBehaviorSanitizer (build folder build-sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
  scripts/build.sh build-sanitize -DQUORVANE_SANITIZE=ON -DQUORVANE_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
else
  scripts/build.sh build
  ctest --test-dir build --output-on-failure -j"$(nproc)"
fi
