#pragma once

#include "tests/kit/BeamBuilder.h"

#include <random>
#include <vector>

// A 10 m beam with Loads loads of every kind in turn, spread over the span
// and a little past it, the same for every run; calculated.
inline void FillSampleDocument(TData& Data, int Loads, std::int32_t BeamType) {
  std::mt19937 Random(12345);
  std::uniform_real_distribution<double> Position(-1.0, 10.5), Width(0.1, 4.0), Value(-20, 50);
  std::vector<TBeamLoad> Specs(static_cast<std::size_t>(Loads));
  for (int I = 0; I < Loads; ++I) {
    TBeamLoad& K = Specs[static_cast<std::size_t>(I)];
    K.Kind = I % 5;
    K.X = Position(Random);
    K.W = Value(Random);
    K.Width = K.Kind <= lkRightTriangle ? Width(Random) : 0;
    K.Remark = "load";
  }
  BuildBeam(Data, BeamType, 10, Specs);
}
