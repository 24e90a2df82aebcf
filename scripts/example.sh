#!/usr/bin/env bash
# Installs what is missing, builds, and compiles every mission of the bundled
# example campaign into ./out (FIT file and script files of each mission).
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
mkdir -p out
build/quorvane build examples/campaign.mdb --all -o out
status=$?
ls out
exit $status
