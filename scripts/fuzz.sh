#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each for a fixed
# number of inputs, starting from its seed corpus in tests/fuzz/corpus/.
#
#   scripts/fuzz.sh                 every target, ORBANT_FUZZ_RUNS inputs each
#   ORBANT_FUZZ_RUNS=5000000 scripts/fuzz.sh cli_args
#                                   one target for longer
#   ORBANT_FUZZ_SECONDS=3600 scripts/fuzz.sh settings_file
#                                   one target for an hour instead
#
# New inputs that reach new code are collected in build-fuzz/corpus/<target>/
# (kept between runs, so a longer run goes on from there); copy the useful
# ones into tests/fuzz/corpus/<target>/. A crash leaves its input as
# build-fuzz/crash-* and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
runs="${ORBANT_FUZZ_RUNS:-200000}"
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(settings_file location_file cli_args); fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORBANT_FUZZ=ON -DORBANT_WERROR=ON >/dev/null
cmake --build build-fuzz --target fuzz_targets

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The arguments' target reads Setup.dat of a settings folder: give it an
# empty one, and the zone rules of UTC.
export TZ=UTC
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ORBANT_CONFIG_DIR="$work/config"

for t in "${targets[@]}"; do
  corpus="build-fuzz/corpus/$t"
  mkdir -p "$corpus"
  limit=(-runs="$runs")
  if [ -n "${ORBANT_FUZZ_SECONDS:-}" ]; then limit=(-max_total_time="$ORBANT_FUZZ_SECONDS"); fi
  echo "fuzz: $t (${limit[*]})"
  start=$(date +%s)
  "build-fuzz/${t}_fuzz" "${limit[@]}" -max_len=512 -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "$corpus" "tests/fuzz/corpus/$t" 2>"$work/$t.log" || {
    tail -n 60 "$work/$t.log"
    echo "fuzz: $t FAILED (input kept as build-fuzz/crash-* or leak-*)"
    exit 1
  }
  grep -E '^stat::number_of_executed_units|^Done' "$work/$t.log" || true
  echo "fuzz: $t passed in $(( $(date +%s) - start )) s"
done
