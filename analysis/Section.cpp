#include "analysis/Section.h"

#include <cmath>

bool TSection::HasStiffness() const {
  return E > 0 && I > 0 && std::isfinite(E) && std::isfinite(I) && std::isfinite(EI());
}

double TSection::EI() const {
  // N/mm² = 1e3 kN/m², cm⁴ = 1e-8 m⁴.
  return E * I * 1e-5;
}
