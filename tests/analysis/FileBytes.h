#pragma once

// Builds data-file images byte by byte (little-endian int32 and float64),
// so that the tests do not lean on the program's own writers.
#include "analysis/BeamData.h"
#include "analysis/Stream.h"

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

struct TFileBytes {
  std::vector<std::uint8_t> Bytes;

  TFileBytes& Text(const std::string& Value) {
    Bytes.insert(Bytes.end(), Value.begin(), Value.end());
    return *this;
  }
  TFileBytes& Int(std::int32_t Value) {
    const auto U = static_cast<std::uint32_t>(Value);
    for (int I = 0; I < 4; ++I)
      Bytes.push_back(static_cast<std::uint8_t>(U >> (8 * I)));
    return *this;
  }
  TFileBytes& Real(double Value) {
    const auto U = std::bit_cast<std::uint64_t>(Value);
    for (int I = 0; I < 8; ++I)
      Bytes.push_back(static_cast<std::uint8_t>(U >> (8 * I)));
    return *this;
  }
  TFileBytes& Header(std::int32_t Type, double Length, std::int32_t Count,
                     std::int32_t Version = 1) {
    return Text("VantrelBeamDataFile.").Int(Version).Int(Type).Real(Length).Int(Count);
  }
  TFileBytes& Record(const std::string& Remark, std::int32_t Kind, double X, double W,
                     double Width) {
    Int(1).Int(static_cast<std::int32_t>(Remark.size())).Text(Remark).Int(Kind);
    return Real(X).Real(W).Real(Width);
  }
  // The section block: tag, length, block version, name, the seven reals.
  TFileBytes& Section(const TSection& S, std::int32_t Version = 1) {
    const auto Name = static_cast<std::int32_t>(S.Name.size());
    Text("SECT").Int(4 + 4 + Name + 7 * 8).Int(Version).Int(Name).Text(S.Name);
    return Real(S.E).Real(S.I).Real(S.Z).Real(S.Aw).Real(S.Fb).Real(S.Fs).Real(S.N);
  }
};

inline void LoadBytes(TData& Data, const std::vector<std::uint8_t>& Bytes) {
  TMemoryStream Stream(Bytes);
  Data.LoadFromStream(Stream);
}

inline std::vector<std::uint8_t> SavedBytes(const TData& Data) {
  TMemoryStream Stream;
  Data.SaveToStream(Stream);
  return Stream.Bytes();
}
