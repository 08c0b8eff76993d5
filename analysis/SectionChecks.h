#pragma once

#include "analysis/Results.h"
#include "analysis/Section.h"

// One check of the section: what the loads demand against what the
// section allows.
struct TCheck {
  // The demand can be computed (the section gives what it needs).
  bool HasDemand = false;
  // An allowed value is given too, so there is a ratio.
  bool HasCapacity = false;
  double Demand = 0;   // σb, τ in N/mm², δ in mm
  double Capacity = 0; // fb, fs in N/mm², the limit in mm
  double Ratio = 0;    // Demand / Capacity

  // The ratio is a number no greater than 1.
  bool Ok() const { return HasCapacity && Ratio <= 1; }
};

struct TSectionChecks {
  TCheck Bending;    // σb = |M|max / Z against fb
  TCheck Shear;      // τ = |S|max / Aw against fs
  TCheck Deflection; // |δ| against the limit length / n
  // The stretch of the deflection check (of DeflectionSpans): the one of
  // the largest ratio, or of the largest |δ| without a limit; -1 for none.
  int DeflectionSpan = -1;
};

// The checks of a calculated beam. A check whose demand needs what the
// section does not give has HasDemand false; a demand without its allowed
// value has HasCapacity false. The deflection is checked on each stretch
// of the beam against its own limit.
TSectionChecks CheckSection(const TSection& Section, const TBeamResults& Results);
