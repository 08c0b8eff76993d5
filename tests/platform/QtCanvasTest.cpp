// The QPainter canvas puts every primitive on the pixels the drawing code
// computes: lines stop short of their end, rectangles exclude their right
// and bottom edges, outlines pass through their vertices.
#include "platform/QtCanvas.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

class QtCanvasTest : public ::testing::Test {
protected:
  QtCanvasTest() : Image(40, 40, QImage::Format_RGB32) { Image.fill(Qt::white); }

  template <class F> void Paint(F Draw) {
    QPainter Painter(&Image);
    TQtCanvas Canvas(Painter);
    Draw(Canvas);
  }
  bool IsSet(int X, int Y) const { return Image.pixel(X, Y) != qRgb(255, 255, 255); }
  int CountSet() const {
    int N = 0;
    for (int Y = 0; Y < Image.height(); ++Y)
      for (int X = 0; X < Image.width(); ++X)
        N += IsSet(X, Y);
    return N;
  }

  QImage Image;
};

TEST_F(QtCanvasTest, LinesStopShortOfTheirLastPoint) {
  Paint([](TCanvas& C) {
    C.Pen.Color = clRed;
    C.MoveTo(5, 5);
    C.LineTo(15, 5);
    C.MoveTo(5, 10);
    C.LineTo(15, 20); // a diagonal of ten steps
  });
  for (int X = 5; X < 15; ++X)
    EXPECT_TRUE(IsSet(X, 5)) << X;
  EXPECT_FALSE(IsSet(15, 5));
  EXPECT_EQ(Image.pixel(5, 5), qRgb(255, 0, 0));
  EXPECT_TRUE(IsSet(10, 15));
  EXPECT_FALSE(IsSet(15, 20));
  EXPECT_EQ(CountSet(), 20);
}

TEST_F(QtCanvasTest, FilledRectanglesExcludeTheirRightAndBottomEdges) {
  Paint([](TCanvas& C) {
    C.Brush.Color = clBlue;
    C.FillRect({2, 3, 6, 8});
    C.Brush.Style = bsClear;
    C.FillRect({20, 20, 30, 30}); // a clear brush fills nothing
  });
  EXPECT_EQ(CountSet(), 4 * 5);
  EXPECT_EQ(Image.pixel(2, 3), qRgb(0, 0, 255));
  EXPECT_TRUE(IsSet(5, 7));
  EXPECT_FALSE(IsSet(6, 7));
  EXPECT_FALSE(IsSet(5, 8));
}

TEST_F(QtCanvasTest, PolygonOutlinePassesThroughEveryVertex) {
  Paint([](TCanvas& C) {
    C.Pen.Color = clBlue;
    C.Brush.Color = clYellow;
    C.Polygon({{5, 5}, {30, 5}, {5, 30}});
  });
  EXPECT_EQ(Image.pixel(5, 5), qRgb(0, 0, 255));
  EXPECT_EQ(Image.pixel(30, 5), qRgb(0, 0, 255));
  EXPECT_EQ(Image.pixel(5, 30), qRgb(0, 0, 255));
  EXPECT_EQ(Image.pixel(10, 10), qRgb(255, 255, 0));
  EXPECT_FALSE(IsSet(25, 25));
}

TEST_F(QtCanvasTest, TextBackgroundFollowsTheBrush) {
  TSize Extent;
  Paint([&](TCanvas& C) {
    C.Font.Color = clBlack;
    Extent = C.TextExtent("W");
    C.Brush.Color = clAqua;
    C.TextOut(2, 2, "W");
    C.Brush.Style = bsClear;
    C.TextOut(20, 20, "W");
  });
  EXPECT_GT(Extent.cx, 3);
  EXPECT_GE(Extent.cy, 12);
  EXPECT_EQ(Image.pixel(2, 2), qRgb(0, 255, 255));
  EXPECT_EQ(Image.pixel(20, 20), qRgb(255, 255, 255));
  int Ink = 0;
  for (int Y = 20; Y < 20 + Extent.cy; ++Y)
    for (int X = 20; X < 20 + Extent.cx; ++X)
      Ink += Image.pixel(X, Y) == qRgb(0, 0, 0);
  EXPECT_GT(Ink, 5); // the glyph itself, in the font colour
}

TEST_F(QtCanvasTest, ClipRectangleLimitsDrawing) {
  Paint([](TCanvas& C) {
    C.Brush.Color = clBlack;
    const TRect Clip{0, 0, 10, 10};
    C.SetClipRect(&Clip);
    C.FillRect({5, 5, 20, 20});
    C.SetClipRect(nullptr);
    C.FillRect({30, 30, 32, 32});
  });
  EXPECT_EQ(CountSet(), 25 + 4);
}

} // namespace
