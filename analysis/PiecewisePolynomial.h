// A function over a span 0..L given piece by piece: piece I starts at
// Starts[I] (ascending from 0, the last one ending at L) and is there the
// polynomial Coeffs(I), a std::array of coefficients in powers of
// u = x - Starts[I]. Its value and its exact extremes.
#pragma once

#include "analysis/LoadPolynomials.h"
#include "analysis/Results.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

// c[0] + c[1]·u + … by Horner's rule.
template <std::size_t N> double Horner(const std::array<double, N>& c, double u) {
  double r = c[N - 1];
  for (std::size_t k = N - 1; k-- > 0;)
    r = r * u + c[k];
  return r;
}

namespace PiecewiseDetail {

template <std::size_t N> std::array<double, N - 1> Derivative(const std::array<double, N>& c) {
  std::array<double, N - 1> d;
  for (std::size_t k = 1; k < N; ++k)
    d[k - 1] = static_cast<double>(k) * c[k];
  return d;
}

// Where a polynomial changes sign: between u = Lo and u = Hi, which are
// (nearly) neighbouring positions along the beam.
struct TBracket {
  double Lo, Hi;
};
struct TBrackets {
  std::array<TBracket, 5> Items;
  std::size_t Count = 0;
  const TBracket* begin() const { return Items.data(); }
  const TBracket* end() const { return Items.data() + Count; }
};

// Narrows the sign change of p between u = a and u = b by halving until
// Origin + a and Origin + b are neighbouring numbers, or at most 64 times
// (the bracket is then far below what the values can tell apart).
template <std::size_t N>
TBracket Bisect(const std::array<double, N>& p, double Origin, double a, double b,
                bool NegativeAtA) {
  for (int I = 0; I < 64; ++I) {
    const double m = a + (b - a) / 2, x = Origin + m;
    if (!(x > Origin + a && x < Origin + b)) break;
    ((Horner(p, m) < 0) == NegativeAtA ? a : b) = m;
  }
  return {a, b};
}

// The sign changes of p (at most 5 roots) for u in Lo..Hi, ascending; an
// exact zero counts, except at Lo. p is monotone between the roots of p',
// so each part between them holds one at most.
template <std::size_t N>
TBrackets SignChanges(const std::array<double, N>& p, double Origin, double Lo, double Hi) {
  static_assert(N <= 6);
  std::array<double, N + 1> Cuts;
  std::size_t n = 0;
  Cuts[n++] = Lo;
  if constexpr (N > 2)
    for (const TBracket& R : SignChanges(Derivative(p), Origin, Lo, Hi))
      Cuts[n++] = R.Lo;
  Cuts[n++] = Hi;
  TBrackets Out;
  for (std::size_t I = 0; I + 1 < n; ++I) {
    const double a = Cuts[I], b = Cuts[I + 1], pa = Horner(p, a), pb = Horner(p, b);
    if ((pa < 0 && pb > 0) || (pa > 0 && pb < 0))
      Out.Items[Out.Count++] = Bisect(p, Origin, a, b, pa < 0);
    else if (pa == 0 && I > 0)
      Out.Items[Out.Count++] = {a, a};
  }
  return Out;
}

template <std::size_t N> bool AllFinite(const std::array<double, N>& c) {
  return std::all_of(c.begin(), c.end(), [](double v) { return std::isfinite(v); });
}

// How far p may move from p(0) for u in 0..h, with room for the rounding
// of its evaluation.
template <std::size_t N> double Reach(const std::array<double, N>& c, double h) {
  double r = 0;
  for (std::size_t k = N - 1; k > 0; --k)
    r = (r + std::fabs(c[k])) * h;
  return r + 1e-12 * (std::fabs(c[0]) + r);
}

struct TValueAt {
  double X, Value;
};

// The search for the extremes: the piece ends first, then the stationary
// points of the pieces that may come near the ends' extremes.
template <class TCoeffs> class TExtremeSearch {
public:
  TExtremeSearch(const std::vector<double>& Starts, double L, TCoeffs Coeffs)
      : FStarts(Starts), FLength(L), FCoeffs(Coeffs) {}

  void Find(const TGoOn& GoOn, TExtreme& Max, TExtreme& Min) {
    AddStationaryPoints(ScanPieces(GoOn), GoOn);
    if (!(FHi >= FLo)) {
      constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
      Max = Min = {NaN, NaN};
      return;
    }
    double Tolerance = 1e-9 * std::max(std::fabs(FHi), std::fabs(FLo));
    // With an infinite value only equal values tie.
    if (!std::isfinite(Tolerance)) Tolerance = 0;
    Max = Pick(1, FHi, Tolerance);
    Min = Pick(-1, FLo, Tolerance);
  }

private:
  std::size_t Pieces() const { return FStarts.size(); }
  double Length(std::size_t I) const {
    return (I + 1 < Pieces() ? FStarts[I + 1] : FLength) - FStarts[I];
  }
  // The value at X, in piece I or a later one, where a search for X's
  // piece finds it.
  double ValueAt(std::size_t I, double X) const {
    while (I + 1 < Pieces() && FStarts[I + 1] <= X)
      ++I;
    return Horner(FCoeffs(I), X - FStarts[I]);
  }
  void Count(double Value) {
    if (std::isnan(Value)) return;
    FHi = std::max(FHi, Value);
    FLo = std::min(FLo, Value);
  }

  // The values at the piece ends (the starts, then L) and how far each
  // piece may move from its start; returns the largest magnitude any piece
  // may reach.
  double ScanPieces(const TGoOn& GoOn) {
    const std::size_t n = Pieces();
    FEnds.resize(n + 1);
    FReach.resize(n);
    double Reachable = 0;
    for (std::size_t I = 0; I < n; ++I) {
      CheckGoOnEvery(GoOn, I);
      const auto& c = FCoeffs(I);
      FEnds[I] = Horner(c, 0.0);
      FReach[I] = Reach(c, Length(I));
      Count(FEnds[I]);
      const double r = std::fabs(c[0]) + FReach[I];
      if (r > Reachable) Reachable = r;
    }
    FEnds[n] = ValueAt(n - 1, FLength);
    Count(FEnds[n]);
    return Reachable;
  }

  // The stationary points of the pieces whose values may come within the
  // tolerance of the piece ends' extremes. The tolerance is not known yet;
  // 1e-9 of the largest magnitude any piece may reach is at least as wide.
  void AddStationaryPoints(double Reachable, const TGoOn& GoOn) {
    const double Hi = FHi, Lo = FLo;
    const double Tolerance = 1e-9 * std::max({Reachable, std::fabs(Hi), std::fabs(Lo)});
    for (std::size_t I = 0; I < Pieces(); ++I) {
      CheckGoOnEvery(GoOn, I);
      const auto& c = FCoeffs(I);
      const double r = FReach[I];
      if ((c[0] + r < Hi - Tolerance && c[0] - r > Lo + Tolerance) || !AllFinite(c)) continue;
      const double A = FStarts[I];
      for (const TBracket& R : SignChanges(Derivative(c), A, 0, Length(I)))
        for (double u : {R.Lo, R.Hi}) {
          const double X = std::min(A + u, FLength);
          FStationary.push_back({X, ValueAt(I, X)});
          Count(FStationary.back().Value);
        }
    }
  }

  // The leftmost value within Tolerance of Best (Sign 1 largest, -1
  // smallest): the first such piece end, unless a stationary point lies
  // further left.
  TExtreme Pick(double Sign, double Best, double Tolerance) const {
    const auto Ties = [&](double Value) { return Sign * Value >= Sign * Best - Tolerance; };
    TValueAt Found{HUGE_VAL, 0};
    for (std::size_t I = 0; I < FEnds.size(); ++I)
      if (Ties(FEnds[I])) {
        Found = {I < Pieces() ? FStarts[I] : FLength, FEnds[I]};
        break;
      }
    for (const TValueAt& F : FStationary)
      if (Ties(F.Value) &&
          (F.X < Found.X || (F.X == Found.X && Sign * F.Value > Sign * Found.Value)))
        Found = F;
    return {Found.Value, Found.X};
  }

  const std::vector<double>& FStarts;
  double FLength;
  TCoeffs FCoeffs;
  // The largest and smallest value found that is a number.
  double FHi = -HUGE_VAL, FLo = HUGE_VAL;
  std::vector<double> FEnds, FReach;
  std::vector<TValueAt> FStationary;
};

} // namespace PiecewiseDetail

// The largest and smallest value over 0..L and where it is taken: at a
// piece end or where the derivative changes sign, found to the neighbouring
// positions and valued by Horner as at any position. Of several positions
// within 1e-9 of the largest magnitude, the leftmost; NaN at NaN when no
// position gives a number. Pieces that cannot come near the extremes of
// the piece ends are not searched. GoOn is asked every few thousand pieces.
template <class TCoeffs>
void PiecewiseExtremes(const std::vector<double>& Starts, double L, TCoeffs Coeffs,
                       const TGoOn& GoOn, TExtreme& Max, TExtreme& Min) {
  PiecewiseDetail::TExtremeSearch<TCoeffs>(Starts, L, Coeffs).Find(GoOn, Max, Min);
}
