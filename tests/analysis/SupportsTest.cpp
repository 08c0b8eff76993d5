// Beams on lists of supports: textbook beams in closed form, random beams
// against a stiffness-matrix solution written here, the lists that are
// refused, and the version 2 data file.
#include "analysis/BeamData.h"
#include "analysis/DataStream.h"
#include "tests/analysis/FileBytes.h"
#include "tests/kit/BeamBuilder.h"
#include "tests/kit/TempFolderTest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace {

const TSection Steel{"", 2.05e5, 1e4, 0, 0, 0, 0, 300}; // EI = 20500 kN·m²

struct TBeam {
  std::int32_t Preset;
  double L;
  TSupports Supports;
  std::vector<TBeamLoad> Loads;
};

// The loads through the records, then the section and the supports through
// the setters, in one update.
void MakeBeam(TData& D, const TBeam& B) {
  BuildBeam(D, btSimple, B.L, B.Loads);
  D.Update([&] {
    D.SetSection(Steel);
    D.SetSupports(B.Preset, B.Supports);
  });
}

// Within 1e-12 of the expected value, or of Unit where that is 0.
void ExpectClose(double Actual, double Expected, double Unit, const char* What) {
  EXPECT_NEAR(Actual, Expected, 1e-12 * (Expected != 0 ? std::fabs(Expected) : Unit)) << What;
}

struct TTextbook {
  const char* Name;
  std::int32_t Preset;
  TBeamLoad Load;
  std::vector<std::array<double, 3>> Reactions; // x, R, M of each support
  std::vector<std::array<double, 3>> Along;     // x, M, δ·EI
};

TEST(Supports, TextbookBeams) {
  const double L = 6, w = 5, W = w * L, P = 30, a = 4.8, l = L / 2, EI = Steel.EI();
  const double wL2 = w * L * L, wL4 = wL2 * L * L, PL = P * L, wl2 = w * l * l;
  const TBeamLoad Full{lkUniform, 0, W, L};
  // clang-format off
  const std::vector<TTextbook> Cases = {
      {"fixed-fixed, UDL", bpFixedFixed, Full, {{0, W / 2, -wL2 / 12}, {L, W / 2, wL2 / 12}},
       {{L / 2, wL2 / 24, wL4 / 384}}},
      {"fixed-fixed, central load", bpFixedFixed, {lkConcentrated, L / 2, P, 0},
       {{0, P / 2, -PL / 8}, {L, P / 2, PL / 8}}, {{L / 2, PL / 8, PL * L * L / 192}}},
      {"propped, UDL", bpPropped, Full, {{0, 5 * W / 8, -wL2 / 8}, {L, 3 * W / 8, 0}},
       {{L / 2, wL2 / 16, wL4 / 192}, {5 * L / 8, 9 * wL2 / 128, 525 * wL4 / 98304}}},
      {"two spans, UDL", bpContinuous, Full,
       {{0, 3 * w * l / 8, 0}, {l, 5 * w * l / 4, 0}, {L, 3 * w * l / 8, 0}},
       {{l / 2, wl2 / 16, wl2 * l * l / 192}, {l, -wl2 / 8, 0}}},
      {"overhang, UDL", bpOverhang, Full, {{0, W - wL2 / (2 * a), 0}, {a, wL2 / (2 * a), 0}},
       {{a, -w * (L - a) * (L - a) / 2, 0}}},
      {"left-fixed cantilever, UDL", bpLeftFixed, Full, {{0, W, -wL2 / 2}},
       {{L / 2, -wL2 / 8, 17 * wL4 / 384}, {L, 0, wL4 / 8}}},
  };
  // clang-format on
  for (const TTextbook& C : Cases) {
    SCOPED_TRACE(C.Name);
    TData D;
    MakeBeam(D, {C.Preset, L, PresetSupports(C.Preset, L), {C.Load}});
    const std::vector<TReaction>& R = D.Results().Reactions;
    ASSERT_EQ(R.size(), C.Reactions.size());
    for (std::size_t j = 0; j < R.size(); ++j) {
      EXPECT_EQ(R[j].X, C.Reactions[j][0]);
      ExpectClose(R[j].R, C.Reactions[j][1], W, "R");
      ExpectClose(R[j].M, C.Reactions[j][2], W * L, "M at the support");
    }
    for (const auto& [x, M, DeltaEI] : C.Along) {
      double X = x, S, Mx, Theta, Delta;
      ASSERT_TRUE(D.CalcAt(X, S, Mx) && D.BendingAt(X, Theta, Delta));
      ExpectClose(Mx, M, W * L, "M");
      ExpectClose(Delta, 1000 * DeltaEI / EI, 1000 * W * L * L * L / EI, "δ");
    }
  }
}

