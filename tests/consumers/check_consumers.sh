#!/usr/bin/env bash
# Installs a build tree into a temporary prefix, then builds hosts that live
# outside the build tree against that installation only: a C program through
# pkg-config, a C++ program through find_package(Quorvane) (with the shared and
# with the static library), and runs the Python module from the prefix. Each
# compiles missions of examples/campaign.mdb; their files must equal, byte for
# byte, what the installed quorvane command writes.
# Usage: check_consumers.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
consumers=$source/tests/consumers
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
missions=(7 23)
date=2026-01-01

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
libdir=$(dirname "$(find "$prefix" -name 'libquorvane.so' | head -n 1)")
cp "$source/examples/campaign.mdb" "$work/campaign.mdb"

# Runs one host in a folder of its own, writing into its "out" folder, so
# that the lookout include, which names its own path, reads the same for all.
run() {
  local name=$1
  shift
  mkdir -p "$work/$name/out"
  (cd "$work/$name" && "$@" >"$work/$name.log" 2>&1) || {
    echo "$name failed:"
    cat "$work/$name.log"
    return 1
  }
}

run command "$prefix/bin/quorvane" build ../campaign.mdb "${missions[@]}" -o out --date "$date"

export PKG_CONFIG_PATH=$libdir/pkgconfig
# shellcheck disable=SC2046  # pkg-config's flags are separate words
cc -std=c11 -Wall -Wextra -Werror -o "$work/c_host" "$consumers/c/compile_mission.c" \
  $(pkg-config --cflags --libs quorvane)
LD_LIBRARY_PATH=$libdir run c "$work/c_host" out .. campaign.mdb "$date" "${missions[@]}"

for linkage in shared static; do
  static=$([ $linkage = static ] && echo ON || echo OFF)
  cmake -S "$consumers/cmake" -B "$work/cmake_$linkage" -DCMAKE_PREFIX_PATH="$prefix" \
    -DLINK_STATIC=$static >"$work/cmake_$linkage.configure.log"
  cmake --build "$work/cmake_$linkage" >"$work/cmake_$linkage.build.log"
  run "cmake_$linkage" "$work/cmake_$linkage/compile_mission" out .. campaign.mdb "$date" \
    "${missions[@]}"
done

# The module must find the installed library by itself.
package=$(dirname "$(find "$prefix" -path '*/quorvane/__init__.py' | head -n 1)")
unset QUORVANE_LIBRARY
export PYTHONPATH=$(dirname "$package") PYTHONDONTWRITEBYTECODE=1
run python python3 "$consumers/python/compile_mission.py" out .. campaign.mdb "$date" \
  "${missions[@]}"

files=$(ls "$work/command/out" | wc -l)
for host in c cmake_shared cmake_static python; do
  if ! diff -r "$work/command/out" "$work/$host/out"; then
    echo "$host: its files differ from the command's"
    exit 1
  fi
  echo "$host: $files files identical to the command's ($(tail -n 1 "$work/$host.log"))"
done
