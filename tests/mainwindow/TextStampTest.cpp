// Texts drawn again by a later canvas are stamped from bitmaps of their
// pixels; a painting made with stamps must equal, pixel for pixel, one
// where every text was drawn as text (the first painting after forgetting
// every text).
#include "analysis/BeamData.h"
#include "mainwindow/BeamImage.h"
#include "platform/KnownTexts.h"
#include "platform/QtCanvas.h"
#include "tests/kit/BeamBuilder.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <random>

namespace {

// Where two images of one size first differ, or an empty text.
std::string FirstDifference(const QImage& A, const QImage& B) {
  for (int Y = 0; Y < A.height(); ++Y)
    for (int X = 0; X < A.width(); ++X)
      if (A.pixel(X, Y) != B.pixel(X, Y))
        return "at " + std::to_string(X) + "," + std::to_string(Y);
  return {};
}

// Loads of every kind with random values, widths and places, some of them
// beyond the span and some alike, so that labels repeat within a painting.
std::vector<TBeamLoad> RandomLoads(int Count, unsigned Seed) {
  std::mt19937 Random(Seed);
  std::uniform_real_distribution<double> Position(-1.0, 10.5), Width(0, 4.0), Value(-60, 60);
  std::vector<TBeamLoad> Loads(static_cast<std::size_t>(Count));
  for (std::size_t I = 0; I < Loads.size(); ++I) {
    TBeamLoad& K = Loads[I];
    K.Kind = static_cast<std::int32_t>(I % 5);
    K.X = Position(Random);
    K.W = I % 7 == 0 ? 10 : Value(Random);
    K.Width = K.Kind <= lkRightTriangle ? Width(Random) : 0;
  }
  return Loads;
}

TEST(TextStampTest, RandomDocumentsPaintTheSameWithStamps) {
  for (const int Count : {40, 3000}) {
    TData Data;
    BuildBeam(Data, Count % 2 ? btCantilever : btSimple, 10, RandomLoads(Count, 7u + Count));
    ForgetKnownTexts();
    const QImage AsText = RenderBeamImage(Data, 1000, 700, {});
    // A canvas makes a bounded number of stamps; later ones make the rest.
    for (int Painting = 2; Painting <= 3; ++Painting) {
      const QImage Stamped = RenderBeamImage(Data, 1000, 700, {});
      ASSERT_EQ(AsText.size(), Stamped.size());
      EXPECT_EQ(FirstDifference(AsText, Stamped), "") << Count << " loads, painting " << Painting;
    }
  }
}

// Every style, colour and script, in one painting drawn first as text,
// then again from stamps.
QImage PaintStyledTexts() {
  QImage Image(420, 260, QImage::Format_RGB32);
  Image.fill(Qt::white);
  QPainter Painter(&Image);
  TQtCanvas Canvas(Painter);
  const char* Texts[] = {"W = 12.500(kN)", "M = -3.250(kN･m)", "荷重 ｸﾞﾗﾌ fjAV", "ij/Wy"};
  int Y = 0;
  for (std::uint8_t Style = 0; Style < 16; Style += 3)
    for (const TColor Color : {clBlack, clRed}) {
      Canvas.Font.Style = Style;
      Canvas.Font.Color = Color;
      Canvas.Font.Height = 10 + Style;
      Canvas.Brush.Style = Style % 2 ? bsSolid : bsClear;
      for (int I = 0; I < 4; ++I)
        Canvas.TextOut(5 + I * 100 - (I == 0 ? 8 : 0), Y, Texts[I]);
      Y += Canvas.TextHeight("W") - 4;
    }
  return Image;
}

TEST(TextStampTest, StylesColoursAndScriptsPaintTheSameWithStamps) {
  ForgetKnownTexts();
  const QImage AsText = PaintStyledTexts();
  const QImage Stamped = PaintStyledTexts();
  EXPECT_EQ(FirstDifference(AsText, Stamped), "");
  QImage White(AsText.size(), AsText.format());
  White.fill(Qt::white);
  EXPECT_NE(FirstDifference(AsText, White), "") << "nothing was painted";
}

} // namespace
