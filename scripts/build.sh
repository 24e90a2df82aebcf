#!/usr/bin/env bash
# Configures and builds Quorvane, tests included, into a build folder
# (default: build).
# Usage: scripts/build.sh [BUILD_DIR] [extra cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_TESTS=ON "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