// ---- an independent solution: the stiffness method

using Real = long double;

// The 3-point Gauss rule over a..b, exact for polynomials up to degree 5.
template <class TFunction> Real Gauss3(Real a, Real b, TFunction&& f) {
  const Real h = (b - a) / 2, m = (a + b) / 2, z = std::sqrt(Real(0.6));
  return h * (5 * f(m - h * z) + 8 * f(m) + 5 * f(m + h * z)) / 9;
}

// Downward intensity (kN/m) of the distributed loads at x, which is no
// load's end.
Real Intensity(const std::vector<TBeamLoad>& Loads, Real x) {
  Real q = 0;
  for (const TBeamLoad& K : Loads) {
    const Real c = K.Width, d = x - K.X, W = K.W;
    if (!IsDistributedKind(K.Kind) || !(d > 0 && d < c)) continue;
    q += K.Kind == lkUniform        ? W / c
         : K.Kind == lkLeftTriangle ? 2 * W * (c - d) / (c * c)
                                    : 2 * W * d / (c * c);
  }
  return q;
}

// A x = b by Gaussian elimination; A (n × n) is symmetric positive definite.
std::vector<Real> SolveLinear(std::vector<Real> A, std::vector<Real> b) {
  const std::size_t n = b.size();
  for (std::size_t k = 0; k < n; ++k)
    for (std::size_t r = k + 1; r < n; ++r) {
      const Real f = A[r * n + k] / A[k * n + k];
      for (std::size_t c = k; c < n; ++c)
        A[r * n + c] -= f * A[k * n + c];
      b[r] -= f * b[k];
    }
  for (std::size_t k = n; k-- > 0;) {
    for (std::size_t c = k + 1; c < n; ++c)
      b[k] -= A[k * n + c] * b[c];
    b[k] /= A[k * n + k];
  }
  return b;
}

// The beam of Hermite elements between nodes at the ends, the supports,
// the ends of the loads and halfway between those, with consistent nodal
// loads. For these loads the nodal values are exact.
struct TFemBeam {
  std::vector<double> Nodes;
  std::vector<double> u;            // per node δ (m, downward) and θ = dδ/dx
  std::vector<TReaction> Reactions; // per support
};

