// Documents for the tests and the benchmarks, built in one of two ways:
// through the document's setters, as the program edits (each effective
// change recalculates, marks the document modified and notifies), or by
// writing the load records directly and calculating once at the end.
#pragma once

#include "analysis/BeamData.h"
#include "analysis/LoadValues.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// One load: kind, X, W, width and remark, as the window enters it.
using TBeamLoad = TLoadValues;

// WriteLoad for a new load after the last.
void AddLoad(TData& Data, const TBeamLoad& Load);
// Beam type, span, then the loads from index 0, all through the setters.
void SetBeam(TData& Data, std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads);
// Clears Data, sets beam type and span, writes the load records directly
// and calculates.
void BuildBeam(TData& Data, std::int32_t Type, double L, const std::vector<TBeamLoad>& Loads);
