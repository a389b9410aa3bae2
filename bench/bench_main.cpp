// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark program's entry point; the benchmarks register themselves
// from their own files in bench/.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
