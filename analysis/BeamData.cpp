#include "analysis/BeamData.h"
#include "analysis/LoadSpan.h"

#include "analysis/DataStream.h"
#include "analysis/LoadPolynomials.h"
#include "analysis/LoadTerms.h"
#include "analysis/Results.h"
#include "analysis/SafeSave.h"
#include "analysis/SampleSums.h"
#include "analysis/SectionBlock.h"
#include "analysis/Stream.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>
#include <cstring>
#include <span>

namespace {

constexpr char Magic[] = "VantrelBeamDataFile.";
constexpr std::size_t MagicLength = 20;
static_assert(sizeof(Magic) == MagicLength + 1);
// Version 2 holds a support list; readers of version 1 refuse it.
constexpr std::int32_t SupportsVersion = 2;
// The smallest load record: version, remark length, kind and three reals.
constexpr std::int64_t MinRecordSize = 4 + 4 + 4 + 8 + 8 + 8;

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

TData::~TData() {
  ClearResults();
  ClearLoads();
}

void TData::Clear() {
  if (FUpdateCount > 0 && (!FLoads.empty() || !FPoints.empty() || FBeamType != btSimple ||
                           FLength != 0 || !FSection.Empty() || !FSupports.empty()))
    FChangePending = FCalculationPending = true;
  ClearResults();
  ClearLoads();
  FBeamType = btSimple;
  FLength = 0;
  FSection = {};
  FSupports.clear();
  FModified = false;
}

void TData::ClearResults() {
  FPoints.clear();
  FResults = {};
  FBending = {};
  FSolver.reset();
  FReactionLoads.clear();
  for (auto& K : FLoads)
    K.FRA = K.FRB = 0;
}

void TData::ClearLoads() {
  FLoads.clear();
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
    FResults.Refusal = Problem + "、計算できません。";
    return false;
  }
  // The reactions act on the beam as further loads; no load keeps a share
  // of a left reaction.
  auto Solver = std::make_unique<const TReactionSolver>(FSupports, L);
  if (!Solver->Stable()) {
    FResults.Refusal = "支点どうしが近すぎて区別できないため、計算できません。";
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
  std::vector<TReaction> Reactions;
  if (!(L > 0) || !SolveReactions(GoOn, Reactions)) return;

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

// ---- properties

void TData::Changed() {
  if (FUpdateCount > 0) {
    FModified = true;
    FChangePending = FCalculationPending = true;
    return;
  }
  Calculate();
  FModified = true;
  if (FOnChange) FOnChange(this);
}

void TData::EndUpdate() {
  assert(FUpdateCount > 0 && "EndUpdate without BeginUpdate");
  if (--FUpdateCount > 0 || !FChangePending) return;
  FChangePending = false;
  if (FCalculationPending) Calculate();
  FCalculationPending = false;
  if (FOnChange) FOnChange(this);
}

std::int32_t TData::GetIntValue(int Which) const {
  return Which == 0 ? FBeamType : 0;
}

void TData::SetIntValue(int Which, std::int32_t Value) {
  if (Which != 0) return;
  const std::int32_t Old = GetIntValue(Which);
  const bool HadSupports = !FSupports.empty();
  FBeamType = Value;
  FSupports.clear();
  if (FBeamType != Old || HadSupports) Changed();
}

std::int32_t TData::Preset() const {
  if (!FSupports.empty()) return FBeamType;
  return FBeamType == btSimple ? bpSimple : bpCantilever;
}

TSupports TData::SupportList() const {
  return FSupports.empty() ? PresetSupports(Preset(), FLength) : FSupports;
}

void TData::SetSupports(std::int32_t Preset, TSupports Supports) {
  if (IsPlainPreset(Preset)) {
    SetBeamType(Preset);
    return;
  }
  if (!IsPreset(Preset)) throw Exception("梁の種類が正しくないため、支点を変更できません。");
  NormaliseSupports(Supports, FLength);
  const std::string Problem = SupportsProblem(Supports, FLength);
  if (!Problem.empty()) throw Exception(Problem + "、支点を変更できません。");
  RestoreSupports(Preset, std::move(Supports));
}

void TData::RestoreSupports(std::int32_t Type, TSupports Supports) {
  if (Supports.empty()) {
    SetBeamType(Type);
    return;
  }
  if (Type == FBeamType && Supports == FSupports) return;
  FBeamType = Type;
  FSupports = std::move(Supports);
  Changed();
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

double TData::GetRealValue(int Which) const {
  return Which == 0 ? FLength : 0;
}

void TData::SetRealValue(int Which, double Value) {
  if (Which != 0) return;
  const double Old = GetRealValue(Which);
  FLength = Value;
  if (FLength == Old) return;
  // A preset's own supports follow the span until they are moved.
  if (!FSupports.empty() && FSupports == PresetSupports(FBeamType, Old))
    FSupports = PresetSupports(FBeamType, FLength);
  Changed();
}

void TData::SetSection(const TSection& Value) {
  if (Value == FSection) return;
  FSection = Value;
  Changed();
}

TKajyuData& TData::Load(int Index) {
  if (Index < 0 || Index >= LoadCount()) throw EListError::IndexError(Index);
  return FLoads[static_cast<std::size_t>(Index)];
}

const TKajyuData& TData::Load(int Index) const {
  return const_cast<TData*>(this)->Load(Index);
}

void TData::EnsureLoad(int Index) {
  while (LoadCount() <= Index)
    FLoads.emplace_back();
}

std::int32_t TData::GetLoadInt(int Index, int Which) const {
  const TKajyuData& K = Load(Index);
  return Which == 0 ? K.FKind : 0;
}

void TData::SetLoadInt(int Index, int Which, std::int32_t Value) {
  EnsureLoad(Index);
  if (Which != 0) return;
  const std::int32_t Old = GetLoadInt(Index, Which);
  Load(Index).FKind = Value;
  if (Value != Old) Changed();
}

double TData::GetLoadValue(int Index, int Which) const {
  const TKajyuData& K = Load(Index);
  switch (Which) {
  case 0:
    return K.FX;
  case 1:
    return K.FW;
  case 2:
    return K.FWidth;
  default:
    return 0;
  }
}

void TData::SetLoadValue(int Index, int Which, double Value) {
  EnsureLoad(Index);
  if (Which < 0 || Which > 2) return;
  const double Old = GetLoadValue(Index, Which);
  TKajyuData& K = Load(Index);
  double& Field = Which == 0 ? K.FX : Which == 1 ? K.FW : K.FWidth;
  Field = Value;
  if (Field != Old) Changed();
}

std::string TData::GetLoadString(int Index, int Which) const {
  const TKajyuData& K = Load(Index);
  return Which == 0 ? K.FRemark : std::string();
}

void TData::SetLoadString(int Index, int Which, const std::string& Value) {
  EnsureLoad(Index);
  if (Which != 0) return;
  const std::string Old = GetLoadString(Index, Which);
  Load(Index).FRemark = Value;
  if (Value != Old) Changed();
}

int TData::DeleteLoad(int Index) {
  Load(Index);
  FLoads.erase(FLoads.begin() + Index);
  const int Count = LoadCount();
  Changed();
  return Count;
}

void TData::ExchangeLoads(int Index1, int Index2) {
  Load(Index1);
  Load(Index2);
  std::swap(FLoads[static_cast<std::size_t>(Index1)], FLoads[static_cast<std::size_t>(Index2)]);
}

void TData::MoveLoad(int Index1, int Index2) {
  ExchangeLoads(Index1, Index2);
  Changed();
}

// ---- files

std::string TData::SaveToFile(const std::string& FileName) {
  // The whole file is made in memory first: nothing on disk is touched
  // before every byte is known.
  TMemoryStream Stream;
  SaveToStream(Stream);
  std::string Note = WriteFileSafely(FileName, Stream.Bytes());
  FModified = false;
  return Note;
}

void TData::LoadFromFile(const std::string& FileName) {
  Assign(ReadDataFile(FileName));
  FModified = false;
}

void TData::SaveToStream(TStream& Stream) const {
  Stream.Seek(0);
  std::array<char, 256> Buffer{};
  std::memcpy(Buffer.data(), Magic, MagicLength);
  if (Stream.Write(Buffer.data(), MagicLength) != MagicLength)
    throw Exception("ストリーム書き込みエラー");
  WriteInteger(Stream, FSupports.empty() ? 1 : SupportsVersion);
  WriteInteger(Stream, FBeamType);
  WriteReal(Stream, FLength);
  if (!FSupports.empty()) WriteSupports(Stream, FSupports);
  WriteInteger(Stream, static_cast<std::int32_t>(FLoads.size()));
  for (const auto& K : FLoads)
    K.SaveToStream(Stream);
  WriteSectionBlock(Stream, FSection);
}

void TData::LoadFromStream(TStream& Stream) {
  // Everything is read before the document changes.
  Assign(ReadDataFile(Stream));
}

void TData::Assign(TDataFileContents&& Contents) {
  if (FUpdateCount > 0) FChangePending = FCalculationPending = true;
  FBeamType = Contents.BeamType;
  FLength = Contents.Length;
  FSection = std::move(Contents.Section);
  FSupports = std::move(Contents.Supports);
  // Records the document holds already take the read fields; the others
  // are the read records themselves (in a document without loads, the
  // whole list at once).
  std::vector<TKajyuData>& Read = Contents.Loads;
  const std::size_t Kept = std::min(FLoads.size(), Read.size());
  for (std::size_t I = 0; I < Kept; ++I) {
    TKajyuData& K = FLoads[I];
    K.FRemark = std::move(Read[I].FRemark);
    K.FKind = Read[I].FKind;
    K.FX = Read[I].FX;
    K.FW = Read[I].FW;
    K.FWidth = Read[I].FWidth;
  }
  if (FLoads.empty())
    FLoads = std::move(Read);
  else
    FLoads.insert(FLoads.end(),
                  std::make_move_iterator(Read.begin() + static_cast<std::ptrdiff_t>(Kept)),
                  std::make_move_iterator(Read.end()));
}

void TData::TakeOver(TData& Other) {
  std::swap(FModified, Other.FModified);
  std::swap(FBeamType, Other.FBeamType);
  std::swap(FLength, Other.FLength);
  std::swap(FSection, Other.FSection);
  std::swap(FSupports, Other.FSupports);
  std::swap(FSolver, Other.FSolver);
  std::swap(FReactionLoads, Other.FReactionLoads);
  std::swap(FLoads, Other.FLoads);
  std::swap(FPoints, Other.FPoints);
  std::swap(FResults, Other.FResults);
  std::swap(FBending, Other.FBending);
  if (FUpdateCount > 0) {
    FChangePending = true;
    FCalculationPending = false;
  } else if (FOnChange) {
    FOnChange(this);
  }
}

TDataFileContents ReadDataFile(const std::string& FileName, const TReadProgress& Progress) {
  TFileReadStream Stream(FileName);
  return ReadDataFile(Stream, Progress);
}

TDataFileContents ReadDataFile(TStream& Stream, const TReadProgress& Progress) {
  std::array<char, 256> Buffer{};
  if (Stream.Read(Buffer.data(), MagicLength) != MagicLength ||
      std::memcmp(Buffer.data(), Magic, MagicLength) != 0)
    throw EReadError(SInvalidDataFile);
  const std::int32_t Version = ReadInteger(Stream);
  if (Version > SupportsVersion) throw EReadError(SNewerDataVersion);
  TDataFileContents Contents;
  Contents.BeamType = ReadInteger(Stream);
  Contents.Length = ReadReal(Stream);
  if (Version == SupportsVersion) {
    if (!IsPreset(Contents.BeamType) || IsPlainPreset(Contents.BeamType))
      throw EReadError(SInvalidDataFile);
    Contents.Supports = ReadSupports(Stream);
  }
  const std::int32_t Count = ReadInteger(Stream);
  const auto Loads = static_cast<std::size_t>(std::max(Count, 0));
  // Every record takes at least MinRecordSize bytes, which bounds what a
  // count can claim before anything is allocated for it.
  if (!Stream.CanRead(static_cast<std::int64_t>(Loads) * MinRecordSize))
    throw EReadError(SInvalidDataFile);
  Contents.Loads = std::vector<TKajyuData>(Loads);
  constexpr std::size_t ProgressStep = 4096;
  for (std::size_t I = 0; I < Loads; I += ProgressStep) {
    if (Progress && !Progress(static_cast<std::int64_t>(I), Count)) throw EAbort();
    ReadLoadRecords(Stream,
                    std::span(Contents.Loads).subspan(I, std::min(ProgressStep, Loads - I)));
  }
  // Blocks follow the records. Other bytes after a count of none are most
  // likely records it leaves out: the caller is told of them.
  const std::int64_t Other = ReadBlocks(Stream, Contents.Section, Contents.SectionNote);
  if (Count <= 0) Contents.UncountedBytes = Other;
  return Contents;
}
