#include "analysis/DiagramLines.h"

#include "analysis/BeamData.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <cmath>

double DiagramScale(const std::vector<TCalcPoint>& Points, TQuantity Q, int OriginY) {
  double Largest = 0;
  for (const TCalcPoint& P : Points)
    Largest = std::max(Largest, std::fabs(P.Value(Q)));
  if (Largest == 0) Largest = 1;
  return QuantityInfo(Q).Reach * OriginY / Largest;
}

bool LineIsDrawable(const std::vector<TCalcPoint>& Points, TQuantity Q, double k, int OriginY) {
  const double Scale = DiagramScale(Points, Q, OriginY);
  return std::all_of(Points.begin(), Points.end(), [&](const TCalcPoint& P) {
    return IsPixelValue(P.X * k) && IsPixelValue(P.Value(Q) * Scale);
  });
}

void DrawDiagramLines(TCanvas& Canvas, const std::vector<TCalcPoint>& Points,
                      const TShownQuantities& Shown, double k, TPoint Origin) {
  if (Points.empty()) return;
  std::vector<TPoint> Line(Points.size());
  for (const TQuantityInfo& Q : Quantities()) {
    if (!Q.Drawn || !Shown[Q.Id] || !LineIsDrawable(Points, Q.Id, k, Origin.Y)) continue;
    const double Scale = DiagramScale(Points, Q.Id, Origin.Y);
    for (std::size_t I = 0; I < Points.size(); ++I)
      Line[I] = {Round(Points[I].X * k) + Origin.X,
                 Round(Points[I].Value(Q.Id) * Scale) + Origin.Y};
    Canvas.Pen.Width = Q.PenWidth;
    Canvas.Pen.Color = Q.Colour;
    Canvas.Polyline(Line);
  }
}
