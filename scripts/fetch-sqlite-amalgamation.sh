#!/usr/bin/env bash
# Makes the SQLite amalgamation (sqlite3.c, sqlite3.h) that the Windows build
# compiles in, from Debian's own source package: the same version and the same
# patches as the libsqlite3 the Linux build links. Debian's sources are fetched
# with `apt-get source` (a deb-src entry is added when there is none), and the
# amalgamation is made by the package's `make sqlite3.c` (which needs tclsh).
# Usage: scripts/fetch-sqlite-amalgamation.sh DEST_DIR   (run as root)
set -euo pipefail
version=3.40.1-2+deb12u2
dest=$(realpath -m "$1")
if [ -f "$dest/sqlite3.c" ] && [ "$(cat "$dest/VERSION" 2>/dev/null)" = "$version" ]; then
  exit 0
fi
if ! apt-cache showsrc sqlite3 >/dev/null 2>&1 || ! apt-cache showsrc sqlite3 | grep -q "^Version: $version\$"; then
  cat >/etc/apt/sources.list.d/quorvane-sources.sources <<SOURCES
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get -o DPkg::Lock::Timeout=900 update -qq
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq "sqlite3=$version" >/dev/null)
source_dir=$(find "$work" -maxdepth 1 -type d -name 'sqlite3-*' | head -1)
mkdir -p "$work/build"
(cd "$work/build" && "$source_dir/configure" --quiet >/dev/null && make -s sqlite3.c >/dev/null)
mkdir -p "$dest"
cp "$work/build/sqlite3.c" "$work/build/sqlite3.h" "$dest/"
echo "$version" >"$dest/VERSION"
