// On a 32-bit image the canvas paints pixels itself; everything it paints
// there must equal what the painter paints. The same drawing goes once onto
// a 32-bit image and once onto a 24-bit one, which the painter alone paints.
#include "platform/GlyphStamps.h"
#include "platform/PaintBox.h"
#include "platform/QtCanvas.h"
#include "tests/kit/ProgramFonts.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cctype>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace {

using TDrawing = std::function<void(TCanvas&)>;

// Device pixel ratios that desktops offer, the image covering the same
// logical area at each.
constexpr double Ratios[] = {1, 1.25, 1.5, 2, 3};

QImage PaintOn(QImage::Format Format, QSize Size, double Ratio, const TDrawing& Draw,
               const std::function<void(QPainter&)>& Prepare) {
  QImage Image((QSizeF(Size) * Ratio).toSize(), Format);
  Image.setDevicePixelRatio(Ratio);
  Image.fill(Qt::white);
  {
    QPainter Painter(&Image);
    if (Prepare) Prepare(Painter);
    TQtCanvas Canvas(Painter);
    Draw(Canvas);
  }
  return Image.convertToFormat(QImage::Format_RGB32);
}

// Where the two paintings first differ, or an empty text; also fails when
// nothing was painted at all.
std::string Difference(QSize Size, const TDrawing& Draw, double Ratio = 1,
                       const std::function<void(QPainter&)>& Prepare = {}) {
  const QImage Direct = PaintOn(QImage::Format_RGB32, Size, Ratio, Draw, Prepare);
  const QImage ByPainter = PaintOn(QImage::Format_RGB888, Size, Ratio, Draw, Prepare);
  bool Painted = false;
  for (int Y = 0; Y < Direct.height(); ++Y)
    for (int X = 0; X < Direct.width(); ++X) {
      if (Direct.pixel(X, Y) != ByPainter.pixel(X, Y))
        return "at " + std::to_string(X) + "," + std::to_string(Y) + " ratio " +
               std::to_string(Ratio);
      Painted = Painted || Direct.pixel(X, Y) != qRgb(255, 255, 255);
    }
  return Painted ? "" : "nothing painted";
}

constexpr TColor Colours[] = {clBlue, clRed, clGreen, clAqua, clYellow, clFuchsia, clBlack};

struct TShape {
  std::vector<TPoint> Points;
  TColor Fill, Outline;
};

// The load figures (a rectangle and two right triangles) and any four
// corners, crossing or not, partly outside the image too.
std::vector<TShape> RandomPolygons(std::mt19937& Random, int Count) {
  std::uniform_int_distribution<int> Coordinate(-30, 330), Size(0, 120), Pick(0, 6);
  std::vector<TShape> Shapes;
  for (int I = 0; I < Count; ++I) {
    const int X = Coordinate(Random), Y = Coordinate(Random);
    const int W = Size(Random), H = Size(Random) - 60;
    std::vector<TPoint> Points;
    switch (I % 4) {
    case 0:
      Points = {{X, Y}, {X, Y - H}, {X + W, Y - H}, {X + W, Y}};
      break;
    case 1:
      Points = {{X, Y}, {X, Y - H}, {X + W, Y}};
      break;
    case 2:
      Points = {{X, Y}, {X + W, Y - H}, {X + W, Y}};
      break;
    default:
      for (int Corner = 0; Corner < 4; ++Corner)
        Points.push_back({Coordinate(Random), Coordinate(Random)});
    }
    Shapes.push_back({Points, Colours[Pick(Random)], Colours[Pick(Random)]});
  }
  return Shapes;
}

TEST(ImageRasterTest, PolygonsFillAsThePainterFills) {
  std::mt19937 Random(11);
  for (int Round = 0; Round < 80; ++Round) {
    const std::vector<TShape> Shapes = RandomPolygons(Random, 60);
    const auto Draw = [&Shapes](TCanvas& C) {
      C.Brush.Style = bsSolid;
      for (const TShape& Shape : Shapes) {
        C.Brush.Color = Shape.Fill;
        C.Pen.Color = Shape.Outline;
        C.Polygon(Shape.Points);
      }
    };
    ASSERT_EQ(Difference({300, 300}, Draw, Ratios[Round % std::size(Ratios)]), "")
        << "round " << Round;
  }
}

