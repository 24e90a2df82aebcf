#!/usr/bin/env bash
# Cross-builds Quorvane for 64-bit Windows with MinGW-w64 and runs its tests
# under Wine: installs the Debian packages it needs (MinGW, Wine, tclsh for the
# SQLite amalgamation), makes the amalgamation from Debian's SQLite sources,
# configures with cmake/mingw-w64.cmake and builds.
# Usage: scripts/build-windows.sh [BUILD_DIR] [extra cmake options...]
# (default build-windows). Run as root. Then:
#   ctest --test-dir BUILD_DIR -j2      the tests under Wine
#   cpack --config BUILD_DIR/CPackConfig.cmake -G ZIP   the release zip
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-windows}
shift || true
packages=(g++-mingw-w64-x86-64-posix wine wine64 tclsh cmake ninja-build libgtest-dev
          libcli11-dev nlohmann-json3-dev dpkg-dev zip)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=900 update -qq
  apt-get -o DPkg::Lock::Timeout=900 install -y -qq "${missing[@]}"
fi
scripts/fetch-sqlite-amalgamation.sh "$dir/sqlite-amalgamation"
# The Wine prefix of the tests (scripts/wine-run.sh), made once.
scripts/wine-run.sh wineboot --init >/dev/null 2>&1 || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DQUORVANE_BENCHMARKS=OFF \
  -DQUORVANE_SQLITE_SOURCE="$PWD/$dir/sqlite-amalgamation" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
