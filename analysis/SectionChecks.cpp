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

TSectionChecks CheckSection(const TSection& Section, const TBeamResults& R, double Span,
                            bool Cantilever) {
  TSectionChecks Out;
  if (!R.Valid) return Out;
  // kN·m / cm³ = 1e6 N·mm / 1e3 mm³; kN / cm² = 1e3 N / 1e2 mm².
  Out.Bending =
      Check(Given(Section.Z), LargestMagnitude(R.MMax, R.MMin) * 1e3 / Section.Z, Section.Fb);
  Out.Shear =
      Check(Given(Section.Aw), LargestMagnitude(R.SMax, R.SMin) * 10 / Section.Aw, Section.Fs);
  const double Limit =
      Given(Section.N) ? DeflectionLimitLength(Span, Cantilever) * 1000 / Section.N : 0;
  Out.Deflection = Check(R.HasBending, LargestMagnitude(R.DeltaMax, R.DeltaMin), Limit);
  return Out;
}
