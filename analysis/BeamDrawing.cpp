#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "analysis/LoadRows.h"
#include "platform/PixelMath.h"

#include <algorithm>

void TData::DrawLoads(TCanvas& Canvas, double k, TPoint Origin) {
  if (FLoads.empty()) return;
  const TLoadRows Rows = PlaceLoadRows(FLoads);
  const int n = std::max(Rows.Upper, Rows.Lower);
  const int h = Round(Origin.Y / (n + 1.5));
  const double G1 = std::max(Rows.Greatest, 0.1);
  const int t = Canvas.TextHeight("W");
  const double v = (h - std::abs(2 * t)) / G1;
  for (const auto& K : FLoads)
    DrawLoadFigure(K, Canvas, Origin, v, k, h);
}

TShownQuantities TData::DrawDiagrams(TCanvas& Canvas, const TShownQuantities& Shown, double k,
                                     TPoint Origin) const {
  return DrawDiagramLines(Canvas, FPoints, Shown, k, Origin);
}
