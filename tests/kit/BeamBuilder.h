// Documents for the tests and the benchmarks, built in one of two ways:
// through the document's setters, as the program edits (each effective
// change recalculates, marks the document modified and notifies), or by
// writing the load records directly and calculating once at the end.
#pragma once

#include "analysis/BeamData.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One load; Remark is code page 932 text.
struct TBeamLoad {
  std::int32_t Kind = lkUniform;
  double X = 0, W = 0, Width = 0;
  std::string Remark;

  TBeamLoad() = default;
  TBeamLoad(std::int32_t AKind, double AX, double AW, double AWidth, std::string ARemark = {})
      : Kind(AKind), X(AX), W(AW), Width(AWidth), Remark(std::move(ARemark)) {}
};

// Sets the load at Index (appended past the end) through the setters of
// its kind, X, W, width and remark, in that order.
void SetLoad(TData& Data, int Index, const TBeamLoad& Load);
// SetLoad for a new load after the last.
void AddLoad(TData& Data, const TBeamLoad& Load);
// Beam type, span, then the loads from index 0, all through the setters.
void SetBeam(TData& Data, std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads);
// Clears Data, sets beam type and span, writes the load records directly
// and calculates.
void BuildBeam(TData& Data, std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads);
