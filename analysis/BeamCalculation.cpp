// The document's calculation: the reactions, the samples, the results and the
// bending line, and S and M at one position.
#include "analysis/BeamData.h"

#include "analysis/LoadPolynomials.h"
#include "analysis/LoadSpan.h"
#include "analysis/LoadTerms.h"
#include "analysis/Messages.h"
#include "analysis/Results.h"
#include "analysis/SampleSums.h"

#include <algorithm>
#include <cmath>

namespace {

// The reactions of the two plain types as a list: RA and RB, or the fixed
// end's force and the couple it exerts, which balances the moment there.
std::vector<TReaction> PlainReactions(const TBeamResults& R, double L, bool Cantilever) {
  if (Cantilever) return {{L, R.RB, -R.MFixed, true}};
  return {{0, R.RA, 0, false}, {L, R.RB, 0, false}};
}

} // namespace

std::vector<TDeflectionSpan> TData::DeflectionSpans(const TBendingLine& Bending,
                                                    const TBeamResults& Found) const {
  const double L = FLength;
  if (FSupports.empty()) {
    const TExtreme& Largest = std::fabs(Found.DeltaMin.Value) > std::fabs(Found.DeltaMax.Value)
                                  ? Found.DeltaMin
                                  : Found.DeltaMax;
    return {{0, L, IsCantilever(), Largest}};
  }
  std::vector<TDeflectionSpan> Spans;
  const auto Add = [&](double From, double To, bool Overhang) {
    if (To > From) Spans.push_back({From, To, Overhang, Bending.LargestDeflection(From, To)});
  };
  Add(0, FSupports.front().At(L), true);
  for (std::size_t I = 0; I + 1 < FSupports.size(); ++I)
    Add(FSupports[I].At(L), FSupports[I + 1].At(L), false);
  Add(FSupports.back().At(L), L, true);
  return Spans;
}

bool TData::SolveReactions(const TGoOn& GoOn, std::vector<TReaction>& Total) {
  const double L = FLength;
  if (FSupports.empty()) {
    for (auto& K : FLoads) {
      double F, Mo;
      if (IsForceKind(K.FKind)) {
        F = K.FW;
        Mo = K.ResultantPos() * K.FW;
      } else {
        F = 0;
        Mo = K.FW;
      }
      K.FRB = FBeamType == btSimple ? Mo / L : F;
      K.FRA = F - K.FRB;
    }
    return true;
  }
  const std::string Problem = SupportsProblem(FSupports, L);
  if (!Problem.empty()) {
    FResults.Refusal = CannotCalculate(Problem);
    return false;
  }
  // The reactions act on the beam as further loads; no load keeps a share
  // of a left reaction.
  auto Solver = std::make_unique<const TReactionSolver>(FSupports, L);
  if (!Solver->Stable()) {
    FResults.Refusal =
        CannotCalculate(QT_TRANSLATE_NOOP("TData", "支点どうしが近すぎて区別できないため"));
    return false;
  }
  // The right-hand sides are linear in the loads: their sum gives the sums
  // of the shares, each load's share is solved when asked for.
  std::vector<double> b(Solver->Unknowns(), 0.0);
  for (std::size_t I = 0; I < FLoads.size(); ++I) {
    CheckGoOnEvery(GoOn, I);
    Solver->AddLoad(FLoads[I], b);
  }
  Total.resize(FSupports.size());
  Solver->Solve(std::move(b), Total.data());
  const auto NoNumber = [](const TReaction& R) { return std::isnan(R.R) || std::isnan(R.M); };
  if (std::any_of(Total.begin(), Total.end(), NoNumber)) {
    FResults.Refusal = CannotCalculate(QT_TRANSLATE_NOOP("TData", "反力が数値にならないため"));
    return false;
  }
  FSolver = std::move(Solver);
  for (const TReaction& R : Total) {
    SetReactionForce(FReactionLoads.emplace_back(), R);
    if (R.Fixed) SetReactionMoment(FReactionLoads.emplace_back(), R);
  }
  return true;
}

void TData::Calculate(const TGoOn& GoOn) {
  ClearResults();
  const double L = FLength;
  if (const std::string Problem = SpanProblem(L); !Problem.empty()) {
    // A plain beam of no length is a document not given its span yet.
    if (!FSupports.empty() || L > 0) FResults.Refusal = CannotCalculate(Problem);
    return;
  }
  std::vector<TReaction> Reactions;
  if (!SolveReactions(GoOn, Reactions)) return;

  constexpr std::size_t N = SampleIntervals + 1;
  std::vector<double> Xs(N), S(N, 0.0), M(N, 0.0);
  for (std::size_t I = 0; I < N; ++I)
    Xs[I] = ClampToSpan(static_cast<double>(I) * L / SampleIntervals, L);
  // i·L/1000 can fall an ulp short of L for the last sample; the diagram
  // ends exactly at the beam end, where the readout ends too.
  Xs[N - 1] = L;
  TBeamResults Found;
  SumSamples(*this, Xs.data(), S.data(), M.data(), N, GoOn,
             [&] { Found = ComputeResults(*this, GoOn); });
  Found.Reactions =
      FSupports.empty() ? PlainReactions(Found, L, IsCantilever()) : std::move(Reactions);
  std::vector<double> Theta(N, 0.0), Delta(N, 0.0);
  TBendingLine Bending;
  if (FSection.HasStiffness()) {
    Bending = TBendingLine::Build(*this, FSection.EI(), GoOn);
    Bending.Sample(Xs.data(), Theta.data(), Delta.data(), N);
    const TBendingExtremes E = Bending.Extremes(GoOn);
    Found.HasBending = true;
    Found.ThetaMax = E.ThetaMax;
    Found.ThetaMin = E.ThetaMin;
    Found.DeltaMax = E.DeltaMax;
    Found.DeltaMin = E.DeltaMin;
    Found.DeflectionSpans = DeflectionSpans(Bending, Found);
  }
  FPoints.resize(N);
  for (std::size_t I = 0; I < N; ++I)
    FPoints[I] = TCalcPoint{Xs[I], M[I], S[I], Theta[I], Delta[I]};
  FResults = Found;
  FBending = std::move(Bending);
}

bool TData::CalcAt(double& X, double& S, double& M) const {
  const double L = FLength;
  const bool Result = L > 0 && FResults.Refusal.empty();
  X = ClampToSpan(X, L);
  if (!Result) return false;
  S = 0;
  M = 0;
  double s, m;
  for (int I = 0; I < ActingCount(); ++I) {
    LoadTerms(Acting(I), X, L, s, m);
    S += s;
    M += m;
  }
  return true;
}

std::vector<TReaction> TData::LoadReactions(int Index) const {
  const TKajyuData& K = Load(Index);
  if (!FResults.Valid) return {};
  if (FSupports.empty()) {
    TBeamResults One;
    One.RA = K.FRA;
    One.RB = K.FRB;
    if (IsCantilever())
      One.MFixed = IsForceKind(K.FKind) ? (K.ResultantPos() - FLength) * K.FW : K.FW;
    return PlainReactions(One, FLength, IsCantilever());
  }
  // Inside an update the list may have changed since.
  if (!FSolver || FSolver->SupportCount() != FSupports.size()) return {};
  std::vector<TReaction> Shares(FSupports.size());
  FSolver->Solve(K, Shares.data());
  return Shares;
}
