// The bending line of a beam: its slope and deflection.
#pragma once

#include "analysis/GoOn.h"
#include "analysis/Results.h"

#include <array>
#include <cstddef>
#include <vector>

class TData;

// The largest and smallest slope (rad) and deflection (mm) over the beam.
struct TBendingExtremes {
  TExtreme ThetaMax, ThetaMin, DeltaMax, DeltaMin;
};

// The bent beam: slope θ (rad, clockwise positive, θ = dδ/dx) and
// deflection δ (mm, downward positive) from EI·δ'' = −M, with δ = 0 at
// every support and θ = 0 at a fixed end (δ(0) = δ(L) = 0 on a simple
// beam, δ(L) = θ(L) = 0 on a cantilever). M is the document's own, as
// CalcAt evaluates it from the loads' formulas and the reactions acting
// as loads: a polynomial of degree 3 at most between the positions where
// loads start and end, so θ and δ are polynomials of degree 4 and 5 there,
// kept piece by piece in powers of the distance from the piece's start.
class TBendingLine {
public:
  // Empty: At answers false.
  TBendingLine() = default;
  // The bent beam of D as its last Calculate left it (the loads' reaction
  // shares, or the reactions of its support list), for EI in kN·m². Empty when the span or EI is
  // not positive and finite. O(N log N) in the number of loads; GoOn is asked every few thousand
  // loads and pieces, a false answer stops with EAbort.
  static TBendingLine Build(const TData& D, double EI, const TGoOn& GoOn = {});

  bool Empty() const { return FStarts.empty(); }
  // θ and δ at X, which is first clamped into 0..L in place as
  // TData::CalcAt does. False (θ, δ untouched) when empty.
  bool At(double& X, double& Theta, double& Delta) const;
  // θ and δ at N positions, each clamped as At does; every value equals
  // At's at its position bit for bit. Ascending positions are the fast
  // way. Nothing is written when empty.
  void Sample(const double* Xs, double* Theta, double* Delta, std::size_t N) const;
  // The largest and smallest θ and δ over 0..L and where they occur: at a
  // piece end or a stationary point (the roots of M for θ, of θ for δ),
  // valued as At values them. Of several positions within 1e-9 of the
  // largest magnitude, the leftmost; NaN at NaN when no position gives a
  // number, and all NaN when empty. GoOn is asked every few thousand
  // pieces.
  TBendingExtremes Extremes(const TGoOn& GoOn = {}) const;

  // The deflection of largest magnitude over From..To, two positions where
  // pieces start (or L), found as Extremes finds it; NaN at NaN when empty.
  TExtreme LargestDeflection(double From, double To) const;

private:
  // θ and δ over one piece, in powers of u = x - its start.
  struct TPiece {
    std::array<double, 5> Theta;
    std::array<double, 6> Delta;
  };

  std::size_t PieceAt(double X) const;
  void Evaluate(std::size_t Piece, double X, double& Theta, double& Delta) const;

  double FLength = 0;
  // Ascending from 0, one per piece; the last, of no length, at L.
  std::vector<double> FStarts;
  std::vector<TPiece> FPieces;
};
