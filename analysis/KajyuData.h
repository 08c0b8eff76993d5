#pragma once

#include "platform/Events.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

class TStream;

// Load kind codes, as stored in records and files and as the item index of
// the load-type radio group.
enum TLoadKind : std::int32_t {
  lkUniform = 0,
  lkLeftTriangle = 1,  // peak intensity at the start
  lkRightTriangle = 2, // peak intensity at the end
  lkConcentrated = 3,
  lkMoment = 4,
};

// What a kind code means for the statics, the drawing and the window. A
// file may hold any code; the rules for the codes past the known ones are
// spelled out here once.

// Spread over a width: the rectangle and the two triangles. Unknown codes
// are not.
constexpr bool IsDistributedKind(std::int32_t Kind) {
  return Kind >= lkUniform && Kind <= lkRightTriangle;
}

// A force with a resultant and a lever arm: the distributed kinds and the
// concentrated load. Unknown codes are not (they share no reaction).
constexpr bool IsForceKind(std::int32_t Kind) {
  return Kind >= lkUniform && Kind <= lkConcentrated;
}

// Acting at one point with no extent: the concentrated load, the applied
// moment and every code above them; codes below zero are not.
constexpr bool IsPointActionKind(std::int32_t Kind) {
  return Kind >= lkConcentrated;
}

// A moment applied at one point: no force, so the shear does not change
// at it.
constexpr bool IsMomentKind(std::int32_t Kind) {
  return Kind == lkMoment;
}

// A force at one point.
constexpr bool IsConcentratedKind(std::int32_t Kind) {
  return Kind == lkConcentrated;
}

// The same intensity over the whole width.
constexpr bool IsUniformKind(std::int32_t Kind) {
  return Kind == lkUniform;
}

// A triangle whose peak intensity is at its start.
constexpr bool PeaksAtStart(std::int32_t Kind) {
  return Kind == lkLeftTriangle;
}

// A code with a name in LoadKindNames.
constexpr bool IsKnownKind(std::int32_t Kind) {
  return Kind >= lkUniform && Kind <= lkMoment;
}

// The part of a load's resultant acting left of x, and its lever arm from
// x, while x is inside the load's extent: X <= x < X + c, d = x - X. The
// cases of ForceUpTo and ArmUpTo for x inside a load; the diagram samples
// use them by kind, in loops the compiler can vectorise.
template <std::int32_t Kind> inline double CoveredForce(double d, double W, double c) {
  if constexpr (Kind == lkUniform)
    return d * W / c;
  else if constexpr (Kind == lkLeftTriangle)
    return d * W * (2 * c - d) / (c * c);
  else if constexpr (Kind == lkRightTriangle)
    return W * d * d / (c * c);
  else
    return 0;
}

template <std::int32_t Kind>
inline double CoveredArm(double x, double d, double X, double W, double c) {
  if constexpr (Kind == lkUniform) {
    return d / 2;
  } else if constexpr (Kind == lkLeftTriangle) {
    // The covered part is a trapezoid from intensity q0 at X down to qx at x.
    if (W == 0) return 0;
    const double q0 = 2 * W / c;
    const double qx = q0 * (X + c - x) / c;
    return d - d * (q0 + 2 * qx) / (3 * (q0 + qx));
  } else if constexpr (Kind == lkRightTriangle) {
    return d / 3;
  } else {
    return 0;
  }
}

// Short names of the kinds shown in the load list, indexed by code.
extern const std::array<const char*, 5> LoadKindNames;

// One load. Positions and widths in m, forces in kN, moments in kN·m.
// For distributed kinds FW is the resultant, not the intensity.
class TKajyuData : public TObject {
public:
  std::string FRemark;     // code page 932 bytes, never converted here
  std::int32_t FKind = 0;  // TLoadKind code
  double FX = 0;           // start position
  double FW = 0;           // magnitude W, P or M
  double FWidth = 0;       // loaded width; 0 for point actions
  double FRA = 0;          // share of the left reaction (computed)
  double FRB = 0;          // share of the right reaction (computed)
  std::int32_t FLevel = 0; // drawing row of the figure (set when drawn)

  // The part of the resultant acting left of x (for a moment, the moment
  // once x has passed it).
  double ForceUpTo(double x) const;
  // Lever arm from x back to the centroid of that part; -1 for a moment
  // that x has passed, so that subtracting arm × force adds the moment.
  double ArmUpTo(double x) const;
  // For kinds 0..3, the arm of a load that x has wholly passed is
  // (x - FX) - PassedArmOffset(): the distance from the start to the
  // centroid. Moments and unknown kinds have the fixed arm -1 instead.
  double PassedArmOffset() const;
  // Position of the whole load's resultant.
  double ResultantPos() const;
  // Height used for drawing: the (peak) intensity of a distributed load,
  // P of a concentrated load, 0 for a moment.
  double Intensity() const;
  // "W = 12.500(kN)" and the like; empty for an unknown kind.
  std::string LabelText() const;

  void SaveToStream(TStream& Stream) const;
  void LoadFromStream(TStream& Stream);
};

// Reads the records of Out in order, as LoadFromStream would one by one:
// those the stream holds in memory parsed in place, a record its buffer
// cuts (or a damaged one) by LoadFromStream, which tells the damage.
void ReadLoadRecords(TStream& Stream, std::span<TKajyuData> Out);
