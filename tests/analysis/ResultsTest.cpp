// Reactions and extremes: worked beams, and random beams checked against
// an independent search that knows only CalcAt and where loads begin and end.
#include "analysis/BeamData.h"
#include "analysis/LoadTerms.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <numbers>
#include <random>

namespace {

double S(const TData& D, double x) {
  double s = 0, m = 0;
  D.CalcAt(x, s, m);
  return s;
}
double M(const TData& D, double x) {
  double s = 0, m = 0;
  D.CalcAt(x, s, m);
  return m;
}

void ExpectExtreme(const TExtreme& E, double Value, double X, const char* What) {
  EXPECT_NEAR(E.Value, Value, 1e-9) << What;
  EXPECT_NEAR(E.X, X, 1e-9) << What;
}

TEST(Results, PointLoadJumpsAndTiesAtTheEnds) {
  TData D;
  BuildBeam(D, btSimple, 10, {{lkConcentrated, 4, 10, 0}});
  const TBeamResults& R = D.Results();
  ASSERT_TRUE(R.Valid);
  EXPECT_EQ(R.RA, 6);
  EXPECT_EQ(R.RB, 4);
  ExpectExtreme(R.SMax, 6, 0, "S max");
  ExpectExtreme(R.SMin, -4, 4, "S min, right of the jump");
  ExpectExtreme(R.MMax, 24, 4, "M max under the load");
  // M(0) = M(10) = 0: the leftmost.
  ExpectExtreme(R.MMin, 0, 0, "M min");
}

TEST(Results, MomentJumpGivesBothOneSidedValues) {
  TData D;
  BuildBeam(D, btSimple, 10, {{lkMoment, 5, 20, 0}});
  const TBeamResults& R = D.Results();
  EXPECT_EQ(R.RA, -2);
  EXPECT_EQ(R.RB, 2);
  ExpectExtreme(R.MMax, 10, 5, "M right of the moment");
  ExpectExtreme(R.MMin, -10, 5, "M just left of the moment");
  ExpectExtreme(R.SMax, -2, 0, "S constant, leftmost");
}

TEST(Results, StationaryPointsInsideATriangle) {
  // A left triangle of 9 kN over the whole 6 m span: S = 6 - 3x + x²/4,
  // zero at x = 6 - 2√3, where M peaks.
  TData D;
  BuildBeam(D, btSimple, 6, {{lkLeftTriangle, 0, 9, 6}});
  const double x = 6 - 2 * std::numbers::sqrt3;
  ExpectExtreme(D.Results().MMax, 6 * x - 1.5 * x * x + x * x * x / 12, x, "M max");
  // With an upward uniform load the intensity changes sign at 3 m, where
  // S is smallest: S = 1.5 - 1.5x + x²/4.
  BuildBeam(D, btSimple, 6, {{lkLeftTriangle, 0, 9, 6}, {lkUniform, 0, -9, 6}});
  ExpectExtreme(D.Results().SMin, -0.75, 3, "S min");
  ExpectExtreme(D.Results().SMax, 1.5, 0, "S max, tied with x = 6");
}

TEST(Results, CantileverFixedEndAndPlateaus) {
  TData D;
  BuildBeam(D, btCantilever, 5, {{lkConcentrated, 0, 10, 0}});
  TBeamResults R = D.Results();
  EXPECT_EQ(R.RA, 0);
  EXPECT_EQ(R.RB, 10);
  EXPECT_EQ(R.MFixed, -50);
  ExpectExtreme(R.MMin, -50, 5, "M at the support");
  ExpectExtreme(R.SMax, -10, 0, "S constant");

  // Two equal loads: M is flat between them; the leftmost is reported.
  BuildBeam(D, btSimple, 10, {{lkConcentrated, 7, 10, 0}, {lkConcentrated, 3, 10, 0}});
  R = D.Results();
  ExpectExtreme(R.MMax, 30, 3, "M plateau");
  ExpectExtreme(R.SMin, -10, 7, "S min");
  EXPECT_EQ(R.MFixed, 0);
}

TEST(Results, FollowEveryCalculation) {
  TData D;
  EXPECT_FALSE(D.Results().Valid);
  SetBeam(D, btSimple, 10, {{lkConcentrated, 4, 10, 0}});
  EXPECT_EQ(D.Results().MMax.Value, 24);
  D.SetLoadW(0, 20);
  EXPECT_EQ(D.Results().MMax.Value, 48);
  D.SetLength(0);
  EXPECT_FALSE(D.Results().Valid);
  EXPECT_EQ(D.Results().RA, 0);
  D.SetLength(10);
  D.Clear();
  EXPECT_FALSE(D.Results().Valid);
}

TEST(Results, ValuesThatAreNoNumberGiveNoExtremes) {
  TData D;
  BuildBeam(D, btSimple, 10, {{lkUniform, std::nan(""), 10, 2}});
  EXPECT_TRUE(std::isnan(D.Results().MMax.Value));
  EXPECT_TRUE(std::isnan(D.Results().SMin.X));
}

// ---- the independent search

struct TFound {
  double Value, X;
};

// Chebyshev interpolation of f on (a, b) with n nodes, as monomial
// coefficients in u = (x - mid) / half.
std::vector<double> Fit(const std::function<double(double)>& f, double a, double b, int n) {
  const double Mid = (a + b) / 2, Half = (b - a) / 2;
  std::vector<double> Cheb(static_cast<std::size_t>(n), 0.0);
  for (int k = 0; k < n; ++k) {
    const double Angle = std::numbers::pi * (2 * k + 1) / (2 * n);
    const double Value = f(Mid + Half * std::cos(Angle));
    for (int j = 0; j < n; ++j)
      Cheb[static_cast<std::size_t>(j)] += 2.0 / n * Value * std::cos(j * Angle);
  }
  Cheb[0] /= 2;
  // T0 = 1, T1 = u, T2 = 2u² - 1, T3 = 4u³ - 3u.
  static const double T[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {-1, 0, 2, 0}, {0, -3, 0, 4}};
  std::vector<double> Mono(4, 0.0);
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < 4; ++i)
      Mono[static_cast<std::size_t>(i)] += Cheb[static_cast<std::size_t>(j)] * T[j][i];
  return Mono;
}

