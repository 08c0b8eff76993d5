#include "analysis/SectionChecks.h"

#include <algorithm>
#include <cmath>

namespace {

bool Given(double Value) {
  return Value > 0 && std::isfinite(Value);
}

double LargestMagnitude(const TExtreme& Max, const TExtreme& Min) {
  return std::max(std::fabs(Max.Value), std::fabs(Min.Value));
}

TCheck Check(bool HasDemand, double Demand, double Capacity) {
  TCheck C;
  C.HasDemand = HasDemand;
  if (!HasDemand) return C;
  C.Demand = Demand;
  C.HasCapacity = Given(Capacity);
  if (C.HasCapacity) {
    C.Capacity = Capacity;
    C.Ratio = Demand / Capacity;
  }
  return C;
}

} // namespace

TSectionChecks CheckSection(const TSection& Section, const TBeamResults& R) {
  TSectionChecks Out;
  if (!R.Valid) return Out;
  // kN·m / cm³ = 1e6 N·mm / 1e3 mm³; kN / cm² = 1e3 N / 1e2 mm².
  Out.Bending =
      Check(Given(Section.Z), LargestMagnitude(R.MMax, R.MMin) * 1e3 / Section.Z, Section.Fb);
  Out.Shear =
      Check(Given(Section.Aw), LargestMagnitude(R.SMax, R.SMin) * 10 / Section.Aw, Section.Fs);
  for (std::size_t I = 0; I < R.DeflectionSpans.size(); ++I) {
    const TDeflectionSpan& Span = R.DeflectionSpans[I];
    const double Limit = Given(Section.N) ? Span.LimitLength() * 1000 / Section.N : 0;
    const TCheck C = Check(R.HasBending, std::fabs(Span.Delta.Value), Limit);
    const bool Governs =
        Out.DeflectionSpan < 0 ||
        (C.HasCapacity ? !(C.Ratio <= Out.Deflection.Ratio) : !(C.Demand <= Out.Deflection.Demand));
    if (Governs) {
      Out.Deflection = C;
      Out.DeflectionSpan = static_cast<int>(I);
    }
  }
  return Out;
}
