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

// One load's S and M over a stretch where one of its regimes holds, and
// their sizes: polynomials in |x| that bound every term S and M are made
// of here and every term LoadTerms works with (see BoundPerSize).
struct TTerms {
  TPoly S, M, SizeS, SizeM;
  TTerms& operator+=(const TTerms& T) {
    S += T.S;
    M += T.M;
    SizeS += T.SizeS;
    SizeM += T.SizeM;
    return *this;
  }
  // A change of regime, as big as both regimes.
  friend TTerms operator-(const TTerms& A, const TTerms& B) {
    TTerms D{A.S - B.S, A.M - B.M, A.SizeS, A.SizeM};
    D.SizeS += B.SizeS;
    D.SizeM += B.SizeM;
    return D;
  }
};

// The terms of Shifted(P, X) in absolute value, in powers of |x|.
TPoly SizeOfShifted(TPoly P, double X) {
  for (double& c : P.c)
    c = std::fabs(c);
  return Shifted(P, -std::fabs(X));
}

// Left of the load: only its reaction share. Its size covers what the
// load gives in any regime but inside its width.
TTerms Before(const TKajyuData& K) {
  TTerms T;
  T.S.c[0] = K.FRA;
  T.M.c[1] = K.FRA;
  const double Scale = std::fabs(K.FRA) + std::fabs(K.FW);
  T.SizeS.c[0] = Scale;
  T.SizeM.c[0] = Scale * (1 + std::fabs(K.FX) + std::fabs(K.FWidth));
  T.SizeM.c[1] = Scale;
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
  if (K.FKind != lkMoment) {
    T.S = T.S - Shifted(Covered.Force, K.FX);
    T.SizeS += SizeOfShifted(Covered.Force, K.FX);
  }
  T.M = T.M - Shifted(Covered.Moment, K.FX);
  T.SizeM += SizeOfShifted(Covered.Moment, K.FX);
  return T;
}

// Asks for T to be read into the cache, without waiting for it.
void Prefetch(const TTerms& T) {
#if defined(__GNUC__)
  const char* Start = reinterpret_cast<const char*>(&T);
  for (std::size_t Line = 0; Line < sizeof T; Line += 64)
    __builtin_prefetch(Start + Line);
  __builtin_prefetch(Start + sizeof T - 1);
#endif
}

// How S and M change where the loads change regime: the changes in the
// order the loads give them, worked out once per load, and the events,
// which hold only where a change happens and which one it is, so that
// they stay small to sort.
using TEvent = TLoadEvent<std::uint32_t>;
struct TChanges {
  TTerms Left; // every load's share, as left of every load
  std::vector<TTerms> Deltas;
  std::vector<TEvent> Events;

  void Add(double X, const TTerms& Delta) {
    Events.push_back({X, static_cast<std::uint32_t>(Deltas.size())});
    Deltas.push_back(Delta);
  }
  // The change at E, one of the events. In the events' order the changes
  // lie far apart in memory: the one some events further on is asked for
  // meanwhile, so that their reading overlaps.
  const TTerms& Of(const TEvent& E) const {
    const auto Ahead = static_cast<std::size_t>(&E - Events.data()) + 16;
    if (Ahead < Events.size()) Prefetch(Deltas[Events[Ahead].Delta]);
    return Deltas[E.Delta];
  }
};

void AddChanges(const TKajyuData& K, TChanges& C) {
  const TTerms Left = Before(K);
  C.Left += Left;
  const double End = K.FX + K.FWidth;
  if (!(End > K.FX)) {
    // No width: the whole load acts from X on.
    C.Add(K.FX, Passed(K) - Left);
    return;
  }
  const TTerms In = Inner(K);
  C.Add(K.FX, In - Left);
  C.Add(End, Passed(K) - In);
}

// The changes of every acting load, the events sorted along the beam.
TChanges SortedChanges(const TData& D, const TGoOn& GoOn) {
  TChanges C;
  const auto Loads = static_cast<std::size_t>(D.ActingCount());
  C.Deltas.reserve(2 * Loads);
  C.Events.reserve(2 * Loads);
  for (std::size_t I = 0; I < Loads; ++I) {
    CheckGoOnEvery(GoOn, I);
    AddChanges(D.Acting(static_cast<int>(I)), C);
  }
  SortEvents(C.Events);
  CheckGoOn(GoOn);
  return C;
}

