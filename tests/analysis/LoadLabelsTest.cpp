// The load labels on random documents, drawn on the recording canvas
// (every ASCII character 6 pixels wide, a text 12 high).
#include "analysis/BeamData.h"
#include "platform/RecordingCanvas.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/kit/RectChecks.h"

#include <gtest/gtest.h>
#include <random>

namespace {

using TRec = TRecordingCanvas::TRecord;

// The label a point load's arrow had before labels could move: centred on
// the shaft, a text height above the shaft's start for a downward load, at
// the start for an upward one.
TRect LabelOverShaft(const TRec& Shaft, const TKajyuData& Load) {
  const TPoint Start = Shaft.Points[0];
  const int Width = static_cast<int>(Load.LabelText().size()) * 6;
  const int Top = Start.Y - 12 * (Load.FW > 0) + 12 * (Load.FW < 0);
  return {Start.X - Width / 2, Top, Start.X - Width / 2 + Width, Top + 12};
}

} // namespace

// Up to forty loads, some at the ends of the span, in areas of many sizes:
// no label leaves the area or overprints another; and where only point
// loads are drawn, a label that stood inside and clear of every other
// stays where it stood.
TEST(LoadLabelsTest, LabelsStayInsideApartAndWhereTheyFitted) {
  std::mt19937 Random(31);
  for (int Document = 0; Document < 300; ++Document) {
    const bool PointsOnly = Document % 2 == 0;
    const double L = std::uniform_real_distribution(1.0, 20.0)(Random);
    const int Count = Document % 10 == 1 ? 30 : std::uniform_int_distribution(1, 40)(Random);
    std::vector<TBeamLoad> Loads;
    for (int I = 0; I < Count; ++I) {
      const int Kind = PointsOnly ? lkConcentrated : std::uniform_int_distribution(0, 4)(Random);
      const int Where = std::uniform_int_distribution(0, 4)(Random);
      const double X = Where == 0   ? 0
                       : Where == 1 ? L
                                    : std::uniform_real_distribution(0.0, L)(Random);
      const double W = std::uniform_real_distribution(-50.0, 100.0)(Random);
      const double Width = std::uniform_real_distribution(0.0, L - X)(Random);
      Loads.push_back({Kind, X, W, IsDistributedKind(Kind) ? Width : 0});
    }
    TData Data;
    BuildBeam(Data, btSimple, L, Loads);
    const TRect Area{0, 0, std::uniform_int_distribution(200, 1400)(Random),
                     std::uniform_int_distribution(150, 900)(Random)};
    TRecordingCanvas Canvas;
    Data.DrawLoads(Canvas, (Area.Right - 60) / L, {30, Area.Bottom / 2}, Area);

    std::vector<TRect> Drawn;
    std::vector<TRec> Shafts;
    std::vector<std::size_t> ShaftOf; // of each label drawn
    int RedLines = 0;
    for (const TRec& R : Canvas.Records) {
      if (R.Kind == TRecordingCanvas::rkLine && R.Pen.Color == clRed && RedLines++ % 3 == 0)
        Shafts.push_back(R);
      if (R.Kind != TRecordingCanvas::rkText) continue;
      EXPECT_TRUE(Inside(R.Rect, Area)) << Document << ' ' << R.Text;
      for (const TRect& Other : Drawn)
        EXPECT_FALSE(Overlap(R.Rect, Other)) << Document << ' ' << R.Text;
      Drawn.push_back(R.Rect);
      ShaftOf.push_back(Shafts.size() - 1);
    }
    if (!PointsOnly) continue;
    std::vector<TRect> Before;
    for (std::size_t I = 0; I < Shafts.size(); ++I)
      Before.push_back(LabelOverShaft(Shafts[I], Data.Load(static_cast<int>(I))));
    for (std::size_t I = 0; I < Drawn.size(); ++I) {
      const TRect Old = Before[ShaftOf[I]];
      bool Clear = Inside(Old, Area);
      for (const TRect& Other : Before)
        Clear = Clear && (&Other == &Before[ShaftOf[I]] || !Overlap(Old, Other));
      if (Clear) {
        EXPECT_EQ(Drawn[I], Old) << Document << ' ' << I;
      }
    }
  }
}