double Eval(const std::vector<double>& P, double u) {
  return ((P[3] * u + P[2]) * u + P[1]) * u + P[0];
}

// Roots of P' in -1 < u < 1.
std::vector<double> StationaryPoints(const std::vector<double>& P) {
  const double a = 3 * P[3], b = 2 * P[2], c = P[1];
  std::vector<double> Roots;
  if (a == 0) {
    if (b != 0) Roots.push_back(-c / b);
  } else if (const double Disc = b * b - 4 * a * c; Disc >= 0) {
    // Without cancellation: a is often rounding noise on a quadratic M.
    const double q = b >= 0 ? -(b + std::sqrt(Disc)) / 2 : -(b - std::sqrt(Disc)) / 2;
    Roots.push_back(q / a);
    if (q != 0) Roots.push_back(c / q);
  }
  std::erase_if(Roots, [](double u) { return !(u > -1 && u < 1); });
  return Roots;
}

// Largest (Sign 1) or smallest value of f over the beam, the leftmost of
// values within 1e-9 of the largest magnitude.
struct TSearch {
  std::vector<TFound> Found;

  void Add(double Value, double X) { Found.push_back({Value, X}); }
  TFound Pick(double Sign) const {
    double Hi = -HUGE_VAL, Lo = HUGE_VAL;
    for (const TFound& F : Found) {
      Hi = std::max(Hi, F.Value);
      Lo = std::min(Lo, F.Value);
    }
    const double Best = Sign > 0 ? Hi : Lo, Tolerance = 1e-9 * std::max(-Lo, Hi);
    TFound Result{0, HUGE_VAL};
    for (const TFound& F : Found)
      if (Sign * F.Value >= Sign * Best - Tolerance && F.X < Result.X) Result = F;
    return Result;
  }
};