TFemBeam SolveFem(double L, const TSupports& Supports, const std::vector<TBeamLoad>& Loads) {
  std::vector<double> Ends = {0, L};
  for (const TSupport& S : Supports)
    Ends.push_back(S.At(L));
  for (const TBeamLoad& K : Loads)
    Ends.insert(Ends.end(), {K.X, K.X + K.Width});
  std::sort(Ends.begin(), Ends.end());
  Ends.erase(std::unique(Ends.begin(), Ends.end()), Ends.end());
  TFemBeam F;
  for (std::size_t I = 0; I < Ends.size(); ++I) {
    F.Nodes.push_back(Ends[I]);
    if (I + 1 < Ends.size()) F.Nodes.push_back((Ends[I] + Ends[I + 1]) / 2);
  }
  const std::size_t N = 2 * F.Nodes.size();
  const auto Dof = [&](double x) {
    return 2 * static_cast<std::size_t>(std::lower_bound(F.Nodes.begin(), F.Nodes.end(), x) -
                                        F.Nodes.begin());
  };
  std::vector<Real> K(N * N, 0), f(N, 0);
  for (std::size_t e = 0; e + 1 < F.Nodes.size(); ++e) {
    const Real a = F.Nodes[e], h = F.Nodes[e + 1] - a, k = Steel.EI() / (h * h * h);
    const Real Ke[4][4] = {{12, 6 * h, -12, 6 * h},
                           {6 * h, 4 * h * h, -6 * h, 2 * h * h},
                           {-12, -6 * h, 12, -6 * h},
                           {6 * h, 2 * h * h, -6 * h, 4 * h * h}};
    for (std::size_t r = 0; r < 4; ++r) {
      for (std::size_t c = 0; c < 4; ++c)
        K[(2 * e + r) * N + 2 * e + c] += k * Ke[r][c];
      f[2 * e + r] += Gauss3(a, a + h, [&](Real x) {
        const Real s = (x - a) / h;
        const Real Shape[4] = {1 - 3 * s * s + 2 * s * s * s, h * s * (1 - s) * (1 - s),
                               s * s * (3 - 2 * s), h * s * s * (s - 1)};
        return Intensity(Loads, x) * Shape[r];
      });
    }
  }
  for (const TBeamLoad& Load : Loads)
    if (Load.Kind == lkConcentrated || Load.Kind == lkMoment)
      f[Dof(Load.X) + (Load.Kind == lkMoment)] += Load.W;
  // A held degree of freedom becomes the equation u = 0.
  std::vector<Real> A = K, b = f;
  const auto Hold = [&](std::size_t i) {
    for (std::size_t j = 0; j < N; ++j)
      A[i * N + j] = A[j * N + i] = 0;
    A[i * N + i] = 1;
    b[i] = 0;
  };
  for (const TSupport& S : Supports) {
    Hold(Dof(S.At(L)));
    if (S.Kind == skFixed) Hold(Dof(S.At(L)) + 1);
  }
  for (const Real x : SolveLinear(std::move(A), std::move(b)))
    F.u.push_back(static_cast<double>(x));
  // What the supports exert: K u - f at their degrees of freedom.
  const auto Support = [&](std::size_t i) {
    Real r = -f[i];
    for (std::size_t j = 0; j < N; ++j)
      r += K[i * N + j] * F.u[j];
    return static_cast<double>(r);
  };
  for (const TSupport& S : Supports) {
    const std::size_t i = Dof(S.At(L));
    const bool Fixed = S.Kind == skFixed;
    F.Reactions.push_back({S.At(L), -Support(i), Fixed ? Support(i + 1) : 0, Fixed});
  }
  return F;
}

// S and M at x (no load's end) from the free body left of x: the reactions
// found above and the loads, the distributed ones integrated piece by piece.
std::array<double, 2> LeftOf(const TFemBeam& F, const std::vector<TBeamLoad>& Loads, Real x) {
  Real S = 0, M = 0;
  for (const TReaction& R : F.Reactions)
    if (R.X < x) {
      S += R.R;
      M += R.R * (x - R.X) + R.M;
    }
  for (const TBeamLoad& K : Loads)
    if (K.X < x && K.Kind == lkConcentrated) {
      S -= K.W;
      M -= K.W * (x - K.X);
    } else if (K.X < x && K.Kind == lkMoment) {
      M += K.W;
    }
  for (std::size_t e = 0; e + 1 < F.Nodes.size() && F.Nodes[e] < x; ++e) {
    const Real a = F.Nodes[e], b = std::min<Real>(F.Nodes[e + 1], x);
    S -= Gauss3(a, b, [&](Real t) { return Intensity(Loads, t); });
    M -= Gauss3(a, b, [&](Real t) { return Intensity(Loads, t) * (x - t); });
  }
  return {static_cast<double>(S), static_cast<double>(M)};
}

