#include "analysis/Supports.h"

#include "analysis/DataStream.h"
#include "analysis/Messages.h"
#include "platform/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

const std::array<const char*, PresetCount> PresetNames = {
    "単純梁",           "片持ち梁", "片持ち梁(左固定)", "はね出し梁", "両端固定梁",
    "一端固定他端ピン", "連続梁"};

const std::array<const char*, 3> SupportKindNames = {"ピン", "ローラー", "固定"};

namespace {

// X of a preset's support on span L: to the millimetre where that stays
// strictly inside the span, so that a very short span keeps its supports
// apart.
double PresetPosition(double X, double L) {
  if (!(L > 0)) return 0;
  const double Rounded = std::round(X * 1000) / 1000;
  return Rounded > 0 && Rounded < L ? Rounded : X;
}

std::string Position(double X) {
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.3f", X);
  return Buffer;
}

bool IsEnd(const TSupport& S) {
  return S.AtEnd || S.X == 0;
}

} // namespace

TSupports PresetSupports(std::int32_t Preset, double L) {
  const TSupport End{skRoller, 0, true};
  switch (Preset) {
  case bpSimple:
    return {{skPin, 0, false}, End};
  case bpCantilever:
    return {{skFixed, 0, true}};
  case bpLeftFixed:
    return {{skFixed, 0, false}};
  case bpOverhang:
    return {{skPin, 0, false}, {skRoller, PresetPosition(0.8 * L, L), false}};
  case bpFixedFixed:
    return {{skFixed, 0, false}, {skFixed, 0, true}};
  case bpPropped:
    return {{skFixed, 0, false}, {skPin, 0, true}};
  case bpContinuous:
    return {{skPin, 0, false}, {skRoller, PresetPosition(L / 2, L), false}, End};
  default:
    return {};
  }
}

namespace {

// Whether the list is held fixed at its left end and at its right end.
std::array<bool, 2> FixedEnds(const TSupports& Supports) {
  std::array<bool, 2> Ends{false, false};
  for (const TSupport& S : Supports)
    if (S.Kind == skFixed) Ends[S.AtEnd ? 1 : 0] = true;
  return Ends;
}

std::int32_t OwnPreset(const TSupports& Supports) {
  for (const std::int32_t P : {bpSimple, bpCantilever, bpLeftFixed, bpFixedFixed})
    if (Supports == PresetSupports(P, 0)) return P;
  if (Supports.size() != 2) return bpContinuous;
  if (Supports[0].Kind == skFixed && !Supports[0].AtEnd && Supports[1].AtEnd) return bpPropped;
  if (Supports[0].Kind != skFixed && Supports[1].Kind != skFixed) return bpOverhang;
  return bpContinuous;
}

} // namespace

std::int32_t ListPreset(const TSupports& Supports, std::int32_t Given) {
  const bool Fits = IsPreset(Given) && !IsPlainPreset(Given) &&
                    FixedEnds(PresetSupports(Given, 0)) == FixedEnds(Supports) &&
                    (Given != bpLeftFixed || Supports.size() == 1) &&
                    (Given != bpPropped || Supports.size() >= 2);
  return Fits ? Given : OwnPreset(Supports);
}

std::string SupportsProblem(const TSupports& Supports, double L) {
  if (Supports.empty()) return "支点がないため";
  if (Supports.size() > static_cast<std::size_t>(MaxSupports))
    return "支点が" + std::to_string(MaxSupports) + "個を超えるため";
  bool Fixed = false;
  for (const TSupport& S : Supports) {
    if (S.Kind < skPin || S.Kind > skFixed) return "支点の種類が正しくないため";
    if (!S.AtEnd && !(std::isfinite(S.X) && S.X >= 0))
      return "支点の位置が数値として正しくないため";
    if (S.Kind == skFixed && !IsEnd(S)) return "固定端が梁の端にないため";
    Fixed = Fixed || S.Kind == skFixed;
  }
  if (!Fixed && Supports.size() < 2)
    return "ピンまたはローラーの支点が1つだけで、梁が安定しないため";
  if (!(L > 0)) return {};
  std::vector<double> At;
  for (const TSupport& S : Supports) {
    if (S.At(L) > L) return "支点 x = " + Position(S.X) + "(m) がスパンの外にあるため";
    At.push_back(S.At(L));
  }
  std::sort(At.begin(), At.end());
  const auto Twice = std::adjacent_find(At.begin(), At.end());
  if (Twice != At.end()) return "x = " + Position(*Twice) + "(m) に支点が2つあるため";
  return {};
}

std::string SpanProblem(double L) {
  if (std::isnan(L)) return QT_TRANSLATE_NOOP("TData", "スパンが数値でないため");
  if (!(L > 0)) return QT_TRANSLATE_NOOP("TData", "スパンが正でないため");
  if (std::isinf(L)) return QT_TRANSLATE_NOOP("TData", "スパンが有限でないため");
  return {};
}

void SortSupports(TSupports& Supports) {
  const auto Key = [](const TSupport& S) { return S.AtEnd ? HUGE_VAL : S.X; };
  std::stable_sort(Supports.begin(), Supports.end(),
                   [&Key](const TSupport& A, const TSupport& B) { return Key(A) < Key(B); });
}

void NormaliseSupports(TSupports& Supports, double L) {
  for (TSupport& S : Supports) {
    S.AtEnd = S.AtEnd || (L > 0 && S.X == L);
    if (S.AtEnd) S.X = 0;
  }
  SortSupports(Supports);
}

void WriteSupports(TStream& Stream, const TSupports& Supports) {
  WriteInteger(Stream, static_cast<std::int32_t>(Supports.size()));
  for (const TSupport& S : Supports) {
    WriteInteger(Stream, S.Kind);
    WriteInteger(Stream, S.AtEnd ? 1 : 0);
    WriteReal(Stream, S.AtEnd ? 0 : S.X);
  }
}

namespace {

// Two supports placed at one position; the right end follows the span.
bool PlacedTwice(const TSupports& Supports) {
  std::vector<double> At;
  for (const TSupport& S : Supports)
    if (!S.AtEnd) At.push_back(S.X);
  std::sort(At.begin(), At.end());
  return std::adjacent_find(At.begin(), At.end()) != At.end();
}

} // namespace

TSupports ReadSupports(TStream& Stream) {
  const std::int32_t Count = ReadInteger(Stream);
  constexpr std::int64_t RecordSize = 4 + 4 + 8;
  if (Count < 1 || Count > MaxSupports || !Stream.CanRead(Count * RecordSize))
    throw EReadError(SInvalidDataFile);
  TSupports Supports(static_cast<std::size_t>(Count));
  for (TSupport& S : Supports) {
    S.Kind = static_cast<TSupportKind>(ReadInteger(Stream));
    const std::int32_t AtEnd = ReadInteger(Stream);
    S.X = ReadReal(Stream);
    if (AtEnd != 0 && AtEnd != 1) throw EReadError(SInvalidDataFile);
    S.AtEnd = AtEnd == 1;
    if (S.AtEnd && S.X != 0) throw EReadError(SInvalidDataFile);
  }
  TSupports Sorted = Supports;
  SortSupports(Sorted);
  if (Sorted != Supports || !SupportsProblem(Supports, 0).empty() || PlacedTwice(Supports))
    throw EReadError(SInvalidDataFile);
  return Supports;
}
