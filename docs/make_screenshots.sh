#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes the README's pictures of the horizon view, the overview chart and
# the Moon page: a fixed instant in Hamburg, a portrait window of 240 x 320,
# settings from an empty folder (the built-in defaults); and the Moon page in
# an 800 x 600 window on a desktop.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-"$here/../build/orbant"}
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
for page in horizont uebersicht mond; do
    TZ=Europe/Berlin "$program" --config-dir "$config" --clock "2026-01-15 21:00:00" --size 240x320 \
        --screenshot "$page" --out "$here/$page.png"
done
TZ=Europe/Berlin "$program" --config-dir "$config" --clock "2026-01-15 21:00:00" --size 800x600 \
    --screenshot mond --out "$here/mond-800x600.png"
