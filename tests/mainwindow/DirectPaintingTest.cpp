// The diagram painted pixel by pixel into a 32-bit image must equal, pixel
// for pixel, the same diagram painted by the painter alone (a 24-bit image),
// at several device pixel ratios, for documents with every kind of load,
// values of every size, loads beyond the span and labels that repeat, in
// every font the package accepts.
#include "analysis/BeamData.h"
#include "mainwindow/BeamPainter.h"
#include "platform/QtCanvas.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/kit/ProgramFonts.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

QImage Painted(TData& Data, QImage::Format Format, const TDiagramLayers& Layers, double Ratio) {
  QImage Image((QSizeF(1000, 700) * Ratio).toSize(), Format);
  Image.setDevicePixelRatio(Ratio);
  Image.fill(Qt::white);
  {
    QPainter Painter(&Image);
    TQtCanvas Canvas(Painter);
    DrawBeam(Data, Canvas, {0, 0, 1000, 700}, Layers, nullptr);
  }
  return Image.convertToFormat(QImage::Format_RGB32);
}

std::vector<TBeamLoad> RandomLoads(int Count, unsigned Seed) {
  std::mt19937 Random(Seed);
  std::uniform_real_distribution<double> Position(-1.0, 10.5), Width(0, 4.0), Value(-60, 60),
      Exponent(-12, 12);
  std::vector<TBeamLoad> Loads(static_cast<std::size_t>(Count));
  for (std::size_t I = 0; I < Loads.size(); ++I) {
    TBeamLoad& K = Loads[I];
    K.Kind = static_cast<std::int32_t>(I % 5);
    K.X = Position(Random);
    K.W = I % 7 == 0 ? 10 : I % 11 == 0 ? std::pow(10.0, Exponent(Random)) : Value(Random);
    K.Width = K.Kind <= lkRightTriangle ? Width(Random) : 0;
  }
  return Loads;
}

TEST(DirectPaintingTest, RandomDocumentsPaintAsThePainterPaintsThemInEveryAcceptedFont) {
  TDiagramLayers WithExtremes;
  WithExtremes.Extremes = true;
  // at device pixel ratios desktops offer too, the same logical area
  for (const char* Family : AcceptedFamilies)
    for (const auto& [Count, Ratio] :
         {std::pair{1, 1.0}, {40, 1.0}, {3000, 1.0}, {40, 1.25}, {3000, 2.0}, {300, 1.5}}) {
      const TPinnedFonts Pinned(QString::fromUtf8(Family));
      TData Data;
      BuildBeam(Data, Count % 2 ? btCantilever : btSimple, 10, RandomLoads(Count, 7u + Count));
      const QImage Direct = Painted(Data, QImage::Format_RGB32, WithExtremes, Ratio);
      const QImage ByPainter = Painted(Data, QImage::Format_RGB888, WithExtremes, Ratio);
      int Differing = 0;
      for (int Y = 0; Y < Direct.height(); ++Y)
        for (int X = 0; X < Direct.width(); ++X)
          Differing += Direct.pixel(X, Y) != ByPainter.pixel(X, Y);
      EXPECT_EQ(Differing, 0) << Count << " loads at " << Ratio << ", " << Family;
    }
}

} // namespace