// A beam of Preset on a random list, which SetSupports must accept: fixed
// ends at either end or none (a fixed end alone among them), and up to
// MaxSupports in all, pins and rollers anywhere (at the right end flagged as
// such or at x = L), given in any order; one to eight loads of every kind
// inside the span. Positions lie on a grid of L/64, which makes supports and
// load ends meet often and every sum of positions exact.
TBeam RandomBeam(std::mt19937& Random, std::int32_t Preset) {
  constexpr unsigned Steps = 64;
  std::uniform_real_distribution<double> Unit(0, 1);
  const auto Pick = [&Random](unsigned n) { return static_cast<unsigned>(Random() % n); };
  TBeam B{Preset, (16 + Pick(145)) / 8.0, {}, {}};
  const auto At = [&](unsigned k) { return B.L * k / Steps; };
  const bool Left = Pick(3) == 0, Right = Pick(3) == 0;
  if (Left) B.Supports.push_back({skFixed, 0, false});
  if (Right) B.Supports.push_back({skFixed, 0, true});
  const unsigned Least = Left || Right ? 0 : 2, Most = MaxSupports - Left - Right;
  const unsigned Count = Least + Pick((Pick(2) ? 4 : Most) - Least + 1);
  std::vector<unsigned> Free;
  for (unsigned k = Left; k <= Steps - Right; ++k)
    Free.push_back(k);
  std::shuffle(Free.begin(), Free.end(), Random);
  for (unsigned I = 0; I < Count; ++I) {
    const TSupportKind Kind = Pick(2) ? skPin : skRoller;
    const bool AtEnd = Free[I] == Steps && Pick(2);
    B.Supports.push_back({Kind, AtEnd ? 0 : At(Free[I]), AtEnd});
  }
  std::shuffle(B.Supports.begin(), B.Supports.end(), Random);
  for (unsigned I = 0, N = 1 + Pick(8); I < N; ++I) {
    const auto Kind = static_cast<std::int32_t>(Pick(5));
    const unsigned k = Pick(IsDistributedKind(Kind) ? Steps : Steps + 1);
    const double Width = IsDistributedKind(Kind) ? At(1 + Pick(Steps - k)) : 0;
    B.Loads.push_back({Kind, At(k), -50 + 100 * Unit(Random), Width});
  }
  return B;
}

void ExpectReactions(const std::vector<TReaction>& Found, const std::vector<TReaction>& Want,
                     double L, const char* What) {
  ASSERT_EQ(Found.size(), Want.size()) << What;
  double Scale = 0;
  for (const TReaction& R : Want)
    Scale = std::max({Scale, std::fabs(R.R), std::fabs(R.M) / L});
  for (std::size_t j = 0; j < Want.size(); ++j) {
    EXPECT_EQ(Found[j].X, Want[j].X) << What << " " << j;
    EXPECT_EQ(Found[j].Fixed, Want[j].Fixed) << What << " " << j;
    EXPECT_NEAR(Found[j].R, Want[j].R, 1e-9 * Scale) << What << " R " << j;
    EXPECT_NEAR(Found[j].M, Want[j].M, 1e-9 * Scale * L) << What << " M " << j;
  }
}

TEST(Supports, RandomBeamsAgreeWithAStiffnessMatrixSolution) {
  std::mt19937 Random(2024);
  std::uniform_real_distribution<double> Unit(0, 1);
  for (int Beam = 0; Beam < 350; ++Beam) {
    TBeam B = RandomBeam(Random, Beam % PresetCount);
    if (Beam / PresetCount % 3 == 0) B.Supports = PresetSupports(B.Preset, B.L); // its own
    SCOPED_TRACE(testing::Message() << "beam " << Beam << ", preset " << B.Preset);
    TData D;
    MakeBeam(D, B);
    ASSERT_TRUE(D.Results().Valid) << D.Results().Refusal;
    const double L = B.L;
    const TSupports Supports = D.SupportList();
    const TFemBeam F = SolveFem(L, Supports, B.Loads);
    ExpectReactions(D.Results().Reactions, F.Reactions, L, "all loads");
    const auto One = static_cast<int>(Random() % B.Loads.size());
    ExpectReactions(D.LoadReactions(One),
                    SolveFem(L, Supports, {B.Loads[static_cast<std::size_t>(One)]}).Reactions, L,
                    "one load");

    // The size of the forces, for the tolerances: 1e-9 of the largest
    // value, with a floor for the rounding of terms that cancel.
    double Size = 0;
    for (const TBeamLoad& K : B.Loads)
      Size += std::fabs(K.W) / (K.Kind == lkMoment ? L : 1);
    for (const TReaction& R : F.Reactions)
      Size += std::fabs(R.R) + std::fabs(R.M) / L;
    const double Floor = 1e-12 * Size * L * L / Steel.EI();

    // The bending line at the nodes; exactly held at the supports.
    double Scale[2] = {0, 0};
    for (std::size_t i = 0; i < F.u.size(); ++i)
      Scale[i % 2] = std::max(Scale[i % 2], std::fabs(F.u[i]));
    for (std::size_t n = 0; n < F.Nodes.size(); ++n) {
      double x = F.Nodes[n], Theta, Delta;
      ASSERT_TRUE(D.BendingAt(x, Theta, Delta));
      EXPECT_NEAR(Delta, 1000 * F.u[2 * n], 1000 * (1e-9 * Scale[0] + Floor * L)) << "δ at " << x;
      EXPECT_NEAR(Theta, F.u[2 * n + 1], 1e-9 * Scale[1] + Floor) << "θ at " << x;
    }
    for (const TSupport& S : Supports) {
      double x = S.At(L), Theta, Delta;
      D.BendingAt(x, Theta, Delta);
      EXPECT_EQ(Delta, 0) << "at the support at " << x;
      if (S.Kind == skFixed) {
        EXPECT_EQ(Theta, 0) << "at the fixed end at " << x;
      }
    }

    // S and M by statics of the left part.
    for (int I = 0; I < 20; ++I) {
      double x = L * Unit(Random), S, M;
      ASSERT_TRUE(D.CalcAt(x, S, M));
      const auto [SWant, MWant] = LeftOf(F, B.Loads, x);
      EXPECT_NEAR(S, SWant, 1e-9 * Size) << "S at " << x;
      EXPECT_NEAR(M, MWant, 1e-9 * Size * L) << "M at " << x;
    }
  }
}

