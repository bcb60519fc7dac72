// The one main() of zemtra_bench; every other *_bench.cpp only registers benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
