#!/usr/bin/env bash
# Rewrites the expected output files under tests/golden/ from the current
# compiler (from the SQLite twins of the fixtures), then shows what changed. Review the diff
# like code before committing it.
# Usage: scripts/regen-golden.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
cmake --build "$dir" -j2 --target quorvane_tests >/dev/null
QUORVANE_UPDATE_GOLDEN=1 "$dir/quorvane_tests" --gtest_filter='*/GoldenTest.*' >/dev/null || true
"$dir/quorvane_tests" --gtest_filter='*/GoldenTest.*' | tail -n 3
git status --short tests/golden
