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
  if (!IsMomentKind(K.FKind)) T.S.c[0] -= K.FW;
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
  if (!IsMomentKind(K.FKind)) {
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

// What is known of S or M at a candidate: its exact value lies within
// Lower..Upper (the running polynomials' value ± the bound of their
// rounding), or, where Upper is no finite number, it is not bounded so.
struct TRange {
  double Lower, Upper;
  bool Bounded() const { return std::isfinite(Upper); }
};

// A position where S or M may be extreme: a piece end (Left: the value just
// left of X) or a stationary point.
struct TCandidate {
  double X;
  bool Left;
  std::array<TRange, 2> Range; // S, M
};

// How far the exact values of S or M reach over the candidates, from their
// ranges or exact values: the largest is at least HiAtLeast, the smallest
// at most LoAtMost, and Pick's tolerance at most 1e-9 × Magnitude.
struct TReach {
  double HiAtLeast = -HUGE_VAL, LoAtMost = HUGE_VAL, Magnitude = 0;

  void Add(double Lower, double Upper) {
    HiAtLeast = std::max(HiAtLeast, Lower);
    LoAtMost = std::min(LoAtMost, Upper);
    Magnitude = std::max({Magnitude, -Lower, Upper});
  }
  // Whether a value within R can come within Pick's tolerance of the
  // largest or the smallest.
  bool Near(const TRange& R) const {
    const double Tolerance = 1e-9 * Magnitude;
    return R.Upper >= HiAtLeast - Tolerance || R.Lower <= LoAtMost + Tolerance;
  }
};

// The candidates in order along the beam, the reach of their bounded
// ranges, and which candidates are not bounded in S or in M.
struct TCandidates {
  std::vector<TCandidate> List;
  std::array<TReach, 2> Reach;
  std::vector<std::size_t> Unbounded;

  void Add(const TCandidate& C) {
    for (std::size_t F = 0; F < 2; ++F)
      if (C.Range[F].Bounded()) Reach[F].Add(C.Range[F].Lower, C.Range[F].Upper);
    if (!C.Range[0].Bounded() || !C.Range[1].Bounded()) Unbounded.push_back(List.size());
    List.push_back(C);
  }
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
TCandidates Candidates(const TData& D, const TGoOn& GoOn) {
  const double L = D.Length();
  const TChanges Changes = SortedChanges(D, GoOn);
  const std::vector<TEvent>& Events = Changes.Events;
  TTerms Now = Changes.Left;
  const double PerSize = BoundPerSize(D);
  TCandidates Cs;
  Cs.List.reserve(3 * Events.size() + 3);
  const auto At = [&](double x, bool Left, bool AlwaysExact) {
    const double t = std::fabs(x);
    const auto Range = [&](double Approx, const TPoly& Size) {
      const double Bound = AlwaysExact ? HUGE_VAL : PerSize * Size(t);
      return TRange{Approx - Bound, Approx + Bound};
    };
    Cs.Add({x, Left, {Range(Now.S(x), Now.SizeS), Range(Now.M(x), Now.SizeM)}});
  };
  std::vector<double> Roots;
  WalkPieces(
      Events, L, GoOn, [&](const TEvent& E) { Now += Changes.Of(E); },
      [&](double A, double B) {
        At(A, false, A == 0);
        Roots.clear();
        AddRoots(Now.S.c[1], 2 * Now.S.c[2], 0, A, B, Roots);
        AddRoots(Now.M.c[1], 2 * Now.M.c[2], 3 * Now.M.c[3], A, B, Roots);
        for (double r : Roots)
          At(r, false, false);
        At(B, true, B == L);
      });
  At(L, false, true);
  return Cs;
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

// A candidate evaluated exactly: S and M.
struct TExactValue {
  std::size_t Index;
  double X;
  std::array<double, 2> Value;
};

TExactValue EvaluateExactly(const TData& D, const TCandidates& Cs, std::size_t Index) {
  const TCandidate& C = Cs.List[Index];
  TExactValue V{Index, C.X, {}};
  double X = C.X;
  if (C.Left)
    ValuesLeftOf(D, X, V.Value[0], V.Value[1]);
  else
    D.CalcAt(X, V.Value[0], V.Value[1]);
  return V;
}

// Evaluates exactly every candidate whose exact S or M can come within
// Pick's tolerance of the largest or smallest: first those not bounded,
// whose values then narrow the reach, then those whose ranges reach so
// far. In the candidates' order.
std::vector<TExactValue> EvaluateNearExtremes(const TData& D, TCandidates& Cs, const TGoOn& GoOn) {
  std::vector<TExactValue> Out;
  const auto Evaluate = [&](std::size_t I) {
    CheckGoOn(GoOn);
    Out.push_back(EvaluateExactly(D, Cs, I));
  };
  for (std::size_t I : Cs.Unbounded) {
    Evaluate(I);
    for (std::size_t F = 0; F < 2; ++F)
      Cs.Reach[F].Add(Out.back().Value[F], Out.back().Value[F]);
  }
  for (std::size_t I = 0; I < Cs.List.size(); ++I) {
    const std::array<TRange, 2>& R = Cs.List[I].Range;
    if (R[0].Bounded() && R[1].Bounded() && (Cs.Reach[0].Near(R[0]) || Cs.Reach[1].Near(R[1])))
      Evaluate(I);
  }
  std::ranges::sort(Out, {}, &TExactValue::Index);
  return Out;
}

// The extreme (Sign 1 largest, -1 smallest) of function F (0 S, 1 M) among
// the exact values: the leftmost within Tolerance of the best.
TExtreme Pick(const std::vector<TExactValue>& Vs, std::size_t F, double Sign, double Best,
              double Tolerance) {
  const TExactValue* Found = nullptr;
  for (const TExactValue& V : Vs) {
    if (!(Sign * V.Value[F] >= Sign * Best - Tolerance)) continue;
    if (!Found || V.X < Found->X || (V.X == Found->X && Sign * V.Value[F] > Sign * Found->Value[F]))
      Found = &V;
  }
  return {Found->Value[F], Found->X};
}

void FindExtremes(const std::vector<TExactValue>& Vs, std::size_t F, TExtreme& Max, TExtreme& Min) {
  double Hi = -HUGE_VAL, Lo = HUGE_VAL;
  for (const TExactValue& V : Vs)
    if (!std::isnan(V.Value[F])) {
      Hi = std::max(Hi, V.Value[F]);
      Lo = std::min(Lo, V.Value[F]);
    }
  if (Hi < Lo) {
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    Max = Min = {NaN, NaN};
    return;
  }
  double Tolerance = 1e-9 * std::max(std::fabs(Hi), std::fabs(Lo));
  // With an infinite value only equal values tie.
  if (!std::isfinite(Tolerance)) Tolerance = 0;
  Max = Pick(Vs, F, 1, Hi, Tolerance);
  Min = Pick(Vs, F, -1, Lo, Tolerance);
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
  TCandidates Cs = Candidates(D, GoOn);
  const std::vector<TExactValue> Exact = EvaluateNearExtremes(D, Cs, GoOn);
  FindExtremes(Exact, 0, R.SMax, R.SMin);
  FindExtremes(Exact, 1, R.MMax, R.MMin);
  return R;
}

std::vector<TExtremeCandidate> ExtremeCandidates(const TData& D) {
  std::vector<TExtremeCandidate> Out;
  if (D.Length() > 0)
    for (const TCandidate& C : Candidates(D, {}).List)
      Out.push_back({C.X, C.Left});
  return Out;
}

void ValuesJustLeftOf(const TData& Data, double X, double& S, double& M) {
  ValuesLeftOf(Data, X, S, M);
}
