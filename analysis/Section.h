#pragma once

#include <string>

// The section and material of a document: what the deflection and the
// stress checks need. Every value is optional; 0 means "not given". A
// document without a section (Empty) is stored and shown as one that never
// had any.
struct TSection {
  std::string Name;                  // code page 932 bytes, like the remarks
  double E = 0;                      // Young's modulus, N/mm²
  double I = 0;                      // second moment of area about the bending axis, cm⁴
  double Z = 0;                      // section modulus, cm³
  double Aw = 0;                     // shear area, cm²
  double Fb = 0;                     // allowable bending stress, N/mm²
  double Fs = 0;                     // allowable shear stress, N/mm²
  double N = DefaultDeflectionRatio; // deflection limit: the span / N

  static constexpr double DefaultDeflectionRatio = 300;

  bool operator==(const TSection&) const = default;
  // Nothing given: equal to a default section.
  bool Empty() const { return *this == TSection{}; }
  // E, I and E·I are positive and finite: deflection and slope exist.
  bool HasStiffness() const;
  // E·I in kN·m² (E in N/mm², I in cm⁴).
  double EI() const;
};