// Lines, rectangles, ellipses and arcs of every colour, some wide, in and
// across a clip.
void RandomFigures(TCanvas& C) {
  std::mt19937 Random(5);
  std::uniform_int_distribution<int> Coordinate(-20, 220), Pick(0, 6), Width(1, 3), Box(1, 45);
  for (int I = 0; I < 400; ++I) {
    C.Pen.Color = Colours[Pick(Random)];
    C.Pen.Width = Width(Random);
    C.Brush.Color = Colours[Pick(Random)];
    C.Brush.Style = I % 3 ? bsSolid : bsClear;
    const int X = Coordinate(Random), Y = Coordinate(Random), S = Box(Random);
    if (I == 200) {
      const TRect Clip{40, 30, 150, 170};
      C.SetClipRect(&Clip);
    }
    switch (I % 5) {
    case 0:
      C.MoveTo(X, Y);
      C.LineTo(Coordinate(Random), Coordinate(Random));
      break;
    case 1:
      C.Polyline({{X, Y}, {X + S, Y}, {X + S, Y + S}, {X - S, Y + 2 * S}});
      break;
    case 2:
      C.Rectangle({X, Y, X + S, Y + Box(Random)});
      break;
    case 3:
      C.Ellipse({X, Y, X + S, Y + S});
      break;
    default:
      C.Arc({X, Y, X + S, Y + S}, {X + S / 2, Y}, {X + S / 2, Y + S});
    }
  }
  C.SetClipRect(nullptr);
}

TEST(ImageRasterTest, LinesRectanglesEllipsesAndArcsAsThePainterPaints) {
  const TDrawing Draw = RandomFigures;
  for (const double Ratio : Ratios) {
    EXPECT_EQ(Difference({200, 200}, Draw, Ratio), "");
    // moved by a part of a device pixel
    EXPECT_EQ(Difference({200, 200}, Draw, Ratio, [](QPainter& P) { P.translate(3, 7); }), "");
  }
}

// A paint box shows what a painter paints on its widget, at every ratio,
// on whole device pixels or not (where it cannot copy an image of its own).
TEST(ImageRasterTest, APaintBoxShowsWhatThePainterPaints) {
  TPaintBox Box;
  Box.resize(203, 157);
  Box.OnPaint = [&Box](TObject*) { RandomFigures(Box.Canvas()); };
  const QColor Background = Box.palette().color(Box.backgroundRole());
  for (const double Ratio : Ratios)
    for (const QPoint Offset : {QPoint(0, 0), QPoint(3, 5)}) {
      const auto Blank = [Ratio] {
        QImage Image((QSizeF(220, 170) * Ratio).toSize(), QImage::Format_RGB888);
        Image.setDevicePixelRatio(Ratio);
        Image.fill(Qt::white);
        return Image;
      };
      QImage Shown = Blank(), Expected = Blank();
      Box.render(&Shown, Offset);
      {
        QPainter Painter(&Expected);
        Painter.translate(Offset);
        Painter.fillRect(QRect(0, 0, 203, 157), Background);
        TQtCanvas Canvas(Painter);
        RandomFigures(Canvas);
      }
      // The box shows nothing beyond its edges (rounded half up).
      const auto Edge = [Ratio](int V) { return static_cast<int>(std::floor(V * Ratio + 0.5)); };
      const QRect Inside(QPoint(Edge(Offset.x()), Edge(Offset.y())),
                         QPoint(Edge(Offset.x() + 203) - 1, Edge(Offset.y() + 157) - 1));
      for (int Y = 0; Y < Expected.height(); ++Y)
        for (int X = 0; X < Expected.width(); ++X)
          if (!Inside.contains(X, Y)) Expected.setPixel(X, Y, qRgb(255, 255, 255));
      EXPECT_TRUE(Shown == Expected) << Ratio << " at " << Offset.x() << "," << Offset.y();
    }
}

