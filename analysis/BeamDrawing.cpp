#include "analysis/BeamData.h"
#include "analysis/LoadFigures.h"
#include "platform/PixelMath.h"

#include <algorithm>
#include <cmath>

namespace {

// Rows already used on one side of the axis during one placement pass.
struct TSide {
  double LowestStart;
  double HighestEnd;
  bool Empty;
};

} // namespace

void TData::DrawLoads(TCanvas& Canvas, double k, TPoint Origin) {
  if (FLoads.empty()) return;
  std::size_t Placed = 0;
  for (auto& K : FLoads) {
    K->FLevel = 0;
    if (K->FKind == lkMoment) ++Placed;
  }
  int A = 0, B = 0;
  double G = 0;

  while (Placed < FLoads.size()) {
    TSide Upper{1e99, -1e99, true}, Lower{1e99, -1e99, true};
    for (auto& Load : FLoads) {
      TKajyuData& K = *Load;
      if (K.FLevel != 0 || K.FKind == lkMoment) continue;
      const double Start = K.FX;
      const double End = IsDistributedKind(K.FKind) ? K.FX + K.FWidth : K.FX;
      const double Intensity = K.Intensity();
      TSide& Side = Intensity > 0 ? Upper : Lower;
      // Touching fits. The first load of a pass always opens the row, even
      // with positions no comparison can place (NaN, beyond ±1e99).
      if (!Side.Empty && !(End <= Side.LowestStart || Start >= Side.HighestEnd)) continue;
      Side.Empty = false;
      Side.LowestStart = std::min(Side.LowestStart, Start);
      Side.HighestEnd = std::max(Side.HighestEnd, End);
      K.FLevel = Intensity > 0 ? A + 1 : -(B + 1);
      G = std::max(G, std::fabs(Intensity));
      ++Placed;
    }
    if (Upper.HighestEnd > 0) ++A;
    if (Lower.HighestEnd > 0) ++B;
  }

  const int n = std::max(A, B);
  const int h = Round(Origin.Y / (n + 1.5));
  const double G1 = std::max(G, 0.1);
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
