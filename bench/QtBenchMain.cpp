// main() of the benchmarks that paint: an offscreen application with the
// program's fonts around Google Benchmark.
#include "platform/Fonts.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication App(argc, argv);
  InstallFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
