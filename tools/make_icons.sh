#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the program's icon, desktop/icons/orbant.svg (drawn by hand), to
# the PNGs of the hicolor theme, desktop/icons/orbant-<size>.png, for the
# sizes 16 to 256 pixels. Needs rsvg-convert (Debian librsvg2-bin). The
# output is the same byte for byte on every run with the same librsvg.
set -euo pipefail
cd "$(dirname "$0")/../desktop/icons"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png --output "orbant-$size.png" orbant.svg
done
