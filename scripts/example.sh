#!/usr/bin/env bash
# The quick start: installs what building the command needs, builds the
# quorvane command alone (no tests, no benchmarks) in the build folder, and
# compiles every mission of the bundled example campaign into ./out (the FIT
# file and the script files of each mission).
set -euo pipefail
cd "$(dirname "$0")/.."
echo "On a fresh 2-core machine this takes about 3 minutes: a minute or two to" \
  "install packages, a minute and a half to build the command. Later runs take seconds."
scripts/install-deps.sh --command
echo "Configuring and building the quorvane command in ./build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVANE_TESTS=OFF
cmake --build build --target quorvane
mkdir -p out
status=0
build/quorvane build examples/campaign.mdb --all -o out || status=$?
ls out
exit $status
