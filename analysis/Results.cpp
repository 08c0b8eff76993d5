#include "analysis/Results.h"

#include "analysis/BeamData.h"
#include "analysis/LoadPolynomials.h"
#include "analysis/LoadTerms.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// One load's S and M over a stretch where one of its regimes holds.
struct TTerms {
  TPoly S, M;
  TTerms& operator+=(const TTerms& T) {
    S += T.S;
    M += T.M;
    return *this;
  }
  friend TTerms operator-(const TTerms& A, const TTerms& B) { return {A.S - B.S, A.M - B.M}; }
};

// Left of the load: only its reaction share.
TTerms Before(const TKajyuData& K) {
  TTerms T;
  T.S.c[0] = K.FRA;
  T.M.c[1] = K.FRA;
  return T;
}

// The whole load left of x.
TTerms Passed(const TKajyuData& K) {
  TTerms T = Before(K);
  if (K.FKind != lkMoment) T.S.c[0] -= K.FW;
  if (IsForceKind(K.FKind)) {
    // Arm (x - X) - offset.
    T.M.c[1] -= K.FW;
    T.M.c[0] += (K.FX + K.PassedArmOffset()) * K.FW;
  } else {
    T.M.c[0] += K.FW; // arm -1
  }
  return T;
}

// Inside the width of a load (X <= x < X + c, c > 0).
TTerms Inner(const TKajyuData& K) {
  const TCoveredPolys Covered = CoveredPolys(K);
  TTerms T = Before(K);
  if (K.FKind != lkMoment) T.S = T.S - Shifted(Covered.Force, K.FX);
  T.M = T.M - Shifted(Covered.Moment, K.FX);
  return T;
}

// Where a load changes regime, and by how much S and M change there.
using TEvent = TLoadEvent<TTerms>;

void AddEvents(const TKajyuData& K, std::vector<TEvent>& Events) {
  const double End = K.FX + K.FWidth;
  if (!(End > K.FX)) {
    // No width: the whole load acts from X on.
    Events.push_back({K.FX, Passed(K) - Before(K)});
    return;
  }
  const TTerms In = Inner(K);
  Events.push_back({K.FX, In - Before(K)});
  Events.push_back({End, Passed(K) - In});
}

// A position where S or M may be extreme: a piece end (Left: the value just
// left of X) or a stationary point. Approx comes from the running
// polynomials, Exact from the loads themselves.
struct TCandidate {
  double X;
  bool Left;
  std::array<double, 2> Approx; // S, M
  bool AlwaysExact = false;
  bool Evaluated = false;
  std::array<double, 2> Exact{};
};

// Real roots of a2·x² + a1·x + a0 strictly between Lo and Hi.
void AddRoots(double a0, double a1, double a2, double Lo, double Hi, std::vector<double>& Out) {
  const auto Keep = [&](double r) {
    if (r > Lo && r < Hi) Out.push_back(r);
  };
  if (a2 == 0) {
    if (a1 != 0) Keep(-a0 / a1);
    return;
  }
  const double Disc = a1 * a1 - 4 * a2 * a0;
  if (!(Disc >= 0)) return;
  const double q = -(a1 + std::copysign(std::sqrt(Disc), a1)) / 2;
  Keep(q / a2);
  if (q != 0) Keep(a0 / q);
}

void AddPieceCandidates(const TTerms& Now, double A, double B, std::vector<TCandidate>& Out) {
  std::vector<double> Roots;
  AddRoots(Now.S.c[1], 2 * Now.S.c[2], 0, A, B, Roots);
  AddRoots(Now.M.c[1], 2 * Now.M.c[2], 3 * Now.M.c[3], A, B, Roots);
  for (double r : Roots)
    Out.push_back({r, false, {Now.S(r), Now.M(r)}});
}

// Every piece end and stationary point over 0..L, in order along the beam.
std::vector<TCandidate> Candidates(const TData& D, const TGoOn& GoOn) {
  const double L = D.Length();
  std::vector<TEvent> Events;
  TTerms Now;
  for (int I = 0; I < D.ActingCount(); ++I) {
    CheckGoOnEvery(GoOn, static_cast<std::size_t>(I));
    Now += Before(D.Acting(I));
    AddEvents(D.Acting(I), Events);
  }
  SortEvents(Events);
  CheckGoOn(GoOn);
  std::vector<TCandidate> Out;
  const auto At = [&Now](double x, bool Left, bool AlwaysExact) {
    return TCandidate{x, Left, {Now.S(x), Now.M(x)}, AlwaysExact};
  };
  WalkPieces(
      Events, L, GoOn, [&Now](const TEvent& E) { Now += E.Delta; },
      [&](double A, double B) {
        Out.push_back(At(A, false, A == 0));
        AddPieceCandidates(Now, A, B, Out);
        Out.push_back(At(B, true, B == L));
      });
  Out.push_back(At(L, false, true));
  return Out;
}