// Random texts of every character the stamps know, with letters and
// without (shaping may choose other glyphs for the signs of a text with
// letters).
std::vector<std::string> RandomTexts(std::mt19937& Random, int Count) {
  std::uniform_int_distribution<int> Length(1, 24), Symbol(0, 95);
  std::vector<std::string> Texts;
  for (int I = 0; I < Count; ++I) {
    std::string Text;
    for (int N = Length(Random); N > 0; --N) {
      const int S = Symbol(Random);
      const bool Letter = std::isalpha(0x20 + S) != 0;
      if (S == 95)
        Text += "･";
      else if (I % 2 == 0 || !Letter)
        Text += static_cast<char>(0x20 + S);
    }
    Texts.push_back(Text);
  }
  return Texts;
}

// Each family the package accepts, at the sizes and in the styles the
// program uses and more, through the stamps and through the painter.
TEST(ImageRasterTest, TextsAsThePainterPaintsThemInEveryAcceptedFont) {
  std::mt19937 Random(17);
  std::vector<std::string> Texts = RandomTexts(Random, 30);
  for (const char* Text : {"W = 12.500(kN)", "M = -3.250(kN･m)", "P = -nan(kN)", "荷重 ｸﾞﾗﾌ fjAV"})
    Texts.push_back(Text);
  const auto Draw = [&Texts](TCanvas& C) {
    int Y = -4;
    for (std::uint8_t Style = 0; Style < 16; Style += 3)
      for (const int Height : {9, 12, 17}) {
        C.Font.Style = Style;
        C.Font.Height = Height;
        C.Font.Color = Colours[(Style + Height) % 7];
        C.Brush.Style = Height == 12 ? bsSolid : bsClear;
        C.Brush.Color = clAqua;
        int X = -6;
        for (const std::string& Text : Texts) {
          C.TextOut(X % 400, Y, Text);
          X += C.TextWidth(Text) / 2 + 3;
        }
        Y += C.TextHeight("W") - 3;
      }
  };
  for (const char* Family : AcceptedFamilies) {
    const TPinnedFonts Pinned(QString::fromUtf8(Family));
    for (const double Ratio : Ratios)
      EXPECT_EQ(Difference({420, 300}, Draw, Ratio), "") << Family << " at " << Ratio;
    // moved by a part of a device pixel
    for (const double Ratio : {1.0, 1.25, 2.0})
      EXPECT_EQ(Difference({420, 300}, Draw, Ratio, [](QPainter& P) { P.translate(3.5, 7.25); }),
                "")
          << Family << " at " << Ratio;
  }
}

// The program's font in each accepted family is stamped, not left to the
// painter, and measured as its metrics measure.
TEST(ImageRasterTest, TheProgramFontIsStampedAndMeasuredLikeTheMetrics) {
  QImage Image(200, 40, QImage::Format_RGB32);
  Image.fill(Qt::white);
  TImageRaster Raster(Image);
  for (const char* Family : AcceptedFamilies)
    for (const bool Bold : {false, true}) {
      const TPinnedFonts Pinned(QString::fromUtf8(Family));
      TFont Font;
      Font.Style = Bold ? fsBold : 0;
      const QFont QtFont = ToQFont(Font);
      TGlyphStamps Stamps(QtFont);
      for (const char* Text :
           {"W = 12.345(kN)", "M = -0.001(kN･m)", "P = 1000000.000(kN)", "-1.5"}) {
        int Width = 0;
        ASSERT_TRUE(Stamps.Width(Text, Width)) << Family << ": " << Text;
        EXPECT_EQ(Width, QFontMetrics(QtFont).horizontalAdvance(QString::fromUtf8(Text)))
            << Family << ": " << Text;
        EXPECT_TRUE(Stamps.Paint(Raster, 0, 0, Text, qRgb(0, 0, 0))) << Family << ": " << Text;
      }
      int Width = 0;
      EXPECT_FALSE(Stamps.Width("荷重", Width));
    }
}

} // namespace
