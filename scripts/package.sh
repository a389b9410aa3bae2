#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/package/orbant_<version>_<arch>.deb from
# the Release build in build/ and checks it: lintian (an error fails), the
# package's contents, an install into a scratch root where the installed
# programs, menu entry, metadata and manual pages are tried, and the removal,
# which must leave nothing behind.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
rm -rf build/package
(cd build && cpack -G DEB >/dev/null)
debs=(build/package/orbant_*.deb)
deb=${debs[0]}
echo "package: $deb"

lintian --fail-on error "$deb"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in usr/bin/orbant usr/bin/orbant-cli \
         usr/share/applications/orbant.desktop \
         usr/share/metainfo/org.orbant.Orbant.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/orbant.svg \
         usr/share/icons/hicolor/16x16/apps/orbant.png \
         usr/share/icons/hicolor/256x256/apps/orbant.png \
         usr/share/man/man1/orbant.1.gz usr/share/man/man1/orbant-cli.1.gz \
         usr/share/doc/orbant/copyright usr/share/doc/orbant/changelog.gz; do
  if ! grep -qx "\./$f" <<<"$contents"; then
    echo "package.sh: $f is missing from $deb" >&2
    exit 1
  fi
done

# A scratch root with an empty package database. Dependencies are not
# installed there, so they are not checked; the programs run against the
# host's libraries.
root=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$root" "$log"' EXIT
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates"
touch "$root/var/lib/dpkg/status"
dpkg_root=(dpkg --root="$root" --force-not-root --force-depends --log=/dev/null)
if ! "${dpkg_root[@]}" --install "$deb" >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi

(cd / && "$root/usr/bin/orbant-cli" --version)
(cd / && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/orbant" --version)
desktop-file-validate "$root/usr/share/applications/orbant.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.orbant.Orbant.metainfo.xml" >/dev/null
MANWIDTH=80 man -l "$root/usr/share/man/man1/orbant-cli.1.gz" | grep -q '^NAME'
MANWIDTH=80 man -l "$root/usr/share/man/man1/orbant.1.gz" | grep -q '^NAME'

"${dpkg_root[@]}" --purge orbant >/dev/null
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' -not -path './var/lib/dpkg' \
  -not -path './var/lib/dpkg/*')
if [ -n "$left" ]; then
  echo "package.sh: removing the package left behind:" >&2
  echo "$left" >&2
  exit 1
fi
echo "package.sh: $deb is fine"
