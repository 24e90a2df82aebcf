#!/usr/bin/env bash
# Makes the Debian packages of a build tree with cpack and checks them as
# Debian would: lintian reports no error and no warning (when lintian is
# installed), every dependency is a Debian package, each package holds exactly
# its files, the static library carries no debug information, the symbols file
# lists what the library exports, quorvane.pc names real paths, and purging
# the packages from a scratch root leaves nothing behind, not even what Python
# compiled when the module was imported.
# Usage: check_deb.sh BUILD_DIR VERSION
set -uo pipefail
build=$1 version=$2
major=${version%%.*}
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
faults=0
fault() {
  echo "$*"
  faults=$((faults + 1))
}

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/dist" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  exit 1
fi

lib=/usr/lib/$multiarch
python=/usr/lib/python3/dist-packages/quorvane
# Each package and every file (not folder) it installs.
declare -A expected=(
  ["libquorvane${major}_${version}_$arch"]="
    $lib/libquorvane.so.$major $lib/libquorvane.so.$version"
  ["libquorvane-dev_${version}_$arch"]="
    /usr/include/quorvane/compiler.h /usr/include/quorvane/quorvane.h
    /usr/include/quorvane/version.h $lib/libquorvane.a $lib/libquorvane.so
    $lib/pkgconfig/quorvane.pc $lib/cmake/Quorvane/QuorvaneConfig.cmake
    $lib/cmake/Quorvane/QuorvaneConfigVersion.cmake $lib/cmake/Quorvane/QuorvaneTargets.cmake
    $lib/cmake/Quorvane/QuorvaneTargets-*.cmake"
  ["quorvane_${version}_$arch"]="
    /usr/bin/quorvane /usr/share/man/man1/quorvane.1.gz
    /usr/share/bash-completion/completions/quorvane /usr/share/doc/quorvane/README.md"
  ["python3-quorvane_${version}_all"]="
    $python/__init__.py $python/_library.py $python/_installed.py"
)

# Every dependency is a package of this Debian system or one of ours.
ours=$(for deb in "${!expected[@]}"; do echo "${deb%%_*}"; done)
for deb in "${!expected[@]}"; do
  file=$work/dist/$deb.deb
  [ -f "$file" ] || { fault "cpack made no $deb.deb"; continue; }
  for field in Depends Recommends; do
    for name in $(dpkg-deb -f "$file" "$field" | tr ',' '\n' | sed -E 's/\(.*\)//; s/:any//'); do
      grep -qx "$name" <<<"$ours" && continue
      apt-cache show "$name" >/dev/null 2>&1 || dpkg-query -W "$name" >/dev/null 2>&1 ||
        fault "$deb: $field names '$name', which is not a Debian package"
    done
  done
done
# The library and the command need the C and C++ runtimes and SQLite; Jet
# files are read by Quorvane's own reader, not by libmdb.
for deb in "libquorvane${major}_${version}_$arch" "quorvane_${version}_$arch"; do
  names=$(dpkg-deb -f "$work/dist/$deb.deb" Depends | tr ',' '\n' | sed -E 's/\(.*\)//; s/ //g')
  for needed in libc6 libstdc++6 libsqlite3-0; do
    grep -qx "$needed" <<<"$names" || fault "$deb: Depends lacks $needed"
  done
  if grep -qx libmdb3 <<<"$names"; then fault "$deb: Depends names libmdb3"; fi
done
if [ "$faults" -gt 0 ]; then exit 1; fi

