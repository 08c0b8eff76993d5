// The document's life and its properties, each setter with its change rule.
#include "analysis/BeamData.h"

#include "platform/Exceptions.h"

#include <cassert>

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
  // A preset whose fixed ends the list does not have names it no more.
  const std::int32_t Named = ListPreset(Supports, Preset);
  if (IsPlainPreset(Named)) {
    SetBeamType(Named);
    return;
  }
  RestoreSupports(Named, std::move(Supports));
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