// A load before x = 0 or past L counts in full with its lever arm: as on a
// beam that goes on past its ends to carry it, which the stiffness solution
// meshes (its overhangs, held by nothing, pass their loads on by statics).
TEST(Supports, LoadsOffTheSpanCountOnEitherSideAsOnALongerBeam) {
  const double L = 10;
  std::vector<TBeam> Beams = {
      {bpLeftFixed, L, PresetSupports(bpLeftFixed, L), {{lkConcentrated, 12, 1, 0}}},
      {bpContinuous, L, PresetSupports(bpContinuous, L), {{lkUniform, -5, 1, 20}}}};
  std::mt19937 Random(31);
  for (int Beam = 0; Beam < 70; ++Beam) {
    TBeam& B = Beams.emplace_back(RandomBeam(Random, Beam % PresetCount));
    for (TBeamLoad& K : B.Loads) // moved by up to the span either way
      K.X += B.L * (static_cast<double>(Random() % 129) - 64) / 64;
  }
  for (std::size_t Beam = 0; Beam < Beams.size(); ++Beam) {
    const TBeam& B = Beams[Beam];
    SCOPED_TRACE(testing::Message() << "beam " << Beam);
    TData D;
    MakeBeam(D, B);
    ASSERT_TRUE(D.Results().Valid) << D.Results().Refusal;
    const TFemBeam F = SolveFem(B.L, D.SupportList(), B.Loads);
    ExpectReactions(D.Results().Reactions, F.Reactions, B.L, "all loads");
    double Size = 0;
    for (const TReaction& R : F.Reactions)
      Size += std::fabs(R.R) + std::fabs(R.M) / B.L;
    for (int I = 0; I < 10; ++I) {
      double x = B.L * (I + 0.3) / 10, S, M; // off the grid of L/64
      ASSERT_TRUE(D.CalcAt(x, S, M));
      const auto [SWant, MWant] = LeftOf(F, B.Loads, x);
      EXPECT_NEAR(S, SWant, 1e-9 * Size) << "S at " << x;
      EXPECT_NEAR(M, MWant, 1e-9 * Size * B.L) << "M at " << x;
    }
  }
}

