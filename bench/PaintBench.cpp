// Timing of one full painting of the diagram area (all layers) into a
// 1000 × 700 image, as the window repaints after every change.
#include "analysis/BeamData.h"
#include "bench/SampleDocument.h"
#include "mainwindow/BeamPainter.h"
#include "platform/Fonts.h"
#include "platform/QtCanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

void BM_DrawBeam(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, static_cast<int>(State.range(0)), btSimple);
  QImage Image(1000, 700, QImage::Format_RGB32);
  for (auto _ : State) {
    QPainter Painter(&Image);
    TQtCanvas Canvas(Painter);
    DrawBeam(Data, Canvas, {0, 0, 1000, 700}, TDiagramLayers{}, nullptr);
  }
}
BENCHMARK(BM_DrawBeam)->Arg(30)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication App(argc, argv);
  InstallFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
