#!/usr/bin/env bash
# Installs the Debian packages that Quorvane needs (only those not installed
# yet). Run as root.
# Usage: scripts/install-deps.sh [--command | --package]
#   --command  only what building the quorvane command needs (the quick start)
#   --package  that, and what making the Debian packages needs
#   (nothing)  everything: building, testing, benchmarks, fuzzing
set -euo pipefail
packages=(cmake ninja-build g++ gcc pkg-config libsqlite3-dev libcli11-dev nlohmann-json3-dev)
if [ "${1:-}" != --command ]; then
  # cpack's Debian generator needs file and dpkg-dev (dpkg-shlibdeps), and
  # binutils for stripping.
  packages+=(binutils file dpkg-dev)
fi
if [ -z "${1:-}" ]; then
  # GLib checks the generated Unicode tables in the tests; python3-pytest runs
  # the Python module's tests; lintian checks the Debian packages; nm and
  # objdump (binutils) check the library's exports.
  packages+=(libglib2.0-dev sqlite3 libgtest-dev libgmock-dev libbenchmark-dev python3
             python3-pytest lintian)
  # mdb-export reads the third-party Jet files for the reader's reference test
  # (which skips without it) and times the reading of tables in scripts/bench.sh,
  # which also needs GNU time and bc.
  packages+=(mdbtools time bc)
  # unicode-data is the source of the Unicode tables of text comparison (a test
  # checks the committed tables against it).
  packages+=(unicode-data)
  # chromium renders the mission report in the browser test (which skips
  # without it); python3-pil counts the pixels of its screenshot.
  packages+=(chromium python3-pil)
  # clang and libFuzzer build the fuzz targets of scripts/fuzz.sh.
  packages+=(clang libfuzzer-14-dev)
fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi
