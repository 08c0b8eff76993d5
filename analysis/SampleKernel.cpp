#include "analysis/SampleKernel.h"

#include "analysis/LoadTerms.h"

#include <algorithm>

namespace {

// Kinds without a covered part: the concentrated load and unknown codes.
constexpr std::int32_t lkOther = -1;

// The samples inside the extent of a load of kind Kind: X <= x < X + c
// for every one of them, and none is a point action's right-end case. The
// terms are LoadTerms' for that case, one kind per loop so that the loop
// has no branch and vectorises.
template <std::int32_t Kind>
[[gnu::always_inline]] inline void AddCovered(const TKajyuData& K, const double* __restrict Xs,
                                              double* __restrict S, double* __restrict M,
                                              std::size_t Begin, std::size_t End) {
  const double X = K.FX, c = K.FWidth, W = K.FW, FRA = K.FRA;
  for (std::size_t I = Begin; I < End; ++I) {
    const double x = Xs[I], d = x - X;
    const double Force = CoveredForce<Kind>(d, W, c);
    S[I] += IsMomentKind(Kind) ? FRA : FRA - Force;
    M[I] += FRA * x - CoveredArm<Kind>(x, d, X, W, c) * Force;
  }
}

// N ascending samples, and how to guess where a position falls among them
// were they evenly spread (worked out once per call of the kernel).
struct TSampleRow {
  const double* Xs;
  std::size_t N;
  double PerUnit; // samples per unit of x; 0 where the row has no spread
  TSampleRow(const double* Row, std::size_t Count) : Xs(Row), N(Count), PerUnit(0) {
    const double Spread = N ? Xs[N - 1] - Xs[0] : 0;
    if (Spread > 0) PerUnit = static_cast<double>(N - 1) / Spread;
  }