// A span of any size gives the reactions of a span of 1 with the same
// loads in the same places (M scaled by the span), or a named refusal.
TEST(Supports, HugeSpansGiveNumbersAndBadSpansTheirReason) {
  const auto Scaled = [](TBeam B, double k) {
    B.L *= k;
    for (TSupport& S : B.Supports)
      S.X *= k;
    for (TBeamLoad& K : B.Loads)
      K = {K.Kind, K.X * k, K.W * (K.Kind == lkMoment ? k : 1), K.Width * k};
    return B;
  };
  std::mt19937 Random(12);
  for (int Beam = 0; Beam < 40; ++Beam) {
    const TBeam B = RandomBeam(Random, Beam % PresetCount), Unit = Scaled(B, 1 / B.L);
    TData Small, D;
    MakeBeam(Small, Unit);
    for (const double L : {1e150, 1e200, 1e300}) {
      SCOPED_TRACE(testing::Message() << "beam " << Beam << " at L = " << L);
      MakeBeam(D, Scaled(Unit, L));
      ASSERT_TRUE(D.Results().Valid) << D.Results().Refusal;
      std::vector<TReaction> Want = Small.Results().Reactions;
      for (TReaction& R : Want)
        R = {R.X * L, R.R, R.M * L, R.Fixed};
      ExpectReactions(D.Results().Reactions, Want, L, "scaled");
    }
  }
  // Reactions that are no number are refused, never shown.
  TData D;
  MakeBeam(D, {bpFixedFixed,
               6,
               PresetSupports(bpFixedFixed, 6),
               {{lkConcentrated, 2, HUGE_VAL, 0}, {lkConcentrated, 4, -HUGE_VAL, 0}}});
  EXPECT_EQ(D.Results().Refusal, "反力が数値にならないため、計算できません。");
  const std::pair<double, const char*> Spans[] = {
      {std::nan(""), "スパンが数値でないため、計算できません。"},
      {0, "スパンが正でないため、計算できません。"},
      {-2, "スパンが正でないため、計算できません。"},
      {HUGE_VAL, "スパンが有限でないため、計算できません。"}};
  for (const auto& [L, Why] : Spans) {
    D.RestoreSupports(bpContinuous, PresetSupports(bpContinuous, 6));
    D.SetLength(L);
    EXPECT_FALSE(D.Results().Valid);
    EXPECT_EQ(D.Results().Refusal, Why) << L;
    D.SetBeamType(btSimple); // a plain beam not given its span is no refusal
    EXPECT_EQ(D.Results().Refusal, std::isinf(L) ? Why : "") << L;
  }
}

// On a span of a millimetre or less the presets' inner supports stay where
// the presets put them, not rounded to the millimetre onto an end.
TEST(Supports, PresetsOnAMillimetreSpanKeepTheirSupportsApart) {
  for (const double L : {1e-3, 4e-4})
    for (const auto& [Preset, X] : {std::pair{bpOverhang, 0.8 * L}, {bpContinuous, L / 2}}) {
      const TSupports S = PresetSupports(Preset, L);
      EXPECT_EQ(S[1].X, X) << L;
      EXPECT_EQ(SupportsProblem(S, L), "") << L;
    }
}

// What a refused edit or read leaves alone: the file image (type, span,
// supports, loads, section), the modified flag and the reactions.
using TState = std::tuple<std::vector<std::uint8_t>, bool, std::vector<std::array<double, 3>>>;

TState StateOf(const TData& D) {
  std::vector<std::array<double, 3>> Reactions;
  for (const TReaction& R : D.Results().Reactions)
    Reactions.push_back({R.X, R.R, R.M});
  return {SavedBytes(D), D.Modified(), Reactions};
}

TEST(Supports, ListsThatCannotHoldTheBeamAreRefused) {
  const double L = 6;
  TData D;
  MakeBeam(D, {bpContinuous,
               L,
               PresetSupports(bpContinuous, L),
               {{lkUniform, 0, 30, L}, {lkMoment, 2, 7, 0}}});
  D.SetOnChange([](TObject*) { ADD_FAILURE() << "a refused list notified"; });
  const TState Before = StateOf(D);
  const TSupport Pin{skPin, 2, false}, End{skRoller, 0, true};
  TSupports TooMany;
  for (int I = 0; I <= MaxSupports; ++I)
    TooMany.push_back({skPin, 0.25 * I, false});
  // clang-format off
  const std::vector<TSupports> Refused = {
      {}, {Pin}, {End}, {{skFixed, 3, false}}, {{skFixed, 3, false}, End},
      {Pin, {skRoller, 2, false}}, {{skPin, L, false}, End}, {{skFixed, 0, true}, End},
      {Pin, {skRoller, 6.5, false}}, {{skPin, -1, false}, End}, {{skPin, std::nan(""), false}, End},
      {{static_cast<TSupportKind>(3), 1, false}, End}, TooMany};
  // clang-format on
  for (std::int32_t Preset = bpLeftFixed; Preset < PresetCount; ++Preset)
    for (std::size_t I = 0; I < Refused.size(); ++I) {
      EXPECT_THROW(D.SetSupports(Preset, Refused[I]), Exception) << Preset << " " << I;
      ASSERT_TRUE(StateOf(D) == Before) << Preset << " " << I;
    }
  for (std::int32_t Preset : {-1, PresetCount})
    EXPECT_THROW(D.SetSupports(Preset, {Pin, End}), Exception) << Preset;
  EXPECT_TRUE(StateOf(D) == Before);
}

