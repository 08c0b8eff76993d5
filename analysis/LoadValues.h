#pragma once

#include <cstdint>
#include <string>
#include <utility>

class TData;

// The values of one load as the user enters them; Remark is code page 932
// text.
struct TLoadValues {
  std::int32_t Kind = 0;
  double X = 0, W = 0, Width = 0;
  std::string Remark;

  TLoadValues() = default;
  TLoadValues(std::int32_t AKind, double AX, double AW, double AWidth, std::string ARemark = {})
      : Kind(AKind), X(AX), W(AW), Width(AWidth), Remark(std::move(ARemark)) {}

  bool operator==(const TLoadValues&) const = default;
};

// The values of load Index.
TLoadValues LoadValues(const TData& Data, int Index);
// Writes Values at Index (appended at LoadCount) through the setters of
// kind, X, W, width and remark, in that order.
void WriteLoad(TData& Data, int Index, const TLoadValues& Values);
