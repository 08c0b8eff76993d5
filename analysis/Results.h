#pragma once

#include "analysis/GoOn.h"
#include "analysis/Quantities.h"
#include "analysis/Reactions.h"

#include <string>
#include <vector>

class TData;

// An extreme of S or M over the beam and where it occurs (m). Both are NaN
// when no position gives a value that is a number.
struct TExtreme {
  double Value = 0;
  double X = 0;
};

// A stretch of the beam a deflection limit is taken on: a span between two
// supports, or an overhang to a free end (whose limit is taken on twice
// its length), with the deflection of largest magnitude on it.
struct TDeflectionSpan {
  double From = 0, To = 0; // m
  bool Overhang = false;
  TExtreme Delta;

  double LimitLength() const { return (Overhang ? 2 : 1) * (To - From); }
};

// What an engineer reads off a calculated beam.
struct TBeamResults {
  // False for a span that is not positive, or supports that cannot hold
  // the beam (Refusal says why): no reactions, no extremes.
  bool Valid = false;
  std::string Refusal;
  // Every support's reaction, in order along the beam (on a simple beam
  // RA and RB, on a cantilever the fixed end's force and moment).
  std::vector<TReaction> Reactions;
  // Sums of the loads' reaction shares (kN, upward positive). On a
  // cantilever RA is 0 and RB is the vertical force at the fixed end; both
  // 0 on a beam with a support list (see Reactions).
  double RA = 0;
  double RB = 0;
  // The bending moment at the fixed end of a cantilever (kN·m), which the
  // wall resists: every load counts, also one standing exactly at the
  // wall; 0 on a simple beam.
  double MFixed = 0;
  // Largest and smallest S and M over 0 <= x <= L. At a jump both one-
  // sided values count, at the position of the jump; of several positions
  // within 1e-9 of the diagram's largest magnitude, the leftmost.
  TExtreme SMax, SMin, MMax, MMin;
  // Slope and deflection, for a section that gives E and I; HasBending
  // says whether they were computed.
  bool HasBending = false;
  TExtreme ThetaMax, ThetaMin, DeltaMax, DeltaMin;
  // With HasBending: the stretches between the supports and past them, in
  // order along the beam; the plain types' one stretch is the whole beam.
  std::vector<TDeflectionSpan> DeflectionSpans;

  const TExtreme& Largest(TQuantity Q) const;
  const TExtreme& Smallest(TQuantity Q) const;
  // Whether the quantity was computed: S and M for a valid beam, θ and δ
  // with HasBending too.
  bool Has(TQuantity Q) const;
};

// The results of the document as it was calculated last: the reactions from
// the loads' shares, the extremes exactly (S and M are polynomials between
// the positions where loads start and end, so their extremes lie at those
// positions or at the stationary points between them). O(N log N) in the
// number of loads. GoOn, when given, is asked every few thousand loads or
// positions and before each exact evaluation.
TBeamResults ComputeResults(const TData& Data, const TGoOn& GoOn = {});

// The positions ComputeResults weighs for the extremes of S and M, in order
// along the beam (Left: the value just left of X, else CalcAt's); of
// these, it evaluates exactly only those whose values can come near the
// extremes. For the tests, which evaluate them all.
struct TExtremeCandidate {
  double X;
  bool Left;
};
std::vector<TExtremeCandidate> ExtremeCandidates(const TData& Data);

// S and M just left of X, as the extremes weigh a jump's left side (the
// right side is CalcAt's).
void ValuesJustLeftOf(const TData& Data, double X, double& S, double& M);
