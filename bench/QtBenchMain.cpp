// main() of the benchmarks that paint: an offscreen application with the
// program's fonts around Google Benchmark.
#include "tests/kit/OffscreenApplication.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  TOffscreenApplication App(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
