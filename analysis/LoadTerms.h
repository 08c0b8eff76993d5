#pragma once

#include "analysis/KajyuData.h"

// One load's contribution (s, m) to S and M at x on a beam of span L.
// Every evaluation of S and M goes through here (the single point, the
// results and the sample kernel's exceptional samples; its loops use the
// same formulas), so that they agree bit for bit.
inline void LoadTerms(const TKajyuData& K, double x, double L, double& s, double& m) {
  const double FRA = K.FRA;
  const double Force = K.ForceUpTo(x);
  s = IsMomentKind(K.FKind) ? FRA : FRA - Force;
  if (x == L && IsPointActionKind(K.FKind) && x == K.FX) {
    // A point action standing exactly at the right end, evaluated there:
    // the value just left of it.
    s = FRA;
    m = FRA * x;
  } else {
    m = FRA * x - K.ArmUpTo(x) * Force;
  }
}
