#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quorvane needs
# (only those not installed yet). Run as root.
set -euo pipefail
# python3-pytest runs the Python module's tests; file and dpkg-dev let cpack
# make the Debian package; binutils gives nm and objdump for the export check.
packages=(cmake ninja-build g++ gcc binutils pkg-config libglib2.0-dev libsqlite3-dev
          sqlite3 libgtest-dev libgmock-dev libcli11-dev libbenchmark-dev nlohmann-json3-dev
          python3 python3-pytest file dpkg-dev)
# mdb-export reads the third-party Jet files for the reader's reference test
# (which skips without it) and times the reading of tables in scripts/bench.sh,
# which also needs GNU time and bc.
packages+=(mdbtools time bc)
# chromium renders the mission report in the browser test (which skips
# without it); python3-pil counts the pixels of its screenshot.
packages+=(chromium python3-pil)
# clang and libFuzzer build the fuzz targets of scripts/fuzz.sh.
packages+=(clang libfuzzer-14-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
