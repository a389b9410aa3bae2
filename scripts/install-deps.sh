#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages needed to build, test and run Orbant.
# Idempotent: packages already present are skipped; nothing is downloaded
# when everything is installed. This is the single list of system packages.
set -euo pipefail

# tzdata: the tests' local-time rules (Europe/Berlin); locales: localedef,
# with which a test builds a German locale of its own. Then: checks of the
# desktop entry, the metadata and the manual pages, the Debian package
# (scripts/package.sh); librsvg2-bin renders the icon's PNGs
# (tools/make_icons.sh); libgps-dev for the GPS receiver, gpsd for its
# tests; clang with libclang-rt-dev (only recommended by clang) brings
# libFuzzer and the sanitizer runtimes for the fuzz targets (scripts/fuzz.sh);
# qt6-translations-l10n holds Qt's German texts of its own dialogs; python3
# runs the generators' checks of the generated tables and the Moon picture.
packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  fonts-liberation tzdata locales
  desktop-file-utils appstream man-db
  dpkg-dev file lintian
  librsvg2-bin
  libgps-dev gpsd
  clang libclang-rt-dev
  qt6-translations-l10n
  python3
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
