#pragma once

#include "analysis/BeamData.h"

#include <random>

// A 10 m beam with Loads loads of every kind in turn, spread over the span
// and a little past it, the same for every run.
inline void FillSampleDocument(TData& Data, int Loads, std::int32_t BeamType) {
  std::mt19937 Random(12345);
  std::uniform_real_distribution<double> Position(-1.0, 10.5), Width(0.1, 4.0), Value(-20, 50);
  Data.SetBeamType(BeamType);
  Data.SetLength(10);
  for (int I = 0; I < Loads; ++I) {
    Data.EnsureLoad(I);
    TKajyuData& K = Data.Load(I);
    K.FKind = I % 5;
    K.FX = Position(Random);
    K.FW = Value(Random);
    K.FWidth = K.FKind <= lkRightTriangle ? Width(Random) : 0;
    K.FRemark = "load";
  }
  Data.Calculate();
}
