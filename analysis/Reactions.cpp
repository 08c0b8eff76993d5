#include "analysis/Reactions.h"

#include "analysis/LoadPolynomials.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// ∫ (from 0 to a) of a load's moment m, and ∫ (a - t)·m(t) dt: φ(a) and
// ψ(a), where φ' = m and ψ' = φ.
struct TMomentIntegrals {
  double Phi = 0, Psi = 0;

  // Adds a stretch [Lo, Hi) over which m(t) = P(t - T0).
  void Add(const TPoly& P, double T0, double Lo, double Hi, double a) {
    Lo = std::max(Lo, 0.0);
    Hi = std::min(Hi, a);
    if (!(Hi > Lo)) return;
    // Antiderivatives of p(u) and of u·p(u), in u = t - T0.
    const auto Integral = [&P](double u) {
      return u * (P.c[0] + u * (P.c[1] / 2 + u * (P.c[2] / 3 + u * P.c[3] / 4)));
    };
    const auto Moment = [&P](double u) {
      return u * u * (P.c[0] / 2 + u * (P.c[1] / 3 + u * (P.c[2] / 4 + u * P.c[3] / 5)));
    };
    const double I0 = Integral(Hi - T0) - Integral(Lo - T0);
    const double I1 = Moment(Hi - T0) - Moment(Lo - T0);
    Phi += I0;
    Psi += (a - T0) * I0 - I1;
  }
};

TPoly Negated(TPoly P) {
  for (double& c : P.c)
    c = -c;
  return P;
}

// φ(a) and ψ(a) of load K's moment, as the diagram has it with no share of
// a left reaction: nothing left of the load, the covered part's moment
// inside its width, the whole load's past it.
TMomentIntegrals IntegralsAt(const TKajyuData& K, double a) {
  TMomentIntegrals I;
  const double X = K.FX, End = X + K.FWidth;
  if (End <= X) {
    I.Add(Negated(PassedMoment(K, 0)), X, X, HUGE_VAL, a);
    return I;
  }
  I.Add(Negated(CoveredPolys(K).Moment), X, X, End, a);
  if (End > X) I.Add(Negated(PassedMoment(K, K.FWidth)), End, End, HUGE_VAL, a);
  return I;
}

} // namespace

TReactionSolver::TReactionSolver(const TSupports& Supports, double L) : FLength(L) {
  const std::size_t n = Supports.size();
  std::size_t Moments = 0;
  for (const TSupport& S : Supports) {
    FAt.push_back(S.At(L));
    FMomentRow.push_back(S.Kind == skFixed ? static_cast<int>(n + Moments++) : -1);
  }
  FSize = n + Moments + 2;
  BuildSystem();
  FStable = Factor();
}

// Unknowns: the forces, the moments over L, then θ(0) and δ(0) as
// c1 = EI·θ(0)/L² and c2 = EI·δ(0)/L³; positions as ξ = x/L. Rows: the
// forces, the moments about the right end, then δ = 0 at each support and
// θ = 0 at each fixed end (two below its moment's column).
void TReactionSolver::BuildSystem() {
  const std::size_t n = FAt.size(), U = FSize, C1 = U - 2, C2 = U - 1;
  FLu.assign(U * U, 0.0);
  const auto A = [&](std::size_t Row, std::size_t Col) -> double& { return FLu[Row * U + Col]; };
  for (std::size_t j = 0; j < n; ++j) {
    const double xj = FAt[j] / FLength;
    const bool FixedJ = FMomentRow[j] >= 0;
    const std::size_t Mj = FixedJ ? static_cast<std::size_t>(FMomentRow[j]) : 0, SlopeRow = Mj + 2;
    A(0, j) = 1;
    A(1, j) = 1 - xj;
    if (FixedJ) A(1, Mj) = 1;
    for (std::size_t i = 0; i < n; ++i) {
      const double d = xj - FAt[i] / FLength;
      if (d > 0) {
        A(2 + j, i) = d * d * d / 6;
        if (FixedJ) A(SlopeRow, i) = d * d / 2;
      }
      if (FMomentRow[i] >= 0 && d >= 0) {
        const auto Mi = static_cast<std::size_t>(FMomentRow[i]);
        A(2 + j, Mi) = d * d / 2;
        if (FixedJ) A(SlopeRow, Mi) = d;
      }
    }
    A(2 + j, C1) = -xj;
    A(2 + j, C2) = -1;
    if (FixedJ) A(SlopeRow, C1) = -1;
  }
}

