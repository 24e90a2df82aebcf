#!/usr/bin/env bash
# Builds the Debian packages (libquorvaneMAJOR, libquorvane-dev, quorvane,
# python3-quorvane) into ./dist, from a build of the command and the
# libraries alone in ./build-package. Install them with
#   apt install ./dist/*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_TESTS=OFF
cmake --build build-package
rm -rf dist/_CPack_Packages
cpack --config build-package/CPackConfig.cmake -B dist
rm -rf dist/_CPack_Packages
ls -l dist/*.deb