// ---- the data file

// A version 2 image up to the load count: header, preset, span, supports.
TFileBytes Version2(std::int32_t Type, double L, const TSupports& Supports, std::int32_t Loads) {
  TFileBytes F;
  F.Text("VantrelBeamDataFile.").Int(2).Int(Type).Real(L);
  F.Int(static_cast<std::int32_t>(Supports.size()));
  for (const TSupport& S : Supports)
    F.Int(S.Kind).Int(S.AtEnd ? 1 : 0).Real(S.AtEnd ? 0 : S.X);
  return F.Int(Loads);
}

TFileBytes& WithLoads(TFileBytes& F, const std::vector<TBeamLoad>& Loads) {
  for (const TBeamLoad& K : Loads)
    F.Record("", K.Kind, K.X, K.W, K.Width);
  return F.Section(Steel);
}

TEST(SupportsFile, ListsAreStoredInVersion2AndThePlainTypesAsBefore) {
  std::mt19937 Random(5);
  for (int Beam = 0; Beam < 40; ++Beam) {
    SCOPED_TRACE(Beam);
    const TBeam B = RandomBeam(Random, bpLeftFixed + Beam % (PresetCount - bpLeftFixed));
    TData D;
    MakeBeam(D, B);
    const auto Count = static_cast<std::int32_t>(B.Loads.size());
    const auto Bytes = SavedBytes(D);
    // Version 2, which a reader of version 1 files refuses as newer; a
    // list named a plain type (a fixed right end alone), version 1.
    TFileBytes Want = D.Supports().empty() ? TFileBytes().Header(D.Preset(), B.L, Count)
                                           : Version2(D.Preset(), B.L, D.Supports(), Count);
    EXPECT_EQ(Bytes, WithLoads(Want, B.Loads).Bytes);
    TData E;
    LoadBytes(E, Bytes);
    E.Calculate();
    EXPECT_EQ(E.Preset(), D.Preset());
    EXPECT_EQ(E.Supports(), D.Supports());
    EXPECT_EQ(std::get<2>(StateOf(E)), std::get<2>(StateOf(D))); // the reactions
    EXPECT_EQ(E.Results().MMax.Value, D.Results().MMax.Value);
    EXPECT_EQ(E.Results().DeltaMax.Value, D.Results().DeltaMax.Value);

    for (std::int32_t Plain : {bpSimple, bpCantilever}) {
      D.SetSupports(Plain, B.Supports);
      TFileBytes Old = TFileBytes().Header(Plain, B.L, Count);
      EXPECT_EQ(SavedBytes(D), WithLoads(Old, B.Loads).Bytes) << Plain;
    }
  }
}

// A span retyped short of the supports leaves a beam that cannot be
// calculated: it is saved as the document holds it and reads back the same,
// with the same refusal. So does a list a file gives for another span.
TEST(SupportsFile, AListThatCannotHoldItsSpanIsSavedAndReadBackAsItIs) {
  TData D, E;
  MakeBeam(D, {bpContinuous,
               10,
               {{skPin, 0, false}, {skRoller, 6, false}, {skRoller, 0, true}},
               {{lkUniform, 0, 1, 10}}});
  for (double L : {4.0, 6.0, std::nextafter(6.0, 0.0)}) {
    D.SetLength(L);
    ASSERT_FALSE(D.Results().Valid);
    LoadBytes(E, SavedBytes(D));
    E.Calculate();
    EXPECT_EQ(SavedBytes(E), SavedBytes(D)) << L;
    EXPECT_EQ(E.Results().Refusal, D.Results().Refusal) << L;
  }
  EXPECT_EQ(E.Supports(), D.Supports());
}

