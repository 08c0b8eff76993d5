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
  TCheck Deflection; // |δ|max against the limit length / n
};

// The checks of a calculated beam of span Span (m). A check whose demand
// needs what the section does not give has HasDemand false; a demand
// without its allowed value has HasCapacity false.
TSectionChecks CheckSection(const TSection& Section, const TBeamResults& Results, double Span,
                            bool Cantilever);
