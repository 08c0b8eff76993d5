#include "analysis/Quantities.h"

#include "analysis/BeamData.h"

const std::array<TQuantityInfo, QuantityCount>& Quantities() {
  static const std::array<TQuantityInfo, QuantityCount> List = {{
      {qShear, "S", "S", "せん断力", "kN", "左側の鉛直力の和で上向き正", 3, true, clGreen, 2, 0.8,
       false},
      {qMoment, "M", "M", "曲げモーメント", "kN･m", "下に凸(正曲げ)を正", 3, true, clBlue, 2, 0.8,
       false},
      {qSlope, "θ", "theta", "たわみ角", "rad", "時計回り正", 6, false, clPurple, 2, 0.8, true},
      // The bent beam: as thick as the beam, bent at most half the half
      // height, so that it stays clear of the other lines' largest values.
      {qDeflection, "δ", "delta", "たわみ", "mm", "下向き正", 3, true, clRed, 3, 0.5, true},
  }};
  return List;
}

const TQuantityInfo& QuantityInfo(TQuantity Q) {
  return Quantities()[static_cast<std::size_t>(Q)];
}

// ---- the records that hold one value per quantity, in the list's order

double TCalcPoint::Value(TQuantity Q) const {
  static constexpr double TCalcPoint::*Field[QuantityCount] = {
      &TCalcPoint::S, &TCalcPoint::M, &TCalcPoint::Theta, &TCalcPoint::Delta};
  return this->*Field[Q];
}

const TExtreme& TBeamResults::Largest(TQuantity Q) const {
  static constexpr TExtreme TBeamResults::*Field[QuantityCount] = {
      &TBeamResults::SMax, &TBeamResults::MMax, &TBeamResults::ThetaMax, &TBeamResults::DeltaMax};
  return this->*Field[Q];
}

const TExtreme& TBeamResults::Smallest(TQuantity Q) const {
  static constexpr TExtreme TBeamResults::*Field[QuantityCount] = {
      &TBeamResults::SMin, &TBeamResults::MMin, &TBeamResults::ThetaMin, &TBeamResults::DeltaMin};
  return this->*Field[Q];
}

bool TBeamResults::Has(TQuantity Q) const {
  return Valid && (!QuantityInfo(Q).NeedsStiffness || HasBending);
}
