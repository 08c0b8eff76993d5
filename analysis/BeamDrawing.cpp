#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "analysis/LoadRows.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <cmath>

void TData::DrawLoads(TCanvas& Canvas, double k, TPoint Origin) {
  if (FLoads.empty()) return;
  const TLoadRows Rows = PlaceLoadRows(FLoads);
  const int n = std::max(Rows.Upper, Rows.Lower);
  const int h = Round(Origin.Y / (n + 1.5));
  const double G1 = std::max(Rows.Greatest, 0.1);
  const int t = Canvas.TextHeight("W");
  const double v = (h - std::abs(2 * t)) / G1;
  for (const auto& K : FLoads)
    DrawLoadFigure(*K, Canvas, Origin, v, k, h);
}

void TData::DiagramScales(int OriginY, double& sS, double& sM) const {
  double MS = 0, SS = 0;
  for (const TCalcPoint& P : FPoints) {
    MS = std::max(MS, std::fabs(P.M));
    SS = std::max(SS, std::fabs(P.S));
  }
  if (MS == 0) MS = 1;
  if (SS == 0) SS = 1;
  sM = 0.8 * OriginY / MS;
  sS = 0.8 * OriginY / SS;
}

void TData::DrawDiagrams(TCanvas& Canvas, bool ShowShear, bool ShowMoment, double k,
                         TPoint Origin) const {
  if (FPoints.empty()) return;
  double sS, sM;
  DiagramScales(Origin.Y, sS, sM);

  std::vector<TPoint> Shear, Moment;
  Shear.reserve(FPoints.size());
  Moment.reserve(FPoints.size());
  bool ShearValid = true, MomentValid = true;
  for (const TCalcPoint& P : FPoints) {
    const double x = P.X * k, ys = P.S * sS, ym = P.M * sM;
    ShearValid = ShearValid && IsPixelValue(x) && IsPixelValue(ys);
    MomentValid = MomentValid && IsPixelValue(x) && IsPixelValue(ym);
    const int px = Round(x) + Origin.X;
    Shear.push_back({px, Round(ys) + Origin.Y});
    Moment.push_back({px, Round(ym) + Origin.Y});
  }
  Canvas.Pen.Width = 2;
  if (ShowShear && ShearValid) {
    Canvas.Pen.Color = clGreen;
    Canvas.Polyline(Shear);
  }
  if (ShowMoment && MomentValid) {
    Canvas.Pen.Color = clBlue;
    Canvas.Polyline(Moment);
  }
}
