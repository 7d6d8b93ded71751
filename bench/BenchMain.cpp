// Entry point of the benchmark executable that every bench/*.cpp file joins.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