TSearch Search(const TData& D, bool Moment) {
  const double L = D.Length();
  const auto f = [&](double x) { return Moment ? M(D, x) : S(D, x); };
  std::vector<double> Breaks = {0, L};
  for (int I = 0; I < D.LoadCount(); ++I)
    for (double x : {D.Load(I).FX, D.Load(I).FX + D.Load(I).FWidth})
      if (x > 0 && x < L) Breaks.push_back(x);
  std::sort(Breaks.begin(), Breaks.end());
  Breaks.erase(std::unique(Breaks.begin(), Breaks.end()), Breaks.end());
  TSearch Result;
  for (double x : Breaks)
    Result.Add(f(x), x);
  for (std::size_t I = 0; I + 1 < Breaks.size(); ++I) {
    const double a = Breaks[I], b = Breaks[I + 1];
    const std::vector<double> P = Fit(f, a, b, Moment ? 4 : 3);
    Result.Add(Eval(P, -1), a);
    Result.Add(Eval(P, 1), b);
    for (double u : StationaryPoints(P)) {
      const double x = (a + b) / 2 + u * (b - a) / 2;
      Result.Add(f(x), x);
    }
  }
  return Result;
}

TBeamLoad RandomLoad(std::mt19937& Random, double L, const std::vector<TBeamLoad>& Before) {
  std::uniform_real_distribution<double> Unit(0, 1);
  TBeamLoad K;
  K.Kind = static_cast<std::int32_t>(Random() % 11) / 2; // 0..5, 5 unknown
  K.X = -1 + Unit(Random) * (L + 2);
  const double Snap = Unit(Random);
  if (Snap < 0.1)
    K.X = 0;
  else if (Snap < 0.2)
    K.X = L;
  else if (Snap < 0.3 && !Before.empty())
    K.X = Before[Random() % Before.size()].X;
  K.W = -50 + 100 * Unit(Random);
  K.Width = Unit(Random) < 0.1 ? 0 : 4 * Unit(Random);
  return K;
}

TEST(Results, AgreeWithAnIndependentSearchOnRandomBeams) {
  std::mt19937 Random(2024);
  for (int Beam = 0; Beam < 400; ++Beam) {
    const double L = 1 + 19 * std::uniform_real_distribution<double>(0, 1)(Random);
    std::vector<TBeamLoad> Loads;
    for (int I = 0, N = 1 + static_cast<int>(Random() % 12); I < N; ++I)
      Loads.push_back(RandomLoad(Random, L, Loads));
    TData D;
    BuildBeam(D, Beam % 2 ? btCantilever : btSimple, L, Loads);
    const TBeamResults& R = D.Results();
    for (bool Moment : {false, true}) {
      SCOPED_TRACE(testing::Message() << "beam " << Beam << (Moment ? " M" : " S"));
      const TSearch Found = Search(D, Moment);
      const TFound Hi = Found.Pick(1), Lo = Found.Pick(-1);
      const double Scale = std::max(std::fabs(Hi.Value), std::fabs(Lo.Value));
      const TExtreme& Max = Moment ? R.MMax : R.SMax;
      const TExtreme& Min = Moment ? R.MMin : R.SMin;
      EXPECT_NEAR(Max.Value, Hi.Value, 1e-9 * Scale);
      EXPECT_NEAR(Min.Value, Lo.Value, 1e-9 * Scale);
      EXPECT_NEAR(Max.X, Hi.X, 1e-6 * L);
      EXPECT_NEAR(Min.X, Lo.X, 1e-6 * L);
      // Nothing between the candidates goes beyond them.
      for (int I = 0; I <= 20000; ++I) {
        const double x = L * I / 20000, v = Moment ? M(D, x) : S(D, x);
        ASSERT_LE(v, Max.Value + 1e-9 * Scale) << x;
        ASSERT_GE(v, Min.Value - 1e-9 * Scale) << x;
      }
    }
  }
}

