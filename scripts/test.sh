#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
# With --sanitize the tests are built and run under AddressSanitizer and
# UndefinedBehaviorSanitizer (build folder build-sanitize). With --threads the
# tests of the library's interfaces, among them two objects compiling on two
# threads, run under ThreadSanitizer (build folder build-threads). With
# --windows the MinGW cross build (build folder build-windows) runs its tests
# under Wine, among them the comparison of its output with the Linux build's
# (build, which must be built), and makes the release zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if [ "${1:-}" = "--windows" ]; then
  scripts/build-windows.sh build-windows -DQUORVANE_LINUX_BINARY="$PWD/build/quorvane"
  known=$(grep -v -e '^#' -e '^$' tests/windows_known_failures.txt | paste -sd'|' || true)
  ctest --test-dir build-windows --output-on-failure -j"$(nproc)" ${known:+-E "$known"}
  version=$(sed -n 's/^project(quorvane VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
  (cd build-windows && cpack -G ZIP >/dev/null)
  tests/check_windows_zip.sh "build-windows/quorvane-$version-win64.zip" "$version"
elif [ "${1:-}" = "--threads" ]; then
  cmake -S . -B build-threads -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVANE_SANITIZE_THREADS=ON -DQUORVANE_BENCHMARKS=OFF >/dev/null
  cmake --build build-threads -j"$(nproc)" --target quorvane_interface_tests
  export TSAN_OPTIONS=halt_on_error=1
  ctest --test-dir build-threads --output-on-failure -j"$(nproc)" -R Interface
elif [ "${1:-}" = "--sanitize" ]; then
  scripts/build.sh build-sanitize -DQUORVANE_SANITIZE=ON -DQUORVANE_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug
  export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
  ctest --test-dir build-sanitize --output-on-failure -j"$(nproc)"
else
  scripts/build.sh build
  ctest --test-dir build --output-on-failure -j"$(nproc)"
fi
