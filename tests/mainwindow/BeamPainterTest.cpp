// The diagram painting, checked primitive by primitive on the recording
// canvas (text metric: a text is Font.Height = 12 pixels high).
#include "mainwindow/BeamPainter.h"
#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "platform/RecordingCanvas.h"
#include "tests/kit/BeamBuilder.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <memory>
#include <vector>

namespace {

using TRec = TRecordingCanvas::TRecord;

// Lines drawn in one colour and width (MoveTo/LineTo pairs).
std::vector<TRec> LinesIn(const TRecordingCanvas& Canvas, TColor Color, int Width = 1) {
  std::vector<TRec> Result;
  for (const TRec& R : Canvas.OfKind(TRecordingCanvas::rkLine))
    if (R.Pen.Color == Color && R.Pen.Width == Width) Result.push_back(R);
  return Result;
}

std::vector<TRec> PolylinesIn(const TRecordingCanvas& Canvas, TColor Color) {
  std::vector<TRec> Result;
  for (const TRec& R : Canvas.OfKind(TRecordingCanvas::rkPolyline))
    if (R.Pen.Color == Color) Result.push_back(R);
  return Result;
}

// Data as a 10 m span with Loads added through the setters, and its load
// figures drawn at k pixels a metre from Origin.
std::unique_ptr<TRecordingCanvas>
DrawTenMetreLoads(TData& Data, const std::vector<TBeamLoad>& Loads, double k, TPoint Origin) {
  Data.SetLength(10);
  for (const TBeamLoad& Load : Loads)
    AddLoad(Data, Load);
  auto Canvas = std::make_unique<TRecordingCanvas>();
  Data.DrawLoads(*Canvas, k, Origin);
  return Canvas;
}

std::vector<TColor> BrushColors(const std::vector<TRec>& Records) {
  std::vector<TColor> Result;
  for (const TRec& R : Records)
    Result.push_back(R.Brush.Color);
  return Result;
}

TEST(BeamPainterTest, NothingButWhiteWithoutASpan) {
  TData Data;
  AddLoad(Data, {lkConcentrated, 1, 10, 0});
  TRecordingCanvas Canvas;
  TDiagramScale Scale{5, 1, 2};
  DrawBeam(Data, Canvas, {0, 0, 300, 200}, TDiagramLayers{}, &Scale);
  ASSERT_EQ(Canvas.Records.size(), 1u);
  EXPECT_EQ(Canvas.Records[0].Kind, TRecordingCanvas::rkFillRect);
  EXPECT_EQ(Canvas.Records[0].Brush.Color, clWhite);
  EXPECT_EQ(Scale.FScale, 5); // the readout keeps its last scale
}

TEST(BeamPainterTest, AnAreaNarrowerThanItsMarginsStaysWhiteAndUnscaled) {
  TData Data;
  Data.SetLength(10);
  AddLoad(Data, {lkConcentrated, 4, 10, 0});
  for (int Width : {50, 60}) {
    TRecordingCanvas Canvas;
    TDiagramScale Scale{28.9, 30, 232};
    DrawBeam(Data, Canvas, {0, 0, Width, 256}, TDiagramLayers{}, &Scale);
    ASSERT_EQ(Canvas.Records.size(), 1u) << Width;
    EXPECT_EQ(Canvas.Records[0].Kind, TRecordingCanvas::rkFillRect);
    EXPECT_EQ(Scale.FScale, 0) << Width; // the readout stays quiet
  }
}

TEST(BeamPainterTest, ConcentratedLoadOnASimpleBeam) {
  TData Data;
  Data.SetLength(10);
  AddLoad(Data, {lkConcentrated, 4, 10, 0});
  TRecordingCanvas Canvas;
  TDiagramScale Scale;
  DrawBeam(Data, Canvas, {0, 0, 349, 464}, TDiagramLayers{}, &Scale);
  EXPECT_DOUBLE_EQ(Scale.FScale, 28.9);
  EXPECT_EQ(Scale.FOriginX, 30);
  EXPECT_EQ(Scale.FOriginY, 232);
  EXPECT_EQ(Data.Load(0).FLevel, 1);

  // The arrow: shaft from (146, 116) to its tip (146, 185), in red.
  const auto Red = LinesIn(Canvas, clRed);
  ASSERT_EQ(Red.size(), 3u);
  EXPECT_EQ(Red[0].Points, (std::vector<TPoint>{{146, 116}, {146, 185}}));
  EXPECT_EQ(Red[1].Points, (std::vector<TPoint>{{146, 185}, {140, 179}}));
  EXPECT_EQ(Red[2].Points, (std::vector<TPoint>{{152, 179}, {146, 185}}));

  const auto Texts = Canvas.OfKind(TRecordingCanvas::rkText);
  ASSERT_EQ(Texts.size(), 1u);
  EXPECT_EQ(Texts[0].Text, "P = 10.000(kN)");
  EXPECT_EQ(Texts[0].Rect.Top, 104);
  EXPECT_EQ(Texts[0].Rect.Left, 146 - (14 * 6) / 2);
  EXPECT_EQ(Texts[0].Brush.Style, bsClear);

  const auto Shear = PolylinesIn(Canvas, clGreen);
  ASSERT_EQ(Shear.size(), 1u);
  ASSERT_EQ(Shear[0].Points.size(), 1001u);
  EXPECT_EQ(Shear[0].Pen.Width, 2);
  EXPECT_EQ(Shear[0].Points[100].Y, 418);
  EXPECT_EQ(Shear[0].Points[700].Y, 108);
  const auto Moment = PolylinesIn(Canvas, clBlue);
  ASSERT_GE(Moment.size(), 1u);
  EXPECT_EQ(Moment[0].Points[400], (TPoint{146, 418}));
  for (const TPoint& P : Moment[0].Points)
    EXPECT_LE(P.Y, 418);

  // The beam over everything, from 30 to 319, then the two pin supports.
  const auto Beam = LinesIn(Canvas, clBlack, 3);
  ASSERT_EQ(Beam.size(), 1u);
  EXPECT_EQ(Beam[0].Points, (std::vector<TPoint>{{30, 232}, {319, 232}}));
  const auto Pins = PolylinesIn(Canvas, clBlue);
  ASSERT_EQ(Pins.size(), 3u);
  EXPECT_EQ(Pins[1].Points, (std::vector<TPoint>{{30, 232}, {38, 246}, {22, 246}, {30, 232}}));
  EXPECT_EQ(Pins[2].Points.front(), (TPoint{319, 232}));
}

TEST(BeamPainterTest, LoadsShareARowOnlyWhenTheyDoNotOverlap) {
  TData Data;
  DrawTenMetreLoads(Data,
                    {{lkUniform, 0, 10, 4},
                     {lkUniform, 2, 10, 4}, // overlaps the first
                     {lkUniform, 6, 10, 2}, // touches the second
                     {lkUniform, 1, -5, 2}, // upward: the lower side
                     {lkMoment, 5, 3, 0}},
                    30, {30, 200});
  EXPECT_EQ(Data.Load(0).FLevel, 1);
  EXPECT_EQ(Data.Load(1).FLevel, 2);
  EXPECT_EQ(Data.Load(2).FLevel, 1);
  EXPECT_EQ(Data.Load(3).FLevel, -1);
  EXPECT_EQ(Data.Load(4).FLevel, 0);
}

TEST(BeamPainterTest, ALoadStartingWhereAnotherEndsSharesItsRow) {
  TData Data;
  DrawTenMetreLoads(Data,
                    {{lkUniform, 0, 10, 4},
                     {lkUniform, 4, 10, 2},     // starts where the first ends
                     {lkConcentrated, 6, 5, 0}, // stands where the second ends
                     {lkUniform, 1, 10, 1}},    // inside the first: a row above
                    30, {30, 200});
  EXPECT_EQ(Data.Load(0).FLevel, 1);
  EXPECT_EQ(Data.Load(1).FLevel, 1);
  EXPECT_EQ(Data.Load(2).FLevel, 1);
  EXPECT_EQ(Data.Load(3).FLevel, 2);
}

TEST(BeamPainterTest, RowsLeftOfTheBeamDoNotCount) {
  // A single point load at X > 0 takes one row; at X = 0 its row counter
  // does not advance, as for a moment alone.
  for (double X : {2.0, 0.0}) {
    TData Data;
    const auto Canvas = DrawTenMetreLoads(Data, {{lkConcentrated, X, 10, 0}}, 10, {30, 200});
    const int h = X > 0 ? 80 : 133; // Round(200 / 2.5), Round(200 / 1.5)
    const double v = (h - 24) / 10.0;
    const auto Shaft = LinesIn(*Canvas, clRed)[0];
    EXPECT_EQ(Shaft.Points[1].Y, 200 + h / 2 - h) << X;
    EXPECT_EQ(Shaft.Points[1].Y - Shaft.Points[0].Y, static_cast<int>(std::nearbyint(v * 10))) << X;
  }
}

TEST(BeamPainterTest, HatchArrowsStandAboutThirtyPixelsApart) {
  // 300 and 600 pixels wide: 11 arrows each, 30 and 60 pixels apart.
  for (double Width : {3.0, 6.0}) {
    TData Data;
    const auto Canvas = DrawTenMetreLoads(Data, {{lkUniform, 1, 10, Width}}, 100, {30, 300});
    const auto Polygons = Canvas->OfKind(TRecordingCanvas::rkPolygon);
    ASSERT_EQ(Polygons.size(), 1u);
    EXPECT_EQ(Polygons[0].Brush.Color, clAqua);
    EXPECT_EQ(Polygons[0].Pen.Color, clBlue);
    const auto Lines = LinesIn(*Canvas, clBlue);
    ASSERT_EQ(Lines.size(), 33u) << Width; // shaft and two barbs per arrow
    const int Gap = static_cast<int>(Width * 10);
    for (int i = 0; i <= 10; ++i)
      EXPECT_EQ(Lines[3 * i].Points[1].X, 130 + i * Gap);
  }
}

TEST(BeamPainterTest, TrianglesTaperTheirArrows) {
  TData Data;
  const auto Canvas = DrawTenMetreLoads(
      Data, {{lkLeftTriangle, 0, 10, 4}, {lkRightTriangle, 5, 10, 4}}, 100, {30, 300});
  const auto Polygons = Canvas->OfKind(TRecordingCanvas::rkPolygon);
  ASSERT_EQ(Polygons.size(), 2u);
  EXPECT_EQ(BrushColors(Polygons), (std::vector<TColor>{clYellow, clFuchsia}));
  const auto Lines = LinesIn(*Canvas, clBlue);
  ASSERT_EQ(Lines.size(), 66u);
  auto Length = [&](int Arrow) {
    return Lines[3 * Arrow].Points[1].Y - Lines[3 * Arrow].Points[0].Y;
  };
  EXPECT_EQ(Length(0), Polygons[0].Points[0].Y - Polygons[0].Points[1].Y); // full at the peak
  EXPECT_EQ(Length(10), 0);
  EXPECT_EQ(Length(11), 0);
  EXPECT_EQ(Length(21), Polygons[1].Points[2].Y - Polygons[1].Points[1].Y);
}

TEST(BeamPainterTest, NarrowLoadShowsOneArrowAtItsStart) {
  TData Data;
  // 10 pixels wide.
  const auto Canvas = DrawTenMetreLoads(Data, {{lkUniform, 2, 10, 0.1}}, 100, {30, 300});
  const auto Lines = LinesIn(*Canvas, clBlue);
  ASSERT_EQ(Lines.size(), 3u);
  EXPECT_EQ(Lines[0].Points[1].X, 230);
  const auto Polygon = Canvas->OfKind(TRecordingCanvas::rkPolygon)[0];
  EXPECT_EQ(Lines[0].Points[0].Y, Polygon.Points[1].Y);
}

TEST(BeamPainterTest, MomentArcsTurnWithTheirSign) {
  TRecordingCanvas Canvas;
  DrawMomentArc(Canvas, {100, 50}, 40, 5);
  DrawMomentArc(Canvas, {100, 50}, 40, -5);
  DrawMomentArc(Canvas, {100, 50}, 40, 0);
  const auto Arcs = Canvas.OfKind(TRecordingCanvas::rkArc);
  ASSERT_EQ(Arcs.size(), 2u);
  EXPECT_EQ(Arcs[0].Rect, (TRect{80, 30, 120, 70}));
  EXPECT_EQ(Arcs[0].Points, (std::vector<TPoint>{{100, 30}, {100, 70}})); // left half
  EXPECT_EQ(Arcs[1].Points, (std::vector<TPoint>{{100, 70}, {100, 30}})); // right half
  EXPECT_EQ(Arcs[0].Pen.Color, clGreen);
  const auto Barbs = Canvas.OfKind(TRecordingCanvas::rkLine);
  ASSERT_EQ(Barbs.size(), 4u);
  EXPECT_EQ(Barbs[0].Points, (std::vector<TPoint>{{90, 24}, {100, 30}}));
  EXPECT_EQ(Barbs[1].Points, (std::vector<TPoint>{{100, 30}, {90, 36}}));
  EXPECT_EQ(Barbs[2].Points[0], (TPoint{110, 24}));
}

TEST(BeamPainterTest, CantileverHasAHatchedWallAtTheRightEndOnly) {
  TData Data;
  Data.SetLength(10);
  Data.SetBeamType(btCantilever);
  TRecordingCanvas Canvas;
  DrawBeam(Data, Canvas, {0, 0, 360, 300}, TDiagramLayers{}, nullptr);
  const auto Wall = LinesIn(Canvas, clBlue, 2);
  ASSERT_EQ(Wall.size(), 1u);
  EXPECT_EQ(Wall[0].Points, (std::vector<TPoint>{{330, 118}, {330, 182}}));
  const auto Hatch = LinesIn(Canvas, clBlue, 1);
  ASSERT_EQ(Hatch.size(), 17u);
  EXPECT_EQ(Hatch[1].Points, (std::vector<TPoint>{{330, 122}, {338, 130}}));
  for (const TRec& R : PolylinesIn(Canvas, clBlue))
    EXPECT_NE(R.Points.size(), 4u); // no pins
}

// A span retyped shorter than the supports reach: the supports still on the
// beam are drawn where they stand (k = 340 / 4.5 pixels a metre), the one
// past its end is left out, and the reason nothing was calculated is
// written inside the area.
TEST(BeamPainterTest, SupportsPastARetypedSpanAreLeftOutAndTheRefusalShown) {
  TData Data;
  Data.SetLength(9);
  Data.SetSupports(
      bpContinuous,
      {{skPin, 0, false}, {skRoller, 3, false}, {skRoller, 6, false}, {skRoller, 0, true}});
  Data.SetLength(4.5);
  ASSERT_FALSE(Data.Results().Refusal.empty());
  TRecordingCanvas Canvas;
  const TRect R{0, 0, 400, 300};
  DrawBeam(Data, Canvas, R, TDiagramLayers{}, nullptr);
  std::vector<int> Apexes;
  for (const TRec& Triangle : PolylinesIn(Canvas, clBlue))
    Apexes.push_back(Triangle.Points[0].X);
  EXPECT_EQ(Apexes, (std::vector<int>{30, 257, 370}));
  std::vector<int> RollerLines;
  for (const TRec& Line : LinesIn(Canvas, clBlue))
    RollerLines.push_back((Line.Points[0].X + Line.Points[1].X) / 2);
  EXPECT_EQ(RollerLines, (std::vector<int>{257, 370}));
  const auto Texts = Canvas.OfKind(TRecordingCanvas::rkText);
  ASSERT_EQ(Texts.size(), 1u);
  EXPECT_EQ(Texts[0].Text, Data.Results().Refusal);
  EXPECT_GE(Texts[0].Rect.Left, R.Left);
  EXPECT_LE(Texts[0].Rect.Bottom, R.Bottom);
}

TEST(BeamPainterTest, LayersSwitchOffOneByOne) {
  TData Data;
  Data.SetLength(10);
  AddLoad(Data, {lkUniform, 0, 10, 4});
  AddLoad(Data, {lkConcentrated, 6, -3, 0});
  const TRect R{0, 0, 500, 400};
  auto Draw = [&](TDiagramLayers Layers) {
    auto Canvas = std::make_unique<TRecordingCanvas>();
    DrawBeam(Data, *Canvas, R, Layers, nullptr);
    return Canvas;
  };
  const auto All = Draw({});
  const auto NoShear = Draw({true, false, true});
  const auto NoMoment = Draw({true, true, false});
  const auto NoLoads = Draw({false, true, true});
  EXPECT_EQ(PolylinesIn(*All, clGreen).size(), 1u);
  EXPECT_TRUE(PolylinesIn(*NoShear, clGreen).empty());
  EXPECT_EQ(PolylinesIn(*NoShear, clBlue).size(), 3u); // moment line and two pins
  EXPECT_EQ(PolylinesIn(*NoMoment, clBlue).size(), 2u);
  EXPECT_TRUE(NoLoads->OfKind(TRecordingCanvas::rkPolygon).empty());
  EXPECT_TRUE(NoLoads->OfKind(TRecordingCanvas::rkText).empty());
  // The diagrams keep their scales without the load figures.
  EXPECT_EQ(PolylinesIn(*NoLoads, clGreen)[0].Points, PolylinesIn(*All, clGreen)[0].Points);

  // With every layer off the beam is still drawn and the readout's scale
  // and origin recorded.
  TRecordingCanvas Bare;
  TDiagramScale Scale;
  DrawBeam(Data, Bare, R, {false, false, false}, &Scale);
  TDiagramScale Full;
  DrawBeam(Data, *std::make_unique<TRecordingCanvas>(), R, {}, &Full);
  EXPECT_GT(Scale.FScale, 0);
  EXPECT_EQ(Scale.FScale, Full.FScale);
  EXPECT_EQ(Scale.FOriginX, Full.FOriginX);
  EXPECT_EQ(Scale.FOriginY, Full.FOriginY);
  EXPECT_TRUE(Bare.OfKind(TRecordingCanvas::rkPolyline).size() == 2u); // the two pins
}

TEST(BeamPainterTest, WildValuesNeitherHangNorOverflow) {
  const double Inf = std::numeric_limits<double>::infinity();
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  const double Values[] = {1e300, -1e300, Inf, -Inf, NaN, 5e-324, 0, -2e99};
  for (double Value : Values) {
    for (double L : {10.0, Value}) {
      TData Data;
      Data.SetLength(L);
      for (int Kind = 0; Kind <= 5; ++Kind) {
        AddLoad(Data, {Kind, Value, 10, 2});
        AddLoad(Data, {Kind, 1, Value, 2});
        AddLoad(Data, {Kind, 1, 10, Value});
      }
      TRecordingCanvas Canvas;
      DrawBeam(Data, Canvas, {0, 0, 800, 600}, TDiagramLayers{}, nullptr);
      for (const TRec& R : Canvas.Records)
        for (const TPoint& P : R.Points) {
          EXPECT_LE(std::abs(P.X), 2'000'000) << Value;
          EXPECT_LE(std::abs(P.Y), 2'000'000) << Value;
        }
      for (int I = 0; I < Data.LoadCount(); ++I)
        if (L > 0 && Data.Load(I).FKind != lkMoment) {
          EXPECT_NE(Data.Load(I).FLevel, 0) << Value;
        }
    }
  }
}

} // namespace
