// main() of the benchmarks that paint: an offscreen application with the
// program's fonts around Google Benchmark, at the pixel ratio and with the
// font the environment asks for (BenchSetUp.h).
#include "bench/BenchSetUp.h"
#include "tests/kit/OffscreenApplication.h"

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  TOffscreenApplication App(argc, argv, BenchPixelRatio());
  UseBenchFont();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
