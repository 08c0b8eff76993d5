// Timing of one full painting of the diagram area (all layers) into a
// 1000 × 700 image, as the window repaints after every change.
#include "analysis/BeamData.h"
#include "mainwindow/BeamPainter.h"
#include "platform/Fonts.h"
#include "platform/QtCanvas.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <random>

namespace {

void FillDocument(TData& Data, int Loads) {
  std::mt19937 Random(777);
  std::uniform_real_distribution<double> Position(0, 9.5), Width(0.2, 3.0), Value(-10, 40);
  Data.SetLength(10);
  for (int I = 0; I < Loads; ++I) {
    TKajyuData& K = (Data.EnsureLoad(I), Data.Load(I));
    K.FKind = I % 5;
    K.FX = Position(Random);
    K.FW = Value(Random);
    K.FWidth = K.FKind <= lkRightTriangle ? Width(Random) : 0;
  }
  Data.Calculate();
}

void BM_DrawBeam(benchmark::State& State) {
  TData Data;
  FillDocument(Data, static_cast<int>(State.range(0)));
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