// LU with partial pivoting, the rows swapped whole; false for a system
// that has no solution to speak of (supports too close to tell apart).
bool TReactionSolver::Factor() {
  const std::size_t U = FSize;
  const auto A = [&](std::size_t Row, std::size_t Col) -> double& { return FLu[Row * U + Col]; };
  FPivot.resize(U);
  for (std::size_t k = 0; k < U; ++k) {
    std::size_t P = k;
    for (std::size_t r = k + 1; r < U; ++r)
      if (std::fabs(A(r, k)) > std::fabs(A(P, k))) P = r;
    if (!(std::fabs(A(P, k)) > 1e-14)) return false;
    FPivot[k] = P;
    if (P != k)
      for (std::size_t c = 0; c < U; ++c)
        std::swap(A(k, c), A(P, c));
    for (std::size_t r = k + 1; r < U; ++r) {
      const double f = A(r, k) /= A(k, k);
      for (std::size_t c = k + 1; c < U; ++c)
        A(r, c) -= f * A(k, c);
    }
  }
  return true;
}

void TReactionSolver::AddLoad(const TKajyuData& K, std::vector<double>& b) const {
  // The load in units of the span, as the system is written, so that no
  // span overflows the integrals: positions over L, couples over L.
  const bool Force = IsForceKind(K.FKind);
  TKajyuData Unit;
  Unit.FKind = K.FKind;
  Unit.FX = K.FX / FLength;
  Unit.FWidth = K.FWidth / FLength;
  Unit.FW = Force ? K.FW : K.FW / FLength;
  // The whole load, also what lies past the right end, with its lever arm
  // about that end (as a load before x = 0 counts in full); kinds that are
  // no force (moments, unknown codes) act as couples.
  const double Past = std::max({1.0, Unit.FX, Unit.FX + Unit.FWidth});
  const double Resultant = Unit.ForceUpTo(Past);
  if (Force) b[0] += Resultant;
  b[1] += (Force ? Unit.ArmUpTo(Past) - (Past - 1) : Unit.ArmUpTo(Past)) * Resultant;
  for (std::size_t j = 0; j < FAt.size(); ++j) {
    const TMomentIntegrals I = IntegralsAt(Unit, FAt[j] / FLength);
    b[2 + j] -= I.Psi;
    if (FMomentRow[j] >= 0) b[static_cast<std::size_t>(FMomentRow[j]) + 2] -= I.Phi;
  }
}

void TReactionSolver::Solve(const TKajyuData& K, TReaction* Out) const {
  std::vector<double> b(FSize, 0.0);
  AddLoad(K, b);
  Solve(std::move(b), Out);
}

void TReactionSolver::Solve(std::vector<double> b, TReaction* Out) const {
  const std::size_t U = FSize;
  for (std::size_t k = 0; k < U; ++k)
    std::swap(b[k], b[FPivot[k]]);
  for (std::size_t k = 0; k < U; ++k)
    for (std::size_t r = k + 1; r < U; ++r)
      b[r] -= FLu[r * U + k] * b[k];
  for (std::size_t k = U; k-- > 0;) {
    for (std::size_t c = k + 1; c < U; ++c)
      b[k] -= FLu[k * U + c] * b[c];
    b[k] /= FLu[k * U + k];
  }
  for (std::size_t j = 0; j < FAt.size(); ++j) {
    const int Mi = FMomentRow[j];
    Out[j] = {FAt[j], b[j], Mi >= 0 ? b[static_cast<std::size_t>(Mi)] * FLength : 0, Mi >= 0};
  }
}

void SetReactionForce(TKajyuData& K, const TReaction& R) {
  K.FKind = lkConcentrated;
  K.FX = R.X;
  K.FW = -R.R;
}

void SetReactionMoment(TKajyuData& K, const TReaction& R) {
  K.FKind = lkMoment;
  K.FX = R.X;
  K.FW = R.M;
}