// S and M just left of x: nothing of a load that starts at x acts yet, and
// a load that acts only once x has passed its width (any kind but the
// distributed ones, which rise gradually) does not act at its end yet.
void ValuesLeftOf(const TData& D, double x, double& S, double& M) {
  S = M = 0;
  double s, m;
  for (int I = 0; I < D.ActingCount(); ++I) {
    const TKajyuData& K = D.Acting(I);
    if (x <= K.FX || (!IsDistributedKind(K.FKind) && x <= K.FX + K.FWidth)) {
      s = K.FRA;
      m = K.FRA * x;
    } else {
      LoadTerms(K, x, D.Length(), s, m);
    }
    S += s;
    M += m;
  }
}

// The moment the wall at x = L takes from every load, as the force
// reaction takes every load's force: a load standing exactly at the wall
// counts, though the diagram's M at L is the value just left of it.
double FixedEndMoment(const TData& D, double L) {
  double M = 0;
  for (int I = 0; I < D.LoadCount(); ++I) {
    const TKajyuData& K = D.Load(I);
    M += (IsForceKind(K.FKind) ? (K.ResultantPos() - L) * K.FW : K.FW);
  }
  return M;
}

void Evaluate(const TData& D, TCandidate& C) {
  if (C.Evaluated) return;
  C.Evaluated = true;
  double X = C.X;
  if (C.Left)
    ValuesLeftOf(D, X, C.Exact[0], C.Exact[1]);
  else
    D.CalcAt(X, C.Exact[0], C.Exact[1]);
}

// Evaluates exactly every candidate whose approximate value of function F
// (0 S, 1 M) comes near its approximate largest or smallest value, or is
// no number.
void EvaluateNearExtremes(const TData& D, std::vector<TCandidate>& Cs, std::size_t F,
                          const TGoOn& GoOn) {
  double Hi = -HUGE_VAL, Lo = HUGE_VAL;
  for (const TCandidate& C : Cs)
    if (std::isfinite(C.Approx[F])) {
      Hi = std::max(Hi, C.Approx[F]);
      Lo = std::min(Lo, C.Approx[F]);
    }
  // Far wider than the rounding of the running sums.
  const double Band = 1e-6 * std::max(std::fabs(Hi), std::fabs(Lo));
  for (TCandidate& C : Cs) {
    const double V = C.Approx[F];
    if (C.AlwaysExact || !std::isfinite(V) || V >= Hi - Band || V <= Lo + Band) {
      CheckGoOn(GoOn);
      Evaluate(D, C);
    }
  }
}

// The extreme (Sign 1 largest, -1 smallest) of function F among the exact
// values: the leftmost within Tolerance of the best.
TExtreme Pick(const std::vector<TCandidate>& Cs, std::size_t F, double Sign, double Best,
              double Tolerance) {
  const TCandidate* Found = nullptr;
  for (const TCandidate& C : Cs) {
    if (!C.Evaluated || !(Sign * C.Exact[F] >= Sign * Best - Tolerance)) continue;
    if (!Found || C.X < Found->X || (C.X == Found->X && Sign * C.Exact[F] > Sign * Found->Exact[F]))
      Found = &C;
  }
  return {Found->Exact[F], Found->X};
}

void FindExtremes(const TData& D, std::vector<TCandidate>& Cs, std::size_t F, TExtreme& Max,
                  TExtreme& Min, const TGoOn& GoOn) {
  EvaluateNearExtremes(D, Cs, F, GoOn);
  double Hi = -HUGE_VAL, Lo = HUGE_VAL;
  for (const TCandidate& C : Cs)
    if (C.Evaluated && !std::isnan(C.Exact[F])) {
      Hi = std::max(Hi, C.Exact[F]);
      Lo = std::min(Lo, C.Exact[F]);
    }
  if (Hi < Lo) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    Max = Min = {NaN, NaN};
    return;
  }
  double Tolerance = 1e-9 * std::max(std::fabs(Hi), std::fabs(Lo));
  // With an infinite value only equal values tie.
  if (!std::isfinite(Tolerance)) Tolerance = 0;
  Max = Pick(Cs, F, 1, Hi, Tolerance);
  Min = Pick(Cs, F, -1, Lo, Tolerance);
}

} // namespace

TBeamResults ComputeResults(const TData& D, const TGoOn& GoOn) {
  TBeamResults R;
  const double L = D.Length();
  if (!(L > 0)) return R;
  R.Valid = true;
  for (int I = 0; I < D.LoadCount(); ++I) {
    R.RA += D.Load(I).FRA;
    R.RB += D.Load(I).FRB;
  }
  if (D.IsCantilever()) R.MFixed = FixedEndMoment(D, L);
  std::vector<TCandidate> Cs = Candidates(D, GoOn);
  FindExtremes(D, Cs, 0, R.SMax, R.SMin, GoOn);
  FindExtremes(D, Cs, 1, R.MMax, R.MMin, GoOn);
  return R;
}
