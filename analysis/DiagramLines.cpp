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

TShownQuantities DrawDiagramLines(TCanvas& Canvas, const std::vector<TCalcPoint>& Points,
                                  const TShownQuantities& Shown, double k, TPoint Origin) {
  TShownQuantities Missing{};
  std::vector<TPoint> Line(Points.size());
  for (const TQuantityInfo& Q : Quantities()) {
    if (!Q.Drawn || !Shown[Q.Id] || Points.empty()) continue;
    const double Scale = DiagramScale(Points, Q.Id, Origin.Y);
    bool Valid = true;
    for (std::size_t I = 0; I < Points.size(); ++I) {
      const double x = Points[I].X * k, y = Points[I].Value(Q.Id) * Scale;
      Valid = Valid && IsPixelValue(x) && IsPixelValue(y);
      Line[I] = {Round(x) + Origin.X, Round(y) + Origin.Y};
    }
    Missing[Q.Id] = !Valid;
    if (!Valid) continue;
    Canvas.Pen.Width = Q.PenWidth;
    Canvas.Pen.Color = Q.Colour;
    Canvas.Polyline(Line);
  }
  return Missing;
}
