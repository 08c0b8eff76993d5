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
    S[I] += Kind == lkMoment ? FRA : FRA - Force;
    M[I] += FRA * x - CoveredArm<Kind>(x, d, X, W, c) * Force;
  }
}

// The first of the N ascending samples for which Before(x) is false
// (Before is true on a leading run). Samples usually lie evenly, so the
// search starts where V would fall on an even spread and gallops from
// there; whatever the spread, the answer is std::partition_point's.
template <class TBefore>
[[gnu::always_inline]] inline std::size_t FirstNotBefore(const double* Xs, std::size_t N, double V,
                                                         TBefore Before) {
  if (N == 0) return 0;
  const double Spread = Xs[N - 1] - Xs[0];
  const double Last = static_cast<double>(N - 1);
  const double Guess = Spread > 0 ? (V - Xs[0]) / Spread * Last : 0; // NaN for a NaN V
  const std::size_t At = !(Guess > 0) ? 0 : Guess < Last ? static_cast<std::size_t>(Guess) : N - 1;
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

// The samples are sorted by x, so the load splits them into the part left
// of it (no force yet), the part it covers, and the part that has passed
// it wholly; the first and the last part have closed forms with the same
// rounding as LoadTerms.
[[gnu::always_inline]] inline void AddLoad(const TKajyuData& K, double L,
                                           const double* __restrict Xs, double* __restrict S,
                                           double* __restrict M, std::size_t N) {
  const double X = K.FX, End = K.FX + K.FWidth, FRA = K.FRA, W = K.FW;
  // Point actions at the right end take the exception in LoadTerms for
  // the samples at x = L; leave those to it.
  std::size_t Tail = N;
  if (IsPointActionKind(K.FKind) && X == L)
    Tail = FirstNotBefore(Xs, N, L, [L](double x) { return x < L; });
  const std::size_t Left =
      std::min<std::size_t>(Tail, FirstNotBefore(Xs, N, X, [X](double x) { return x < X; }));
  const std::size_t Passed = std::clamp<std::size_t>(
      FirstNotBefore(Xs, N, End, [End](double x) { return !(x >= End); }), Left, Tail);

  for (std::size_t I = 0; I < Left; ++I) {
    S[I] += FRA;
    M[I] += FRA * Xs[I];
  }
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
  const double SPassed = K.FKind == lkMoment ? FRA : FRA - W;
  if (IsForceKind(K.FKind)) {
    const double Offset = K.PassedArmOffset();
    for (std::size_t I = Passed; I < Tail; ++I) {
      S[I] += SPassed;
      M[I] += FRA * Xs[I] - ((Xs[I] - X) - Offset) * W;
    }
  } else {
    const double Term = -1.0 * W;
    for (std::size_t I = Passed; I < Tail; ++I) {
      S[I] += SPassed;
      M[I] += FRA * Xs[I] - Term;
    }
  }
  double s, m;
  for (std::size_t I = Tail; I < N; ++I) {
    LoadTerms(K, Xs[I], L, s, m);
    S[I] += s;
    M[I] += m;
  }
}

void AddLoadBaseline(const TKajyuData& K, double L, const double* Xs, double* S, double* M,
                     std::size_t N) {
  AddLoad(K, L, Xs, S, M, N);
}

const TSampleKernel Baseline{"baseline", AddLoadBaseline};

#if defined(__x86_64__) || defined(__i386__)
// The same code compiled for AVX2 (without FMA: nothing may be fused).
[[gnu::target("avx2")]] void AddLoadAvx2(const TKajyuData& K, double L, const double* Xs, double* S,
                                         double* M, std::size_t N) {
  AddLoad(K, L, Xs, S, M, N);
}

const TSampleKernel Avx2{"avx2", AddLoadAvx2};
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
