#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything in build/ (Release) and runs every test with CTest.
# With ORBANT_SANITIZE=1 it builds into build-asan/ with AddressSanitizer and
# UndefinedBehaviorSanitizer instead. With ORBANT_WERROR=1 warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
dir=build
args=(-DCMAKE_BUILD_TYPE=Release)
if [ "${ORBANT_SANITIZE:-0}" = 1 ]; then
  dir=build-asan
  args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBANT_SANITIZE=ON)
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
  export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
fi
if [ "${ORBANT_WERROR:-0}" = 1 ]; then args+=(-DORBANT_WERROR=ON); fi
cmake -S . -B "$dir" -G Ninja "${args[@]}" >/dev/null
cmake --build "$dir"
ctest --test-dir "$dir" --output-on-failure -j2
