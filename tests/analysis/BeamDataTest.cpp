// The beam document: property rules, notifications, and the statics
// checked against worked beams and an independent solution.
#include "analysis/BeamData.h"
#include "analysis/SampleKernel.h"
#include "platform/Exceptions.h"
#include "tests/analysis/FileBytes.h"
#include "tests/kit/BeamBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <iomanip>
#include <limits>
#include <random>
#include <sstream>

namespace {

// Equal bit for bit; every NaN counts as the same (which of two NaNs a sum
// keeps is the compiler's choice of operand order).
bool SameBits(double A, double B) {
  return (std::isnan(A) && std::isnan(B)) || std::memcmp(&A, &B, sizeof A) == 0;
}

std::string Hex(double Value) {
  std::ostringstream Out;
  Out << std::hex << std::bit_cast<std::uint64_t>(Value);
  return Out.str();
}

bool SamePoints(const std::vector<TCalcPoint>& A, const std::vector<TCalcPoint>& B) {
  return A.size() == B.size() &&
         std::equal(A.begin(), A.end(), B.begin(), [](const TCalcPoint& P, const TCalcPoint& Q) {
           return SameBits(P.X, Q.X) && SameBits(P.S, Q.S) && SameBits(P.M, Q.M);
         });
}

// Simple beam L=10 holding P=10 at 4, as opened from a file: not yet
// calculated and not modified.
std::vector<std::uint8_t> OneLoadFile() {
  return TFileBytes().Header(btSimple, 10, 1).Record("a", lkConcentrated, 4, 10, 0).Bytes;
}

TEST(BeamData, NewAndClearedDocumentsAreEmpty) {
  TData D;
  for (int Pass = 0; Pass < 2; ++Pass) {
    EXPECT_TRUE(D.LoadCount() == 0 && !D.Modified() && D.BeamType() == btSimple &&
                D.Length() == 0 && D.Points().empty());
    BuildBeam(D, btCantilever, 5, {{lkUniform, 0, 1, 1}, {lkMoment, 2, 3, 0}});
    D.SetOnChange([](TObject*) { ADD_FAILURE() << "Clear notified"; });
    D.Clear();
    D.SetOnChange(nullptr);
  }
}

TEST(BeamData, SettersActOnlyOnRealChanges) {
  // Step 0 sets the value already held, steps 1 and 2 two new ones.
  const std::vector<std::pair<const char*, std::function<void(TData&, int)>>> Setters = {
      {"Length", [](TData& D, int Step) { D.SetLength(10 + Step); }},
      {"BeamType", [](TData& D, int Step) { D.SetBeamType(Step); }},
      {"Kind", [](TData& D, int Step) { D.SetLoadKind(0, (lkConcentrated + Step) % 5); }},
      {"X", [](TData& D, int Step) { D.SetLoadX(0, 4 + Step); }},
      {"W", [](TData& D, int Step) { D.SetLoadW(0, 10 + Step); }},
      {"Width", [](TData& D, int Step) { D.SetLoadWidth(0, Step); }},
      {"Remark", [](TData& D, int Step) { D.SetLoadRemark(0, std::string(1, char('a' + Step))); }},
  };
  for (const auto& [Name, Set] : Setters) {
    SCOPED_TRACE(Name);
    TData D;
    LoadBytes(D, OneLoadFile());
    const bool Was = D.Modified();
    int Calls = 0;
    std::vector<TCalcPoint> Seen;
    D.SetOnChange([&](TObject* Sender) {
      ++Calls;
      EXPECT_EQ(Sender, &D);
      EXPECT_TRUE(D.Modified());
      Seen = D.Points();
    });
    Set(D, 0);
    EXPECT_EQ(Calls, 0);
    EXPECT_EQ(D.Modified(), Was);
    EXPECT_TRUE(D.Points().empty());
    for (int Step : {1, 2, 2}) {
      Set(D, Step);
      EXPECT_EQ(Calls, Step);
      EXPECT_TRUE(D.Modified());
      // The handler saw the samples of the new state, not older ones.
      D.Calculate();
      EXPECT_EQ(Seen.size(), 1001u);
      EXPECT_TRUE(SamePoints(Seen, D.Points()));
    }
  }
}

TEST(BeamData, IndexedPropertyEdges) {
  TData D;
  LoadBytes(D, OneLoadFile());
  const bool Was = D.Modified();
  int Calls = 0;
  D.SetOnChange([&](TObject*) { ++Calls; });
  EXPECT_EQ(D.GetIntValue(1), 0);
  EXPECT_EQ(D.GetRealValue(-1), 0);
  EXPECT_EQ(D.GetLoadInt(0, 1), 0);
  EXPECT_EQ(D.GetLoadValue(0, 3), 0);
  EXPECT_EQ(D.GetLoadValue(0, -1), 0);
  EXPECT_EQ(D.GetLoadString(0, 1), "");

  // Unknown selectors store nothing, but load setters still make room.
  const auto Before = SavedBytes(D);
  D.SetIntValue(1, 7);
  D.SetRealValue(1, 7);
  D.SetLoadInt(0, 1, 7);
  D.SetLoadValue(0, 3, 7);
  D.SetLoadString(0, 1, "z");
  EXPECT_EQ(SavedBytes(D), Before);
  D.SetLoadInt(1, 1, 7);
  D.SetLoadValue(2, -1, 7);
  D.SetLoadString(3, 2, "z");
  ASSERT_EQ(D.LoadCount(), 4);
  for (int I = 1; I < 4; ++I)
    EXPECT_TRUE(D.LoadKind(I) == 0 && D.LoadX(I) == 0 && D.LoadW(I) == 0 && D.LoadWidth(I) == 0 &&
                D.LoadRemark(I).empty());

  const std::vector<std::function<void()>> BadIndex = {
      // clang-format off
      [&] { D.LoadKind(4); }, [&] { D.LoadX(-1); }, [&] { D.LoadW(4); }, [&] { D.LoadWidth(4); },
      [&] { D.LoadRemark(-1); }, [&] { D.GetLoadValue(4, 7); }, [&] { D.DeleteLoad(4); },
      [&] { D.DeleteLoad(-1); }, [&] { D.ExchangeLoads(0, 4); }, [&] { D.ExchangeLoads(-1, 0); },
      [&] { D.SetLoadKind(-1, 2); }, [&] { D.SetLoadX(-1, 1); }, [&] { D.SetLoadW(-1, 1); },
      [&] { D.SetLoadWidth(-1, 1); }, [&] { D.SetLoadRemark(-1, "q"); },
      // clang-format on
  };
  for (std::size_t I = 0; I < BadIndex.size(); ++I)
    try {
      BadIndex[I]();
      ADD_FAILURE() << "no exception from action " << I;
    } catch (const EListError& E) {
      EXPECT_GT(std::strlen(E.what()), 0u);
    }
  EXPECT_EQ(D.LoadCount(), 4);
  EXPECT_EQ(D.LoadX(0), 4);
  EXPECT_EQ(Calls, 0);
  EXPECT_EQ(D.Modified(), Was);

  // A real value at the load count appends and notifies.
  D.SetLoadW(4, 5);
  EXPECT_EQ(D.LoadCount(), 5);
  EXPECT_EQ(D.LoadW(4), 5);
  EXPECT_EQ(Calls, 1);
}

TEST(BeamData, DeleteAndExchangeLoads) {
  TData D;
  LoadBytes(D, TFileBytes()
                   .Header(btSimple, 10, 3)
                   .Record("1", lkConcentrated, 1, 10, 0)
                   .Record("2", lkConcentrated, 2, 20, 0)
                   .Record("3", lkConcentrated, 3, 30, 0)
                   .Bytes);
  D.Calculate();
  const auto Points = D.Points();
  const bool Was = D.Modified();
  int Calls = 0;
  D.SetOnChange([&](TObject*) {
    ++Calls;
    EXPECT_NEAR(D.Points()[0].S, 10 * 0.9 + 30 * 0.7, 1e-12); // left reaction after the delete
  });
  // Exchanging changes neither the results nor the modified state.
  D.ExchangeLoads(0, 2);
  EXPECT_EQ(D.LoadRemark(0), "3");
  EXPECT_EQ(D.LoadRemark(2), "1");
  EXPECT_NEAR(D.Load(0).FRA, 21, 1e-12);
  EXPECT_TRUE(SamePoints(D.Points(), Points));
  EXPECT_EQ(Calls, 0);
  EXPECT_EQ(D.Modified(), Was);

  EXPECT_EQ(D.DeleteLoad(1), 2);
  EXPECT_EQ(Calls, 1);
  EXPECT_TRUE(D.Modified());
  EXPECT_EQ(D.LoadRemark(0), "3");
  EXPECT_EQ(D.LoadRemark(1), "1");
  D.SetOnChange(nullptr);
  EXPECT_EQ(D.DeleteLoad(1), 1);
  EXPECT_EQ(D.DeleteLoad(0), 0);
}

TEST(BeamData, SamplesSpanTheBeam) {
  TData D;
  for (double L : {10.0, 7.3, 0.001, 1234.5678, 19.0 / 37.0}) {
    SCOPED_TRACE(L);
    BuildBeam(D, btSimple, L, {{lkConcentrated, L / 3, 10, 0}});
    ASSERT_EQ(D.Points().size(), 1001u);
    for (int I = 0; I < 1000; ++I)
      ASSERT_EQ(D.Points()[I].X, static_cast<double>(I) * L / 1000) << I;
    // The diagram has to end on the right support.
    EXPECT_EQ(Hex(D.Points()[1000].X), Hex(L)) << std::setprecision(17) << D.Points()[1000].X;
  }
  for (double L : {0.0, -5.0, std::numeric_limits<double>::quiet_NaN()}) {
    SCOPED_TRACE(L);
    BuildBeam(D, btSimple, 10, {{lkConcentrated, 4, 10, 0}, {lkMoment, 2, 5, 0}});
    D.SetLength(L);
    EXPECT_TRUE(D.Points().empty());
    for (int I = 0; I < 2; ++I)
      EXPECT_TRUE(D.Load(I).FRA == 0 && D.Load(I).FRB == 0);
    double X = 1, S = 0, M = 0;
    EXPECT_FALSE(D.CalcAt(X, S, M));
  }
}

TEST(BeamData, WorkedBeams) {
  struct {
    std::int32_t Type;
    double L;
    TBeamLoad Load;
    double FRA, FRB;
    std::vector<std::array<double, 3>> XSM; // x, S, M
  } const Beams[] = {
      // clang-format off
      {btSimple, 10, {lkConcentrated, 4, 10, 0}, 6, 4,
       {{0, 6, 0}, {3.99, 6, 23.94}, {4, -4, 24}, {7, -4, 12}, {10, -4, 0}, {-3, 6, 0}, {12, -4, 0}}},
      {btSimple, 10, {lkUniform, 0, 20, 10}, 10, 10, {{0, 10, 0}, {2, 6, 16}, {5, 0, 25}, {10, -10, 0}}},
      {btCantilever, 5, {lkConcentrated, 0, 10, 0}, 0, 10, {{0, -10, 0}, {2, -10, -20}, {5, -10, -50}}},
      {btSimple, 10, {lkMoment, 5, 20, 0}, -2, 2, {{0, -2, 0}, {4, -2, -8}, {5, -2, 10}, {10, -2, 0}}},
      {2, 4, {lkMoment, 1, 6, 0}, 0, 0, {{0.5, 0, 0}, {2, 0, 6}}},
      // Point actions on the right support are left out there.
      {btSimple, 10, {lkConcentrated, 10, 10, 0}, 0, 10, {{9, 0, 0}, {10, 0, 0}}},
      {btSimple, 10, {lkMoment, 10, 20, 0}, -2, 2, {{9, -2, -18}, {10, -2, -20}}},
      {btSimple, 10, {lkUniform, 5, 10, 10}, 0, 10, {{5, 0, 0}, {7, -2, -2}, {10, -5, -12.5}}},
      // Without width a distributed load leaves no moment at the end.
      {btSimple, 10, {lkUniform, 0, 10, 0}, 10, 0, {{0, 0, 0}, {10, 0, 0}}},
      {btSimple, 10, {lkLeftTriangle, 3, 10, 0}, 7, 3, {{3, -3, 21}, {10, -3, 0}}},
      {btSimple, 10, {lkRightTriangle, 10, 10, 0}, 0, 10, {{10, -10, 0}}},
      // clang-format on
  };
  for (const auto& B : Beams) {
    SCOPED_TRACE(testing::Message() << "type " << B.Type << " kind " << B.Load.Kind);
    TData D;
    BuildBeam(D, B.Type, B.L, {B.Load});
    EXPECT_NEAR(D.Load(0).FRA, B.FRA, 1e-12);
    EXPECT_NEAR(D.Load(0).FRB, B.FRB, 1e-12);
    for (const auto& [X0, S0, M0] : B.XSM) {
      double X = X0, S, M;
      ASSERT_TRUE(D.CalcAt(X, S, M));
      EXPECT_EQ(X, std::clamp(X0, 0.0, B.L)); // moved into the span
      EXPECT_NEAR(S, S0, 1e-9) << "x = " << X0;
      EXPECT_NEAR(M, M0, 1e-9) << "x = " << X0;
    }
  }
}

// ---- independent statics

// Simpson's rule; exact for the quadratics integrated here.
template <class F> double Integrate(double A, double B, F Fn) {
  constexpr int N = 8;
  const double H = (B - A) / N;
  double Sum = Fn(A) + Fn(B);
  for (int I = 1; I < N; ++I)
    Sum += Fn(A + I * H) * (I % 2 ? 4 : 2);
  return Sum * H / 3;
}

// Downward force and clockwise moment about P of the part of load K that
// lies left of x: a linearly varying intensity, a point force or a couple.
// A point action standing on the right support is left out there.
std::pair<double, double> PartLeftOf(const TBeamLoad& K, double L, double X, double P) {
  if (K.Kind <= lkRightTriangle && K.Width > 0) {
    if (!(X > K.X)) return {0, 0};
    const double E = std::min(X, K.X + K.Width), Peak = 2 * K.W / K.Width;
    const auto Q = [&](double T) {
      const double U = (T - K.X) / K.Width;
      return K.Kind == lkUniform ? K.W / K.Width : Peak * (K.Kind == lkLeftTriangle ? 1 - U : U);
    };
    return {Integrate(K.X, E, Q), Integrate(K.X, E, [&](double T) { return Q(T) * (T - P); })};
  }
  if (K.X > X || (K.Kind >= lkConcentrated && K.X == L && X == L)) return {0, 0};
  return K.Kind == lkMoment ? std::pair{0.0, K.W} : std::pair{K.W, K.W * (K.X - P)};
}

// Reactions from the equilibrium of the whole beam (a cantilever is free
// at the left end), S and M just right of x from the free body left of it.
struct TSolution {
  double RA, RB, S, M;
};
TSolution Solve(std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads, double X) {
  double Force = 0, Moment = 0, ForceLeft = 0, MomentLeft = 0;
  for (const TBeamLoad& K : Loads) {
    const auto [F, C] = PartLeftOf(K, L, std::numeric_limits<double>::infinity(), 0);
    const auto [FX, CX] = PartLeftOf(K, L, X, X);
    Force += F;
    Moment += C;
    ForceLeft += FX;
    MomentLeft += CX;
  }
  const double RB = Type == btSimple ? Moment / L : Force;
  return {Force - RB, RB, Force - RB - ForceLeft, (Force - RB) * X + MomentLeft};
}

TEST(BeamData, AgreesWithIndependentStatics) {
  std::mt19937_64 G(20240611);
  auto U = [&](double A, double B) { return std::uniform_real_distribution<double>(A, B)(G); };
  const std::int32_t Types[] = {btSimple, btSimple, btCantilever, 2, -1};
  for (int Beam = 0; Beam < 400; ++Beam) {
    const std::int32_t Type = Types[G() % 5];
    const double L = U(0.5, 30);
    std::vector<TBeamLoad> Loads(1 + G() % 6);
    for (TBeamLoad& K : Loads) {
      K.Kind = static_cast<std::int32_t>(G() % 5);
      K.W = U(-50, 50);
      K.Width = K.Kind < lkConcentrated && G() % 5 != 0 ? U(0.02 * L, 0.9 * L) : 0;
      const double R = U(0, 1);
      K.X = R < 0.15 ? 0 : R < 0.3 ? L : U(-0.3 * L, 1.2 * L);
    }
    SCOPED_TRACE(testing::Message() << "beam " << Beam << " type " << Type << " L " << L);
    TData D;
    BuildBeam(D, Type, L, Loads);
    for (int I = 0; I < D.LoadCount(); ++I) {
      const TSolution One = Solve(Type, L, {Loads[static_cast<std::size_t>(I)]}, 0);
      EXPECT_NEAR(D.Load(I).FRA, One.RA, 1e-9 * std::max(1.0, std::abs(One.RA))) << I;
      EXPECT_NEAR(D.Load(I).FRB, One.RB, 1e-9 * std::max(1.0, std::abs(One.RB))) << I;
    }
    // Every sample, then CalcAt at random places, against the solution.
    std::vector<TCalcPoint> Got = D.Points();
    ASSERT_EQ(Got.size(), 1001u);
    for (int I = 0; I < 50; ++I) {
      TCalcPoint P{U(-0.1 * L, 1.1 * L), 0, 0};
      ASSERT_TRUE(D.CalcAt(P.X, P.S, P.M));
      Got.push_back(P);
    }
    std::vector<TSolution> Want;
    double ScaleS = 1, ScaleM = 1;
    for (const TCalcPoint& P : Got) {
      Want.push_back(Solve(Type, L, Loads, P.X));
      ScaleS = std::max(ScaleS, std::abs(Want.back().S));
      ScaleM = std::max(ScaleM, std::abs(Want.back().M));
    }
    for (std::size_t I = 0; I < Got.size(); ++I) {
      ASSERT_TRUE(Got[I].X >= 0 && Got[I].X <= L) << Got[I].X;
      ASSERT_NEAR(Got[I].S, Want[I].S, 1e-9 * ScaleS) << "x = " << Got[I].X;
      ASSERT_NEAR(Got[I].M, Want[I].M, 1e-9 * ScaleM) << "x = " << Got[I].X;
    }
  }
}

// Every sample of Calculate, with the given kernel variant, equals CalcAt
// at its position on hundreds of random documents with wild values.
void ExpectSamplesEqualCalcAt(const TSampleKernel& Kernel) {
  UseSampleKernel(&Kernel);
  struct TRestore {
    ~TRestore() { UseSampleKernel(nullptr); }
  } Restore;
  ASSERT_EQ(&SampleKernel(), &Kernel);
  std::mt19937_64 G(77);
  auto U = [&](double A, double B) { return std::uniform_real_distribution<double>(A, B)(G); };
  const double Inf = std::numeric_limits<double>::infinity();
  const double NaN = std::numeric_limits<double>::quiet_NaN();
  auto Odd = [&](std::initializer_list<double> Values) {
    return *(Values.begin() + G() % Values.size());
  };
  for (int Doc = 0; Doc < 300; ++Doc) {
    const double L = G() % 4 ? U(0.01, 100) : Odd({19.0 / 37.0, 1e300, 1e306, 1e-300});
    // Now and then enough loads for the samples to be shared between two
    // threads, all finite, so that no NaN hides a wrong sum.
    const bool Many = Doc % 50 == 49;
    std::vector<TBeamLoad> Loads(Many ? 1000 + G() % 1000 : 1 + G() % 8);
    for (TBeamLoad& K : Loads) {
      if (Many) {
        K = {static_cast<std::int32_t>(G() % 5), U(0, L), U(-100, 100), Odd({0.0, U(0, L)}), ""};
        continue;
      }
      K.Kind = static_cast<std::int32_t>(G() % 7) - 1;
      K.X = G() % 3 ? Odd({0.0, L, L / 2, U(-L, 2 * L), U(0, L)})
                    : Odd({NaN, Inf, -Inf, 1e300, -1e300});
      K.W = G() % 5 ? U(-100, 100) : Odd({0.0, 1e308, -1e308, NaN, Inf});
      K.Width =
          G() % 3 ? Odd({0.0, -0.0, U(0, L), -U(0, L), L - K.X}) : Odd({NaN, Inf, -Inf, 1e300});
    }
    TData D;
    BuildBeam(D, static_cast<std::int32_t>(G() % 2), L, Loads);
    ASSERT_EQ(D.Points().size(), 1001u);
    const auto Check = [&D, Doc] {
      for (std::size_t I = 0; I < D.Points().size(); ++I) {
        const TCalcPoint& P = D.Points()[I];
        double X = P.X, S, M;
        ASSERT_TRUE(D.CalcAt(X, S, M));
        if (SameBits(X, P.X) && SameBits(S, P.S) && SameBits(M, P.M)) continue;
        ADD_FAILURE() << "document " << Doc << ", sample " << I << " at " << Hex(P.X) << ": S "
                      << Hex(P.S) << " / " << Hex(S) << ", M " << Hex(P.M) << " / " << Hex(M);
        return; // one report per document
      }
    };
    Check();
    // A move changes the order of the sums: the samples follow.
    if (Loads.size() > 1) {
      D.MoveLoad(0, static_cast<int>(Loads.size()) - 1);
      Check();
    }
  }
}

TEST(BeamData, SamplesEqualCalcAtBitForBitWithTheBaselineKernel) {
  ExpectSamplesEqualCalcAt(BaselineSampleKernel());
}

TEST(BeamData, SamplesEqualCalcAtBitForBitWithTheAvx2Kernel) {
  const TSampleKernel* Avx2 = Avx2SampleKernel();
  if (!Avx2) GTEST_SKIP() << "this CPU has no AVX2; the AVX2 kernel is not tested here";
  ExpectSamplesEqualCalcAt(*Avx2);
}

} // namespace
