// The extremes labelled on the diagram: where the marks sit, that labels
// stay inside the area and apart, and that nothing changes with the option
// off.
#include "mainwindow/DiagramExtremes.h"
#include "analysis/BeamData.h"
#include "mainwindow/BeamImage.h"
#include "platform/RecordingCanvas.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/kit/RectChecks.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using TRec = TRecordingCanvas::TRecord;

// The label boxes drawn with Extremes on, over a plain painting.
std::vector<TRect> LabelBoxes(TData& Data, const TRect& Area) {
  TRecordingCanvas Canvas;
  TDiagramLayers Layers;
  Layers.Extremes = true;
  DrawBeam(Data, Canvas, Area, Layers, nullptr);
  std::vector<TRect> Boxes;
  for (const TRec& R : Canvas.OfKind(TRecordingCanvas::rkRectangle))
    Boxes.push_back(R.Rect);
  return Boxes;
}

TEST(DiagramExtremesTest, MarksSitOnTheLinesWithTheirValues) {
  TData Data;
  BuildBeam(Data, btSimple, 10, {{lkConcentrated, 4, 10, 0}});
  TRecordingCanvas Canvas;
  TDiagramLayers Layers;
  Layers.Extremes = true;
  DrawBeam(Data, Canvas, {0, 0, 349, 464}, Layers, nullptr);
  std::vector<std::string> Texts;
  for (const TRec& R : Canvas.OfKind(TRecordingCanvas::rkText))
    if (R.Text.starts_with("最")) Texts.push_back(R.Text);
  EXPECT_EQ(Texts, (std::vector<std::string>{"最大 S = 6.000(kN)  X = 0.000(m)",
                                             "最小 S = -4.000(kN)  X = 4.000(m)",
                                             "最大 M = 24.000(kN･m)  X = 4.000(m)",
                                             "最小 M = 0.000(kN･m)  X = 0.000(m)"}));
  // The dots: k = 28.9, y0 = 232; S scale 0.8·232/6, M scale 0.8·232/24.
  std::vector<TRect> Dots;
  for (const TRec& R : Canvas.OfKind(TRecordingCanvas::rkEllipse))
    if (R.Rect.Width() == 7) Dots.push_back(R.Rect);
  ASSERT_EQ(Dots.size(), 4u);
  EXPECT_EQ(Dots[0], (TRect{27, 415, 34, 422}));   // S = 6 at 0: y = 232 + 186
  EXPECT_EQ(Dots[1], (TRect{143, 105, 150, 112})); // S = -4 at 4: y = 232 - 124
  EXPECT_EQ(Dots[2], (TRect{143, 415, 150, 422})); // M = 24 at 4
  EXPECT_EQ(Dots[3], (TRect{27, 229, 34, 236}));   // M = 0 at 0
}

TEST(DiagramExtremesTest, LabelsStayInsideAndApart) {
  std::mt19937 Random(99);
  std::uniform_real_distribution<double> Unit(0, 1);
  for (int Beam = 0; Beam < 200; ++Beam) {
    std::vector<TBeamLoad> Loads;
    for (int I = 0; I < 4; ++I)
      Loads.push_back({static_cast<std::int32_t>(Random() % 5), 10 * Unit(Random),
                       -50 + 100 * Unit(Random), 3 * Unit(Random)});
    TData Data;
    BuildBeam(Data, Beam % 2, 10, Loads);
    const TRect Area{0, 0, 300 + Beam % 7 * 60, 200 + Beam % 5 * 60};
    const std::vector<TRect> Boxes = LabelBoxes(Data, Area);
    ASSERT_GE(Boxes.size(), 2u);
    for (std::size_t I = 0; I < Boxes.size(); ++I) {
      EXPECT_TRUE(Inside(Boxes[I], Area)) << Beam;
      for (std::size_t J = 0; J < I; ++J)
        EXPECT_FALSE(Overlap(Boxes[I], Boxes[J])) << Beam;
    }
  }
}

TEST(DiagramExtremesTest, PlaceLabelStepsAwayAndFallsBackInside) {
  const TRect Area{0, 0, 200, 100};
  // Right of and below the point when that is free.
  EXPECT_EQ(PlaceLabel({50, 50}, {40, 10}, Area, {}), (TRect{56, 56, 96, 66}));
  // Above when below is taken, left near the right edge.
  EXPECT_EQ(PlaceLabel({50, 50}, {40, 10}, Area, {{56, 56, 96, 66}}), (TRect{56, 34, 96, 44}));
  EXPECT_EQ(PlaceLabel({190, 50}, {40, 10}, Area, {}), (TRect{144, 56, 184, 66}));
  // Too large for the area: pushed in at the top left.
  EXPECT_EQ(PlaceLabel({50, 50}, {300, 10}, Area, {}), (TRect{0, 56, 300, 66}));
}

TEST(DiagramExtremesTest, OffLeavesThePictureAsItWasAndOnChangesIt) {
  TData Data;
  BuildBeam(Data, btCantilever, 5, {{lkUniform, 0, 10, 5}, {lkMoment, 2, 4, 0}});
  TDiagramLayers Off, On;
  On.Extremes = true;
  const QImage Plain = RenderBeamImage(Data, 500, 300, Off);
  TRecordingCanvas Canvas;
  DrawBeam(Data, Canvas, {0, 0, 500, 300}, Off, nullptr);
  for (const TRec& R : Canvas.Records)
    EXPECT_FALSE(R.Text.starts_with("最")) << R.Text;
  EXPECT_NE(RenderBeamImage(Data, 500, 300, On), Plain);
  // Hidden lines have no marks.
  On.Shear = On.Moment = false;
  EXPECT_EQ(RenderBeamImage(Data, 500, 300, On),
            RenderBeamImage(Data, 500, 300, {true, false, false}));
}

} // namespace
