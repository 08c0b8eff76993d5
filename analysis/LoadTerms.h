#pragma once

#include "analysis/KajyuData.h"

// One load's contribution (s, m) to S and M at x on a span L. CalcAt and
// the sample kernel both go through here, so that every sample equals
// CalcAt bit for bit.
inline void LoadTerms(const TKajyuData& K, double x, double L, double& s, double& m) {
  const double FRA = K.FRA;
  const double Force = K.ForceUpTo(x);
  s = K.FKind == lkMoment ? FRA : FRA - Force;
  if (x == L && IsPointActionKind(K.FKind) && x == K.FX) {
    // A point action standing exactly at the right end, evaluated there:
    // the value just left of it.
    s = FRA;
    m = FRA * x;
  } else {
    m = FRA * x - K.ArmUpTo(x) * Force;
  }
}
