#!/usr/bin/env bash
# Builds the Debian package of a build tree with cpack and checks its control
# fields, that every dependency is a Debian package, and its contents.
# Usage: check_deb.sh BUILD_DIR VERSION
set -uo pipefail
build=$1 version=$2
major=${version%%.*}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi
deb=$(ls "$work"/*.deb)
faults=0
fault() {
  echo "$*"
  faults=$((faults + 1))
}

[ "$(dpkg-deb -f "$deb" Package)" = quorvane ] || fault "Package is not quorvane"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fault "Version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fault "wrong Architecture"

# Depends: package names (each with an optional version), every one a
# package of this Debian system, among them the libraries the code links.
depends=$(dpkg-deb -f "$deb" Depends)
names=$(tr ',' '\n' <<<"$depends" | sed -E 's/\(.*\)//; s/^ +//; s/ +$//')
for name in $names; do
  dpkg-query -W -f='${Status}\n' "$name" 2>/dev/null | grep -q "install ok installed" ||
    fault "Depends names '$name', which is not an installed Debian package"
done
for needed in libc6 libstdc++6 libsqlite3-0; do
  grep -qx "$needed" <<<"$names" || fault "Depends lacks $needed: $depends"
done
# Jet files are read by Quorvane's own reader, not by libmdb.
if grep -qx libmdb3 <<<"$names"; then fault "Depends names libmdb3: $depends"; fi

contents=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in /usr/bin/quorvane \
  "/usr/lib/libquorvane.so.$version" "/usr/lib/libquorvane.so.$major" /usr/lib/libquorvane.so \
  /usr/lib/libquorvane.a \
  /usr/include/quorvane/quorvane.h /usr/include/quorvane/compiler.h \
  /usr/include/quorvane/version.h \
  /usr/lib/pkgconfig/quorvane.pc \
  /usr/lib/cmake/Quorvane/QuorvaneConfig.cmake /usr/lib/cmake/Quorvane/QuorvaneConfigVersion.cmake \
  /usr/lib/cmake/Quorvane/QuorvaneTargets.cmake \
  /usr/share/man/man1/quorvane.1 /usr/share/bash-completion/completions/quorvane \
  /usr/lib/python3/dist-packages/quorvane/__init__.py \
  /usr/lib/python3/dist-packages/quorvane/_library.py \
  /usr/lib/python3/dist-packages/quorvane/_installed.py; do
  grep -qx "$path" <<<"$contents" || fault "the package lacks $path"
done
grep -q "__pycache__\|\.in$" <<<"$contents" && fault "the package holds build leftovers"

# The packaged library is the one the headers describe.
dpkg-deb -x "$deb" "$work/root"
soname=$(objdump -p "$work/root/usr/lib/libquorvane.so.$version" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = "libquorvane.so.$major" ] || fault "packaged SONAME is '$soname'"
grep -q "QUORVANE_VERSION \"$version\"" "$work/root/usr/include/quorvane/version.h" ||
  fault "packaged version.h does not say $version"

if [ "$faults" -gt 0 ]; then exit 1; fi
echo "$(basename "$deb"): $(wc -l <<<"$contents") entries; Depends: $depends"
