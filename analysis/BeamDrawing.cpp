#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "analysis/LoadRows.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

void TData::DrawLoads(TCanvas& Canvas, double k, TPoint Origin, const TRect& Area) {
  if (FLoads.empty()) return;
  const TLoadRows Rows = PlaceLoadRows(FLoads);
  const int n = std::max(Rows.Upper, Rows.Lower);
  const int h = Round(Origin.Y / (n + 1.5));
  const double G1 = std::max(Rows.Greatest, 0.1);
  const int t = Canvas.TextHeight("W");
  const double v = (h - std::abs(2 * t)) / G1;
  std::vector<const TKajyuData*> Drawn;
  std::vector<TLoadLabel> Labels;
  for (std::size_t I = 0; I < FLoads.size(); ++I) {
    const TKajyuData& K = FLoads[I];
    if (!IsDrawnFigure(K, v, k)) continue;
    Drawn.push_back(&K);
    std::string Text = K.LabelText();
    const TRect Box = FigureLabelBox(K, Text, Canvas, Origin, v, k, h);
    Labels.push_back({std::move(Text), Box, "(" + std::to_string(I + 1) + ")", K.Intensity() > 0});
  }
  PlaceLoadLabels(Labels, Area, Canvas);
  for (std::size_t I = 0; I < Drawn.size(); ++I)
    DrawLoadFigure(*Drawn[I], Canvas, Origin, v, k, h, Labels[I]);
}

TShownQuantities TData::DrawDiagrams(TCanvas& Canvas, const TShownQuantities& Shown, double k,
                                     TPoint Origin) const {
  return DrawDiagramLines(Canvas, FPoints, Shown, k, Origin);
}
