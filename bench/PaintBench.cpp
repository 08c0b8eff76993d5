// Timing of one full painting of the diagram area (all layers) into a
// 1000 × 700 image, as the window repaints after every change.
#include "analysis/BeamData.h"
#include "bench/BenchSetUp.h"
#include "bench/SampleDocument.h"
#include "mainwindow/BeamPainter.h"
#include "platform/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

void BM_DrawBeam(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)), btSimple);
  const double Ratio = BenchPixelRatio();
  QImage Image(static_cast<int>(1000 * Ratio), static_cast<int>(700 * Ratio), QImage::Format_RGB32);
  Image.setDevicePixelRatio(Ratio);
  for (auto _ : State) {
    QPainter Painter(&Image);
    TQtCanvas Canvas(Painter);
    DrawBeam(Data, Canvas, {0, 0, 1000, 700}, TDiagramLayers{}, nullptr);
  }
  // Seconds per load of one painting.
  State.counters["s_per_load"] = benchmark::Counter(static_cast<double>(State.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawBeam)
    ->Arg(30)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

} // namespace