// A position where S or M may be extreme: a piece end (Left: the value just
// left of X) or a stationary point. Approx comes from the running
// polynomials, Exact from the loads themselves; they differ by Bound at
// most.
struct TCandidate {
  double X;
  bool Left;
  bool Evaluated = false;
  std::array<double, 2> Approx; // S, M
  std::array<double, 2> Bound;  // infinite for one always evaluated
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

// Whether every number S and M are made of, in the running polynomials as
// in LoadTerms, stays far from overflow, and what underflows stays far
// below the rounding of the rest: the span and each load's position,
// force, width and reaction share are 0 or within 2^-150..2^150 in
// magnitude.
bool InNormalRange(const TData& D) {
  const auto Normal = [](double v) {
    v = std::fabs(v);
    return v == 0 || (v >= 0x1p-150 && v <= 0x1p150);
  };
  if (!Normal(D.Length())) return false;
  for (int I = 0; I < D.ActingCount(); ++I) {
    const TKajyuData& K = D.Acting(I);
    if (!Normal(K.FX) || !Normal(K.FW) || !Normal(K.FWidth) || !Normal(K.FRA)) return false;
  }
  return true;
}

// How far a candidate's approximate value can be from its exact one, per
// unit of the running size at |x| (which holds the sizes of every change
// entered so far, and of every load's share); infinite where rounding is
// not bounded so. The running coefficients are sums of at most 3N
// changes, CalcAt's value a sum of N terms, and each change or term comes
// from a few dozen roundings, each within 2^-53 of what the size bounds;
// so does the difference just left of a distributed load's end, where
// LoadTerms takes the load as passed at the rounded end and the running
// polynomials still as covering. Hence γ(4N + 64), twice over, which also
// covers the roundings in comparing the bounds.
double BoundPerSize(const TData& D) {
  return InNormalRange(D) ? (4.0 * D.ActingCount() + 64) * 0x1p-52 : HUGE_VAL;
}

// Every piece end and stationary point over 0..L, in order along the beam.
std::vector<TCandidate> Candidates(const TData& D, const TGoOn& GoOn) {
  const double L = D.Length();
  const TChanges Changes = SortedChanges(D, GoOn);
  const std::vector<TEvent>& Events = Changes.Events;
  TTerms Now = Changes.Left;
  const double PerSize = BoundPerSize(D);
  std::vector<TCandidate> Out;
  Out.reserve(3 * Events.size() + 3);
  const auto At = [&](double x, bool Left, bool AlwaysExact) {
    const double t = std::fabs(x);
    const std::array Bound = AlwaysExact
                                 ? std::array{HUGE_VAL, HUGE_VAL}
                                 : std::array{PerSize * Now.SizeS(t), PerSize * Now.SizeM(t)};
    return TCandidate{x, Left, false, {Now.S(x), Now.M(x)}, Bound};
  };
  std::vector<double> Roots;
  WalkPieces(
      Events, L, GoOn, [&](const TEvent& E) { Now += Changes.Of(E); },
      [&](double A, double B) {
        Out.push_back(At(A, false, A == 0));
        Roots.clear();
        AddRoots(Now.S.c[1], 2 * Now.S.c[2], 0, A, B, Roots);
        AddRoots(Now.M.c[1], 2 * Now.M.c[2], 3 * Now.M.c[3], A, B, Roots);
        for (double r : Roots)
          Out.push_back(At(r, false, false));
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

void EvaluateExactly(const TData& D, TCandidate& C) {
  if (C.Evaluated) return;
  C.Evaluated = true;
  double X = C.X;
  if (C.Left)
    ValuesLeftOf(D, X, C.Exact[0], C.Exact[1]);
  else
    D.CalcAt(X, C.Exact[0], C.Exact[1]);
}

// Evaluates exactly every candidate whose exact value of function F (0 S,
// 1 M) can come within Pick's tolerance of the largest or smallest one:
// first those whose approximate value or bound is no finite number, then
// those whose bounds reach so far.
void EvaluateNearExtremes(const TData& D, std::vector<TCandidate>& Cs, std::size_t F,
                          const TGoOn& GoOn) {
  const auto Evaluate = [&](TCandidate& C) {
    CheckGoOn(GoOn);
    EvaluateExactly(D, C);
  };
  for (TCandidate& C : Cs)
    if (!std::isfinite(C.Approx[F] + C.Bound[F])) Evaluate(C);
  const auto Range = [F](const TCandidate& C) {
    if (C.Evaluated) return std::array{C.Exact[F], C.Exact[F]};
    return std::array{C.Approx[F] - C.Bound[F], C.Approx[F] + C.Bound[F]};
  };
  // The largest exact value is at least HiAtLeast, the smallest at most
  // LoAtMost, and Pick's tolerance at most Tolerance.
  double HiAtLeast = -HUGE_VAL, LoAtMost = HUGE_VAL, Magnitude = 0;
  for (const TCandidate& C : Cs) {
    const auto [Lower, Upper] = Range(C);
    HiAtLeast = std::max(HiAtLeast, Lower);
    LoAtMost = std::min(LoAtMost, Upper);
    Magnitude = std::max({Magnitude, -Lower, Upper});
  }
  const double Tolerance = 1e-9 * Magnitude;
  for (TCandidate& C : Cs) {
    const auto [Lower, Upper] = Range(C);
    if (Upper >= HiAtLeast - Tolerance || Lower <= LoAtMost + Tolerance) Evaluate(C);
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

std::vector<TExtremeCandidate> ExtremeCandidates(const TData& D) {
  std::vector<TExtremeCandidate> Out;
  if (D.Length() > 0)
    for (const TCandidate& C : Candidates(D, {}))
      Out.push_back({C.X, C.Left});
  return Out;
}
