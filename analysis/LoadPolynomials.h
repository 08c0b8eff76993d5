// The loads as polynomials along the beam: between the positions where a
// load starts and ends, its S and M are polynomials of degree 3 at most.
// The results and the bending line both walk the beam piece by piece
// between those positions.
#pragma once

#include "analysis/GoOn.h"
#include "analysis/KajyuData.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

// c[0] + c[1]·u + c[2]·u² + c[3]·u³.
struct TPoly {
  std::array<double, 4> c{};

  TPoly& operator+=(const TPoly& P) {
    for (std::size_t I = 0; I < c.size(); ++I)
      c[I] += P.c[I];
    return *this;
  }
  friend TPoly operator-(TPoly A, const TPoly& B) {
    for (std::size_t I = 0; I < A.c.size(); ++I)
      A.c[I] -= B.c[I];
    return A;
  }
  double operator()(double u) const { return ((c[3] * u + c[2]) * u + c[1]) * u + c[0]; }
};

// P given in powers of d = x - X, rewritten in powers of x. With X = A - B
// it moves a polynomial in powers of x - A to powers of x - B.
inline TPoly Shifted(const TPoly& P, double X) {
  static constexpr int Binomial[4][4] = {{1, 0, 0, 0}, {1, 1, 0, 0}, {1, 2, 1, 0}, {1, 3, 3, 1}};
  TPoly R;
  for (int k = 0; k < 4; ++k) {
    double Power = 1; // (-X)^(k-j), built up from j = k downwards
    for (int j = k; j >= 0; --j) {
      R.c[static_cast<std::size_t>(j)] += P.c[static_cast<std::size_t>(k)] * Binomial[k][j] * Power;
      Power *= -X;
    }
  }
  return R;
}

// Inside the width of a load (X <= x < X + c, c > 0): the part of its force
// left of x and that part's moment about x, in powers of d = x - X. Both
// are zero for the kinds that are not distributed: they act only once x
// has passed their width.
struct TCoveredPolys {
  TPoly Force, Moment;
};
TCoveredPolys CoveredPolys(const TKajyuData& K);

// What a load that x has wholly passed takes off M (arm × force), in
// powers of e = x - (X + D): (x - X - offset)·W for the force kinds, -W
// (arm -1) for the others.
TPoly PassedMoment(const TKajyuData& K, double D);

// Where a load changes regime along the beam, and by how much.
template <class TDelta> struct TLoadEvent {
  double X;
  TDelta Delta;
};

// The indices of Positions in ascending order of the positions, equal ones
// in the order they came (a radix sort on their bits, linear in their
// number). No position may be NaN, and there must be fewer than 2^32.
std::vector<std::uint32_t> AscendingOrder(const std::vector<double>& Positions);

// Drops the events at positions that are no number (they never come into
// effect along the beam) and sorts the others by position, equal ones in
// the order they came.
template <class TDelta> void SortEvents(std::vector<TLoadEvent<TDelta>>& Events) {
  std::erase_if(Events, [](const TLoadEvent<TDelta>& E) { return std::isnan(E.X); });
  std::vector<double> Positions(Events.size());
  for (std::size_t I = 0; I < Events.size(); ++I)
    Positions[I] = Events[I].X;
  std::vector<TLoadEvent<TDelta>> Sorted;
  Sorted.reserve(Events.size());
  for (std::uint32_t I : AscendingOrder(Positions))
    Sorted.push_back(Events[I]);
  Events.swap(Sorted);
}

// Asks GoOn at every 4096th step I of a loop.
inline void CheckGoOnEvery(const TGoOn& GoOn, std::size_t I) {
  if (I % 4096 == 0) CheckGoOn(GoOn);
}

// Walks 0..L along Events (sorted by position; anything with size() and
// operator[] giving a TLoadEvent): Enter(E) for each event at or left of 0,
// then Piece(A, B) for each piece between neighbouring event positions
// (the last one ends at L), and Enter for the events at B before the next
// piece. Events at or past L are not entered. GoOn is asked every few
// thousand pieces.
template <class TEvents, class TEnter, class TPiece>
void WalkPieces(const TEvents& Events, double L, const TGoOn& GoOn, TEnter&& Enter,
                TPiece&& Piece) {
  std::size_t E = 0;
  while (E < Events.size() && Events[E].X <= 0)
    Enter(Events[E++]);
  std::size_t Count = 0;
  for (double A = 0;; ++Count) {
    CheckGoOnEvery(GoOn, Count);
    const double B = E < Events.size() && Events[E].X < L ? Events[E].X : L;
    Piece(A, B);
    if (B == L) break;
    while (E < Events.size() && Events[E].X == B)
      Enter(Events[E++]);
    A = B;
  }
}