// ComputeResults against every one of its candidates evaluated exactly: S
// and M at X (just left of X for a Left one), the largest and smallest
// value, the leftmost within 1e-9 of the largest magnitude (of two at one
// position, the further one).
std::array<TExtreme, 4> EveryCandidateEvaluated(const TData& D) {
  struct TValue {
    double X;
    std::array<double, 2> SM;
  };
  std::vector<TValue> Values;
  for (const TExtremeCandidate& C : ExtremeCandidates(D)) {
    TValue V{C.X, {0, 0}};
    double x = C.X, s, m;
    if (!C.Left) D.CalcAt(x, V.SM[0], V.SM[1]);
    for (int I = 0; C.Left && I < D.ActingCount(); ++I) {
      const TKajyuData& K = D.Acting(I);
      // Not yet acting: a load starting at x, or one acting at once at its end x.
      const bool Acts = x > K.FX && (IsDistributedKind(K.FKind) || x > K.FX + K.FWidth);
      if (Acts) LoadTerms(K, x, D.Length(), s, m);
      V.SM[0] += Acts ? s : K.FRA;
      V.SM[1] += Acts ? m : K.FRA * x;
    }
    Values.push_back(V);
  }
  std::array<TExtreme, 4> Found; // SMax, SMin, MMax, MMin
  for (std::size_t F = 0; F < 2; ++F) {
    double Hi = -HUGE_VAL, Lo = HUGE_VAL;
    for (const TValue& V : Values)
      if (!std::isnan(V.SM[F])) {
        Hi = std::max(Hi, V.SM[F]);
        Lo = std::min(Lo, V.SM[F]);
      }
    double Tolerance = 1e-9 * std::max(std::fabs(Hi), std::fabs(Lo));
    if (!std::isfinite(Tolerance)) Tolerance = 0;
    for (double Sign : {1.0, -1.0}) {
      const TValue* Best = nullptr;
      for (const TValue& V : Values)
        if (Sign * V.SM[F] >= Sign * (Sign > 0 ? Hi : Lo) - Tolerance &&
            (!Best || V.X < Best->X || (V.X == Best->X && Sign * V.SM[F] > Sign * Best->SM[F])))
          Best = &V;
      constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
      Found[2 * F + (Sign > 0 ? 0 : 1)] =
          Best ? TExtreme{Best->SM[F], Best->X} : TExtreme{NaN, NaN};
    }
  }
  return Found;
}

bool SameBits(double A, double B) {
  return (std::isnan(A) && std::isnan(B)) ||
         std::bit_cast<std::uint64_t>(A) == std::bit_cast<std::uint64_t>(B);
}

TEST(Results, EvaluateExactlyWhatEveryCandidateEvaluatedWouldGive) {
  std::mt19937 Random(99);
  std::uniform_real_distribution<double> Unit(0, 1);
  for (int Beam = 0; Beam < 300; ++Beam) {
    // On a grid with whole forces, S and M often tie exactly (plateaus,
    // symmetric beams); forces scaled by up to 1e±300, some beyond the
    // range where the rounding is bounded, some each by its own scale.
    const bool Grid = Beam % 3 == 0;
    const double L = Grid ? 8 : 1 + 19 * Unit(Random);
    const double Scale =
        std::pow(10.0, std::vector{0, 0, 0, 20, -20, 160, -160, 300}[Random() % 8]);
    std::vector<TBeamLoad> Loads;
    const int N = Beam % 10 == 0 ? 300 + static_cast<int>(Random() % 700)
                                 : 1 + static_cast<int>(Random() % 12);
    for (int I = 0; I < N; ++I) {
      TBeamLoad K = RandomLoad(Random, L, Loads);
      if (Grid) {
        K.X = std::round(K.X * 2) / 2;
        K.W = std::round(K.W / 10) * 10;
        K.Width = std::round(K.Width * 2) / 2;
      }
      K.W *= Beam % 7 == 0 ? std::pow(10.0, 40 * Unit(Random) - 20) : Scale;
      Loads.push_back(K);
    }
    if (Beam % 5 == 2) {
      // A load and its opposite, first and last: every sum between them
      // loses the last digits of the other loads.
      TBeamLoad Big = RandomLoad(Random, L, Loads);
      Big.W *= 1e8 * Scale;
      Loads.insert(Loads.begin(), Big);
      Big.W = -Big.W;
      Loads.push_back(Big);
    }
    TData D;
    BuildBeam(D, Beam % 2 ? btCantilever : btSimple, L, Loads);
    if (Beam % 4 == 1) {
      const std::int32_t Preset = bpOverhang + static_cast<std::int32_t>(Random() % 4);
      D.SetSupports(Preset, PresetSupports(Preset, L));
    }
    const TBeamResults& R = D.Results();
    if (!R.Valid) { // a load and its opposite overflowed: reactions of no number
      EXPECT_EQ(R.Refusal, "反力が数値にならないため、計算できません。") << "beam " << Beam;
      continue;
    }
    const std::array<TExtreme, 4> Found = EveryCandidateEvaluated(D);
    const std::array<const TExtreme*, 4> Got{&R.SMax, &R.SMin, &R.MMax, &R.MMin};
    for (std::size_t I = 0; I < 4; ++I)
      EXPECT_TRUE(SameBits(Got[I]->Value, Found[I].Value) && SameBits(Got[I]->X, Found[I].X))
          << "beam " << Beam << " extreme " << I << ": " << Got[I]->Value << " at " << Got[I]->X
          << ", not " << Found[I].Value << " at " << Found[I].X;
  }
}

