#include "analysis/KajyuData.h"

#include "analysis/DataStream.h"

#include <cstdio>
#include <cstring>

const std::array<const char*, 5> LoadKindNames = {"長方形", "左三角", "右三角", "集中", "曲げＭ"};

double TKajyuData::ForceUpTo(double x) const {
  const double X = FX, c = FWidth, W = FW;
  if (x < X) return 0;
  if (x >= X + c) return W;
  const double d = x - X;
  switch (FKind) {
  case lkUniform:
    return CoveredForce<lkUniform>(d, W, c);
  case lkLeftTriangle:
    return CoveredForce<lkLeftTriangle>(d, W, c);
  case lkRightTriangle:
    return CoveredForce<lkRightTriangle>(d, W, c);
  default:
    return 0;
  }
}

double TKajyuData::ArmUpTo(double x) const {
  const double X = FX, c = FWidth, W = FW;
  if (x < X) return 0;
  const double d = x - X;
  if (x >= X + c) return IsForceKind(FKind) ? d - PassedArmOffset() : -1;
  switch (FKind) {
  case lkUniform:
    return CoveredArm<lkUniform>(x, d, X, W, c);
  case lkLeftTriangle:
    return CoveredArm<lkLeftTriangle>(x, d, X, W, c);
  case lkRightTriangle:
    return CoveredArm<lkRightTriangle>(x, d, X, W, c);
  default:
    return 0;
  }
}

double TKajyuData::PassedArmOffset() const {
  const double c = FWidth;
  switch (FKind) {
  case lkUniform:
    return c / 2;
  case lkLeftTriangle:
    return c / 3;
  case lkRightTriangle:
    return 2 * c / 3;
  default:
    return 0;
  }
}

double TKajyuData::ResultantPos() const {
  switch (FKind) {
  case lkUniform:
  case lkLeftTriangle:
  case lkRightTriangle:
    // A distributed load without width acts at its start, like the
    // concentrated load that ForceUpTo and ArmUpTo make of it.
    return FWidth == 0 ? FX : FX + PassedArmOffset();
  case lkConcentrated:
    return FX;
  default:
    return 0;
  }
}

double TKajyuData::Intensity() const {
  const double c = FWidth, W = FW;
  switch (FKind) {
  case lkUniform:
    return c == 0 ? 0 : W / c;
  case lkLeftTriangle:
  case lkRightTriangle:
    return c == 0 ? 0 : 2 * W / c;
  case lkConcentrated:
    return W;
  default:
    return 0;
  }
}

std::string TKajyuData::LabelText() const {
  const char* Format;
  switch (FKind) {
  case lkUniform:
  case lkLeftTriangle:
  case lkRightTriangle:
    Format = "W = %.3f(kN)";
    break;
  case lkConcentrated:
    Format = "P = %.3f(kN)";
    break;
  case lkMoment:
    Format = "M = %.3f(kN･m)";
    break;
  default:
    return {};
  }
  // A double printed with "%.3f" takes at most 309 digits before the point.
  char Buffer[400];
  std::snprintf(Buffer, sizeof Buffer, Format, FW);
  return Buffer;
}

void TKajyuData::SaveToStream(TStream& Stream) const {
  WriteInteger(Stream, 1);
  WriteString(Stream, FRemark);
  WriteInteger(Stream, FKind);
  WriteReal(Stream, FX);
  WriteReal(Stream, FW);
  WriteReal(Stream, FWidth);
}

void TKajyuData::LoadFromStream(TStream& Stream) {
  ReadInteger(Stream); // record version, not used
  FRemark = ReadString(Stream);
  FKind = ReadInteger(Stream);
  FX = ReadReal(Stream);
  FW = ReadReal(Stream);
  FWidth = ReadReal(Stream);
}

namespace {

// Record version, remark length, kind, X, W, width: a record's bytes
// besides its remark.
constexpr std::size_t RecordFixedBytes = 3 * 4 + 3 * 8;

// Parses the record at the start of Bytes into K, in the order
// LoadFromStream reads it; the bytes it takes, or 0, with K untouched,
// when Bytes does not hold it all or its remark length is negative.
std::size_t ParseRecord(std::span<const std::uint8_t> Bytes, TKajyuData& K) {
  if (Bytes.size() < RecordFixedBytes) return 0;
  const std::int32_t Length = DecodeValue<std::int32_t>(Bytes.data() + 4);
  if (Length < 0 || static_cast<std::size_t>(Length) > Bytes.size() - RecordFixedBytes) return 0;
  const auto* Remark = reinterpret_cast<const char*>(Bytes.data() + 8);
  K.FRemark.assign(Remark, strnlen(Remark, static_cast<std::size_t>(Length)));
  const std::uint8_t* Fields = Bytes.data() + 8 + Length;
  K.FKind = DecodeValue<std::int32_t>(Fields);
  K.FX = DecodeValue<double>(Fields + 4);
  K.FW = DecodeValue<double>(Fields + 12);
  K.FWidth = DecodeValue<double>(Fields + 20);
  return RecordFixedBytes + static_cast<std::size_t>(Length);
}

} // namespace

void ReadLoadRecords(TStream& Stream, std::span<TKajyuData> Out) {
  std::size_t I = 0;
  while (I < Out.size()) {
    const std::span<const std::uint8_t> Bytes = Stream.Buffered();
    std::size_t Used = 0;
    for (std::size_t N; I < Out.size() && (N = ParseRecord(Bytes.subspan(Used), Out[I])) > 0; ++I)
      Used += N;
    if (Used > 0)
      Stream.Seek(Stream.Position() + static_cast<std::int64_t>(Used));
    else
      Out[I++].LoadFromStream(Stream);
  }
}