TEST(SupportsFile, DamagedListsAreRefusedAndLeaveTheDocumentAlone) {
  const double L = 6;
  const TSupports Supports = {{skFixed, 0, false}, {skPin, 2, false}, {skRoller, 0, true}};
  const auto Good = Version2(bpContinuous, L, Supports, 1).Record("ab", lkUniform, 1, 2, 3).Bytes;
  TData D;
  LoadBytes(D, Good);
  ASSERT_EQ(D.Supports(), Supports);
  MakeBeam(D, {bpOverhang, 9, PresetSupports(bpOverhang, 9), {{lkConcentrated, 9, 10, 0}}});
  const TState Before = StateOf(D);
  // Fields of the count (36), and of the second support's kind, flag and x.
  constexpr std::size_t Count = 36, Kind = 56, Flag = 60, X = 64;
  std::vector<std::vector<std::uint8_t>> Damaged;
  const auto Patch = [&](std::size_t At, const TFileBytes& Field) {
    auto& Bytes = Damaged.emplace_back(Good);
    std::copy(Field.Bytes.begin(), Field.Bytes.end(), Bytes.begin() + static_cast<long>(At));
  };
  const auto Beyond = static_cast<std::int32_t>((Good.size() - Count - 4) / 16 + 1);
  for (std::int32_t N : {0, -1, INT32_MIN, MaxSupports + 1, INT32_MAX, Beyond})
    Patch(Count, TFileBytes().Int(N));
  for (std::int32_t K : {-1, 3, INT32_MAX})
    Patch(Kind, TFileBytes().Int(K));
  for (std::int32_t F : {-1, 2, 1})
    Patch(Flag, TFileBytes().Int(F));
  for (double x : {-1.0, std::nan(""), HUGE_VAL, 0.0})
    Patch(X, TFileBytes().Real(x));
  Patch(48, TFileBytes().Real(1)); // the fixed end's x: in mid-span
  Patch(80, TFileBytes().Real(3)); // the right end's x, which is written as 0
  Patch(40, TFileBytes().Int(skPin).Int(0).Real(2).Int(skFixed).Int(0).Real(0)); // unsorted
  for (std::int32_t Type : {0, 1, 7, -1})
    Patch(24, TFileBytes().Int(Type));
  Damaged.push_back(Version2(bpOverhang, L, {{skPin, 2, false}}, 0).Bytes);
  for (std::size_t N = 0; N < Good.size(); ++N)
    Damaged.emplace_back(Good.begin(), Good.begin() + static_cast<long>(N));
  for (std::size_t I = 0; I < Damaged.size(); ++I) {
    ASSERT_EQ(Failure([&] { LoadBytes(D, Damaged[I]); }), SInvalidDataFile) << "case " << I;
    ASSERT_TRUE(StateOf(D) == Before) << "case " << I;
  }
}

// A preset is kept where the list has its fixed ends; else the beam is
// named after the list, in the window as in a file.
TEST(Supports, PresetsThatDoNotMatchTheirListAreNamedAfterIt) {
  const double L = 6;
  const TSupport Pin{skPin, 0, false}, Mid{skRoller, 3, false}, End{skRoller, 0, true};
  const TSupport FixedLeft{skFixed, 0, false}, FixedEnd{skFixed, 0, true};
  const std::tuple<std::int32_t, TSupports, std::int32_t> Cases[] = {
      {bpFixedFixed, {Pin, Mid, End}, bpContinuous},
      {bpFixedFixed, {Pin, End}, bpSimple},
      {bpFixedFixed, {FixedLeft, Mid, FixedEnd}, bpFixedFixed},
      {bpContinuous, {FixedLeft, End}, bpPropped},
      {bpOverhang, {Pin, FixedEnd}, bpContinuous},
      {bpLeftFixed, {FixedLeft, Mid}, bpContinuous},
      {bpPropped, {FixedLeft, Mid, End}, bpPropped},
      {bpPropped, {FixedEnd}, bpCantilever},
      {bpContinuous, {Pin, Mid}, bpContinuous}};
  for (const auto& [Given, List, Named] : Cases) {
    SCOPED_TRACE(testing::Message() << Given << " over " << List.size() << " supports");
    TData D;
    MakeBeam(D, {Given, L, List, {{lkUniform, 0, 6, L}}});
    EXPECT_EQ(D.Preset(), Named);
    if (IsPlainPreset(Named)) continue;
    TData E;
    LoadBytes(E, Version2(Given, L, List, 0).Bytes);
    EXPECT_EQ(E.Preset(), Named);
  }
}

} // namespace