if command -v lintian >/dev/null; then
  lintian --display-info --pedantic --fail-on error,warning "$work"/dist/*.deb \
    >"$work/lintian.log" 2>&1 || fault "lintian finds errors or warnings:"
  grep -v "running with root privileges" "$work/lintian.log"
else
  echo "lintian is not installed: the packages are not checked by it"
fi

# Install into a scratch root, maintainer scripts run outside a chroot.
root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers"
touch "$root/var/lib/dpkg/status"
scratch_dpkg() {
  dpkg --root="$root" --force-script-chrootless --force-depends --force-not-root "$@" \
    >>"$work/dpkg.log" 2>&1 || {
    cat "$work/dpkg.log"
    exit 1
  }
}
scratch_dpkg -i "$work"/dist/*.deb
for deb in "${!expected[@]}"; do
  package=${deb%%_*}
  want=(${expected[$deb]} /usr/share/doc/$package/copyright /usr/share/doc/$package/changelog.gz)
  have=$(dpkg --root="$root" -L "$package" | while read -r path; do
    [ -d "$root$path" ] && [ ! -L "$root$path" ] || echo "$path"
  done)
  # A pattern (the CMake package's file of the build type) matches one file.
  matched=$(for pattern in "${want[@]}"; do
    while read -r path; do [[ $path == $pattern ]] && echo "$path"; done <<<"$have" | head -n 1
  done | sort)
  [ "$matched" = "$(sort <<<"$have")" ] && [ "$(wc -l <<<"$matched")" = "${#want[@]}" ] ||
    fault "$package holds other files than expected:" \
      "$(diff <(printf '%s\n' "${want[@]}" | sort) <(sort <<<"$have") | grep '^[<>]')"
done
# Jet files are read by Quorvane's own reader, not by libmdb.
if grep -qx libmdb3 <<<"$names"; then fault "Depends names libmdb3: $depends"; fi

archive=$root$lib/libquorvane.a
library=$root$lib/libquorvane.so.$version
command=$root/usr/bin/quorvane
archive_kb=$(($(stat -c %s "$archive") / 1024))
objdump -h "$archive" | grep -q '\.debug_' && fault "libquorvane.a holds debug sections"
for binary in "$archive" "$library" "$command"; do
  objdump -h "$binary" | grep -qw '\.comment' && fault "$(basename "$binary") holds a .comment section"
done
soname=$(objdump -p "$library" | awk '$1 == "SONAME" {print $2}')
[ "$soname" = "libquorvane.so.$major" ] || fault "packaged SONAME is '$soname'"
grep -q "QUORVANE_VERSION \"$version\"" "$root/usr/include/quorvane/version.h" ||
  fault "packaged version.h does not say $version"

# The symbols file lists exactly what the library exports.
symbols=$root/var/lib/dpkg/info/libquorvane$major.symbols
exported=$(nm -D --defined-only "$library" | awk '{print $NF "@Base"}' | sort)
listed=$(awk '/^ [a-z]/ {print $1}' "$symbols" | sort)
[ "$exported" = "$listed" ] || fault "symbols file and exports differ:" \
  "$(diff <(echo "$listed") <(echo "$exported") | grep '^[<>]')"

cflags=$(PKG_CONFIG_ALLOW_SYSTEM_CFLAGS=1 PKG_CONFIG_PATH=$root$lib/pkgconfig pkg-config --cflags quorvane | xargs)
[ "$cflags" = "-I/usr/include" ] || fault "pkg-config --cflags quorvane gives '$cflags'"

# Importing the module as root compiles it next to its files; purging the
# packages must take that away too.
env -u PYTHONDONTWRITEBYTECODE PYTHONPATH="$root/usr/lib/python3/dist-packages" \
  python3 -c 'import quorvane; quorvane.Compiler' || fault "the installed module does not import"
[ -d "$root$python/__pycache__" ] || fault "importing the module wrote no __pycache__"
files=$(find "$root" -path "$root/var" -prune -o ! -type d -print | wc -l)
scratch_dpkg -P $(for deb in "${!expected[@]}"; do echo "${deb%%_*}"; done)
left=$(find "$root" -path "$root/var" -prune -o -mindepth 1 -print)
[ -z "$left" ] || fault "purging left behind: $left"

if [ "$faults" -gt 0 ]; then exit 1; fi
sizes=$(cd "$work/dist" && du -k -- *.deb | awk '{printf "%s %s kB; ", $2, $1}')
echo "4 packages, $files files installed and purged from a scratch root; $sizes" \
  "libquorvane.a $archive_kb kB without debug sections"
