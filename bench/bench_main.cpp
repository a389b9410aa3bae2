// The benchmark program's entry point; the benchmarks register themselves
// from their own files in bench/.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
