// Timing of one full painting of the diagram area (all layers) into a
// 1000 × 700 image, as the window repaints after every change, and of what
// a font's glyph stamps cost the first time its texts are painted.
#include "analysis/BeamData.h"
#include "bench/BenchSetUp.h"
#include "bench/SampleDocument.h"
#include "mainwindow/BeamPainter.h"
#include "platform/GlyphStamps.h"
#include "platform/QtCanvas.h"
#include "platform/RecordingCanvas.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <map>
#include <string>

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

// What a font costs the first time the diagram's texts are painted in it:
// glyph stamps learnt from nothing (each character and pair the texts of a
// 30-load diagram use), then those texts measured and stamped once.
void BM_FirstStampsOfAFont(benchmark::State& State) {
  TData Data;
  FillSampleDocument(Data, 30, btSimple);
  TRecordingCanvas Recorder;
  DrawBeam(Data, Recorder, {0, 0, 1000, 700}, TDiagramLayers{}, nullptr);
  const std::vector<TRecordingCanvas::TRecord> Texts = Recorder.OfKind(TRecordingCanvas::rkText);
  QImage Image(1000, 700, QImage::Format_RGB32);
  TImageRaster Raster(Image);
  int Stamped = 0;
  for (auto _ : State) {
    std::map<std::string, TGlyphStamps> Fonts;
    for (const TRecordingCanvas::TRecord& Text : Texts) {
      const QFont Font = ToQFont(Text.Font);
      TGlyphStamps& Stamps = Fonts.try_emplace(Font.key().toStdString(), Font).first->second;
      int Width = 0;
      Stamped += Stamps.Width(Text.Text, Width) &&
                 Stamps.Paint(Raster, Text.Rect.Left, Text.Rect.Top, Text.Text, qRgb(0, 0, 0));
    }
  }
  State.counters["texts"] = static_cast<double>(Texts.size());
  State.counters["stamped"] = benchmark::Counter(Stamped, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FirstStampsOfAFont)->Unit(benchmark::kMillisecond);

} // namespace