TEST(Results, ReactionsAreTheSumsOfTheShares) {
  std::mt19937 Random(7);
  for (int Beam = 0; Beam < 50; ++Beam) {
    std::vector<TBeamLoad> Loads;
    for (int I = 0; I < 8; ++I)
      Loads.push_back(RandomLoad(Random, 10, Loads));
    TData D;
    BuildBeam(D, Beam % 2, 10, Loads);
    double RA = 0, RB = 0;
    for (int I = 0; I < D.LoadCount(); ++I) {
      RA += D.Load(I).FRA;
      RB += D.Load(I).FRB;
    }
    EXPECT_EQ(D.Results().RA, RA);
    EXPECT_EQ(D.Results().RB, RB);
  }
}

// The moment of one load about x = L, by Simpson's rule over its
// intensity for the distributed kinds.
double MomentAboutEnd(const TBeamLoad& K, double L) {
  if (K.Kind == lkMoment) return K.W;
  if (K.Kind == lkConcentrated || K.Width == 0) return -K.W * (L - K.X);
  const auto q = [&](double u) { // u from 0 to 1 across the width
    const double Peak = 2 * K.W / K.Width;
    return K.Kind == lkUniform        ? K.W / K.Width
           : K.Kind == lkLeftTriangle ? Peak * (1 - u)
                                      : Peak * u;
  };
  constexpr int N = 2000;
  double Sum = 0;
  for (int I = 0; I <= N; ++I) {
    const double u = static_cast<double>(I) / N, x = K.X + u * K.Width;
    Sum += (I == 0 || I == N ? 1 : I % 2 ? 4 : 2) * q(u) * (L - x);
  }
  return -Sum * K.Width / (3 * N);
}

TEST(Results, TheWallBalancesEveryLoadOfACantilever) {
  // An applied moment standing at the wall: the wall takes it, while the
  // diagram's M at the wall stays the value just left of it.
  TData D;
  BuildBeam(D, btCantilever, 5, {{lkMoment, 5, 10, 0}});
  EXPECT_EQ(D.Results().MFixed, 10);
  EXPECT_EQ(M(D, 5), 0);
  std::mt19937 Random(11);
  std::uniform_real_distribution<double> Unit(0, 1);
  for (int Beam = 0; Beam < 100; ++Beam) {
    const double L = 1 + 9 * Unit(Random);
    std::vector<TBeamLoad> Loads;
    double Expected = 0;
    for (int I = 0; I < 6; ++I) {
      TBeamLoad K{static_cast<std::int32_t>(Random() % 5),
                  Unit(Random) < 0.3 ? L : L * Unit(Random), -50 + 100 * Unit(Random), 0};
      if (IsDistributedKind(K.Kind)) K.Width = Unit(Random) < 0.3 ? L - K.X : 3 * Unit(Random);
      Loads.push_back(K);
      Expected += MomentAboutEnd(K, L);
    }
    BuildBeam(D, btCantilever, L, Loads);
    EXPECT_NEAR(D.Results().MFixed, Expected, 1e-7 * (1 + std::fabs(Expected))) << Beam;
  }
}

} // namespace
