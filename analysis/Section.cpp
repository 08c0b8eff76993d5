#include "analysis/Section.h"

#include <cmath>

bool TSection::HasStiffness() const {
  // E·I can round to zero (or overflow) although E and I are positive.
  const double Stiffness = EI();
  return E > 0 && I > 0 && Stiffness > 0 && std::isfinite(Stiffness);
}

double TSection::EI() const {
  // N/mm² = 1e3 kN/m², cm⁴ = 1e-8 m⁴.
  return E * I * 1e-5;
}
