// The bending line: textbook beams in closed form, and random beams against
// a double integration of CalcAt's M written here.
#include "analysis/Deflection.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>
#include <random>
#include <tuple>

namespace {

constexpr double EI = 2.4e4; // kN·m²

void ExpectClose(double Actual, double Expected, const char* What) {
  EXPECT_NEAR(Actual, Expected, 1e-12 * std::fabs(Expected)) << What;
}

// A beam and, for loads in kN, kN·m and m, θ·EI and δ·EI at X and the
// largest δ·EI with its position.
struct TTextbook {
  const char* Name;
  std::int32_t Type;
  TBeamLoad Load;
  std::array<double, 5> Values; // X, θ·EI, δ·EI, where δ is largest, δmax·EI
};

TEST(BendingLine, TextbookBeams) {
  const double L = 6, P = 30, w = 5, M = 40, s3 = std::numbers::sqrt3;
  const double PL2 = P * L * L, PL3 = PL2 * L, wL3 = w * L * L * L, wL4 = wL3 * L;
  const double ML2 = M * L * L;
  // A point load b from B (largest δ at xb), a triangle rising to 2w at B
  // (at xt).
  const double b = 2, bb = L * L - b * b, xb = std::sqrt(bb / 3);
  const double Off = P * b * bb * std::sqrt(bb) / (9 * s3 * L);
  const double xt = L * std::sqrt(1 - std::sqrt(8.0 / 15)), x2 = xt * xt;
  const double Tri = w * xt * (7 * L * L * L * L - 10 * L * L * x2 + 3 * x2 * x2) / (180 * L);
  const std::vector<TTextbook> Cases = {
      {"UDL", btSimple, {lkUniform, 0, w * L, L}, {0, wL3 / 24, 0, L / 2, 5 * wL4 / 384}},
      {"midspan", btSimple, {lkConcentrated, L / 2, P, 0}, {L / 2, 0, PL3 / 48, L / 2, PL3 / 48}},
      {"off-centre", btSimple, {lkConcentrated, L - b, P, 0}, {0, P * b * bb / 6 / L, 0, xb, Off}},
      {"moment", btSimple, {lkMoment, 0, M, 0}, {L, -M * L / 6, 0, L - L / s3, ML2 / (9 * s3)}},
      {"triangle", btSimple, {lkRightTriangle, 0, w * L, L}, {0, 7 * wL3 / 180, 0, xt, Tri}},
      {"tip load", btCantilever, {lkConcentrated, 0, P, 0}, {0, -PL2 / 2, PL3 / 3, 0, PL3 / 3}},
      {"tip UDL", btCantilever, {lkUniform, 0, w * L, L}, {0, -wL3 / 6, wL4 / 8, 0, wL4 / 8}},
      {"tip moment", btCantilever, {lkMoment, 0, -M, 0}, {0, -M * L, ML2 / 2, 0, ML2 / 2}},
  };
  for (const TTextbook& C : Cases) {
    SCOPED_TRACE(C.Name);
    TData D;
    BuildBeam(D, C.Type, L, {C.Load});
    const TBendingLine Line = TBendingLine::Build(D, EI);
    const auto [X, Theta, Delta, MaxX, Max] = C.Values;
    double x = X, t, d;
    ASSERT_TRUE(Line.At(x, t, d));
    ExpectClose(t, Theta / EI, "θ");
    EXPECT_NEAR(d, 1000 * Delta / EI, 1e-12 * 1000 * Max / EI) << "δ";
    const TExtreme Largest = Line.Extremes().DeltaMax;
    ExpectClose(Largest.Value, 1000 * Max / EI, "largest δ");
    EXPECT_NEAR(Largest.X, MaxX, 1e-9 * L) << "where";
  }
}

TEST(BendingLine, EmptyAndNotANumber) {
  TData D;
  BuildBeam(D, btSimple, 5, {{lkUniform, 1, std::nan(""), 2}});
  const TBendingLine Line = TBendingLine::Build(D, EI);
  EXPECT_TRUE(std::isnan(Line.Extremes().DeltaMax.X));
  EXPECT_TRUE(TBendingLine::Build(D, 0).Empty());
  EXPECT_THROW(TBendingLine::Build(D, EI, [] { return false; }), EAbort);
  BuildBeam(D, btCantilever, 5, {{lkUniform, 1, 10, HUGE_VAL}, {lkMoment, -HUGE_VAL, 1, 0}});
  const TBendingExtremes E = TBendingLine::Build(D, EI).Extremes();
  EXPECT_FALSE(std::isfinite(E.ThetaMin.Value) || std::isfinite(E.DeltaMax.Value));
  double x = 3, Theta, Delta;
  EXPECT_FALSE(TBendingLine().At(x, Theta, Delta));
  EXPECT_EQ(x, 0);
}

// E·I that rounds to zero or overflows, though E and I are positive and
// finite, is no stiffness: nothing is bent, as without a section.
TEST(BendingLine, AStiffnessThatIsNoPositiveNumberBendsNothing) {
  const std::tuple<double, double, bool> Cases[] = {
      {1e-200, 1e-200, false}, {1e200, 1e200, false}, {1e-150, 1e-150, true}, {2.05e5, 1e4, true}};
  for (const auto& [E, I, Bends] : Cases) {
    TData D;
    BuildBeam(D, btSimple, 5, {{lkUniform, 0, 10, 5}});
    D.SetSection(TSection{"", E, I, 0, 0, 0, 0, 300});
    EXPECT_EQ(D.Results().HasBending, Bends) << E;
    double x = 2, Theta, Delta;
    EXPECT_EQ(D.BendingAt(x, Theta, Delta), Bends) << E;
  }
}

// θ and δ at Xs (ascending in 0..L), integrating CalcAt's M twice with the
// 3-point Gauss rule between the positions where loads start and end. M is
// a cubic there, so the rule is exact for φ = ∫M and ψ = ∫φ (integrands of
// degree 3 and 4): only rounding separates the result from the truth.
std::vector<std::array<double, 2>> Integrated(const TData& D, const std::vector<double>& Xs) {
  const double L = D.Length();
  std::vector<double> Ends = Xs;
  for (int I = 0; I < D.LoadCount(); ++I)
    for (double x : {D.Load(I).FX, D.Load(I).FX + D.Load(I).FWidth})
      if (x > 0 && x < L) Ends.push_back(x);
  std::sort(Ends.begin(), Ends.end());
  Ends.erase(std::unique(Ends.begin(), Ends.end()), Ends.end());
  std::vector<double> Phi(Ends.size(), 0.0), Psi(Ends.size(), 0.0);
  const double z = std::sqrt(0.6), Nodes[3][2] = {{-z, 5.0 / 9}, {0, 8.0 / 9}, {z, 5.0 / 9}};
  for (std::size_t I = 0; I + 1 < Ends.size(); ++I) {
    const double a = Ends[I], h = Ends[I + 1] - a;
    double dPhi = 0, dPsi = 0;
    for (const auto& [u, Weight] : Nodes) {
      double x = a + h * (1 + u) / 2, S, M;
      D.CalcAt(x, S, M);
      dPhi += Weight * h / 2 * M;
      dPsi += Weight * h / 2 * M * (Ends[I + 1] - x);
    }
    Phi[I + 1] = Phi[I] + dPhi;
    Psi[I + 1] = Psi[I] + Phi[I] * h + dPsi;
  }
  const bool Simple = D.BeamType() == btSimple;
  const double C1 = Simple ? Psi.back() / L : Phi.back();
  const double C2 = Simple ? 0 : Psi.back() - Phi.back() * L;
  std::vector<std::array<double, 2>> Out;
  for (double x : Xs) {
    const auto I = std::lower_bound(Ends.begin(), Ends.end(), x) - Ends.begin();
    Out.push_back({(C1 - Phi[I]) / EI, 1000 * (C1 * x + C2 - Psi[I]) / EI});
  }
  return Out;
}

TBeamLoad RandomLoad(std::mt19937& Random, double L, const std::vector<TBeamLoad>& Before) {
  std::uniform_real_distribution<double> Unit(0, 1);
  TBeamLoad K{static_cast<std::int32_t>(Random() % 7) - 1, -1 + Unit(Random) * (L + 2),
              -50 + 100 * Unit(Random), 4 * Unit(Random)};
  const double Snap = Unit(Random), Narrow = Unit(Random);
  if (Snap < 0.1) K.X = Snap < 0.05 ? 0 : L;
  if (Snap > 0.8 && !Before.empty()) K.X = Before[Random() % Before.size()].X;
  if (Narrow < 0.3) K.Width = Narrow < 0.1 ? 0 : Narrow < 0.2 ? 1e-7 * L : -K.Width;
  return K;
}

TEST(BendingLine, AgreesWithIntegratedMomentOnRandomBeams) {
  std::mt19937 Random(31);
  for (int Beam = 0; Beam < 300; ++Beam) {
    SCOPED_TRACE(testing::Message() << "beam " << Beam);
    const double L = 1 + 19 * std::uniform_real_distribution<double>(0, 1)(Random);
    std::vector<TBeamLoad> Loads;
    for (int I = 0, N = Beam % 100 ? 1 + static_cast<int>(Random() % 12) : 2000; I < N; ++I)
      Loads.push_back(RandomLoad(Random, L, Loads));
    TData D;
    BuildBeam(D, Beam % 2 ? btCantilever : btSimple, L, Loads);
    const TBendingLine Line = TBendingLine::Build(D, EI);
    std::vector<double> Xs(4001), Theta(Xs.size()), Delta(Xs.size());
    for (std::size_t I = 0; I < Xs.size(); ++I)
      Xs[I] = L * static_cast<double>(I) / 4000;
    Xs.back() = L; // as the diagram's last sample
    Line.Sample(Xs.data(), Theta.data(), Delta.data(), Xs.size());
    const auto Expected = Integrated(D, Xs);
    // 1e-9 of the largest value, and a floor for the rounding of M's terms,
    // which may cancel (a narrow load by a support).
    double Scale[2] = {0, 0}, Size = 0, Tolerance[2];
    for (const auto& Value : Expected)
      for (int k = 0; k < 2; ++k)
        Scale[k] = std::max(Scale[k], std::fabs(Value[k]));
    for (const TBeamLoad& K : Loads)
      Size += std::fabs(K.W) * std::max(L, 1.0);
    Tolerance[0] = 1e-9 * Scale[0] + 1e-12 * Size * L / EI;
    Tolerance[1] = 1e-9 * Scale[1] + 1e-9 * Size * L * L / EI;
    const TBendingExtremes E = Line.Extremes();
    const TExtreme Found[2][2] = {{E.ThetaMax, E.ThetaMin}, {E.DeltaMax, E.DeltaMin}};
    for (std::size_t I = 0; I < Xs.size(); ++I) {
      double x = Xs[I], v[2];
      Line.At(x, v[0], v[1]);
      ASSERT_EQ(std::bit_cast<std::uint64_t>(v[0]), std::bit_cast<std::uint64_t>(Theta[I]));
      ASSERT_EQ(std::bit_cast<std::uint64_t>(v[1]), std::bit_cast<std::uint64_t>(Delta[I]));
      for (int k = 0; k < 2; ++k) {
        ASSERT_NEAR(v[k], Expected[I][k], Tolerance[k]) << k << " at " << x;
        // Within the band of ties of the extremes.
        ASSERT_LE(v[k], Found[k][0].Value + 2 * Tolerance[k]) << k << " at " << x;
        ASSERT_GE(v[k], Found[k][1].Value - 2 * Tolerance[k]) << k << " at " << x;
      }
    }
    // The supports hold exactly: δ(L) = 0, and θ(L) = 0 on a cantilever.
    EXPECT_EQ(Delta.back(), 0);
    if (Beam % 2) {
      EXPECT_EQ(Theta.back(), 0);
    }
    // Each extreme is At's value at its position.
    for (int k = 0; k < 2; ++k)
      for (const TExtreme& F : Found[k]) {
        double x = F.X, v[2];
        Line.At(x, v[0], v[1]);
        EXPECT_EQ(v[k], F.Value) << k;
      }
  }
}

} // namespace
