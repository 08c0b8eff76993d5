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

// The samples are sorted by x, so the load splits them into the part left
// of it (no force yet), the part it covers, and the part that has passed
// it wholly; the first and the last part have closed forms with the same
// rounding as LoadTerms.
[[gnu::always_inline]] inline void AddLoad(const TKajyuData& K, double L,
                                           const double* __restrict Xs, double* __restrict S,
                                           double* __restrict M, std::size_t N) {
  const double X = K.FX, End = K.FX + K.FWidth, FRA = K.FRA, W = K.FW;
  const double* const XsEnd = Xs + N;
  // Point actions at the right end take the exception in LoadTerms for
  // the samples at x = L; leave those to it.
  std::size_t Tail = N;
  if (IsPointActionKind(K.FKind) && X == L)
    Tail = std::partition_point(Xs, XsEnd, [L](double x) { return x < L; }) - Xs;
  const std::size_t Left = std::min<std::size_t>(
      Tail, std::partition_point(Xs, XsEnd, [X](double x) { return x < X; }) - Xs);
  const std::size_t Passed = std::clamp<std::size_t>(
      std::partition_point(Xs, XsEnd, [End](double x) { return !(x >= End); }) - Xs, Left, Tail);

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