  // The first sample for which Before(x) is false (Before is true on a
  // leading run): the search starts at the guess and gallops from there;
  // whatever the spread, the answer is std::partition_point's.
  template <class TBefore>
  [[gnu::always_inline]] std::size_t FirstNotBefore(double V, TBefore Before) const {
    if (N == 0) return 0;
    const double Guess = (V - Xs[0]) * PerUnit; // NaN for a NaN V
    const double Last = static_cast<double>(N - 1);
    const std::size_t At = !(Guess > 0)   ? 0
                           : Guess < Last ? static_cast<std::size_t>(Guess)
                                          : N - 1;
    std::size_t Low, High, Step = 1; // the answer lies in Low..High
    if (Before(Xs[At])) {
      for (Low = At + 1; Low + Step - 1 < N && Before(Xs[Low + Step - 1]); Step *= 2)
        Low += Step;
      High = std::min(N, Low + Step - 1);
    } else {
      for (High = At; High >= Step && !Before(Xs[High - Step]); Step *= 2)
        High -= Step;
      Low = High >= Step ? High - Step + 1 : 0;
    }
    return static_cast<std::size_t>(std::partition_point(Xs + Low, Xs + High, Before) - Xs);
  }
};

// Where a load splits the N ascending samples: left of it (no force yet)
// 0..Left, covered by it Left..Passed, passed wholly Passed..Tail, and
// from Tail on point actions at the right end, which take the exception
// in LoadTerms for the samples at x = L.
struct TParts {
  std::size_t Left, Passed, Tail;
};

[[gnu::always_inline]] inline TParts PartsOf(const TKajyuData& K, double L, const TSampleRow& Row) {
  const double X = K.FX, End = K.FX + K.FWidth;
  std::size_t Tail = Row.N;
  if (IsPointActionKind(K.FKind) && X == L)
    Tail = Row.FirstNotBefore(L, [L](double x) { return x < L; });
  const std::size_t Left =
      std::min<std::size_t>(Tail, Row.FirstNotBefore(X, [X](double x) { return x < X; }));
  return {Left,
          std::clamp<std::size_t>(Row.FirstNotBefore(End, [End](double x) { return !(x >= End); }),
                                  Left, Tail),
          Tail};
}

// What a load adds to a sample x outside its width and its right-end
// exception, left of it or passed: S a constant, M = FRA·x - T, where T is
// the arm times the force for a passed force, else a constant (0 left of
// the load, where FRA·x - 0 is FRA·x to the bit, and -W for a passed
// moment) — LoadTerms' rounding either way.
struct TOutsideTerm {
  double S, FRA, T, X, Offset, W;
  bool Arm;
  template <bool WithArm> [[gnu::always_inline]] double M(double x) const {
    return WithArm ? FRA * x - ((x - X) - Offset) * W : FRA * x - T;
  }
};

// Where a sample lies for a load: left of it, inside its width, passed, or
// from the right-end exception on.
enum class TPart { Left, Covered, Passed, Tail };

TPart PartAt(const TParts& P, std::size_t I) {
  return I < P.Left     ? TPart::Left
         : I < P.Passed ? TPart::Covered
         : I < P.Tail   ? TPart::Passed
                        : TPart::Tail;
}

// The next sample from I on where the load changes part (N at the end).
std::size_t NextCut(const TParts& P, std::size_t I, std::size_t N) {
  for (std::size_t Cut : {P.Left, P.Passed, P.Tail})
    if (Cut > I) return Cut;
  return N;
}

TOutsideTerm OutsideTerm(const TKajyuData& K, TPart Part) {
  if (Part == TPart::Left) return {K.FRA, K.FRA, 0.0, 0, 0, 0, false};
  const bool Force = IsForceKind(K.FKind);
  return {IsMomentKind(K.FKind) ? K.FRA : K.FRA - K.FW,
          K.FRA,
          -1.0 * K.FW,
          K.FX,
          Force ? K.PassedArmOffset() : 0,
          K.FW,
          Force};
}

// One load outside over Begin..End.
template <bool Arm>
[[gnu::always_inline]] inline void AddOutside(const TOutsideTerm& T, const double* __restrict Xs,
                                              double* __restrict S, double* __restrict M,
                                              std::size_t Begin, std::size_t End) {
  for (std::size_t I = Begin; I < End; ++I) {
    S[I] += T.S;
    M[I] += T.M<Arm>(Xs[I]);
  }
}

// Adds load K, split as P, to the samples Begin..End, each part by its
// closed form (the same rounding as LoadTerms), the covered part by kind.
[[gnu::always_inline]] inline void AddParts(const TKajyuData& K, double L,
                                            const double* __restrict Xs, double* __restrict S,
                                            double* __restrict M, TParts P, std::size_t Begin,
                                            std::size_t End) {
  const auto Clip = [Begin, End](std::size_t I) { return std::clamp(I, Begin, End); };
  const std::size_t Left = Clip(P.Left), Passed = Clip(P.Passed), Tail = Clip(P.Tail);
  AddOutside<false>(OutsideTerm(K, TPart::Left), Xs, S, M, Begin, Left);
  switch (K.FKind) {
  case lkUniform:
    AddCovered<lkUniform>(K, Xs, S, M, Left, Passed);
    break;
  case lkLeftTriangle:
    AddCovered<lkLeftTriangle>(K, Xs, S, M, Left, Passed);
    break;
  case lkRightTriangle:
    AddCovered<lkRightTriangle>(K, Xs, S, M, Left, Passed);
    break;
  case lkMoment:
    AddCovered<lkMoment>(K, Xs, S, M, Left, Passed);
    break;
  default:
    AddCovered<lkOther>(K, Xs, S, M, Left, Passed);
  }
  const TOutsideTerm After = OutsideTerm(K, TPart::Passed);
  if (After.Arm)
    AddOutside<true>(After, Xs, S, M, Passed, Tail);
  else
    AddOutside<false>(After, Xs, S, M, Passed, Tail);
  double s, m;
  for (std::size_t I = Tail; I < End; ++I) {
    LoadTerms(K, Xs[I], L, s, m);
    S[I] += s;
    M[I] += m;
  }
}

[[gnu::always_inline]] inline void AddLoad(const TKajyuData& K, double L,
                                           const double* __restrict Xs, double* __restrict S,
                                           double* __restrict M, std::size_t N) {
  AddParts(K, L, Xs, S, M, PartsOf(K, L, TSampleRow(Xs, N)), 0, N);
}

// Both loads outside over Begin..End: each sample gets A's terms, then B's,
// in one reading and writing of it.
template <bool ArmA, bool ArmB>
[[gnu::always_inline]] inline void
AddBothOutside(const TOutsideTerm& A, const TOutsideTerm& B, const double* __restrict Xs,
               double* __restrict S, double* __restrict M, std::size_t Begin, std::size_t End) {
  for (std::size_t I = Begin; I < End; ++I) {
    const double x = Xs[I];
    S[I] = S[I] + A.S + B.S;
    M[I] = M[I] + A.M<ArmA>(x) + B.M<ArmB>(x);
  }
}

// Adds load A, then load B, to every sample. The samples are taken in
// stretches where neither load changes part: where both lie outside their
// widths the two are added in one loop, elsewhere A and then B alone.
[[gnu::always_inline]] inline void AddTwoLoads(const TKajyuData& A, const TKajyuData& B, double L,
                                               const double* __restrict Xs, double* __restrict S,
                                               double* __restrict M, std::size_t N) {
  const TSampleRow Row(Xs, N);
  const TParts PA = PartsOf(A, L, Row), PB = PartsOf(B, L, Row);
  for (std::size_t Begin = 0; Begin < N;) {
    const std::size_t End = std::min(NextCut(PA, Begin, N), NextCut(PB, Begin, N));
    const TPart InA = PartAt(PA, Begin), InB = PartAt(PB, Begin);
    const auto Outside = [](TPart P) { return P == TPart::Left || P == TPart::Passed; };
    if (Outside(InA) && Outside(InB)) {
      const TOutsideTerm TA = OutsideTerm(A, InA), TB = OutsideTerm(B, InB);
      switch (2 * TA.Arm + TB.Arm) {
      case 3:
        AddBothOutside<true, true>(TA, TB, Xs, S, M, Begin, End);
        break;
      case 2:
        AddBothOutside<true, false>(TA, TB, Xs, S, M, Begin, End);
        break;
      case 1:
        AddBothOutside<false, true>(TA, TB, Xs, S, M, Begin, End);
        break;
      default:
        AddBothOutside<false, false>(TA, TB, Xs, S, M, Begin, End);
      }
    } else {
      AddParts(A, L, Xs, S, M, PA, Begin, End);
      AddParts(B, L, Xs, S, M, PB, Begin, End);
    }
    Begin = End;
  }
}

void AddLoadBaseline(const TKajyuData& K, double L, const double* Xs, double* S, double* M,
                     std::size_t N) {
  AddLoad(K, L, Xs, S, M, N);
}

void AddTwoLoadsBaseline(const TKajyuData& A, const TKajyuData& B, double L, const double* Xs,
                         double* S, double* M, std::size_t N) {
  AddTwoLoads(A, B, L, Xs, S, M, N);
}

const TSampleKernel Baseline{"baseline", AddLoadBaseline, AddTwoLoadsBaseline};

#if defined(__x86_64__) || defined(__i386__)
// The same code compiled for AVX2 (without FMA: nothing may be fused).
[[gnu::target("avx2")]] void AddLoadAvx2(const TKajyuData& K, double L, const double* Xs, double* S,
                                         double* M, std::size_t N) {
  AddLoad(K, L, Xs, S, M, N);
}

[[gnu::target("avx2")]] void AddTwoLoadsAvx2(const TKajyuData& A, const TKajyuData& B, double L,
                                             const double* Xs, double* S, double* M,
                                             std::size_t N) {
  AddTwoLoads(A, B, L, Xs, S, M, N);
}

const TSampleKernel Avx2{"avx2", AddLoadAvx2, AddTwoLoadsAvx2};
#endif

const TSampleKernel* Override = nullptr;

} // namespace

const TSampleKernel& BaselineSampleKernel() {
  return Baseline;
}

const TSampleKernel* Avx2SampleKernel() {
#if defined(__x86_64__) || defined(__i386__)
  static const bool HasAvx2 = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0;
  }();
  return HasAvx2 ? &Avx2 : nullptr;
#else
  return nullptr;
#endif
}

const TSampleKernel& SampleKernel() {
  if (Override) return *Override;
  static const TSampleKernel& Chosen = Avx2SampleKernel() ? *Avx2SampleKernel() : Baseline;
  return Chosen;
}

void UseSampleKernel(const TSampleKernel* Kernel) {
  Override = Kernel;
}
